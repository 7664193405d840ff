// The scale of the engine's pictures against the renderers themselves: dots,
// slices, volumes and surfaces are rendered and found where ScaleOf and
// SphereOutlineRadius say they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "RenderTestSupport.h"
#include "core/modOrbitals.h"
#include "render/DotRotation.h"
#include "render/ViewGeometry.h"

namespace {

using wl::PointArray;
using wl::RenderRequest;
using wltest::Access;
using wltest::At;
using wltest::Request;

constexpr double kRadius = 127;  // one grid step is one Bohr radius: lengths read in steps

bool Lit(wl::RGBA p) {
  return (p.R | p.G | p.B) != 0;
}
int Edge(const RenderRequest& r) {
  return r.Size == wl::Main ? 375 : 127;
}
wl::Long View(const wl::RenderDCinfo& dcs, const RenderRequest& r) {
  return r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
}

struct Pixel {
  int x = -1, y = -1;
};
std::vector<Pixel> LitPixels(wl::Long hdc, int edge) {
  std::vector<Pixel> lit;
  for (int y = 0; y < edge; ++y)
    for (int x = 0; x < edge; ++x)
      if (Lit(At(hdc, x, y))) lit.push_back({x, y});
  return lit;
}

// The largest distance of a lit pixel's centre from the nucleus.
double Reach(const std::vector<Pixel>& lit, const wl::ViewScale& s) {
  double reach = 0;
  for (const Pixel& p : lit) reach = std::max(reach, std::hypot(p.x + 0.5 - s.CentreX, p.y + 0.5 - s.CentreY));
  return reach;
}

struct Geometry : ::testing::Test {
  wl::cOrbitalPDF orb;

  // One dot alone (three copies, since the nano view draws every third dot).
  std::vector<Pixel> RenderDot(const PointArray& dot, const RenderRequest& r) {
    Access::PlantDots(orb, {dot, dot, dot});
    return LitPixels(View(orb.GetRender(r), r), Edge(r));
  }
};

TEST_F(Geometry, OrthographicDotsLandOnTheScaledPoint) {
  // A turned camera gives fractional screen coordinates, which tell floor,
  // rounding and a half-pixel shift of the centre apart.
  const double theta = 0.4, phi = 1.1;
  const wl::DotRotation turn(theta, phi);
  const PointArray dots[] = {{40, -17, 23, 99}, {-71, 30, -9, 99}, {5, 88, -60, 99},
                             {-33, -52, 70, 99}, {90, 12, 41, 99}};
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    RenderRequest r = Request(wl::Orthographic, size);
    r.Theta = theta;
    r.Phi = phi;
    const wl::ViewScale s = wl::ScaleOf(r, kRadius);
    for (const PointArray& d : dots) {
      const wl::RotatedPoint p = turn(d.X, d.Y, d.Z);
      const double x = s.CentreX + p.u * s.PixelsPerBohr, y = s.CentreY - p.v * s.PixelsPerBohr;
      const std::vector<Pixel> lit = RenderDot(d, r);
      ASSERT_EQ(lit.size(), 1u) << size;
      if (size == wl::Main) {
        // The main view puts a dot on the pixel holding its point.
        EXPECT_EQ(lit[0].x, static_cast<int>(std::floor(x))) << p.u;
        EXPECT_EQ(lit[0].y, static_cast<int>(std::floor(y))) << p.v;
      } else {
        // The nano view's pixels hold two steps, the middle one three.
        EXPECT_LE(std::abs(lit[0].x + 0.5 - x), 0.75) << p.u;
        EXPECT_LE(std::abs(lit[0].y + 0.5 - y), 0.75) << p.v;
      }
    }
  }
}

