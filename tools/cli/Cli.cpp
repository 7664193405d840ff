#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "core/OrbitalLookup.h"
#include "orbitals/OrbitalTable.h"

namespace wlcli {

namespace {
bool Contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

}  // namespace

Args::Args(const std::vector<std::string>& argv, const OptionSpec& options,
           const std::string& command) {
  for (size_t i = 0; i < argv.size(); ++i) {
    std::string a = argv[i];
    std::string inlineValue;
    bool hasInline = false;
    if (a.rfind("--", 0) == 0) {
      const auto eq = a.find('=');
      if (eq != std::string::npos) {
        inlineValue = a.substr(eq + 1);
        a = a.substr(0, eq);
        hasInline = true;
      }
    } else if (a == "-h" && Contains(options.flags, "--help")) {
      a = "--help";  // the usual short form
    }
    if (Contains(options.flags, a)) {
      if (hasInline) throw UsageError("option " + a + " takes no value");
      values_[a] = "";
    } else if (Contains(options.valued, a)) {
      if (hasInline) {
        values_[a] = inlineValue;
      } else {
        if (i + 1 >= argv.size()) throw UsageError("option " + a + " needs a value");
        values_[a] = argv[++i];
      }
    } else {
      std::string known;
      for (const auto& n : options.valued) known += " " + n;
      for (const auto& n : options.flags) known += " " + n;
      throw UsageError((a.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + a +
                       " for '" + command + "'; valid options:" + known);
    }
  }
}

std::optional<std::string> Args::Get(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

long long Args::Integer(const std::string& name, long long lo, long long hi, long long def) const {
  auto v = Get(name);
  if (!v) return def;
  const std::string& s = *v;
  char* end = nullptr;
  errno = 0;
  const long long n = s.empty() ? 0 : std::strtoll(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || errno == ERANGE || n < lo || n > hi) {
    throw UsageError(name + " must be a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi) + ", not '" + s + "'");
  }
  return n;
}

double Args::Real(const std::string& name, double def) const {
  auto v = Get(name);
  if (!v) return def;
  const std::string& s = *v;
  char* end = nullptr;
  const double d = s.empty() ? 0 : std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !std::isfinite(d)) {
    throw UsageError(name + " must be a number, not '" + s + "'");
  }
  return d;
}

int ResolveOrbital(const std::string& text, bool average) {
  const wl::OrbitalChoice choice = wl::LookupOrbital(text, average);
  if (choice.Index < 0) throw UsageError(choice.Error);
  return choice.Index;
}

wl::OrbitalSetup ReadOrbitalSetup(const Args& args, int maxThreshold, bool withDots) {
  if (!args.Has("--orbital"))
    throw UsageError("--orbital is required (an index 0 to 39 or a name)");
  const int orbital = ResolveOrbital(*args.Get("--orbital"), args.Flag("--average"));
  const std::string view = args.Get("--view").value_or("pdf");
  if (view != "pdf" && view != "drpdf") {
    throw UsageError("--view must be pdf or drpdf, not '" + view + "'");
  }
  const bool drpdf = view == "drpdf";
  const wl::OrbitalRow& row = wl::kOrbitalTable[orbital];

  wl::OrbitalSetup s;
  s.OrbitalIndex = static_cast<wl::Integer>(orbital);
  s.OrbitalViewMode = drpdf ? wl::DRPDF : wl::PDF;
  s.AtomRadius = static_cast<wl::Integer>(
      args.Integer("--radius", 1, 32767, drpdf ? row.DRPDFRadius : row.PDFRadius));
  s.DotThreshold = static_cast<wl::Byte>(
      args.Integer("--threshold", 0, maxThreshold, drpdf ? row.DRPDFThreshold : row.PDFThreshold));
  s.DotTarget =
      static_cast<wl::Integer>(withDots ? args.Integer("--dots", 0, 32767, 16000) : 16000);
  return s;
}

wl::RenderMode ParseMode(const std::string& option, const std::string& text, bool withTransect) {
  struct Name {
    const char* text;
    wl::RenderMode mode;
  };
  static const Name kNames[] = {{"orthographic", wl::Orthographic}, {"ortho", wl::Orthographic},
                                {"perspective", wl::Perspective},   {"anaglyph", wl::Anaglyph},
                                {"volumetric", wl::Volumetric},     {"volume", wl::Volumetric},
                                {"surface", wl::BoundarySurface},   {"transect", wl::Transect}};
  std::string names;
  for (const Name& n : kNames) {
    if (n.mode == wl::Transect && !withTransect) continue;
    if (text == n.text) return n.mode;
    if (!names.empty()) names += '|';
    names.append(n.text);
  }
  throw UsageError(option + " must be " + names + ", not '" + text + "'");
}

std::string ModeName(wl::RenderMode mode) {
  switch (mode) {
    case wl::Perspective:
      return "perspective";
    case wl::Anaglyph:
      return "anaglyph";
    case wl::Volumetric:
      return "volume";
    case wl::BoundarySurface:
      return "surface";
    case wl::Transect:
      return "transect";
    case wl::Orthographic:
      break;
  }
  return "orthographic";
}

SlicePlace ParseTransect(const std::string& option, const std::string& text) {
  const auto refuse = [&] {
    return UsageError(option + " must be x, y or z and a slice from -127 to 127, as in z:40, not '" +
                      text + "'");
  };
  if (text.size() < 3 || text[1] != ':') throw refuse();
  SlicePlace place;
  switch (std::tolower(static_cast<unsigned char>(text[0]))) {
    case 'x': place.Direction = wl::AlongX; break;
    case 'y': place.Direction = wl::Alongy; break;
    case 'z': place.Direction = wl::Alongz; break;
    default: throw refuse();
  }
  const std::string number = text.substr(2);
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(number.c_str(), &end, 10);
  if (std::isspace(static_cast<unsigned char>(number[0])) || *end != '\0' || errno == ERANGE ||
      n < -127 || n > 127)
    throw refuse();
  place.Number = static_cast<wl::Integer>(n);
  return place;
}

std::string TransectName(const SlicePlace& place) {
  const char axis = place.Direction == wl::AlongX ? 'x' : place.Direction == wl::Alongz ? 'z' : 'y';
  return std::string(1, axis) + ":" + std::to_string(place.Number);
}

}  // namespace wlcli
