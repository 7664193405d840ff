// The curves the Graphs window draws for ions, complex orbitals and
// combinations, checked against hydrogen's own radial functions and the
// closed forms of the harmonics.
#include "SubjectCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/Radial.h"
#include "orbitals/OrbitalCatalog.h"

namespace {

using wl::GraphSubject;

GraphSubject Orbital(int n, int l, int M, int charge = 1) {
  GraphSubject s;
  s.OrbitalIndex = wl::IndexOfOrbital(n, l, M, false);
  s.n = n;
  s.l = l;
  s.Charge = charge;
  return s;
}

// ∫ P dr over [0, end] by Simpson's rule.
double Integral(const GraphSubject& s, double end) {
  const int steps = 4000;
  const double h = end / steps;
  double sum = wl::SubjectP(s, 0) + wl::SubjectP(s, end);
  for (int i = 1; i < steps; ++i) sum += (i % 2 ? 4 : 2) * wl::SubjectP(s, i * h);
  return sum * h / 3;
}

TEST(SubjectCurves, AnIonIsHydrogenShrunkByItsCharge) {
  const GraphSubject li = Orbital(3, 0, 0, 3);
  for (double r : {0.1, 0.7, 1.9, 4.0}) {
    EXPECT_NEAR(wl::SubjectR(li, r), std::pow(3.0, 1.5) * wl::RadialR(3, 0, 3 * r), 1e-12);
    EXPECT_NEAR(wl::SubjectP(li, r), 3 * wl::RadialP(3, 0, 3 * r), 1e-12);
    EXPECT_NEAR(wl::SubjectCumulative(li, r), wl::CumulativeP(3, 0, 3 * r), 1e-12);
  }
  EXPECT_NEAR(Integral(li, wl::SubjectPlotEnd(li)), 1.0, 2e-3);
  EXPECT_GE(wl::SubjectCumulative(li, wl::SubjectPlotEnd(li)), 0.999);
  EXPECT_LT(wl::SubjectPlotEnd(li), wl::SubjectPlotEnd(Orbital(3, 0, 0)));
  EXPECT_NEAR(wl::SubjectHolding(li, 0.9), wl::RadiusHolding(3, 0, 0.9) / 3, 1e-10);
  EXPECT_NEAR(wl::SubjectMean(li), wl::MeanRadius(3, 0) / 3, 1e-12);
  EXPECT_NEAR(wl::SubjectMostProbable(li), wl::MostProbableRadius(3, 0) / 3, 1e-10);
  const auto nodes = wl::SubjectNodes(li), hydrogen = wl::RadialNodes(3, 0);
  ASSERT_EQ(nodes.size(), 2u);
  for (size_t i = 0; i < nodes.size(); ++i) EXPECT_NEAR(nodes[i], hydrogen[i] / 3, 1e-10);
}

TEST(SubjectCurves, ACombinationAveragesItsSubshellsByTheSquaresOfItsCoefficients) {
  GraphSubject sp = Orbital(2, 0, 0);
  const int s2 = wl::IndexOfOrbital(2, 0, 0, false), pz = wl::IndexOfOrbital(2, 1, 0, false);
  sp.Terms = {{static_cast<wl::Integer>(s2), 0.5},
              {static_cast<wl::Integer>(pz), std::sqrt(0.75)}};
  EXPECT_FALSE(wl::HasRadialFunction(sp));
  EXPECT_TRUE(wl::SubjectNodes(sp).empty());
  for (double r : {0.5, 2.0, 5.0, 9.0})
    EXPECT_NEAR(wl::SubjectP(sp, r), 0.25 * wl::RadialP(2, 0, r) + 0.75 * wl::RadialP(2, 1, r),
                1e-12);
  EXPECT_NEAR(Integral(sp, wl::SubjectPlotEnd(sp)), 1.0, 2e-3);
  const double half = wl::SubjectHolding(sp, 0.5);
  EXPECT_NEAR(wl::SubjectCumulative(sp, half), 0.5, 1e-9);
  const double top = wl::SubjectMostProbable(sp);
  EXPECT_GT(wl::SubjectP(sp, top), wl::SubjectP(sp, top - 0.05));
  EXPECT_GT(wl::SubjectP(sp, top), wl::SubjectP(sp, top + 0.05));

  // In the xy plane pz vanishes: ψ is the round s part there.
  const auto flat = wl::SubjectAngularRows(sp, wl::Alongz, 16);
  for (const auto& row : flat) EXPECT_NEAR(row.Factor, flat[0].Factor, 1e-12);
  // In the xz plane ψ is the same at angles mirrored in the z axis, and
  // differs between +z and -z (the s and p parts add on one side only).
  const auto rows = wl::SubjectAngularRows(sp, wl::Alongy, 16);
  EXPECT_NEAR(rows[1].Factor, rows[7].Factor, 1e-12);
  EXPECT_GT(std::abs(rows[4].Factor - rows[12].Factor), 1e-3);

  // One term alone: the orbital's own angular factor, up to a constant.
  GraphSubject px = sp;
  px.Terms = {{static_cast<wl::Integer>(wl::IndexOfOrbital(2, 1, 1, false)), 1.0}};
  const auto own = wl::AngularRows(wl::IndexOfOrbital(2, 1, 1, false), wl::Alongy, 16);
  const auto mine = wl::SubjectAngularRows(px, wl::Alongy, 16);
  const double k = mine[0].Factor / own[0].Factor;
  for (size_t i = 0; i < own.size(); ++i) EXPECT_NEAR(mine[i].Factor, k * own[i].Factor, 1e-12);
}

TEST(SubjectCurves, AComplexOrbitalHasTheSizeOfItsHarmonicRoundAboutZ) {
  GraphSubject c = Orbital(2, 1, 1);
  c.Complex = true;
  // |Y_1^1| = √(3/8π) sin θ: in the xz plane from +x (θ = 90°) to +z (θ = 0).
  const auto rows = wl::SubjectAngularRows(c, wl::Alongy, 16);
  for (const auto& row : rows) {
    const double theta = std::numbers::pi / 2 - row.Angle;
    EXPECT_NEAR(row.Factor, std::sqrt(3 / (8 * std::numbers::pi)) * std::abs(std::sin(theta)),
                1e-12);
  }
  for (const auto& row : wl::SubjectAngularRows(c, wl::Alongz, 16))
    EXPECT_NEAR(row.Factor, std::sqrt(3 / (8 * std::numbers::pi)), 1e-12);
  // Radially it is its (n, l).
  EXPECT_NEAR(wl::SubjectP(c, 3.0), wl::RadialP(2, 1, 3.0), 1e-15);
}

}  // namespace
