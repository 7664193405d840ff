#include "orbitals/Hybrids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "core/Numeric.h"
#include "orbitals/HydrogenicForm.h"
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

// A real combination ψ = Σ c_i ψ_i of orbitals of one shell and charge. Each
// table orbital is ψ_i = √norm_i · e^(expFactor·s/2) · P_i(X, Y, Z, s) in the
// scaled coordinates X = Z·x (HydrogenicForm), and the terms share n and Z,
// so a point takes one exponential and the terms' polynomials. The density
// forms that take squared coordinates read the point of the first octant
// (x, y, z ≥ 0); the sampler of the whole cube gives signed points.
class cCombination final : public cElectron {
 public:
  struct Term {
    HydrogenicForm form;
    double weight = 0;  // c_i · √norm_i
  };
  cCombination(OrbInfo info, std::vector<Term> terms)
      : info_(std::move(info)), terms_(std::move(terms)) {}

  OrbInfo GetInfo() const override { return info_; }

  double GetPsi(const COORDdouble& p) const override {
    double s = 0;
    const double sum = Polynomial(p, s);
    return std::exp(terms_.front().form.expFactor * s / 2) * sum;
  }
  // The sign of the terms' polynomials: the shared exponential is positive.
  int GetPsiSign(const COORDdouble& p) const override {
    double s = 0;
    const double sum = Polynomial(p, s);
    return (sum > 0) - (sum < 0);
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
  void GetLevelsAt(ViewMode Mode, const double* X, const double* Y, const double* Z, int n,
                   Byte* Out) const override {
    for (int i = 0; i < n; ++i) Out[i] = Level(Mode, {X[i], Y[i], Z[i]});
  }
  double GetNonScaledAt(ViewMode Mode, const COORDdouble& p) override {
    return Weigh(Mode == DRPDF, GetPsi(p), p);
  }
  double GetRealAt(ViewMode Mode, const COORDdouble& p) override { return GetNonScaledAt(Mode, p); }

 private:
  // Σ c_i √norm_i P_i at a point, and its scaled distance s from the nucleus.
  double Polynomial(const COORDdouble& p, double& s) const {
    const HydrogenicForm& shared = terms_.front().form;
    const double x = p.X * shared.charge, y = p.Y * shared.charge, z = p.Z * shared.charge;
    s = std::sqrt(y * y + x * x + z * z);
    double sum = 0;
    for (const Term& t : terms_) sum += t.weight * t.form.PhasePolynomial(x, y, z, s);
    return sum;
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
    return ProbabilityLevel(Weigh(drpdf, GetPsi(p), p) *
                            (drpdf ? DRPDFScaleFactor_ : PDFScaleFactor_));
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
  std::vector<Term> terms_;  // never empty
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
    const OrbitalRow& row = OrbitalRowAt(t.OrbitalIndex);
    cCombination::Term term;
    term.form = MakeHydrogenicForm(row.n, row.l, row.M, HydrogenicForm::Real, setup.Charge);
    term.weight = t.Coefficient * std::sqrt(term.form.norm);
    made.push_back(std::move(term));
  }
  return std::make_unique<cCombination>(InfoOf(setup), std::move(made));
}

}  // namespace wl
