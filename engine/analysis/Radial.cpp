#include "analysis/Radial.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/Quadrature.h"
#include "core/WLError.h"
#include "core/modOrbitals.h"
#include "orbitals/cElectron.h"

namespace wl {

namespace {

constexpr double kPi = 3.14159265358979323846;

void CheckNumbers(int n, int l) {
  if (n < 1 || n > 7 || l < 0 || l >= n) {
    RaiseError(kInvalidCall, "quantum numbers outside 1 <= n <= 7, 0 <= l < n");
  }
}

// The associated Laguerre polynomial L_k^alpha(x) and its derivative, by the
// three-term recurrence (d/dx L_k^alpha = -L_{k-1}^(alpha+1)).
struct LaguerreValue {
  double L = 0, dL = 0;
};

double Laguerre(int k, double alpha, double x) {
  if (k < 0) return 0;
  double prev = 1, cur = 1;
  if (k == 0) return 1;
  cur = 1 + alpha - x;
  for (int j = 1; j < k; ++j) {
    const double next = ((2 * j + 1 + alpha - x) * cur - (j + alpha) * prev) / (j + 1);
    prev = cur;
    cur = next;
  }
  return cur;
}

LaguerreValue LaguerreWithSlope(int k, double alpha, double x) {
  return {Laguerre(k, alpha, x), -Laguerre(k - 1, alpha + 1, x)};
}

// R_nl(r) = N ρ^l e^(-ρ/2) L_(n-l-1)^(2l+1)(ρ), ρ = 2r/n, with
// N² = (2/n)³ (n-l-1)! / (2n (n+l)!).
double Norm(int n, int l) {
  const double logN2 = 3 * std::log(2.0 / n) + std::lgamma(n - l) - std::log(2.0 * n) -
                       std::lgamma(n + l + 1);
  return std::exp(0.5 * logN2);
}

// A radius beyond which P(r) holds less than 1e-17 of the probability.
double OuterRadius(int n) {
  return 40.0 * n;
}

// The probability in [a, b] by 20-point Gauss-Legendre rules on panels no
// wider than n/2 (P is a polynomial times e^(-2r/n): smooth on that scale).
double IntegrateP(int n, int l, double a, double b) {
  static const QuadratureRule rule = GaussLegendre(20, 0, 1);
  if (b <= a) return 0;
  const int panels = std::max(1, static_cast<int>(std::ceil((b - a) / (0.5 * n))));
  const double width = (b - a) / panels;
  double sum = 0;
  for (int p = 0; p < panels; ++p) {
    const double left = a + p * width;
    double panel = 0;
    for (size_t i = 0; i < rule.x.size(); ++i) panel += rule.w[i] * RadialP(n, l, left + rule.x[i] * width);
    sum += panel * width;
  }
  return sum;
}

// Bisection of f on [a, b] where f(a) and f(b) differ in sign, to the last bits.
template <class F>
double Bisect(const F& f, double a, double b) {
  double fa = f(a);
  for (int i = 0; i < 200 && b - a > 1e-14 * std::max(1.0, std::fabs(a)); ++i) {
    const double m = 0.5 * (a + b);
    const double fm = f(m);
    if (fm == 0) return m;
    if ((fm < 0) == (fa < 0)) {
      a = m;
      fa = fm;
    } else {
      b = m;
    }
  }
  return 0.5 * (a + b);
}

COORDdouble Along(const PlaneAxes& p, double angle, double r) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {r * (c * p.First.X + s * p.Second.X), r * (c * p.First.Y + s * p.Second.Y),
          r * (c * p.First.Z + s * p.Second.Z)};
}

std::unique_ptr<cElectron> ElectronAt(int orbitalIndex) {
  auto e = orbitalIndex >= 0 && orbitalIndex <= 0x7fff
               ? modOrbitals::CreateElectron(static_cast<Integer>(orbitalIndex))
               : nullptr;
  if (!e) RaiseError(kSubscriptRange, "no orbital with that index");
  return e;
}

// The angular factor of one electron, with its radius numbers fixed.
struct AngularProbe {
  explicit AngularProbe(int orbitalIndex, TransectDirection dir)
      : Electron(ElectronAt(orbitalIndex)), Info(Electron->GetInfo()), Plane(SlicePlane(dir)) {
    if (Info.OrbType != AverageOrbs) {
      // At the most probable radius R is never 0.
      Radius = MostProbableRadius(Info.n, Info.l);
      RAtRadius = RadialR(Info.n, Info.l, Radius);
    }
  }
  bool Round() const { return Info.OrbType == AverageOrbs; }
  double operator()(double angle) const {
    if (Round()) return std::sqrt(1 / (4 * kPi));
    return Electron->GetPsi(Along(Plane, angle, Radius)) / RAtRadius;
  }
  std::unique_ptr<cElectron> Electron;
  OrbInfo Info;
  PlaneAxes Plane;
  double Radius = 0, RAtRadius = 1;
};

}  // namespace

