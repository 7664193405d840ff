// The shares of the probability for the viewer's caption: above the dot
// threshold and inside the sampled cube, against integrals done here.
#include "analysis/Shares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "ErrorNumber.h"
#include "Quadrature.h"
#include "core/Platform.h"
#include "core/cOrbitalCol.h"

namespace {

using wltest::GaussLegendre;

constexpr double kPi = std::numbers::pi;

wl::OrbitalSetup Orbital(int index, int radius, int threshold, wl::ViewMode view = wl::PDF) {
  wl::OrbitalSetup s;
  s.AtomRadius = static_cast<wl::Integer>(radius);
  s.DotTarget = 2000;
  s.DotThreshold = static_cast<wl::Byte>(threshold);
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.OrbitalViewMode = view;
  return s;
}

// ∫ over [0, a] of f by a composite rule graded towards 0, where the 1s
// density has its cusp.
template <class F>
double Graded(double a, F f) {
  const std::vector<double> cuts{0, a / 256, a / 64, a / 16, a / 4, a / 2, a};
  double sum = 0;
  for (size_t p = 0; p + 1 < cuts.size(); ++p) {
    const wltest::Rule g = GaussLegendre(12, cuts[p], cuts[p + 1]);
    for (size_t i = 0; i < g.x.size(); ++i) sum += g.w[i] * f(g.x[i]);
  }
  return sum;
}

TEST(Shares, AboveTheDotThresholdOf1sIsTheBallWhereTheLevelExceedsIt) {
  wl::SetSeedHook(1);
  wl::cOrbitalCol col;
  const wl::Integer index = col.Add(Orbital(0, 2, 30));
  wl::SetSeedHook(std::nullopt);
  const auto& orb = dynamic_cast<const wl::cOrbitalObject&>(col.At(index));
  // Levels round half to even: above 30 where 255 ρ / peak exceeds 30.5.
  const double r0 = -std::log(30.5 * orb.Peak() / 255) / 2;
  ASSERT_GT(r0, 1.0);
  ASSERT_LT(r0, 1.1);
  const wltest::Rule g = GaussLegendre(40, 0, r0);
  double ball = 0;
  for (size_t i = 0; i < g.x.size(); ++i) {
    ball += g.w[i] * 4 * kPi * g.x[i] * g.x[i] * std::exp(-2 * g.x[i]) / kPi;  // 4πr² ρ
  }
  const wl::ProbabilityShares shares = col.GetShares(index);

  EXPECT_NEAR(shares.AboveThreshold, ball, 5e-4);
  EXPECT_EQ(shares.AboveThreshold, wl::ShareAboveThreshold(orb));
  // A lower threshold shows more; the radially weighted view's levels pick
  // other cells but weigh them by the same probability density.
  col.ReFillDotMatrix(index, 10, 2000);
  EXPECT_GT(col.GetShares(index).AboveThreshold, shares.AboveThreshold + 0.2);
  const wl::Integer dr = col.Add(Orbital(0, 2, 30, wl::DRPDF));
  const double drShare = col.GetShares(dr).AboveThreshold;
  EXPECT_GT(drShare, 0.05);
  EXPECT_LT(drShare, shares.InBox);
}

TEST(Shares, TheBoxHoldsTheExactCubeIntegral) {
  wl::cOrbitalCol col;
  for (int radius : {1, 2, 3}) {
    SCOPED_TRACE(radius);
    const wl::Integer index = col.Add(Orbital(0, radius, 30));
    // 8 ∫∫∫ over [0, R]³ of e^(-2r) / π.
    const double cube = 8 * Graded(radius, [&](double x) {
                          return Graded(radius, [&](double y) {
                            return Graded(radius, [&](double z) {
                              return std::exp(-2 * std::sqrt(x * x + y * y + z * z)) / kPi;
                            });
                          });
                        });
    EXPECT_NEAR(col.GetShares(index).InBox, cube, 1e-9);
    col.Delete(index);
  }
  // A box far larger than the orbital holds all of it; a small one of 4Fxyz
  // almost none (its density vanishes on the three coordinate planes).
  EXPECT_NEAR(col.GetShares(col.Add(Orbital(27, 2000, 50))).InBox, 1, 1e-10);
  const double small = col.GetShares(col.Add(Orbital(27, 2, 50))).InBox;
  EXPECT_GT(small, 0);
  EXPECT_LT(small, 1e-3);
}

TEST(Shares, AnOrbitalNeverCalculatedHasNone) {
  wl::cOrbitalPDF orb;
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ShareInBox(orb); }), 91);
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ShareAboveThreshold(orb); }), 91);
}

}  // namespace
