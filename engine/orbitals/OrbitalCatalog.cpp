#include "orbitals/OrbitalCatalog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <vector>

#include "analysis/Radial.h"
#include "core/Utf8.h"
#include "core/WLError.h"
#include "orbitals/Hybrids.h"

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

constexpr double kPi = 3.14159265358979323846;

// The smallest of the peaks of the lobes of f(u) on a scan of `steps` points
// of (0, top] (lobes end where f changes sign; only those with u > from count)
// as a share of the highest peak over the whole scan.
template <class F>
double WeakestLobeShare(F&& f, double top, int steps, double from) {
  double all = 0, weakest = -1, lobe = 0;
  double previous = 0;
  for (int i = 1; i <= steps; ++i) {
    const double u = top * i / steps;
    const double v = f(u);
    if (i > 1 && (v < 0) != (previous < 0)) {
      if (lobe > 0 && (weakest < 0 || lobe < weakest)) weakest = lobe;
      lobe = 0;
    }
    previous = v;
    all = std::max(all, v * v);
    if (u > from) lobe = std::max(lobe, v * v);
  }
  if (lobe > 0 && (weakest < 0 || lobe < weakest)) weakest = lobe;
  return weakest / all;
}

// The outermost radial shell's peak as a share of the highest radial peak: of
// R (PDF: the density) or of rR (DRPDF: r²R², where it is always 1). A scan of
// 1200 steps out to 3n², within a percent of the maxima.
double OuterShellShare(int n, int l, ViewMode view) {
  const std::vector<double> nodes = RadialNodes(n, l);
  const double from = nodes.empty() ? 0 : nodes.back();
  return WeakestLobeShare(
      [&](double r) { return view == PDF ? RadialR(n, l, r) : r * RadialR(n, l, r); },
      3.0 * n * n, 1200, from);
}

// The weakest angular lobe's peak as a share of the highest: of P_l^m(cos θ)²
// (PDF), times sin θ for the DRPDF weight; θ from 0 to π/2 (the lobes of the
// other half mirror these).
double WeakestAngularShare(int l, int m, ViewMode view) {
  auto lobe = [&](double theta) {
    const double t = std::cos(theta), s = std::sin(theta);
    // P_m^m = (2m-1)!! s^m, then upwards in l.
    double pmm = 1;
    for (int i = 1; i <= m; ++i) pmm *= (2 * i - 1) * s;
    double low = pmm, high = t * (2 * m + 1) * pmm;
    if (l == m) high = pmm;
    for (int k = m + 2; k <= l; ++k) {
      const double next = ((2 * k - 1) * t * high - (k + m - 1) * low) / (k - m);
      low = high;
      high = next;
    }
    return view == PDF ? high : high * std::sqrt(s);
  };
  return WeakestLobeShare(lobe, kPi / 2, 2000, 0);
}

// The defaults of a new row (n >= 5), by rule:
// - radius: 1.75 n² (PDF) and 2 n² (DRPDF) Bohr radii, rounded up, for every
//   row of a shell as in the original table. The cloud grows as n²
//   (⟨r⟩ = (3n² - l(l+1))/2), and these give the original table's 28 and 32 at
//   n = 4, so every shell fills its cube in the same proportion: 44/50 at
//   n = 5, 63/72 at n = 6, 86/98 at n = 7;
// - threshold: half the level of the weakest lobe of the outermost shell,
//   rounded down, at most 30 (PDF) or 50 (DRPDF, the original table's values).
//   A lobe's level is 255 times the outer shell's radial peak over the highest
//   (R² for PDF, r²R² for DRPDF: 1) times its angular peak over the highest
//   (P_l^m², times sin θ for DRPDF; 1 for averages). Dots come from the cells
//   above the threshold, so every lobe of the outer shell shows down to about
//   half its peak; inner shells are denser and show whenever the outer one
//   does. s and p orbitals of high n keep so faint an outer shell in the PDF
//   view (7s: level 0.09, 7p: 1.9) that their threshold is 0 and still only
//   7p's shows, thinly.
OrbitalDefaults NewRowDefaults(int n, int l, int M, OrbitalType type, ViewMode view) {
  // Once per subshell and view; filled while the catalog is built (once, under
  // the guard of its static initialisation).
  static double radial[2][kHighestN + 1][kHighestN] = {};
  double& outer = radial[view == PDF ? 0 : 1][n][l];
  if (outer == 0) outer = OuterShellShare(n, l, view);
  const double angular = type == AverageOrbs ? 1 : WeakestAngularShare(l, std::abs(M), view);
  const double cap = view == PDF ? 30 : 50;
  const double threshold = std::clamp(std::floor(255 * outer * angular / 2), 0.0, cap);
  const double radius = view == PDF ? std::ceil(1.75 * n * n) : 2.0 * n * n;
  return {static_cast<Integer>(radius), static_cast<Integer>(threshold)};
}

struct Catalog {
  std::vector<std::u16string> Names;  // the new rows' names (stable storage)
  std::vector<OrbitalRow> Rows;

  Catalog() {
    Names.reserve(kOrbitalCount - kSeedOrbitalCount);
    Rows.assign(std::begin(kOrbitalTable), std::end(kOrbitalTable));
    auto add = [&](int n, int l, int M, OrbitalType type, std::u16string name) {
      Names.push_back(std::move(name));
      const OrbitalDefaults pdf = NewRowDefaults(n, l, M, type, PDF),
                            dr = NewRowDefaults(n, l, M, type, DRPDF);
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
    const std::vector<ComboTerm> terms = CombinationTerms(s);
    for (int t = 0; t < s.TermCount; ++t) {
      const double c = terms[static_cast<size_t>(t)].Coefficient;
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

OrbitalDefaults DefaultsOf(const OrbitalSetup& setup, ViewMode view) {
  const OrbInfo info = InfoOf(setup);
  return view == DRPDF ? OrbitalDefaults{info.DefaultDRPDFAtomRadius, info.DefaultDRPDFDotThreshold}
                       : OrbitalDefaults{info.DefaultPDFAtomRadius, info.DefaultPDFDotThreshold};
}

}  // namespace wl
