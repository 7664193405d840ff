// The radial and angular numbers against hydrogen's closed forms.
#include "analysis/Radial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include <utility>

#include "ErrorNumber.h"
#include "core/OrbitalLookup.h"

namespace wl {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;
const std::pair<int, int> kSubshells[] = {{1, 0}, {2, 0}, {2, 1}, {3, 0}, {3, 1},
                                          {3, 2}, {4, 0}, {4, 1}, {4, 2}, {4, 3}};

int Index(const char* name) {
  const OrbitalChoice c = LookupOrbital(name, false);
  EXPECT_GE(c.Index, 0) << name;
  return c.Index;
}

TEST(Radial, EveryRadialFunctionIsNormalisedAndItsCumulativeRisesToOne) {
  for (const auto& [n, l] : kSubshells) {
    // An independent rule: the trapezoidal sum of r²R² on a fine grid.
    double sum = 0;
    const double h = 0.001, top = 60.0 * n;
    for (double r = h; r < top; r += h) sum += RadialP(n, l, r);
    EXPECT_NEAR(sum * h, 1.0, 1e-9) << n << "," << l;
    EXPECT_NEAR(CumulativeP(n, l, 1000), 1.0, 1e-12) << n << "," << l;
    EXPECT_EQ(CumulativeP(n, l, 0), 0);
    EXPECT_GT(RadialR(n, l, 1e-3), 0) << "positive near the nucleus";
    EXPECT_NEAR(MeanRadius(n, l), (3.0 * n * n - l * (l + 1)) / 2, 0);
  }
  // Closed forms of two radial functions.
  EXPECT_NEAR(RadialR(1, 0, 1.3), 2 * std::exp(-1.3), 1e-15);
  EXPECT_NEAR(RadialR(2, 0, 0.7), (2 - 0.7) * std::exp(-0.35) / (2 * std::sqrt(2.0)), 1e-15);
}

TEST(Radial, MeanRadiusAgreesWithTheIntegralOfRTimesP) {
  for (const auto& [n, l] : kSubshells) {
    double sum = 0;
    const double h = 0.001;
    for (double r = h; r < 60.0 * n; r += h) sum += r * RadialP(n, l, r);
    EXPECT_NEAR(sum * h, MeanRadius(n, l), 1e-7) << n << "," << l;
  }
}

TEST(Radial, CumulativeOf1sIsItsClosedForm) {
  for (double a : {0.01, 0.5, 1.0, 2.0, 2.661, 5.0, 12.0}) {
    EXPECT_NEAR(CumulativeP(1, 0, a), 1 - std::exp(-2 * a) * (1 + 2 * a + 2 * a * a), 1e-12) << a;
  }
  EXPECT_NEAR(RadiusHolding(1, 0, 0.9), 2.661, 5e-4);
  const double r90 = RadiusHolding(1, 0, 0.9);
  EXPECT_NEAR(CumulativeP(1, 0, r90), 0.9, 1e-10);
  // The 90% radius of every subshell holds 90%.
  for (const auto& [n, l] : kSubshells) {
    EXPECT_NEAR(CumulativeP(n, l, RadiusHolding(n, l, 0.9)), 0.9, 1e-10) << n << "," << l;
  }
}

TEST(Radial, NodeRadiiAreTheZerosOfR) {
  using V = std::vector<double>;
  const double s3 = 3 * std::sqrt(3.0);
  const V twoS = RadialNodes(2, 0), threeS = RadialNodes(3, 0), threeP = RadialNodes(3, 1);
  ASSERT_EQ(twoS.size(), 1u);
  EXPECT_NEAR(twoS[0], 2, 1e-9);
  ASSERT_EQ(threeS.size(), 2u);
  EXPECT_NEAR(threeS[0], (9 - s3) / 2, 1e-9);
  EXPECT_NEAR(threeS[1], (9 + s3) / 2, 1e-9);
  ASSERT_EQ(threeP.size(), 1u);
  EXPECT_NEAR(threeP[0], 6, 1e-9);
  // 4s: 24 - 36r/... zeros of ρ³ - 12ρ² + 36ρ - 24 with ρ = r/2; 4p: ρ² - 10ρ + 20; 4d: ρ = 6.
  const V fourS = RadialNodes(4, 0), fourP = RadialNodes(4, 1), fourD = RadialNodes(4, 2);
  ASSERT_EQ(fourS.size(), 3u);
  for (double r : fourS) {
    const double rho = r / 2;
    EXPECT_NEAR(rho * rho * rho - 12 * rho * rho + 36 * rho - 24, 0, 1e-8) << r;
  }
  ASSERT_EQ(fourP.size(), 2u);
  EXPECT_NEAR(fourP[0], 2 * (5 - std::sqrt(5.0)), 1e-9);
  EXPECT_NEAR(fourP[1], 2 * (5 + std::sqrt(5.0)), 1e-9);
  ASSERT_EQ(fourD.size(), 1u);
  EXPECT_NEAR(fourD[0], 12, 1e-9);
  for (const auto& [n, l] : kSubshells) {
    const V nodes = RadialNodes(n, l);
    EXPECT_EQ(static_cast<int>(nodes.size()), n - l - 1);
    for (double r : nodes) EXPECT_NEAR(RadialR(n, l, r), 0, 1e-12);
  }
}

TEST(Radial, MostProbableRadiusIsTheLargestP) {
  for (int n = 1; n <= 4; ++n) EXPECT_NEAR(MostProbableRadius(n, n - 1), n * n, 1e-10) << n;
  // 2s: P' = 0 where r² - 6r + 4 = 0, the outer root.
  EXPECT_NEAR(MostProbableRadius(2, 0), 3 + std::sqrt(5.0), 1e-10);
  for (const auto& [n, l] : kSubshells) {
    const double rm = MostProbableRadius(n, l), pm = RadialP(n, l, rm);
    for (double r = 0.05; r < 40.0 * n; r += 0.05) ASSERT_LE(RadialP(n, l, r), pm * (1 + 1e-12));
  }
}

TEST(Radial, AngularFactorCarriesTheSignOfPsiAndItsNodes) {
  // 2pz in the xz plane: cos θ from +x towards +z, so positive along +z.
  const int twoPz = Index("2Pz");
  EXPECT_GT(AngularFactor(twoPz, Alongy, kPi / 2), 0);
  EXPECT_LT(AngularFactor(twoPz, Alongy, 3 * kPi / 2), 0);
  EXPECT_NEAR(AngularFactor(twoPz, Alongy, kPi / 2), std::sqrt(3 / (4 * kPi)), 1e-12);
  // The xy plane is its nodal plane: no sign change to mark.
  EXPECT_TRUE(AngularNodes(twoPz, Alongz).empty());
  // Nodal cones and planes, as angles from the z axis (0 to 90°).
  auto fromZ = [](const std::vector<double>& nodes) {
    std::vector<double> deg;
    for (double a : nodes) {
      const double t = std::acos(std::clamp(std::sin(a), -1.0, 1.0)) / kDeg;  // xz plane
      const double folded = std::round(std::min(t, 180 - t) * 1e4) / 1e4;
      if (std::find(deg.begin(), deg.end(), folded) == deg.end()) deg.push_back(folded);
    }
    std::sort(deg.begin(), deg.end());
    return deg;
  };
  const auto dz2 = AngularNodes(Index("3Dz2"), Alongy);
  EXPECT_EQ(dz2.size(), 4u);
  EXPECT_EQ(fromZ(dz2), (std::vector<double>{54.7356}));
  EXPECT_NEAR(AngularFactor(Index("3Dz2"), Alongy, dz2[0]), 0, 1e-12);
  EXPECT_EQ(fromZ(AngularNodes(Index("4Fz3"), Alongy)), (std::vector<double>{39.2315, 90}));
  EXPECT_EQ(fromZ(AngularNodes(Index("4Fxz2"), Alongy)), (std::vector<double>{0, 63.4349}));
  // Averages are round.
  const int average = LookupOrbital("3D", true).Index;
  EXPECT_NEAR(AngularFactor(average, Alongy, 1.0), std::sqrt(1 / (4 * kPi)), 1e-15);
  EXPECT_TRUE(AngularNodes(average, Alongy).empty());
}

TEST(Radial, RefusesNumbersOutsideTheTable) {
  EXPECT_EQ(wltest::ErrorNumberOf([] { RadialR(8, 0, 1); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([] { RadialR(2, 2, 1); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([] { RadiusHolding(1, 0, 1.0); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([] { AngularFactor(400, Alongy, 0); }), 9);
}

}  // namespace
}  // namespace wl