TEST_F(Geometry, PerspectiveAndAnaglyphScaleTheNucleusPlane) {
  // Theta = Phi = 0: x across, z upward, y depth; the dots lie in the nucleus's plane.
  const PointArray dots[] = {{100, 0, 37, 99}, {-61, 0, -90, 99}, {13, 0, 115, 99}};
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (int camera : {-300, -180}) {
      RenderRequest r = Request(wl::Perspective, size);
      r.CameraPos = static_cast<wl::Integer>(camera);
      const wl::ViewScale s = wl::ScaleOf(r, kRadius);
      for (const PointArray& d : dots) {
        const double x = s.CentreX + d.X * s.PixelsPerBohr, y = s.CentreY - d.Z * s.PixelsPerBohr;
        const std::vector<Pixel> lit = RenderDot(d, r);
        ASSERT_EQ(lit.size(), 1u);
        EXPECT_LE(std::abs(lit[0].x + 0.5 - x), 0.5) << size << " " << camera << " " << d.X;
        EXPECT_LE(std::abs(lit[0].y + 0.5 - y), 0.5) << size << " " << camera << " " << d.Z;
      }
    }
    // The anaglyph's two images lie either side of the perspective point.
    const RenderRequest r = Request(wl::Anaglyph, size);
    const wl::ViewScale s = wl::ScaleOf(r, kRadius);
    const std::vector<Pixel> lit = RenderDot({100, 0, 0, 99}, r);
    ASSERT_EQ(lit.size(), 2u);
    EXPECT_LE(std::abs((lit[0].x + lit[1].x + 1) / 2.0 - (s.CentreX + 100 * s.PixelsPerBohr)), 0.5);
  }
}

TEST_F(Geometry, SphereOutlinesEncloseTheDotsOfASphere) {
  // Dots all over a sphere of radius 100 steps: the picture's outermost dot
  // reaches the projected outline, which perspective widens.
  std::vector<PointArray> sphere;
  const double a = 100, golden = M_PI * (3 - std::sqrt(5.0));
  for (int i = 0; i < 20000; ++i) {
    const double z = 1 - (i + 0.5) / 10000.0, rr = std::sqrt(1 - z * z);
    const PointArray d{static_cast<wl::Integer>(std::lround(a * rr * std::cos(golden * i))),
                       static_cast<wl::Integer>(std::lround(a * rr * std::sin(golden * i))),
                       static_cast<wl::Integer>(std::lround(a * z)), 99};
    // Only the grid points that lie on the sphere within a quarter step.
    if (std::abs(std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z) - a) <= 0.25) sphere.push_back(d);
  }
  Access::PlantDots(orb, sphere);
  for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective}) {
    for (wl::RenderSize size : {wl::Main, wl::Nano}) {
      RenderRequest r = Request(mode, size);
      r.Theta = 0.7;
      r.Phi = 0.2;
      const wl::ViewScale s = wl::ScaleOf(r, kRadius);
      const double outline = wl::SphereOutlineRadius(r, kRadius, a);
      const double reach = Reach(LitPixels(View(orb.GetRender(r), r), Edge(r)), s);
      EXPECT_NEAR(reach, outline, size == wl::Main ? 1.2 : 1.0) << mode << " " << size;
    }
  }
  RenderRequest r = Request(wl::Perspective);
  EXPECT_NEAR(wl::SphereOutlineRadius(r, kRadius, a), 315 * a / std::sqrt(300 * 300 - a * a), 1e-9);
  // A camera inside the sphere sees no outline.
  EXPECT_EQ(wl::SphereOutlineRadius(r, kRadius, 300), 0);
}

TEST_F(Geometry, SlicesShowTheSpheresCutAtTheirScale) {
  // A ball of radius 90 steps in the grid; the slice 40 steps off the nucleus
  // cuts it in a circle of radius √(90² − 40²).
  Access::PlantEmptyGrid(orb);
  const int ball = 90, t = 40;
  for (int i = 0; i < wl::kGridSize; ++i)
    for (int j = 0; j < wl::kGridSize; ++j)
      for (int k = 0; k < wl::kGridSize; ++k)
        if (i * i + j * j + k * k <= ball * ball) Access::Cell(orb, i, j, k) = 200;
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (int no : {t, -t, 0}) {
      RenderRequest r = Request(wl::Transect, size);
      r.TransectDir = wl::Alongz;
      r.TransectNo = static_cast<wl::Integer>(no);
      const wl::ViewScale s = wl::ScaleOf(r, kRadius);
      const std::vector<Pixel> lit = LitPixels(View(orb.GetRender(r), r), Edge(r));
      // The middle of the lit disc is the nucleus.
      int left = Edge(r), right = -1, top = Edge(r), bottom = -1;
      for (const Pixel& p : lit) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
      }
      EXPECT_DOUBLE_EQ((left + right + 1) / 2.0, s.CentreX);
      EXPECT_DOUBLE_EQ((top + bottom + 1) / 2.0, s.CentreY);
      const double cut = wl::SphereOutlineRadius(r, kRadius, ball);
      EXPECT_NEAR(cut, std::sqrt(ball * ball - no * no) * s.PixelsPerBohr, 1e-9);
      EXPECT_NEAR(Reach(lit, s), cut, 1.0) << size << " " << no;
    }
  }
  RenderRequest r = Request(wl::Transect);
  r.TransectNo = 95;  // the slice misses the ball
  EXPECT_EQ(wl::SphereOutlineRadius(r, kRadius, ball), 0);
}

