#include "orbitals/OrbitalCatalog.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <vector>

#include "analysis/Radial.h"
#include "core/Utf8.h"
#include "core/WLError.h"

namespace wl {

namespace {

// Cartesian names of the real orbitals up to f, by l and M + l.
const char16_t* const kCartesian[4][7] = {
    {u"S"},
    {u"Py", u"Pz", u"Px"},
    {u"Dxy", u"Dyz", u"Dz²", u"Dxz", u"Dx²-y²"},
    {u"Fy(3x²-y²)", u"Fxyz", u"Fyz²", u"Fz³", u"Fxz²", u"Fz(x²-y²)", u"Fx(x²-3y²)"},
};

std::u16string Number(int v) {
  std::u16string s;
  for (char c : std::to_string(v)) s += static_cast<char16_t>(c);
  return s;
}

// "+2", "0", "−2" (with the minus sign).
std::u16string SignedNumber(int v) {
  if (v == 0) return u"0";
  return (v > 0 ? u"+" : u"\u2212") + Number(std::abs(v));
}

std::u16string SingleName(int n, int l, int M) {
  if (l <= 3) return Number(n) + kCartesian[l][M + l];
  return Number(n) + SubshellLetter(l, true) + u" (m = " + SignedNumber(M) + u")";
}

// The default radius and threshold of a new row (n >= 5): the radius holding
// 90% (PDF) or 95% (DRPDF) of the probability of the subshell, rounded up;
// thresholds 30 and 50.
OrbitalDefaults NewRowDefaults(int n, int l, ViewMode view) {
  const double share = view == PDF ? 0.9 : 0.95;
  return {static_cast<Integer>(std::ceil(RadiusHolding(n, l, share))),
          static_cast<Integer>(view == PDF ? 30 : 50)};
}

struct Catalog {
  std::vector<std::u16string> Names;  // the new rows' names (stable storage)
  std::vector<OrbitalRow> Rows;

