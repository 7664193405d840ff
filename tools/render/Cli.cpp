#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "orbitals/OrbitalTable.h"

namespace wlrender {

namespace {
bool Contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

// Lower case, with the superscripts ² and ³ spelled 2 and 3.
std::string NormaliseName(const std::string& utf8) {
  std::string s = utf8;
  for (auto [from, to] :
       {std::pair<std::string, std::string>{"\xC2\xB2", "2"}, {"\xC2\xB3", "3"}}) {
    for (size_t p; (p = s.find(from)) != std::string::npos;) s.replace(p, from.size(), to);
  }
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string NameList(wl::OrbitalType type) {
  std::string list;
  for (const auto& row : wl::kOrbitalTable) {
    if (row.OrbType != type) continue;
    if (!list.empty()) list += ", ";
    list += ToUtf8(row.Name);
  }
  return list;
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
  if (text.empty()) throw UsageError("--orbital needs an index 0 to 39 or an orbital name");
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    if (average) throw UsageError("--average takes an orbital name, not an index");
    const long n = text.size() > 3 ? 99 : std::strtol(text.c_str(), nullptr, 10);
    if (n > 39) throw UsageError("orbital index " + text + " is outside 0 to 39");
    return static_cast<int>(n);
  }
  const std::string wanted = NormaliseName(text);
  const wl::OrbitalType type = average ? wl::AverageOrbs : wl::SingleOrb;
  for (int i = 0; i < 40; ++i) {
    const auto& row = wl::kOrbitalTable[i];
    if (row.OrbType == type && NormaliseName(ToUtf8(row.Name)) == wanted) return i;
  }
  std::string hint;
  if (!average) {
    for (const auto& row : wl::kOrbitalTable) {
      if (row.OrbType == wl::AverageOrbs && NormaliseName(ToUtf8(row.Name)) == wanted)
        hint = " (add --average for the averaged subshell)";
    }
  }
  throw UsageError("unknown orbital '" + text + "'" + hint + "; valid " +
                   (average ? "subshells with --average: " + NameList(wl::AverageOrbs)
                            : "orbitals: " + NameList(wl::SingleOrb) + ", or an index 0 to 39"));
}

}  // namespace wlrender
