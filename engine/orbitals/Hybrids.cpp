#include "orbitals/Hybrids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "core/Numeric.h"
#include "core/modOrbitals.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {

// The real orbitals a hybrid set is made of, by their (l, M) in the shell.
enum Basis { S, Px, Py, Pz, Dz2, Dx2y2, kBasisCount };
constexpr int kBasisL[kBasisCount] = {0, 1, 1, 1, 2, 2};
constexpr int kBasisM[kBasisCount] = {0, 1, -1, 0, 0, 2};

// The coefficients of each member on (s, px, py, pz, dz², dx²−y²); every row
// has unit length and the rows of one set are orthogonal. Here each orbital is
// taken with its outermost radial lobe positive: the table's orbitals are
// positive at the nucleus, so an orbital with n − l − 1 radial nodes enters
// with the sign (−1)^(n − l − 1) (2s negated, 3p negated). Otherwise the
// outer lobes would add on the far side and the member would point the wrong
// way (for n = 2, 2s + 2pz is largest along −z).
//   sp:     (s ± pz)/√2                                         along ±z
//   sp²:    s/√3 + √(2/3)(cos θ px + sin θ py), θ = 0°, 120°, 240°
//   sp³:    (s ± px ± py ± pz)/2, the signs of the member's direction
//   sp³d:   axial (dz² ± pz)/√2 along ±z; equatorial the sp² members
//   sp³d²:  s/√6 ± px/√2 − dz²/√12 + dx²−y²/2                   along ±x
//           s/√6 ± py/√2 − dz²/√12 − dx²−y²/2                   along ±y
//           s/√6 ± pz/√2 + dz²/√3                               along ±z
using Row = std::array<double, kBasisCount>;

const double kR2 = std::sqrt(2.0), kR3 = std::sqrt(3.0), kR6 = std::sqrt(6.0),
             kR12 = std::sqrt(12.0);

Row Sp2Member(int k) {  // k = 0, 1, 2
  const double s = 1 / kR3, p = std::sqrt(2.0 / 3.0);
  const Row rows[3] = {{s, p, 0, 0, 0, 0},
                       {s, -p / 2, p * kR3 / 2, 0, 0, 0},
                       {s, -p / 2, -p * kR3 / 2, 0, 0, 0}};
  return rows[k];
}

Row MemberRow(HybridSet set, int member) {
  switch (set) {
    case HybridSp:
      return {1 / kR2, 0, 0, member == 1 ? 1 / kR2 : -1 / kR2, 0, 0};
    case HybridSp2:
      return Sp2Member(member - 1);
    case HybridSp3: {
      const COORDdouble d = HybridDirection(set, member);
      auto sign = [](double v) { return v > 0 ? 0.5 : -0.5; };
      return {0.5, sign(d.X), sign(d.Y), sign(d.Z), 0, 0};
    }
    case HybridSp3d:
      if (member <= 2) return {0, 0, 0, member == 1 ? 1 / kR2 : -1 / kR2, 1 / kR2, 0};
      return Sp2Member(member - 3);
    case HybridSp3d2: {
      const double p = member % 2 == 1 ? 1 / kR2 : -1 / kR2;
      if (member <= 2) return {1 / kR6, p, 0, 0, -1 / kR12, 0.5};
      if (member <= 4) return {1 / kR6, 0, p, 0, -1 / kR12, -0.5};
      return {1 / kR6, 0, 0, p, 1 / kR3, 0};
    }
    default:
      return {};
  }
}

// The real solid harmonic of (l, M), l <= 2, up to a constant factor: the
// angular shape of the table's orbital (M > 0 cos, M < 0 sin).
double SolidHarmonic(int l, int M, double x, double y, double z) {
  if (l == 0) return 1;
  if (l == 1) return M == 1 ? x : M == -1 ? y : z;
  switch (M) {
    case 0:
      return 2 * z * z - x * x - y * y;
    case 1:
      return x * z;
    case -1:
      return y * z;
    case 2:
      return x * x - y * y;
    default:
      return x * y;
  }
}

// The solid harmonics of l <= 2 in one list: s; x, y, z; 2z²−x²−y², xz, yz, x²−y², xy.
constexpr int kHarmonics = 9;
int HarmonicIndex(int l, int M) {
  if (l == 0) return 0;
  if (l == 1) return M == 1 ? 1 : M == -1 ? 2 : 3;
  switch (M) {
    case 0:
      return 4;
    case 1:
      return 5;
    case -1:
      return 6;
    case 2:
      return 7;
    default:
      return 8;
  }
}

