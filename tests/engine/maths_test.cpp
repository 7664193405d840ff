// Parity, the perspective projection of a point and the camera rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ErrorNumber.h"
#include "core/modMaths.h"

namespace {

using wl::COORDdouble;
using wl::COORDlong;
using wl::modMaths::IsEven;
using wl::modMaths::ProjectPoint;
using wl::modMaths::RotatePoint;
using wltest::ErrorNumberOf;
constexpr double kPi = std::numbers::pi;

TEST(IsEven, IncludesNegativesAndRangeEdges) {
  EXPECT_TRUE(IsEven(0));
  EXPECT_TRUE(IsEven(-2));
  EXPECT_TRUE(IsEven(2147483646));
  EXPECT_TRUE(IsEven(-2147483647 - 1));
  EXPECT_FALSE(IsEven(-1));
  EXPECT_FALSE(IsEven(1));
  EXPECT_FALSE(IsEven(2147483647));
  EXPECT_FALSE(IsEven(-2147483647));
}

void ExpectPoint(const COORDlong& p, wl::Long x, wl::Long y, wl::Long z) {
  EXPECT_EQ(p.X, x);
  EXPECT_EQ(p.Y, y);
  EXPECT_EQ(p.Z, z);
}

// Points whose depth in front of the camera has floor 0 are not projected.
TEST(ProjectPoint, DepthWithFloorZeroLeavesOutUntouched) {
  const COORDlong sentinel{7, 8, 9};
  for (double dy : {0.0, 0.5, 0.999}) {
    COORDlong out = sentinel;
    ProjectPoint({1, -3, 2}, {10.0, -3.0 + dy, 20.0}, out, 40);
    ExpectPoint(out, 7, 8, 9);
  }
}

TEST(ProjectPoint, NegativeAndUnitDepthsProject) {
  COORDlong out{7, 8, 9};
  // Depth -0.5 has floor -1: t = 10 / -0.5 = -20; the depth -0.5 rounds to 0.
  ProjectPoint({0, 0, 0}, {2.0, -0.5, 3.0}, out, 10);
  ExpectPoint(out, -40, 0, -60);

  out = {7, 8, 9};
  // Depth exactly 1 projects: t = (5 - 1) / 1 = 4, relative to the camera.
  ProjectPoint({1, 1, -2}, {2.0, 2.0, -1.0}, out, 5);
  ExpectPoint(out, 5, 2, 2);
}

TEST(ProjectPoint, RoundsHalfToEven) {
  COORDlong out;
  // t = 2 / 1: X = 2.5 -> 2, Z = 1.5 -> 2; depth 1.
  ProjectPoint({0, 0, 0}, {1.25, 1.0, 0.75}, out, 2);
  ExpectPoint(out, 2, 1, 2);
  // Depth 2.5 -> 2 and 3.5 -> 4.
  ProjectPoint({0, 0, 0}, {0.0, 2.5, 0.0}, out, 5);
  EXPECT_EQ(out.Y, 2);
  ProjectPoint({0, 0, 0}, {0.0, 3.5, 0.0}, out, 7);
  EXPECT_EQ(out.Y, 4);
}

// t is rounded to single precision before use: 1/3 as a float is slightly
// above 1/3, which moves 3001.5 / 3 = 1000.5 off the tie to 1001. With t in
// double precision the result would be the even 1000.
TEST(ProjectPoint, UsesSinglePrecisionFactor) {
  COORDlong out;
  ProjectPoint({0, 0, 0}, {3001.5, 3.0, 0.0}, out, 1);
  ExpectPoint(out, 1001, 3, 0);
}

TEST(ProjectPoint, OverflowRaises) {
  COORDlong out;
  // Plane - Camera.Y leaves the 32-bit range.
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 2147483647, 0}, {0, 0, 0}, out, -2); }), 6);
  // Plane - Camera.Y just fits.
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 2147483647, 0}, {0, 0, 0}, out, -1); }), 0);
  // A projected coordinate leaves the 32-bit range.
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 0, 0}, {3e9, 1.0, 0}, out, 1); }), 6);
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 0, 0}, {0, 1.0, -3e9}, out, 1); }), 6);
  // A tiny negative depth gives a huge factor.
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 0, 0}, {1.0, -1e-9, 0}, out, 10); }), 6);
  // The depth itself is rounded into the 32-bit range.
  EXPECT_EQ(ErrorNumberOf([&] { ProjectPoint({0, 0, 0}, {0, 3e9, 0}, out, 1); }), 6);
}

void ExpectNear(const COORDdouble& p, double x, double y, double z) {
  EXPECT_NEAR(p.X, x, 1e-15);
  EXPECT_NEAR(p.Y, y, 1e-15);
  EXPECT_NEAR(p.Z, z, 1e-15);
}

TEST(RotatePoint, ZeroAnglesAreTheIdentity) {
  const COORDdouble p{1.5, -2.25, 3.125};
  const COORDdouble q = RotatePoint(p, 0, 0);
  EXPECT_EQ(q.X, p.X);
  EXPECT_EQ(q.Y, p.Y);
  EXPECT_EQ(q.Z, p.Z);
}

TEST(RotatePoint, QuarterTurns) {
  // Phi turns about z: x goes to y.
  ExpectNear(RotatePoint({1, 0, 0}, 0, kPi / 2), 0, 1, 0);
  ExpectNear(RotatePoint({0, 1, 0}, 0, kPi / 2), -1, 0, 0);
  // Theta turns about x: y goes to -z, z goes to y.
  ExpectNear(RotatePoint({0, 1, 0}, kPi / 2, 0), 0, 0, -1);
  ExpectNear(RotatePoint({0, 0, 1}, kPi / 2, 0), 0, 1, 0);
  // Phi first, then Theta: x -> y -> -z (the other order would leave it at y).
  ExpectNear(RotatePoint({1, 0, 0}, kPi / 2, kPi / 2), 0, 0, -1);
}

TEST(RotatePoint, GeneralAnglesMatchTheComposedRotation) {
  const COORDdouble p{0.3, -1.7, 2.9};
  const double theta = 0.83, phi = -2.41;
  // Rotate about z by phi, then about x by theta, written out step by step.
  const double x1 = p.X * std::cos(phi) - p.Y * std::sin(phi);
  const double y1 = p.X * std::sin(phi) + p.Y * std::cos(phi);
  const double z1 = p.Z;
  const double y2 = y1 * std::cos(theta) + z1 * std::sin(theta);
  const double z2 = -y1 * std::sin(theta) + z1 * std::cos(theta);
  const COORDdouble q = RotatePoint(p, theta, phi);
  EXPECT_NEAR(q.X, x1, 1e-14);
  EXPECT_NEAR(q.Y, y2, 1e-14);
  EXPECT_NEAR(q.Z, z2, 1e-14);
  EXPECT_NEAR(std::hypot(q.X, q.Y, q.Z), std::hypot(p.X, p.Y, p.Z), 1e-14);
}

}  // namespace
