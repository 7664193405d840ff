#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/OrbitalLookup.h"
#include "orbitals/OrbitalCatalog.h"

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

const std::vector<std::string>& OrbitalValued() {
  static const std::vector<std::string> names = {"--orbital", "--nlm", "--charge", "--hybrid",
                                                 "--member",  "--n",   "--combine"};
  return names;
}

const std::vector<std::string>& OrbitalFlags() {
  static const std::vector<std::string> names = {"--average", "--complex"};
  return names;
}

namespace {
std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// A whole number that fits the engine's 16-bit fields; the range of its
// meaning is the setup's check.
std::optional<long> Whole(const std::string& text) {
  const std::string s = Trim(text);
  char* end = nullptr;
  errno = 0;
  const long n = s.empty() ? 0 : std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || errno == ERANGE || n < -32768 || n > 32767) return std::nullopt;
  return n;
}

wl::Integer WholeOption(const Args& args, const std::string& name) {
  const std::string text = *args.Get(name);
  const auto n = Whole(text);
  if (!n) throw UsageError(name + " must be a whole number, not '" + text + "'");
  return static_cast<wl::Integer>(*n);
}

// --nlm: "N,L,M", or "N,L" for a subshell average.
int ReadNlm(const std::string& text, bool average) {
  std::vector<long> numbers;
  std::string part;
  bool bad = false;
  for (size_t from = 0;;) {
    const size_t comma = text.find(',', from);
    const auto n = Whole(text.substr(from, comma == std::string::npos ? comma : comma - from));
    if (!n) bad = true;
    else numbers.push_back(*n);
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (average) {
    if (!bad && numbers.size() == 3)
      throw UsageError("--nlm with --average takes N,L (the average covers every m), not '" +
                       text + "'");
    if (bad || numbers.size() != 2)
      throw UsageError("--nlm with --average must be N,L, as 3,2, not '" + text + "'");
  } else if (bad || numbers.size() != 3) {
    throw UsageError("--nlm must be N,L,M, as 3,2,-1 (or N,L with --average), not '" + text + "'");
  }
  const long n = numbers[0], l = numbers[1], m = average ? 0 : numbers[2];
  if (n < 1 || n > wl::kHighestN)
    throw UsageError("--nlm: n must be 1 to " + std::to_string(wl::kHighestN) + ", not " +
                     std::to_string(n));
  if (l < 0 || l >= n)
    throw UsageError("--nlm: l must be 0 to " + std::to_string(n - 1) + " for n = " +
                     std::to_string(n) + ", not " + std::to_string(l));
  if (m < -l || m > l)
    throw UsageError("--nlm: m must be -" + std::to_string(l) + " to " + std::to_string(l) +
                     " for l = " + std::to_string(l) + ", not " + std::to_string(m));
  return wl::IndexOfOrbital(static_cast<int>(n), static_cast<int>(l), static_cast<int>(m), average);
}

const std::vector<std::pair<std::string, wl::HybridSet>> kHybridWords = {
    {"sp", wl::HybridSp},
    {"sp2", wl::HybridSp2},
    {"sp3", wl::HybridSp3},
    {"sp3d", wl::HybridSp3d},
    {"sp3d2", wl::HybridSp3d2}};
}  // namespace

wl::HybridSet ParseHybrid(const std::string& option, const std::string& text) {
  std::string word = wl::TypedName(text);
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string names;
  for (const auto& [name, set] : kHybridWords) {
    if (word == name) return set;
    names += (names.empty() ? "" : "|") + name;
  }
  throw UsageError(option + " must be " + names + ", not '" + text + "'");
}

std::string HybridWord(wl::HybridSet set) {
  for (const auto& [name, s] : kHybridWords)
    if (s == set) return name;
  return {};
}

void ParseCombination(const std::string& option, const std::string& text, wl::OrbitalSetup& s) {
  const wl::CombinationReading read = wl::ReadCombination(text, s);
  if (read.Form) {
    throw UsageError(option +
                     " takes up to four terms NAME:COEFFICIENT separated by commas, as "
                     "\"2s:0.5,2px:0.5\", not '" +
                     text + "'");
  }
  if (!read.Error.empty()) throw UsageError(option + ": " + read.Error);
}

void CheckChoice(const wl::OrbitalSetup& setup) {
  const std::string refusal = wl::CheckSetup(setup);
  if (!refusal.empty()) throw UsageError(refusal);
}

wl::OrbitalSetup ReadOrbitalChoice(const Args& args) {
  std::vector<std::string> given;
  for (const char* name : {"--orbital", "--nlm", "--hybrid", "--combine"})
    if (args.Has(name)) given.emplace_back(name);
  if (given.empty())
    throw UsageError(
        "--orbital is required (an index 0 to 167 or a name), or --nlm, --hybrid or --combine");
  if (given.size() > 1)
    throw UsageError(given[0] + " and " + given[1] + " cannot be given together: each chooses "
                     "what is calculated");
  const bool hybrid = args.Has("--hybrid");
  for (const char* name : {"--member", "--n"})
    if (args.Has(name) && !hybrid) throw UsageError(std::string(name) + " needs --hybrid");
  const bool average = args.Flag("--average");
  if (average && (hybrid || args.Has("--combine")))
    throw UsageError("--average applies to --orbital and --nlm, not to " + given[0]);

  wl::OrbitalSetup s;
  if (args.Has("--orbital")) {
    s.OrbitalIndex = static_cast<wl::Integer>(ResolveOrbital(*args.Get("--orbital"), average));
  } else if (args.Has("--nlm")) {
    s.OrbitalIndex = static_cast<wl::Integer>(ReadNlm(*args.Get("--nlm"), average));
  } else if (hybrid) {
    s.Hybrid = ParseHybrid("--hybrid", *args.Get("--hybrid"));
    if (!args.Has("--member"))
      throw UsageError("--hybrid needs --member K, the member 1 to " +
                       std::to_string(wl::HybridSize(s.Hybrid)) + " of the set");
    s.HybridMember = WholeOption(args, "--member");
    s.HybridShell = args.Has("--n") ? WholeOption(args, "--n")
                                    : static_cast<wl::Integer>(wl::HybridLowestShell(s.Hybrid));
  } else {
    ParseCombination("--combine", *args.Get("--combine"), s);
  }
  if (args.Has("--charge")) s.Charge = WholeOption(args, "--charge");
  s.Complex = wl::ToBoolean(args.Flag("--complex"));
  CheckChoice(s);
  return s;
}

wl::OrbitalSetup ReadOrbitalSetup(const Args& args, int maxThreshold, bool withDots) {
  wl::OrbitalSetup s = ReadOrbitalChoice(args);
  const std::string view = args.Get("--view").value_or("pdf");
  if (view != "pdf" && view != "drpdf") {
    throw UsageError("--view must be pdf or drpdf, not '" + view + "'");
  }
  const bool drpdf = view == "drpdf";
  s.OrbitalViewMode = drpdf ? wl::DRPDF : wl::PDF;
  const wl::OrbitalDefaults defaults = wl::DefaultsOf(s, s.OrbitalViewMode);
  s.AtomRadius = static_cast<wl::Integer>(args.Integer("--radius", 1, 32767, defaults.Radius));
  s.DotThreshold = static_cast<wl::Byte>(args.Integer(
      "--threshold", 0, maxThreshold, std::min<long long>(maxThreshold, defaults.Threshold)));
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
