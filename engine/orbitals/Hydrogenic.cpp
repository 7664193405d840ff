#include "orbitals/Hydrogenic.h"

#include <cmath>
#include <limits>

#include "core/Numeric.h"
#include "orbitals/HydrogenicForm.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Exact in double up to 22!.
double Factorial(int k) {
  double f = 1;
  for (int i = 2; i <= k; ++i) f *= i;
  return f;
}

double Binomial(int a, int b) {
  if (b < 0 || b > a) return 0;
  return Factorial(a) / (Factorial(b) * Factorial(a - b));
}

struct ScalarMath {
  static double Sqrt(double v) { return std::sqrt(v); }
  static double Exp(double v) { return std::exp(v); }
};

double Power(double v, int k) {
  double p = 1;
  for (int i = 0; i < k; ++i) p *= v;
  return p;
}

}  // namespace

HydrogenicForm MakeHydrogenicForm(int n, int l, int M, HydrogenicForm::Kind kind, int Z) {
  HydrogenicForm f;
  f.kind = kind;
  f.n = n;
  f.l = l;
  f.M = kind == HydrogenicForm::Average ? 0 : M;
  f.m = std::abs(f.M);
  const int m = f.m;
  f.charge = Z;
  f.chargeSquared = static_cast<double>(Z) * Z;
  f.expFactor = -2.0 / n;

  // L_k^(2l+1)(ρ), k = n - l - 1, ρ = 2s/n: the coefficient of s^i is
  // (-1)^i C(n + l, k - i) / i! (2/n)^i.
  const int k = n - l - 1;
  f.radialDegree = k;
  for (int i = 0; i <= k; ++i) {
    f.radial[static_cast<size_t>(i)] =
        (i % 2 ? -1.0 : 1.0) * Binomial(n + l, k - i) / Factorial(i) * Power(2.0 / n, i);
  }

  // R_nl = N ρ^l e^(-ρ/2) L(ρ), N² = (2/n)³ (n-l-1)! / (2n (n+l)!); ρ^l is
  // (2/n)^l s^l and s^l goes into the angular polynomial (or s^(2l) of the average).
  const double radialNorm2 =
      Power(2.0 / n, 3) * Factorial(k) / (2.0 * n * Factorial(n + l)) * Power(2.0 / n, 2 * l);
  const double charge3 = static_cast<double>(Z) * Z * Z;
  if (kind == HydrogenicForm::Average) {
    f.norm = charge3 * radialNorm2 / (4 * kPi);
    f.drNorm = f.norm / f.chargeSquared;
    return f;
  }

  // s^(l-m) d^mP_l/dt^m (t = z/s) = Σ_j d_j z^(l-m-2j) s^(2j), with
  // d_j = 2^-l (-1)^j C(l, j) C(2l - 2j, l) (l - 2j)! / (l - 2j - m)!.
  f.az = (l - m) % 2;
  f.tDegree = (l - m - f.az) / 2;
  for (int j = 0; j <= f.tDegree; ++j) {
    f.t[static_cast<size_t>(j)] = (j % 2 ? -1.0 : 1.0) * Binomial(l, j) *
                                  Binomial(2 * l - 2 * j, l) * Factorial(l - 2 * j) /
                                  Factorial(l - 2 * j - m) / Power(2.0, l);
  }

  // Y_l^m normalisation: N² = (2l + 1)/4π (l - m)!/(l + m)!; the real
  // combinations of m ≠ 0 carry √2 more.
  double angular2 = (2 * l + 1) / (4 * kPi) * Factorial(l - m) / Factorial(l + m);
  if (kind == HydrogenicForm::Real) {
    if (m != 0) angular2 *= 2;
    // Re (x + iy)^m = Σ_(j even) (-1)^(j/2) C(m, j) x^(m-j) y^j (M >= 0, cos mφ);
    // Im (x + iy)^m = Σ_(j odd) (-1)^((j-1)/2) C(m, j) x^(m-j) y^j (M < 0, sin mφ).
    const bool sine = f.M < 0;
    f.ay = sine ? 1 : 0;
    f.ax = (m - f.ay) % 2;
    f.qDegree = (m - f.ax - f.ay) / 2;
    for (int j = f.ay; j <= m; j += 2) {
      const int half = (j - f.ay) / 2;
      f.q[static_cast<size_t>(half)] = (half % 2 ? -1.0 : 1.0) * Binomial(m, j);
    }
  } else {
    // Y_l^m with the Condon–Shortley phase (-1)^m for m > 0; Y_l^-m carries none.
    f.complexSign = f.M > 0 && m % 2 ? -1.0 : 1.0;
  }
  f.norm = charge3 * radialNorm2 * angular2;
  f.drNorm = f.norm / f.chargeSquared;
  return f;
}

double HydrogenicForm::PhasePolynomial(double x, double y, double z, double s) const {
  double p = Horner(radial.data(), radialDegree, s) * Homogeneous(t.data(), tDegree, z * z, s * s);
  if (az) p *= z;
  if (kind == Real) {
    p *= Homogeneous(q.data(), qDegree, x * x, y * y);
    if (ax) p *= x;
    if (ay) p *= y;
  }
  return p;
}

