// The general hydrogen-like orbital as numbers: the coefficients of its radial
// polynomial and of its angular factor written as polynomials in the Cartesian
// coordinates, so that a density is products and sums of the squared
// coordinates and one exponential, without trigonometry.
//
// In the scaled coordinates X = Z x (Bohr radii times the nuclear charge) the
// wave function is
//   ψ = e^(-s/n) · L(s) · x^a y^b z^c · Q(x², y²) · T(z², s²)      (real)
//   ψ = e^(-s/n) · L(s) · z^c · T(z², s²) · (x ± iy)^m               (complex)
// with s = |X|, L the associated Laguerre polynomial L_(n-l-1)^(2l+1)(2s/n)
// written in s, Q and T homogeneous polynomials: Q(x², y²) x^a y^b is the real
// or imaginary part of (x + iy)^m and T(z², s²) z^c is s^(l-m) d^mP_l/dt^m at
// t = z/s. The density drops the constant: its square times Norm is the
// normalised density. Subshell averages are R_nl²/4π: L(s)² s^(2l).
//
// The evaluation is a template over the number type so that the scalar path
// and the vector kernel run the same operations in the same order.
#pragma once

#include <array>
#include <type_traits>

#include "core/Records.h"
#include "orbitals/cWaveFunction.h"

namespace wl {

struct HydrogenicForm {
  enum Kind { Real, Complex, Average };
  Kind kind = Real;
  int n = 1, l = 0, M = 0;   // M as the row gives it (sign: cos or sin, e^(±imφ))
  int m = 0;                 // |M|
  double chargeSquared = 1;  // Z², applied to the squared coordinates
  double expFactor = -2;     // of the density: e^(expFactor · s) = e^(-2s/n)
  int radialDegree = 0;
  std::array<double, 7> radial{};  // L in s, constant term first
  int ax = 0, ay = 0, az = 0;      // the odd factors x^a y^b z^c
  int qDegree = 0;
  std::array<double, 4> q{};  // Q(u, v) = Σ q_j u^(qDegree - j) v^j
  int tDegree = 0;
  std::array<double, 4> t{};  // T(w, s²) = Σ t_k w^(tDegree - k) (s²)^k
  double norm = 0;            // GetRealPDF = norm · density (Bohr radii^-3)
  double drNorm = 0;  // GetRealDRPDF = drNorm · weighted density (the weight in scaled units)
  // The sign factor of the complex orbital (Condon–Shortley: (-1)^M for M > 0).
  double complexSign = 1;

  bool Single() const { return kind != Average; }

  // A number of type T holding v (every lane of a vector).
  template <class T>
  static T Splat(double v) {
    if constexpr (std::is_same_v<T, double>) {
      return v;
    } else {
      return T{} + v;
    }
  }

  template <class T>
  static T Horner(const double* c, int degree, T x) {
    T p = Splat<T>(c[degree]);
    for (int i = degree - 1; i >= 0; --i) p = p * x + c[i];
    return p;
  }

  // Σ c_j u^(degree - j) v^j.
  template <class T>
  static T Homogeneous(const double* c, int degree, T u, T v) {
    T p = Splat<T>(c[0]);
    T vp = Splat<T>(1.0);
    for (int j = 1; j <= degree; ++j) {
      vp = vp * v;
      p = p * u + vp * c[j];
    }
    return p;
  }

  // The unnormalised density at scaled squared coordinates; e = e^(expFactor · s).
  template <class T>
  T Density(T xs, T ys, T zs, T s, T s2, T e) const {
    const T L = Horner(radial.data(), radialDegree, s);
    T v = e * L * L;
    if (kind == Average) {
      for (int i = 0; i < l; ++i) v = v * s2;
      return v;
    }
    const T tp = Homogeneous(t.data(), tDegree, zs, s2);
    v = v * tp * tp;
    if (az) v = v * zs;
    if (kind == Complex) {
      const T rho2 = xs + ys;
      for (int i = 0; i < m; ++i) v = v * rho2;
      return v;
    }
    const T qp = Homogeneous(q.data(), qDegree, xs, ys);
    v = v * qp * qp;
    if (ax) v = v * xs;
    if (ay) v = v * ys;
    return v;
  }

  // The density (PDF) or the density weighted by the volume factor (DRPDF:
  // the distance from the z axis times s for single orbitals, s² for
  // averages) at unscaled squared coordinates. Math supplies Sqrt and Exp.
  template <class Math, class T>
  T Value(bool drpdf, T xs, T ys, T zs) const {
    xs = xs * chargeSquared;
    ys = ys * chargeSquared;
    zs = zs * chargeSquared;
    const T s2 = ys + xs + zs;
    const T s = Math::Sqrt(s2);
    T v = Density(xs, ys, zs, s, s2, Math::Exp(s * expFactor));
    if (drpdf) v = Single() ? v * Math::Sqrt(ys + xs) * s : v * s2;
    return v;
  }

  // The sign of the real orbital's polynomial part at scaled coordinates.
  double PhasePolynomial(double x, double y, double z, double s) const;

  // The sampler's level of one point (the scalar path): Value scaled, rounded
  // half to even, 255 at most.
  Byte ScalarLevel(bool drpdf, double scale, double xs, double ys, double zs) const;
};

// The form of row (n, l, M) of a single real, complex or averaged orbital for
// nuclear charge Z.
HydrogenicForm MakeHydrogenicForm(int n, int l, int M, HydrogenicForm::Kind kind, int Z);

namespace kernels {
#if WL_HAVE_AVX2_KERNELS
// Vector form of the sampler's levels; equal to ScalarLevel point by point.
void HydrogenicLevelsAvx2(const HydrogenicForm& form, bool drpdf, double scale, const double* xs,
                          const double* ys, const double* zs, int n, Byte* out);
#endif
}  // namespace kernels

}  // namespace wl