// A unit direction where the solid harmonic of (l, M) is far from zero.
COORDdouble LeadDirection(int l, int M) {
  const double c = 1 / std::sqrt(2.0);
  if (l == 1) {
    return M == 1 ? COORDdouble{1, 0, 0} : M == -1 ? COORDdouble{0, 1, 0} : COORDdouble{0, 0, 1};
  }
  if (l == 2) {
    switch (M) {
      case 0:
        return {0, 0, 1};
      case 1:
        return {c, 0, c};
      case -1:
        return {0, c, c};
      case 2:
        return {1, 0, 0};
      default:
        return {c, c, 0};
    }
  }
  return {0, 0, 1};
}

// A real combination ψ = Σ c_i ψ_i of orbitals of one shell. The density
// forms that take squared coordinates read the point of the first octant
// (x, y, z ≥ 0); the sampler of the whole cube gives signed points.
//
// Orbitals of one n and l share their radial function: ψ_i(p) = f_l(r) S_i(p)
// with S_i the solid harmonic. So for each l up to 2 one term (the lead) is
// evaluated per point, on the sphere through the point where its harmonic is
// large, and the others follow from their harmonics: one exponential per l
// instead of one per term. Each term's factorisation is checked against its
// own wave function when the object is made; a term that fails the check
// (or has l > 2) is evaluated directly.
class cCombination final : public cElectron {
 public:
  struct Term {
    double c = 0;
    std::unique_ptr<cElectron> e;
    int l = 0, M = 0;
    double ratio = 0;       // ψ_i = ratio · g_l(r) · S_i(p)
    bool factored = false;  // else evaluated directly
  };
  cCombination(OrbInfo info, std::vector<Term> terms)
      : info_(std::move(info)), terms_(std::move(terms)) {
    for (size_t t = 0; t < terms_.size(); ++t) {
      const Term& term = terms_[t];
      if (term.l > 2 || lead_[term.l] >= 0) continue;
      lead_[term.l] = static_cast<int>(t);
      leadDir_[term.l] = LeadDirection(term.l, term.M);
      const COORDdouble u = leadDir_[term.l];
      invShape_[term.l] = 1 / SolidHarmonic(term.l, term.M, u.X, u.Y, u.Z);
    }
    for (Term& term : terms_) {
      if (term.l > 2) continue;
      // The ratio at a radius where the radial function is not small, then a check.
      const double r0 = FindRadius(term.l);
      if (r0 <= 0) continue;
      const COORDdouble u = LeadDirection(term.l, term.M);
      const double own = term.e->GetPsi({r0 * u.X, r0 * u.Y, r0 * u.Z}) /
                         SolidHarmonic(term.l, term.M, r0 * u.X, r0 * u.Y, r0 * u.Z);
      term.ratio = own / RadialPart(term.l, r0);
      term.factored = Agrees(term);
      if (term.factored) weight_[HarmonicIndex(term.l, term.M)] += term.c * term.ratio;
    }
    for (const Term& term : terms_) {
      if (!term.factored) direct_.push_back(&term);
    }
  }

  OrbInfo GetInfo() const override { return info_; }

  double GetPsi(const COORDdouble& p) const override {
    double g[3];
    RadialParts(std::sqrt(p.Y * p.Y + p.X * p.X + p.Z * p.Z), g);
    return Psi(p, g);
  }
  int GetPsiSign(const COORDdouble& p) const override {
    const double psi = GetPsi(p);
    return (psi > 0) - (psi < 0);
  }

  double GetNonScaledPDF(const COORDdoubleParams& c) override { return Rho(c); }
  double GetRealPDF(const COORDdoubleParams& c) override { return Rho(c); }
  Byte GetPDF(const COORDdoubleParams& c) override { return CByte(Rho(c) * PDFScaleFactor_); }
  double GetNonScaledDRPDF(const COORDdoubleParams& c) override { return Weighted(c); }
  double GetRealDRPDF(const COORDdoubleParams& c) override { return Weighted(c); }
  Byte GetDRPDF(const COORDdoubleParams& c) override {
    return CByte(Weighted(c) * DRPDFScaleFactor_);
  }

