#include "core/OrbitalLookup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/Utf8.h"
#include "orbitals/OrbitalCatalog.h"
#include "orbitals/OrbitalTable.h"

namespace wl {

namespace {
// Multi-byte characters a name may hold and what they are typed as.
const std::pair<const char*, const char*> kTyped[] = {
    {"\xC2\xB2", "2"},      // ²
    {"\xC2\xB3", "3"},      // ³
    {"\xE2\x88\x92", "-"},  // − (minus sign)
    {"\xE2\x80\x93", "-"},  // – (en dash)
};

std::string Typed(std::string s) {
  for (const auto& [from, to] : kTyped) {
    const std::string f = from;
    for (size_t p; (p = s.find(f)) != std::string::npos;) s.replace(p, f.size(), to);
  }
  return s;
}

// The form names are compared in: typed, lower case, without spaces,
// brackets and plus signs.
std::string NormaliseName(const std::string& utf8) {
  std::string out;
  for (char c : Typed(utf8)) {
    if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '+') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// The normalised names of the seed's rows, or of every row, by index. The seed's
// rows come from their fixed table, so that looking up one of them does not
// make the catalogue (whose new rows' defaults take a moment to work out).
const std::vector<std::string>& NormalisedNames(bool catalogue) {
  static const std::vector<std::string> seed = [] {
    std::vector<std::string> v;
    for (const OrbitalRow& row : kOrbitalTable) v.push_back(NormaliseName(ToUtf8(row.Name)));
    return v;
  }();
  if (!catalogue) return seed;
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (int i = 0; i < kOrbitalCount; ++i) v.push_back(NormaliseName(ToUtf8(OrbitalRowAt(i).Name)));
    return v;
  }();
  return names;
}

// The row whose name is `wanted` among `names`: of `type` when there is one
// (`index`), and whether some row of the other type has it.
void FindName(const std::vector<std::string>& names, const std::string& wanted, OrbitalType type,
              int& index, bool& other) {
  for (size_t i = 0; i < names.size() && index < 0; ++i) {
    if (names[i] != wanted) continue;
    const OrbitalType t = i < kSeedOrbitalCount ? kOrbitalTable[i].OrbType
                                                : OrbitalRowAt(static_cast<int>(i)).OrbType;
    if (t == type) index = static_cast<int>(i);
    else other = true;
  }
}

std::string NameList(OrbitalType type, int end) {
  std::string list;
  for (int i = 0; i < end; ++i) {
    const OrbitalRow& row = OrbitalRowAt(i);
    if (row.OrbType != type) continue;
    if (!list.empty()) list += ", ";
    list += ToUtf8(row.Name);
  }
  return list;
}

OrbitalChoice Refused(std::string error) {
  return {-1, std::move(error)};
}

const std::string kIndexRange = "0 to " + std::to_string(kOrbitalCount - 1);
}  // namespace

std::string TypedName(const std::string& utf8) {
  return Typed(utf8);
}

OrbitalChoice LookupOrbital(const std::string& text, bool average) {
  if (text.empty()) return Refused("--orbital needs an index " + kIndexRange + " or an orbital name");
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    if (average) return Refused("--average takes an orbital name, not an index");
    const long n = text.size() > 4 ? 99999 : std::strtol(text.c_str(), nullptr, 10);
    if (n >= kOrbitalCount) return Refused("orbital index " + text + " is outside " + kIndexRange);
    return {static_cast<int>(n), {}};
  }
  const std::string wanted = NormaliseName(text);
  const OrbitalType type = average ? AverageOrbs : SingleOrb;
  int index = -1;
  bool other = false;
  FindName(NormalisedNames(false), wanted, type, index, other);
  if (index < 0) FindName(NormalisedNames(true), wanted, type, index, other);
  if (index >= 0) return {index, {}};
  const std::string hint = other && !average ? " (add --average for the averaged subshell)" : "";
  return Refused("unknown orbital '" + text + "'" + hint + "; valid " +
                 (average ? "subshells with --average: " + NameList(AverageOrbs, kOrbitalCount)
                          : "orbitals: " + NameList(SingleOrb, kSeedOrbitalCount) +
                                ", the same names for n = 5 to 7 (5S, 6Dz2, 7Fxyz ...), "
                                "g, h and i orbitals as 5G (m = -4) (typed 5g(m=-4) or "
                                "5g m=-4), or an index " +
                                kIndexRange));
}

namespace {
std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}
}  // namespace

CombinationReading ReadCombination(const std::string& text, OrbitalSetup& s) {
  s.Hybrid = CustomCombination;
  s.TermCount = 0;
  for (size_t from = 0;;) {
    const size_t comma = text.find(',', from);
    const std::string term =
        Trimmed(text.substr(from, comma == std::string::npos ? comma : comma - from));
    if (term.empty()) return {{}, true};
    const size_t colon = term.rfind(':');
    const std::string name = Trimmed(term.substr(0, colon));
    double coefficient = 1;
    if (colon != std::string::npos) {
      const std::string number = Trimmed(term.substr(colon + 1));
      char* end = nullptr;
      coefficient = number.empty() ? 0 : std::strtod(number.c_str(), &end);
      if (number.empty() || *end != '\0') return {{}, true};
    }
    OrbitalChoice choice = LookupOrbital(name, false);
    if (choice.Index < 0) {
      // A subshell's name: the setup's check says why it cannot be a term.
      const OrbitalChoice average = LookupOrbital(name, true);
      if (average.Index < 0) return {choice.Error, false};
      choice = average;
    }
    if (s.TermCount < static_cast<Integer>(s.Terms.size()))
      s.Terms[static_cast<size_t>(s.TermCount)] = {static_cast<Integer>(choice.Index), coefficient};
    ++s.TermCount;  // more than four is refused by the setup's check
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return {};
}

std::string CombinationText(const OrbitalSetup& s) {
  std::string text;
  for (int t = 0; t < s.TermCount && t < static_cast<int>(s.Terms.size()); ++t) {
    const ComboTerm& term = s.Terms[static_cast<size_t>(t)];
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", term.Coefficient);
    if (t) text += ',';
    text += TypedName(ToUtf8(OrbitalRowAt(term.OrbitalIndex).Name)) + ':' + number;
  }
  return text;
}

}  // namespace wl