Byte HydrogenicForm::ScalarLevel(bool drpdf, double scale, double xs, double ys, double zs) const {
  return ProbabilityLevel(Value<ScalarMath>(drpdf, xs, ys, zs) * scale);
}

namespace {

class HydrogenicElectron final : public cElectron {
 public:
  HydrogenicElectron(OrbInfo info, const HydrogenicForm& form)
      : info_(std::move(info)), form_(form) {}

  OrbInfo GetInfo() const override { return info_; }

  double GetNonScaledPDF(const COORDdoubleParams& c) override { return Pdf(c); }
  double GetRealPDF(const COORDdoubleParams& c) override { return Pdf(c) * form_.norm; }
  Byte GetPDF(const COORDdoubleParams& c) override { return CByte(Pdf(c) * PDFScaleFactor_); }

  double GetNonScaledDRPDF(const COORDdoubleParams& c) override { return Drpdf(c); }
  double GetRealDRPDF(const COORDdoubleParams& c) override { return Drpdf(c) * form_.drNorm; }
  Byte GetDRPDF(const COORDdoubleParams& c) override { return CByte(Drpdf(c) * DRPDFScaleFactor_); }

  void GetLevels(ViewMode Mode, const double* Xs, const double* Ys, const double* Zs, int n,
                 Byte* Out) const override {
    const bool drpdf = Mode == DRPDF;
    const double scale = drpdf ? DRPDFScaleFactor_ : PDFScaleFactor_;
#if WL_HAVE_AVX2_KERNELS
    if (kernels::VectorLevelsAvailable()) {
      kernels::HydrogenicLevelsAvx2(form_, drpdf, scale, Xs, Ys, Zs, n, Out);
      return;
    }
#endif
    for (int i = 0; i < n; ++i) Out[i] = form_.ScalarLevel(drpdf, scale, Xs[i], Ys[i], Zs[i]);
  }

  // The magnitude from the density exactly as GetRealPDF forms it, the sign
  // from the polynomial part.
  double GetPsi(const COORDdouble& p) const override {
    if (form_.kind != HydrogenicForm::Real) return cElectron::GetPsi(p);
    const double mag = Magnitude(p);
    return Phase(p) < 0 ? -mag : mag;
  }
  int GetPsiSign(const COORDdouble& p) const override {
    if (form_.kind != HydrogenicForm::Real) return 0;
    const double s = Phase(p);
    return (s > 0) - (s < 0);
  }
  bool IsComplex() const override {
    return form_.kind == HydrogenicForm::Complex;
  }
  // |ψ| as above, the phase of (x ± iy)^m times the sign of the rest.
  std::complex<double> GetPsiComplex(const COORDdouble& p) const override {
    if (form_.kind != HydrogenicForm::Complex) return {GetPsi(p), 0.0};
    const double mag = Magnitude(p);
    if (mag == 0) return {0.0, 0.0};
    const double x = p.X, y = form_.M < 0 ? -p.Y : p.Y;
    std::complex<double> w(1.0, 0.0);
    for (int i = 0; i < form_.m; ++i) w *= std::complex<double>(x, y);
    const double sign = Phase(p) < 0 ? -form_.complexSign : form_.complexSign;
    return w * (sign * mag / std::abs(w));
  }

 private:
  double Pdf(const COORDdoubleParams& c) const {
    return form_.Value<ScalarMath>(false, c.Xs, c.Ys, c.Zs);
  }
  double Drpdf(const COORDdoubleParams& c) const {
    return form_.Value<ScalarMath>(true, c.Xs, c.Ys, c.Zs);
  }
  double Magnitude(const COORDdouble& p) const {
    return std::sqrt(Pdf({p.X * p.X, p.Y * p.Y, p.Z * p.Z}) * form_.norm);
  }
  double Phase(const COORDdouble& p) const {
    const double x = p.X * form_.charge, y = p.Y * form_.charge, z = p.Z * form_.charge;
    return form_.PhasePolynomial(x, y, z, std::sqrt(y * y + x * x + z * z));
  }

  OrbInfo info_;
  HydrogenicForm form_;
};

}  // namespace

std::unique_ptr<cElectron> CreateHydrogenic(const OrbitalSetup& setup) {
  if (setup.Hybrid != NoHybrid || !CheckSetup(setup).empty()) return nullptr;
  const OrbitalRow& row = OrbitalRowAt(setup.OrbitalIndex);
  const HydrogenicForm::Kind kind = row.OrbType == AverageOrbs ? HydrogenicForm::Average
                                    : setup.Complex            ? HydrogenicForm::Complex
                                                               : HydrogenicForm::Real;
  return std::make_unique<HydrogenicElectron>(
      InfoOf(setup), MakeHydrogenicForm(row.n, row.l, row.M, kind, setup.Charge));
}

}  // namespace wl
