// The common body of the 40 wave-function classes. A class supplies its orbital
// index, the exponent factor of its shell, its normalisation constant and its
// density as a template over the number type, so that the same formula serves
// the scalar evaluations and the vector kernels of the sampler.
#pragma once

#include <cmath>

#include "core/Numeric.h"
#include "orbitals/OrbitalTable.h"
#include "orbitals/cElectron.h"

namespace wl {

// Exponent factors of e^(factor · r) per shell.
inline constexpr double kExpShell1 = -2;
inline constexpr double kExpShell2 = -1;
inline constexpr double kExpShell3 = -0.6666666666666666;
inline constexpr double kExpShell4 = -0.5;

// The AVX2 kernels exist on x86-64 only; elsewhere every level comes from the
// scalar formula, which the kernels equal exactly.
#if defined(__x86_64__)
#define WL_HAVE_AVX2_KERNELS 1
#else
#define WL_HAVE_AVX2_KERNELS 0
#endif

namespace kernels {
// True when the vector kernels can run on this processor.
WLENGINE_EXPORT bool VectorLevelsAvailable();
#if WL_HAVE_AVX2_KERNELS
// vzeroupper; only on processors with AVX.
void ZeroUpperAvx();
// Vector form of cWaveFunction<D>::GetLevels; defined for every orbital class.
template <class D>
void LevelsAvx2(bool drpdf, double scale, const double* xs, const double* ys, const double* zs,
                int n, Byte* out);
#endif
}  // namespace kernels

template <class D>
class cWaveFunction : public cElectron {
 public:
  OrbInfo GetInfo() const override { return MakeOrbInfo(kOrbitalTable[D::kIndex]); }

  double GetNonScaledPDF(const COORDdoubleParams& c) override { return Evaluate(c); }
  double GetRealPDF(const COORDdoubleParams& c) override { return Evaluate(c) * D::kC; }
  Byte GetPDF(const COORDdoubleParams& c) override { return CByte(Evaluate(c) * PDFScaleFactor_); }

  double GetNonScaledDRPDF(const COORDdoubleParams& c) override { return Weighted(c); }
  double GetRealDRPDF(const COORDdoubleParams& c) override { return Weighted(c) * D::kC; }
  Byte GetDRPDF(const COORDdoubleParams& c) override {
    return CByte(Weighted(c) * DRPDFScaleFactor_);
  }

  void GetLevels(ViewMode Mode, const double* Xs, const double* Ys, const double* Zs, int n,
                 Byte* Out) const override {
    const bool drpdf = Mode == DRPDF;
    const double scale = drpdf ? DRPDFScaleFactor_ : PDFScaleFactor_;
#if WL_HAVE_AVX2_KERNELS
    if (kernels::VectorLevelsAvailable()) {
      kernels::LevelsAvx2<D>(drpdf, scale, Xs, Ys, Zs, n, Out);
      return;
    }
#endif
    for (int i = 0; i < n; ++i) Out[i] = Level(drpdf, scale, Xs[i], Ys[i], Zs[i]);
  }

  // The sampler's level of one point: the scaled PDF or DRPDF rounded half to
  // even, 255 at most.
  static Byte Level(bool drpdf, double scale, double xs, double ys, double zs) {
    const double r2 = ys + xs + zs;
    const double r = std::sqrt(r2);
    double v = D::Density(xs, ys, zs, r, r2, std::exp(r * D::kExp));
    if (drpdf) v = WeightOf(v, kSingle ? std::sqrt(ys + xs) : 0.0, r, r2);
    return ProbabilityLevel(v * scale);
  }

  static constexpr bool kSingle = kOrbitalTable[D::kIndex].OrbType == SingleOrb;

  // ψ = ±√(kC·ρ): the magnitude from the density exactly as GetRealPDF forms
  // it, so that ψ² equals it to rounding, the sign from the phase polynomial.
  double GetPsi(const COORDdouble& p) const override {
    if constexpr (!kSingle) {
      return cElectron::GetPsi(p);
    } else {
      const double xs = p.X * p.X, ys = p.Y * p.Y, zs = p.Z * p.Z;
      const double r2 = ys + xs + zs;
      const double r = std::sqrt(r2);
      const double m = std::sqrt(D::Density(xs, ys, zs, r, r2, std::exp(r * D::kExp)) * D::kC);
      return D::Phase(p.X, p.Y, p.Z, r) < 0 ? -m : m;
    }
  }
  int GetPsiSign(const COORDdouble& p) const override {
    if constexpr (!kSingle) {
      return 0;
    } else {
      const double s = D::Phase(p.X, p.Y, p.Z, std::sqrt(p.Y * p.Y + p.X * p.X + p.Z * p.Z));
      return (s > 0) - (s < 0);
    }
  }

  // The DRPDF weight applied to a density: the distance from the z axis
  // (sxy = √(y² + x²), needed by single orbitals only) times the distance from
  // the nucleus for single orbitals, r² for subshell averages.
  template <class T>
  static T WeightOf(T rho, T sxy, T r, T r2) {
    if constexpr (kSingle) {
      (void)r2;
      return rho * sxy * r;
    } else {
      (void)sxy, (void)r;
      return rho * r2;
    }
  }

 private:
  double Evaluate(const COORDdoubleParams& c) {
    r2_ = c.Ys + c.Xs + c.Zs;
    r_ = std::sqrt(r2_);
    rho_ = D::Density(c.Xs, c.Ys, c.Zs, r_, r2_, std::exp(r_ * D::kExp));
    return rho_;
  }
  double Weighted(const COORDdoubleParams& c) {
    const double rho = Evaluate(c);
    return WeightOf(rho, kSingle ? std::sqrt(c.Ys + c.Xs) : 0.0, r_, r2_);
  }

  // Intermediate values of the last evaluation.
  double r2_ = 0, r_ = 0, rho_ = 0;
};

}  // namespace wl