  void GetLevels(ViewMode Mode, const double* Xs, const double* Ys, const double* Zs, int n,
                 Byte* Out) const override {
    for (int i = 0; i < n; ++i) {
      Out[i] = Level(Mode, {std::sqrt(Xs[i]), std::sqrt(Ys[i]), std::sqrt(Zs[i])});
    }
  }
  // Points at the same distance from the nucleus (a line of the sampler
  // mirrored about x = 0) share their radial parts: the mirror partner of
  // each point, if it has the same r², reuses them.
  void GetLevelsAt(ViewMode Mode, const double* X, const double* Y, const double* Z, int n,
                   Byte* Out) const override {
    const bool drpdf = Mode == DRPDF;
    const double scale = drpdf ? DRPDFScaleFactor_ : PDFScaleFactor_;
    constexpr int kPaired = 256;  // lines up to this length pair their points
    double kept[kPaired / 2][3];
    double g[3];
    for (int i = 0; i < n; ++i) {
      const COORDdouble p{X[i], Y[i], Z[i]};
      const double r2 = p.Y * p.Y + p.X * p.X + p.Z * p.Z;
      const int pair = n - 1 - i;
      if (n <= kPaired && pair < i &&
          Y[pair] * Y[pair] + X[pair] * X[pair] + Z[pair] * Z[pair] == r2) {
        std::copy(kept[pair], kept[pair] + 3, g);
      } else {
        RadialParts(std::sqrt(r2), g);
      }
      if (n <= kPaired && i < n / 2) std::copy(g, g + 3, kept[i]);
      Out[i] = ProbabilityLevel(Weigh(drpdf, Psi(p, g), p) * scale);
    }
  }
  double GetNonScaledAt(ViewMode Mode, const COORDdouble& p) override {
    return Weigh(Mode == DRPDF, GetPsi(p), p);
  }

 private:
  // g_l(r) = f_l(r) times the lead's constant, from the lead's ψ on the sphere of radius r.
  // invR = 1 / r, given so that a point's parts take one division.
  double RadialPart(int l, double r, double invR) const {
    if (r == 0 && l > 0) return 0;  // every harmonic of l > 0 vanishes there
    const COORDdouble u = leadDir_[l];
    const Term& lead = terms_[static_cast<size_t>(lead_[l])];
    const double invRl = l == 0 ? 1 : l == 1 ? invR : invR * invR;
    return lead.e->GetPsi({r * u.X, r * u.Y, r * u.Z}) * invRl * invShape_[l];
  }
  double RadialPart(int l, double r) const { return RadialPart(l, r, 1 / r); }
  void RadialParts(double r, double g[3]) const {
    const double invR = 1 / r;
    for (int l = 0; l < 3; ++l) g[l] = lead_[l] >= 0 ? RadialPart(l, r, invR) : 0;
  }
  // The factored terms summed per harmonic with their combined weights, then
  // the terms evaluated directly.
  double Psi(const COORDdouble& p, const double g[3]) const {
    const double x = p.X, y = p.Y, z = p.Z;
    double psi = g[0] * weight_[0];
    psi += g[1] * (weight_[1] * x + weight_[2] * y + weight_[3] * z);
    psi += g[2] * (weight_[4] * (2 * z * z - x * x - y * y) + weight_[5] * x * z +
                   weight_[6] * y * z + weight_[7] * (x * x - y * y) + weight_[8] * x * y);
    for (const Term* t : direct_) psi += t->c * t->e->GetPsi(p);
    return psi;
  }
  // A radius where the lead of l is not near a radial node.
  double FindRadius(int l) const {
    const double candidates[] = {1.37, 0.83, 2.71, 4.13, 0.41, 6.29};
    double best = 0, bestAbs = 0;
    for (double r : candidates) {
      const double v = std::abs(RadialPart(l, r));
      if (v > bestAbs) {
        bestAbs = v;
        best = r;
      }
    }
    return best;
  }
  // The factorisation equals the term's own ψ at scattered points.
  bool Agrees(const Term& t) const {
    static const COORDdouble points[] = {{0.3, -1.1, 0.7},  {-2.2, 0.4, 1.9}, {1.5, 2.5, -3.1},
                                         {-0.9, -4.2, 2.6}, {5.3, -1.7, -0.2}, {0, 0, 2.2}};
    double largest = 0;
    for (const COORDdouble& p : points) largest = std::max(largest, std::abs(t.e->GetPsi(p)));
    for (const COORDdouble& p : points) {
      double g[3];
      RadialParts(std::sqrt(p.Y * p.Y + p.X * p.X + p.Z * p.Z), g);
      const double mine = t.ratio * g[t.l] * SolidHarmonic(t.l, t.M, p.X, p.Y, p.Z);
      if (!(std::abs(mine - t.e->GetPsi(p)) <= 1e-11 * largest)) return false;
    }
    return largest > 0;
  }

  // ψ² (normalised), weighted for DRPDF as single orbitals are: by the
  // distance from the z axis times the distance from the nucleus.
  static double Weigh(bool drpdf, double psi, const COORDdouble& p) {
    const double rho = psi * psi;
    if (!drpdf) return rho;
    const double sxy2 = p.Y * p.Y + p.X * p.X;
    return rho * std::sqrt(sxy2) * std::sqrt(sxy2 + p.Z * p.Z);
  }
  Byte Level(ViewMode Mode, const COORDdouble& p) const {
    const bool drpdf = Mode == DRPDF;
    return ProbabilityLevel(Weigh(drpdf, GetPsi(p), p) * (drpdf ? DRPDFScaleFactor_ : PDFScaleFactor_));
  }
  static COORDdouble Octant(const COORDdoubleParams& c) {
    return {std::sqrt(c.Xs), std::sqrt(c.Ys), std::sqrt(c.Zs)};
  }
  double Rho(const COORDdoubleParams& c) const {
    const COORDdouble p = Octant(c);
    return Weigh(false, GetPsi(p), p);
  }
  double Weighted(const COORDdoubleParams& c) const {
    const COORDdouble p = Octant(c);
    return Weigh(true, GetPsi(p), p);
  }

