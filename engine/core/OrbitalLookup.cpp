#include "core/OrbitalLookup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "core/Utf8.h"
#include "orbitals/OrbitalTable.h"

namespace wl {

namespace {
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

std::string NameList(OrbitalType type) {
  std::string list;
  for (const auto& row : kOrbitalTable) {
    if (row.OrbType != type) continue;
    if (!list.empty()) list += ", ";
    list += ToUtf8(row.Name);
  }
  return list;
}

OrbitalChoice Refused(std::string error) {
  return {-1, std::move(error)};
}
}  // namespace

OrbitalChoice LookupOrbital(const std::string& text, bool average) {
  if (text.empty()) return Refused("--orbital needs an index 0 to 39 or an orbital name");
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    if (average) return Refused("--average takes an orbital name, not an index");
    const long n = text.size() > 3 ? 99 : std::strtol(text.c_str(), nullptr, 10);
    if (n > 39) return Refused("orbital index " + text + " is outside 0 to 39");
    return {static_cast<int>(n), {}};
  }
  const std::string wanted = NormaliseName(text);
  const OrbitalType type = average ? AverageOrbs : SingleOrb;
  for (int i = 0; i < 40; ++i) {
    const auto& row = kOrbitalTable[i];
    if (row.OrbType == type && NormaliseName(ToUtf8(row.Name)) == wanted) return {i, {}};
  }
  std::string hint;
  if (!average) {
    for (const auto& row : kOrbitalTable) {
      if (row.OrbType == AverageOrbs && NormaliseName(ToUtf8(row.Name)) == wanted)
        hint = " (add --average for the averaged subshell)";
    }
  }
  return Refused("unknown orbital '" + text + "'" + hint + "; valid " +
                 (average ? "subshells with --average: " + NameList(AverageOrbs)
                          : "orbitals: " + NameList(SingleOrb) + ", or an index 0 to 39"));
}

}  // namespace wl