  Catalog() {
    Names.reserve(kOrbitalCount - kSeedOrbitalCount);
    Rows.assign(std::begin(kOrbitalTable), std::end(kOrbitalTable));
    auto add = [&](int n, int l, int M, OrbitalType type, std::u16string name) {
      Names.push_back(std::move(name));
      const OrbitalDefaults pdf = NewRowDefaults(n, l, PDF), dr = NewRowDefaults(n, l, DRPDF);
      // Real orbitals' densities are even in x, y and z; m = 0 ones are also
      // unchanged when x and y are exchanged, averages under every exchange.
      const OptFactor single = M == 0 ? F16xy : F8;
      const OptFactor f = type == AverageOrbs ? F32 : single;
      Rows.push_back({Names.back().c_str(), static_cast<Integer>(n), static_cast<Integer>(l),
                      static_cast<Integer>(M), type, pdf.Radius, pdf.Threshold, f, dr.Radius,
                      dr.Threshold, f});
    };
    for (int n = 5; n <= kHighestN; ++n)
      for (int l = 0; l < n; ++l)
        for (int M = -l; M <= l; ++M) add(n, l, M, SingleOrb, SingleName(n, l, M));
    for (int n = 5; n <= kHighestN; ++n)
      for (int l = 0; l < n; ++l)
        add(n, l, 0, AverageOrbs, Number(n) + SubshellLetter(l, true));
  }
};

const Catalog& TheCatalog() {
  static const Catalog catalog;
  return catalog;
}

// A coefficient's size with two decimals.
std::u16string Coefficient(double c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", c);
  std::u16string s;
  for (const char* p = buf; *p; ++p) s += static_cast<char16_t>(*p);
  return s;
}

}  // namespace

const OrbitalRow& OrbitalRowAt(int index) {
  if (index < 0 || index >= kOrbitalCount) {
    RaiseError(kSubscriptRange, "orbital index " + std::to_string(index) + " is outside 0 to " +
                                    std::to_string(kOrbitalCount - 1));
  }
  return TheCatalog().Rows[static_cast<size_t>(index)];
}

int IndexOfOrbital(int n, int l, int M, bool average) {
  const auto& rows = TheCatalog().Rows;
  for (size_t i = 0; i < rows.size(); ++i) {
    const OrbitalRow& r = rows[i];
    if (r.n != n || r.l != l) continue;
    if (average ? r.OrbType == AverageOrbs : (r.OrbType == SingleOrb && r.M == M))
      return static_cast<int>(i);
  }
  return -1;
}

char16_t SubshellLetter(int l, bool upper) {
  static const char16_t lower[] = u"spdfghi";
  if (l < 0 || l > 6) return u'?';
  const char16_t c = lower[l];
  return upper ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string ChargeName(int Z) {
  static const char16_t* const elements[] = {u"H", u"He", u"Li", u"Be", u"B",
                                             u"C", u"N",  u"O",  u"F",  u"Ne"};
  static const char16_t* const superscripts[] = {u"",   u"",   u"²", u"³", u"⁴",
                                                 u"⁵", u"⁶", u"⁷", u"⁸", u"⁹"};
  if (Z < 1 || Z > kHighestCharge) return {};
  std::u16string name = elements[Z - 1];
  if (Z > 1) name += std::u16string(superscripts[Z - 1]) + u"⁺";
  return name;
}

int HybridSize(HybridSet set) {
  switch (set) {
    case HybridSp:
      return 2;
    case HybridSp2:
      return 3;
    case HybridSp3:
      return 4;
    case HybridSp3d:
      return 5;
    case HybridSp3d2:
      return 6;
    default:
      return 0;
  }
}

std::u16string HybridName(HybridSet set) {
  switch (set) {
    case HybridSp:
      return u"sp";
    case HybridSp2:
      return u"sp²";
    case HybridSp3:
      return u"sp³";
    case HybridSp3d:
      return u"sp³d";
    case HybridSp3d2:
      return u"sp³d²";
    default:
      return {};
  }
}

int HybridLowestShell(HybridSet set) {
  return set == HybridSp3d || set == HybridSp3d2 ? 3 : 2;
}

std::string CheckSetup(const OrbitalSetup& s) {
  if (s.Charge < 1 || s.Charge > kHighestCharge)
    return "the nuclear charge Z must be 1 to " + std::to_string(kHighestCharge) + ", not " +
           std::to_string(s.Charge);
  if (s.Hybrid == NoHybrid) {
    if (s.OrbitalIndex < 0 || s.OrbitalIndex >= kOrbitalCount)
      return "orbital index " + std::to_string(s.OrbitalIndex) + " is outside 0 to " +
             std::to_string(kOrbitalCount - 1);
    if (s.Complex && OrbitalRowAt(s.OrbitalIndex).OrbType == AverageOrbs)
      return "a subshell average has no complex form; choose one orbital of the subshell";
    return {};
  }
  if (s.Complex) return "hybrids and combinations are real; the complex form is for single orbitals";
  if (s.Hybrid == CustomCombination) {
    if (s.TermCount < 1 || s.TermCount > 4) return "a combination takes 1 to 4 orbitals";
    std::set<int> seen;
    int shell = 0;
    bool anyNonZero = false;
    for (int t = 0; t < s.TermCount; ++t) {
      const ComboTerm& term = s.Terms[static_cast<size_t>(t)];
      if (term.OrbitalIndex < 0 || term.OrbitalIndex >= kOrbitalCount)
        return "orbital index " + std::to_string(term.OrbitalIndex) + " is outside 0 to " +
               std::to_string(kOrbitalCount - 1);
      const OrbitalRow& row = OrbitalRowAt(term.OrbitalIndex);
      if (row.OrbType == AverageOrbs)
        return "a combination takes single orbitals, not the average " + ToUtf8(row.Name);
      if (!std::isfinite(term.Coefficient)) return "a combination's coefficients must be numbers";
      if (shell == 0) shell = row.n;
      if (row.n != shell) return "a combination takes orbitals of one shell n";
      if (!seen.insert(term.OrbitalIndex).second)
        return "a combination takes each orbital once (" + ToUtf8(row.Name) + " twice)";
      anyNonZero = anyNonZero || term.Coefficient != 0;
    }
    if (!anyNonZero) return "a combination needs a coefficient other than 0";
    return {};
  }
  const int size = HybridSize(s.Hybrid);
  if (size == 0) return "unknown hybrid set " + std::to_string(s.Hybrid);
  const std::string name = ToUtf8(HybridName(s.Hybrid));
  if (s.HybridMember < 1 || s.HybridMember > size)
    return name + " hybrids have members 1 to " + std::to_string(size);
  const int lowest = HybridLowestShell(s.Hybrid);
  if (s.HybridShell < lowest || s.HybridShell > kHighestN)
    return name + " hybrids are made from the shells n = " + std::to_string(lowest) + " to " +
           std::to_string(kHighestN);
  return {};
}

std::u16string SetupName(const OrbitalSetup& s) {
  std::u16string name;
  if (s.Hybrid == CustomCombination) {
    double norm = 0;
    for (int t = 0; t < s.TermCount; ++t) norm += s.Terms[t].Coefficient * s.Terms[t].Coefficient;
    norm = std::sqrt(norm);
    for (int t = 0; t < s.TermCount; ++t) {
      const double c = s.Terms[t].Coefficient / norm;
      if (t > 0) name += c < 0 ? u" \u2212 " : u" + ";
      else if (c < 0) name += u"\u2212";
      name += Coefficient(std::abs(c)) + u" " + OrbitalRowAt(s.Terms[t].OrbitalIndex).Name;
    }
  } else if (s.Hybrid != NoHybrid) {
    name = HybridName(s.Hybrid) + u" hybrid " + Number(s.HybridMember) + u" of " +
           Number(HybridSize(s.Hybrid));
    if (s.HybridShell != HybridLowestShell(s.Hybrid)) name += u" (n = " + Number(s.HybridShell) + u")";
  } else {
    const OrbitalRow& row = OrbitalRowAt(s.OrbitalIndex);
    if (s.Complex) {
      name = Number(row.n) + SubshellLetter(row.l, true) + u" m=" + SignedNumber(row.M) +
             u" (complex)";
    } else {
      name = row.Name;
    }
  }
  if (s.Charge != 1) name += u", " + ChargeName(s.Charge);
  return name;
}

OrbInfo InfoOf(const OrbitalSetup& s) {
  OrbInfo info;
  auto divideRadii = [&](OrbInfo& i) {
    auto div = [&](Integer r) {
      return static_cast<Integer>(std::max(1.0, std::ceil(static_cast<double>(r) / s.Charge)));
    };
    i.DefaultPDFAtomRadius = div(i.DefaultPDFAtomRadius);
    i.DefaultDRPDFAtomRadius = div(i.DefaultDRPDFAtomRadius);
  };
  if (s.Hybrid == NoHybrid) {
    info = MakeOrbInfo(OrbitalRowAt(s.OrbitalIndex));
    if (s.Complex) info.PDFOptFactor = info.DRPDFOptFactor = F16xy;
  } else {
    // The shell's s orbital reaches farthest: its defaults serve the whole set.
    const int shell =
        s.Hybrid == CustomCombination ? OrbitalRowAt(s.Terms[0].OrbitalIndex).n : s.HybridShell;
    info = MakeOrbInfo(OrbitalRowAt(IndexOfOrbital(shell, 0, 0, false)));
    info.l = -1;
    info.M = static_cast<Integer>(s.Hybrid == CustomCombination ? 0 : s.HybridMember);
    info.PDFOptFactor = info.DRPDFOptFactor = F1;
  }
  if (s.Charge != 1) divideRadii(info);
  info.Name = SetupName(s);
  return info;
}

OrbitalDefaults DefaultsOf(int index, ViewMode view) {
  const OrbitalRow& row = OrbitalRowAt(index);
  return view == PDF ? OrbitalDefaults{row.PDFRadius, row.PDFThreshold}
                     : OrbitalDefaults{row.DRPDFRadius, row.DRPDFThreshold};
}

}  // namespace wl