  OrbInfo info_;
  std::vector<Term> terms_;
  std::array<int, 3> lead_{-1, -1, -1};
  std::array<COORDdouble, 3> leadDir_{};
  std::array<double, 3> invShape_{};  // 1 / the lead's harmonic along its direction
  std::array<double, kHarmonics> weight_{};  // Σ c · ratio of the factored terms per harmonic
  std::vector<const Term*> direct_;           // the terms evaluated directly
};

}  // namespace

COORDdouble HybridDirection(HybridSet set, int member) {
  const double c3 = 1 / std::sqrt(3.0);
  auto sp2 = [](int k) {  // k = 0, 1, 2: 0°, 120°, 240° from +x
    const double a = 2 * 3.14159265358979323846 * k / 3;
    return COORDdouble{k == 0 ? 1.0 : std::cos(a), k == 0 ? 0.0 : std::sin(a), 0};
  };
  if (member < 1 || member > HybridSize(set)) return {};
  switch (set) {
    case HybridSp:
      return {0, 0, member == 1 ? 1.0 : -1.0};
    case HybridSp2:
      return sp2(member - 1);
    case HybridSp3: {
      static const COORDdouble d[4] = {
          {c3, c3, c3}, {c3, -c3, -c3}, {-c3, c3, -c3}, {-c3, -c3, c3}};
      return d[member - 1];
    }
    case HybridSp3d:
      if (member <= 2) return {0, 0, member == 1 ? 1.0 : -1.0};
      return sp2(member - 3);
    case HybridSp3d2: {
      const double s = member % 2 == 1 ? 1.0 : -1.0;
      if (member <= 2) return {s, 0, 0};
      if (member <= 4) return {0, s, 0};
      return {0, 0, s};
    }
    default:
      return {};
  }
}

std::vector<ComboTerm> CombinationTerms(const OrbitalSetup& setup) {
  std::vector<ComboTerm> terms;
  if (!CheckSetup(setup).empty() || setup.Hybrid == NoHybrid) return terms;
  if (setup.Hybrid == CustomCombination) {
    // Scaled by the largest first, so that no square overflows or vanishes
    // (coefficients of 1e200 or 1e-200 mean the same mix as 1).
    double largest = 0;
    for (int t = 0; t < setup.TermCount; ++t)
      largest = std::max(largest, std::abs(setup.Terms[t].Coefficient));
    double norm = 0;
    for (int t = 0; t < setup.TermCount; ++t) {
      const double c = setup.Terms[t].Coefficient / largest;
      norm += c * c;
    }
    norm = std::sqrt(norm);
    for (int t = 0; t < setup.TermCount; ++t) {
      terms.push_back({setup.Terms[t].OrbitalIndex, setup.Terms[t].Coefficient / largest / norm});
    }
    return terms;
  }
  const Row row = MemberRow(setup.Hybrid, setup.HybridMember);
  for (int b = 0; b < kBasisCount; ++b) {
    if (row[b] == 0) continue;
    const int index = IndexOfOrbital(setup.HybridShell, kBasisL[b], kBasisM[b], false);
    const bool flip = (setup.HybridShell - kBasisL[b] - 1) % 2 == 1;
    terms.push_back({static_cast<Integer>(index), flip ? -row[b] : row[b]});
  }
  return terms;
}

std::unique_ptr<cElectron> CreateCombination(const OrbitalSetup& setup) {
  const std::vector<ComboTerm> terms = CombinationTerms(setup);
  if (terms.empty()) return nullptr;
  std::vector<cCombination::Term> made;
  for (const ComboTerm& t : terms) {
    OrbitalSetup single;
    single.OrbitalIndex = t.OrbitalIndex;
    single.Charge = setup.Charge;
    auto e = modOrbitals::CreateElectron(single);
    if (!e) return nullptr;  // a term the factory cannot make yet
    const OrbitalRow& row = OrbitalRowAt(t.OrbitalIndex);
    cCombination::Term term;
    term.c = t.Coefficient;
    term.e = std::move(e);
    term.l = row.l;
    term.M = row.M;
    made.push_back(std::move(term));
  }
  return std::make_unique<cCombination>(InfoOf(setup), std::move(made));
}

}  // namespace wl