TEST(GeometryOfRealOrbitals, VolumeFillsTheAtomAndSurfacesKeepTheDotsScale) {
  // The volume image spans the atom radius either way from the nucleus: in
  // the main view inside its black 60-pixel frame, in the nano view edge to edge.
  auto o = std::make_unique<wl::cOrbitalPDF>();
  Access::PlantElectron(*o, wl::modOrbitals::CreateElectron(0), 3);  // 1s, bright to the edges
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    RenderRequest r = Request(wl::Volumetric, size);
    r.VolFinal = wl::kTrue;
    const wl::ViewScale s = wl::ScaleOf(r, 3);
    const std::vector<Pixel> lit = LitPixels(View(o->GetRender(r), r), Edge(r));
    int left = Edge(r), right = -1;
    for (const Pixel& p : lit) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
    }
    EXPECT_NEAR(left, s.CentreX - 3 * s.PixelsPerBohr, 0.5) << size;
    EXPECT_NEAR(right + 1, s.CentreX + 3 * s.PixelsPerBohr, 0.5) << size;
  }
  // A 1s surface is the sphere holding its share, P(r < a) = 1 − e^(−2a)(1 + 2a + 2a²).
  // The 90% one (2.661 a0) is drawn on a box enlarged beyond the atom radius
  // of 2 a0, at the scale of the atom radius; the nano view shows the 50% one whole.
  auto one = std::make_unique<wl::cOrbitalPDF>();
  Access::PlantElectron(*one, wl::modOrbitals::CreateElectron(0), 2);
  ASSERT_TRUE(one->SurfaceFor(0.9).Enlarged());
  auto radiusHolding = [](double share) {
    double lo = 0, hi = 10;
    for (int i = 0; i < 60; ++i) {
      const double a = (lo + hi) / 2;
      (1 - std::exp(-2 * a) * (1 + 2 * a + 2 * a * a) < share ? lo : hi) = a;
    }
    return lo;
  };
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    RenderRequest r = Request(wl::BoundarySurface, size);
    r.VolFinal = wl::kTrue;
    r.EnclosedShare = size == wl::Main ? 0.9 : 0.5;
    const wl::ViewScale s = wl::ScaleOf(r, 2);
    const std::vector<Pixel> lit = LitPixels(View(one->GetRender(r), r), Edge(r));
    int left = Edge(r), right = -1, top = Edge(r), bottom = -1;
    for (const Pixel& p : lit) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
    const double tolerance = size == wl::Main ? 0.5 : 0.75;
    EXPECT_NEAR((left + right + 1) / 2.0, s.CentreX, tolerance) << size;
    EXPECT_NEAR((top + bottom + 1) / 2.0, s.CentreY, tolerance) << size;
    EXPECT_NEAR((right - left + 1) / 2.0,
                wl::SphereOutlineRadius(r, 2, radiusHolding(r.EnclosedShare)), 1.5)
        << size;
  }
}

TEST(GeometryOfRealOrbitals, UnknownSizesAndRadiiHaveNoScale) {
  RenderRequest r = Request(wl::Orthographic);
  r.Size = static_cast<wl::RenderSize>(200);
  EXPECT_EQ(wl::ScaleOf(r, 10).PixelsPerBohr, 0);
  EXPECT_EQ(wl::ScaleOf(Request(wl::Transect), 0).PixelsPerBohr, 0);
  EXPECT_EQ(wl::SphereOutlineRadius(r, 10, 2), 0);
}

}  // namespace