double RadialR(int n, int l, double r) {
  CheckNumbers(n, l);
  const double rho = 2 * r / n;
  return Norm(n, l) * std::pow(rho, l) * std::exp(-rho / 2) * Laguerre(n - l - 1, 2 * l + 1, rho);
}

double RadialP(int n, int l, double r) {
  const double R = RadialR(n, l, r);
  return r * r * R * R;
}

double CumulativeP(int n, int l, double a) {
  CheckNumbers(n, l);
  if (!(a > 0)) return 0;
  const double outer = OuterRadius(n);
  if (a >= outer) return std::min(1.0, IntegrateP(n, l, 0, outer));
  return std::min(1.0, IntegrateP(n, l, 0, a));
}

std::vector<double> RadialNodes(int n, int l) {
  CheckNumbers(n, l);
  // The zeros of L_(n-l-1)^(2l+1)(ρ) lie below 4n (a loose bound for n <= 4);
  // a fine scan brackets each one, bisection pins it.
  const int k = n - l - 1;
  auto L = [&](double rho) { return Laguerre(k, 2 * l + 1, rho); };
  std::vector<double> nodes;
  constexpr int kSteps = 4000;
  const double top = 4.0 * n + 8;
  double prevRho = 0, prev = L(0);
  for (int i = 1; i <= kSteps && static_cast<int>(nodes.size()) < k; ++i) {
    const double rho = top * i / kSteps;
    const double v = L(rho);
    if ((v < 0) != (prev < 0)) nodes.push_back(n * Bisect(L, prevRho, rho) / 2);
    prevRho = rho;
    prev = v;
  }
  return nodes;
}

double MostProbableRadius(int n, int l) {
  CheckNumbers(n, l);
  // P'(r) has the sign of R(r) · h(ρ), h = (l+1)L - ρL/2 + ρL': find the
  // largest P on a scan, then the zero of h beside it.
  const int k = n - l - 1;
  const double alpha = 2 * l + 1;
  auto h = [&](double rho) {
    const LaguerreValue v = LaguerreWithSlope(k, alpha, rho);
    return (l + 1) * v.L - rho * v.L / 2 + rho * v.dL;
  };
  constexpr int kSteps = 4000;
  const double top = 2 * OuterRadius(n) / n;  // in ρ
  int best = 1;
  double bestP = -1;
  for (int i = 1; i < kSteps; ++i) {
    const double p = RadialP(n, l, n * (top * i / kSteps) / 2);
    if (p > bestP) {
      bestP = p;
      best = i;
    }
  }
  const double lo = top * (best - 1) / kSteps, hi = top * (best + 1) / kSteps;
  // h changes sign across the maximum (or R does, which cannot be at a maximum).
  return n * Bisect(h, lo, hi) / 2;
}

double MeanRadius(int n, int l) {
  CheckNumbers(n, l);
  return (3.0 * n * n - l * (l + 1)) / 2;
}

double RadiusHolding(int n, int l, double share) {
  CheckNumbers(n, l);
  if (!(share > 0 && share < 1)) RaiseError(kInvalidCall, "share outside 0 to 1");
  return Bisect([&](double a) { return CumulativeP(n, l, a) - share; }, 0, OuterRadius(n));
}

PlaneAxes SlicePlane(TransectDirection dir) {
  switch (dir) {
    case AlongX:
      return {{0, 1, 0}, {0, 0, 1}};
    case Alongz:
      return {{1, 0, 0}, {0, 1, 0}};
    case Alongy:
    default:
      return {{1, 0, 0}, {0, 0, 1}};
  }
}

double AngularFactor(int orbitalIndex, TransectDirection plane, double angle) {
  return AngularProbe(orbitalIndex, plane)(angle);
}

std::vector<double> AngularNodes(int orbitalIndex, TransectDirection plane) {
  const AngularProbe f(orbitalIndex, plane);
  std::vector<double> nodes;
  if (f.Round() || f.Info.l == 0) return nodes;
  // A scan at steps that fall on no round angle (nodes at 90° and the like
  // sit inside a step), then bisection of each sign change.
  constexpr int kSteps = 3599;
  std::vector<double> angle(kSteps), value(kSteps);
  double largest = 0;
  for (int i = 0; i < kSteps; ++i) {
    angle[i] = 2 * kPi * (i + 0.5) / kSteps;
    value[i] = f(angle[i]);
    largest = std::max(largest, std::fabs(value[i]));
  }
  // A plane inside a nodal plane: ψ vanishes on all of it.
  if (largest < 1e-9) return nodes;
  for (int i = 0; i < kSteps; ++i) {
    // The last step wraps round to the first sample.
    const int j = (i + 1) % kSteps;
    const double end = j == 0 ? angle[0] + 2 * kPi : angle[j];
    if ((value[i] < 0) != (value[j] < 0)) {
      double at = Bisect(f, angle[i], end);
      if (at >= 2 * kPi) at -= 2 * kPi;
      nodes.push_back(at);
    }
  }
  std::sort(nodes.begin(), nodes.end());
  return nodes;
}

}  // namespace wl
