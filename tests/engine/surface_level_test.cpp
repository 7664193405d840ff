// The boundary surface's numbers: the box that holds it, the density whose
// level set encloses a share of the probability (against exact radial
// integrals for s orbitals and a fine numeric integral for p, d and f), and
// the sampled field it is found on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "analysis/EnclosedShare.h"
#include "analysis/SurfaceLevel.h"
#include "core/modOrbitals.h"

namespace {

constexpr double kPi = std::numbers::pi;
enum : int { k1S = 0, k2S = 1, k2Pz = 4, k3S = 5, k3Dz2 = 9, k4Fz3 = 23, k4FAverage = 39 };

std::unique_ptr<wl::cElectron> Electron(int index) {
  return wl::modOrbitals::CreateElectron(index);
}

int AtomRadius(const wl::cElectron& e) {
  return e.GetInfo().DefaultPDFAtomRadius;
}

// ∫0^x r^k e^(-a r) dr in closed form.
double GammaPart(int k, double a, double x) {
  double term = 1, sum = 1, fact = 1;
  for (int j = 1; j <= k; ++j) {
    term *= a * x / j;
    sum += term;
    fact *= j;
  }
  return fact / std::pow(a, k + 1) * (1 - std::exp(-a * x) * sum);
}

// The exact probability within radius x of an s orbital whose R² r² is
// scale · Σ c[k] r^k · e^(-a r).
struct RadialS {
  double scale, a;
  std::vector<double> c;  // c[k] multiplies r^k
  double Within(double x) const {
    double s = 0;
    for (size_t k = 0; k < c.size(); ++k) s += c[k] * GammaPart(static_cast<int>(k), a, x);
    return scale * s;
  }
};
const RadialS k1SExact{4, 2, {0, 0, 1}};
const RadialS k2SExact{1.0 / 8, 1, {0, 0, 4, -4, 1}};
const RadialS k3SExact{4.0 / 19683, 2.0 / 3, {0, 0, 729, -972, 432, -72, 4}};

// The exact share of an s orbital where ρ > t: the radii where ρ(r) crosses
// t found along the z axis by scanning and bisection.
double ExactShareAbove(wl::cElectron& e, const RadialS& exact, double t) {
  auto above = [&](double r) { return e.GetRealPDF({0, 0, r * r}) > t; };
  double share = 0, start = 0;
  bool in = above(0);
  const double step = 1e-3;
  for (double r = step; r < 200; r += step) {
    if (above(r) == in) continue;
    double lo = r - step, hi = r;
    for (int i = 0; i < 60; ++i) {
      const double m = (lo + hi) / 2;
      (above(m) == in ? lo : hi) = m;
    }
    if (in) share += exact.Within(lo) - exact.Within(start);
    start = lo;
    in = !in;
  }
  return share;
}

// The share where ρ > t by the midpoint rule on a fine (r, cos θ) grid, for
// orbitals symmetric about the z axis.
double NumericShareAbove(wl::cElectron& e, double t, double rMax) {
  const int nr = 3000, nu = 1500;
  const double dr = rMax / nr, du = 2.0 / nu;
  double sum = 0;
  for (int i = 0; i < nr; ++i) {
    const double r = (i + 0.5) * dr;
    for (int j = 0; j < nu; ++j) {
      const double u = -1 + (j + 0.5) * du, s = std::sqrt(1 - u * u);
      const double x = r * s, z = r * u;
      const double rho = e.GetRealPDF({x * x, 0, z * z});
      if (rho > t) sum += rho * r * r;
    }
  }
  return sum * 2 * kPi * dr * du;
}

// The documented error of the share on the 129-node field: the midpoint rule
// against the exact integral, within 0.2% of the probability (the 1s cusp
// gives the largest, 0.12% at a share of 50%).
constexpr double kShareError = 0.002;

TEST(EnclosedShare, TheOneSSurfaceIsTheExactSphereAndTheBoxIsEnlargedToHoldIt) {
  auto e = Electron(k1S);
  wl::SurfaceLevels levels(*e, AtomRadius(*e));
  const wl::SurfaceLevel level = levels.For(0.9);
  // ρ = e^(-2r)/π; the 90% sphere of 1s has r = 2.661 a0, beyond the atom radius 2.
  const double r = -std::log(kPi * level.Density) / 2;
  EXPECT_NEAR(r, 2.661, 0.02);
  EXPECT_TRUE(level.Enlarged());
  EXPECT_TRUE(level.BeyondAtomRadius);
  EXPECT_GT(level.Field->Half, 2.661 * 1.5);
  EXPECT_NEAR(ExactShareAbove(*e, k1SExact, level.Density), 0.9, kShareError);
  // A surface well inside the atom radius says nothing of it.
  EXPECT_FALSE(levels.For(0.2).BeyondAtomRadius);
}

TEST(EnclosedShare, SOrbitalsMatchTheirExactRadialIntegrals) {
  const struct {
    int index;
    const RadialS* exact;
  } cases[] = {{k1S, &k1SExact}, {k2S, &k2SExact}, {k3S, &k3SExact}};
  for (const auto& c : cases) {
    auto e = Electron(c.index);
    wl::SurfaceLevels levels(*e, AtomRadius(*e));
    // The exact cumulative reaches 1: the polynomial above is the orbital's.
    EXPECT_NEAR(c.exact->Within(500), 1.0, 1e-12) << c.index;
    for (double share : {0.5, 0.9, 0.99}) {
      const wl::SurfaceLevel level = levels.For(share);
      EXPECT_NEAR(ExactShareAbove(*e, *c.exact, level.Density), share, kShareError)
          << "orbital " << c.index << " share " << share;
    }
  }
}

TEST(EnclosedShare, POrbitalsDAndFMatchAFineNumericIntegral) {
  for (int index : {k2Pz, k3Dz2, k4Fz3}) {
    auto e = Electron(index);
    wl::SurfaceLevels levels(*e, AtomRadius(*e));
    const wl::SurfaceLevel level = levels.For(0.9);
    const double n = e->GetInfo().n;
    EXPECT_NEAR(NumericShareAbove(*e, level.Density, 40 * n), 0.9, kShareError) << index;
    // The surface never touches the box it was found in.
    const wl::ScalarField& f = *level.Field;
    const int last = f.N - 1;
    for (int p = 0; p < f.N; p += 4) {
      for (int q = 0; q < f.N; q += 4) {
        for (float v : {f.At(0, p, q), f.At(last, p, q), f.At(p, 0, q), f.At(p, last, q),
                        f.At(p, q, 0), f.At(p, q, last)}) {
          ASSERT_LT(v * v, level.Density) << index;
        }
      }
    }
  }
}

// The share by the plain method: all nodes sorted by ψ², summed from the top.
double SortedDensityForShare(const wl::ScalarField& f, double share) {
  std::vector<float> rho;
  for (float v : f.Value) rho.push_back(v * v);
  std::sort(rho.begin(), rho.end(), std::greater<>());
  double total = 0, sum = 0;
  for (float r : rho) total += r;
  for (float r : rho) {
    sum += r;
    if (sum >= share * total) return r;
  }
  return rho.back();
}

TEST(EnclosedShare, TheBinnedSearchGivesTheSortedResult) {
  for (int index : {k1S, k3Dz2, k4FAverage}) {
    auto e = Electron(index);
    const wl::ScalarField f = wl::SampleField(*e, 1.5 * AtomRadius(*e), 65);
    for (double share : {0.05, 0.5, 0.9, 0.999}) {
      EXPECT_EQ(wl::DensityForShare(f, share).Density, SortedDensityForShare(f, share))
          << index << " " << share;
    }
  }
}

// A signed test function of odd parity in x and z: ψ = x z e^(-r), the sign
// the sampler must carry into the mirrored octants.
class OddElectron final : public wl::cElectron {
 public:
  wl::OrbInfo GetInfo() const override {
    wl::OrbInfo info;
    info.n = 3;
    return info;
  }
  double GetPsi(const wl::COORDdouble& p) const override {
    return p.X * p.Z * std::exp(-std::sqrt(p.X * p.X + p.Y * p.Y + p.Z * p.Z));
  }
  double GetRealPDF(const wl::COORDdoubleParams& c) override {
    return c.Xs * c.Zs * std::exp(-2 * std::sqrt(c.Xs + c.Ys + c.Zs));
  }
  wl::Byte GetPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetNonScaledPDF(const wl::COORDdoubleParams& c) override { return GetRealPDF(c); }
  wl::Byte GetDRPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetRealDRPDF(const wl::COORDdoubleParams& c) override { return GetRealPDF(c); }
  double GetNonScaledDRPDF(const wl::COORDdoubleParams& c) override { return GetRealPDF(c); }
  void GetLevels(wl::ViewMode, const double*, const double*, const double*, int,
                 wl::Byte*) const override {}
};

TEST(SurfaceField, EveryNodeEqualsThePointValueWithItsSign) {
  OddElectron odd;
  auto average = Electron(k4FAverage);
  for (wl::cElectron* e : {static_cast<wl::cElectron*>(&odd), average.get()}) {
    const wl::ScalarField f = wl::SampleField(*e, 9.0, 33);
    const double h = f.Step();
    for (int k = 0; k < f.N; ++k) {
      for (int j = 0; j < f.N; ++j) {
        for (int i = 0; i < f.N; ++i) {
          const double x = (i - 16) * h, y = (j - 16) * h, z = (k - 16) * h;
          const double expected =
              f.Signed ? e->GetPsi({x, y, z}) : std::sqrt(e->GetRealPDF({x * x, y * y, z * z}));
          ASSERT_NEAR(f.At(i, j, k), expected, 1e-6 * std::abs(expected) + 1e-30)
              << i << " " << j << " " << k;
        }
      }
    }
    EXPECT_EQ(f.Signed, e == &odd);
  }
}

TEST(SurfaceField, TheBoxGrowsWithTheShareAndBadSharesAreRefused) {
  auto e = Electron(k3Dz2);
  const double r = AtomRadius(*e);
  const double small = wl::SurfaceBoxHalf(*e, r, 0.5), large = wl::SurfaceBoxHalf(*e, r, 0.999);
  EXPECT_GE(small, r);
  EXPECT_GT(large, small);
  // What lies beyond the inscribed sphere stays within 2% of what lies outside the surface.
  EXPECT_LE(wl::ProbabilityBeyond(*e, large), 0.02 * 0.001);
  EXPECT_GT(wl::ProbabilityBeyond(*e, large / 1.25), 0.02 * 0.001);
  EXPECT_NEAR(wl::ProbabilityBeyond(*e, 0), 1.0, 1e-9);
  wl::SurfaceLevels levels(*e, r);
  // Boxes come and go (two are kept); a share asked again gets its level again.
  const wl::SurfaceLevel first = levels.For(0.5);
  for (double share : {0.999, 0.9, 0.99, 0.5}) levels.For(share);
  const wl::SurfaceLevel again = levels.For(0.5);
  EXPECT_EQ(again.Density, first.Density);
  EXPECT_EQ(again.Field->Half, first.Field->Half);
  EXPECT_EQ(levels.For(0.999).Field->Half, large);
  EXPECT_THROW(levels.For(0.04), std::exception);
  EXPECT_THROW(levels.For(1.0), std::exception);
}

}  // namespace
