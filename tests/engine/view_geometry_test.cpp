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
using wltest::Request;

constexpr double kRadius = 127;  // one grid step is one Bohr radius: lengths read in steps

// The lit pixels of a rendered view: their bounding box, and the largest
// distance of a lit pixel's centre from the nucleus.
struct Lit {
  int left = 1000, right = -1, top = 1000, bottom = -1, count = 0;
  double reach = 0;
};
Lit Render(wl::cOrbitalObject& o, const RenderRequest& r, double atomRadius) {
  const wl::RenderDCinfo dcs = o.GetRender(r);
  const wl::Long hdc = r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
  const wl::ViewScale s = wl::ScaleOf(r, atomRadius);
  const int edge = wl::FrameOf(r).Side;
  Lit lit;
  for (int y = 0; y < edge; ++y) {
    for (int x = 0; x < edge; ++x) {
      const wl::RGBA p = wltest::At(hdc, x, y);
      if ((p.R | p.G | p.B) == 0) continue;
      ++lit.count;
      lit.left = std::min(lit.left, x);
      lit.right = std::max(lit.right, x);
      lit.top = std::min(lit.top, y);
      lit.bottom = std::max(lit.bottom, y);
      lit.reach = std::max(lit.reach, std::hypot(x + 0.5 - s.CentreX, y + 0.5 - s.CentreY));
    }
  }
  return lit;
}

TEST(ViewGeometry, DotsLandOnTheScaledPoint) {
  // A turned camera gives fractional screen coordinates, which tell floor,
  // rounding and a half-pixel shift of the centre apart. Perspective dots lie
  // in the nucleus's plane (Theta = Phi = 0: y is depth).
  wl::cOrbitalPDF orb;
  const PointArray ortho[] = {{40, -17, 23, 9}, {-71, 30, -9, 9}, {5, 88, -60, 9}, {90, 12, 41, 9}};
  const PointArray plane[] = {{100, 0, 37, 9}, {-61, 0, -90, 9}, {13, 0, 115, 9}};
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective}) {
      RenderRequest r = Request(mode, size);
      if (mode == wl::Orthographic) {
        r.Theta = 0.4;
        r.Phi = 1.1;
      }
      const wl::DotRotation turn(r.Theta, r.Phi);
      const wl::ViewScale s = wl::ScaleOf(r, kRadius);
      for (const PointArray& d : mode == wl::Orthographic ? std::vector(ortho, ortho + 4)
                                                          : std::vector(plane, plane + 3)) {
        Access::PlantDots(orb, {d, d, d});  // the nano view draws every third dot
        const Lit lit = Render(orb, r, kRadius);
        ASSERT_EQ(lit.count, 1);
        const wl::RotatedPoint p = turn(d.X, d.Y, d.Z);
        const double x = s.CentreX + p.u * s.PixelsPerBohr, y = s.CentreY - p.v * s.PixelsPerBohr;
        if (size == wl::Main && mode == wl::Orthographic) {
          // The main view puts a dot on the pixel holding its point.
          EXPECT_EQ(lit.left, static_cast<int>(std::floor(x))) << p.u;
          EXPECT_EQ(lit.top, static_cast<int>(std::floor(y))) << p.v;
        } else {
          // Rounded to the nearest pixel; the nano view's middle pixel holds
          // three steps, the others two.
          const double slack = mode == wl::Orthographic ? 0.75 : 0.5;
          EXPECT_LE(std::abs(lit.left + 0.5 - x), slack) << size << " " << mode << " " << p.u;
          EXPECT_LE(std::abs(lit.top + 0.5 - y), slack) << size << " " << mode << " " << p.v;
        }
      }
    }
  }
}

TEST(ViewGeometry, PerspectiveWidensTheOutlineOfASphereOfDots) {
  // Grid points within a quarter step of a sphere of radius 100 steps: the
  // outermost reaches the projected outline, wider than the sphere.
  std::vector<PointArray> sphere;
  const double a = 100, golden = M_PI * (3 - std::sqrt(5.0));
  for (int i = 0; i < 20000; ++i) {
    const double z = 1 - (i + 0.5) / 10000.0, rr = std::sqrt(1 - z * z);
    const PointArray d{static_cast<wl::Integer>(std::lround(a * rr * std::cos(golden * i))),
                       static_cast<wl::Integer>(std::lround(a * rr * std::sin(golden * i))),
                       static_cast<wl::Integer>(std::lround(a * z)), 99};
    if (std::abs(std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z) - a) <= 0.25) sphere.push_back(d);
  }
  wl::cOrbitalPDF orb;
  Access::PlantDots(orb, sphere);
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    RenderRequest r = Request(wl::Perspective, size);
    r.Theta = 0.7;
    r.Phi = 0.2;
    const double outline = wl::SphereOutlineRadius(r, kRadius, a);
    EXPECT_GT(outline, 1.01 * a * wl::ScaleOf(r, kRadius).PixelsPerBohr);
    EXPECT_NEAR(Render(orb, r, kRadius).reach, outline, size == wl::Main ? 1.2 : 1.0) << size;
  }
  EXPECT_EQ(wl::SphereOutlineRadius(Request(wl::Perspective), kRadius, 300), 0);  // camera inside
}

TEST(ViewGeometry, SlicesShowTheSpheresCutAboutTheNucleus) {
  // A ball of radius 90 steps in the grid; a slice t steps off the nucleus
  // cuts it in a circle of radius √(90² − t²), none beyond the ball.
  wl::cOrbitalPDF orb;
  Access::PlantEmptyGrid(orb);
  const int ball = 90;
  for (int i = 0; i < wl::kGridSize; ++i)
    for (int j = 0; j < wl::kGridSize; ++j)
      for (int k = 0; k < wl::kGridSize; ++k)
        if (i * i + j * j + k * k <= ball * ball) Access::Cell(orb, i, j, k) = 200;
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (int no : {40, -40, 0}) {
      RenderRequest r = Request(wl::Transect, size);
      r.TransectDir = wl::Alongz;
      r.TransectNo = static_cast<wl::Integer>(no);
      const wl::ViewScale s = wl::ScaleOf(r, kRadius);
      const Lit lit = Render(orb, r, kRadius);
      EXPECT_DOUBLE_EQ((lit.left + lit.right + 1) / 2.0, s.CentreX);
      EXPECT_DOUBLE_EQ((lit.top + lit.bottom + 1) / 2.0, s.CentreY);
      EXPECT_NEAR(lit.reach, wl::SphereOutlineRadius(r, kRadius, ball), 1.0) << size << " " << no;
    }
  }
  RenderRequest r = Request(wl::Transect);
  r.TransectNo = 95;
  EXPECT_EQ(wl::SphereOutlineRadius(r, kRadius, ball), 0);
}

TEST(ViewGeometry, VolumesSpanTheAtomAndSurfacesKeepItsScaleInAnEnlargedBox) {
  // The volume spans the atom radius either way: in the main view within its
  // black 60-pixel frame, in the nano view edge to edge.
  wl::cOrbitalPDF vol;
  Access::PlantElectron(vol, wl::modOrbitals::CreateElectron(0), 3);  // 1s, bright to the edges
  // A 1s surface is the sphere holding its share, P(r < a) = 1 − e^(−2a)(1 + 2a + 2a²);
  // the 90% one (2.661 a0) is drawn on a box enlarged beyond the atom radius of 2 a0.
  wl::cOrbitalPDF surf;
  Access::PlantElectron(surf, wl::modOrbitals::CreateElectron(0), 2);
  ASSERT_TRUE(surf.SurfaceFor(0.9).Enlarged());
  auto holding = [](double share) {
    double lo = 0, hi = 10;
    for (int i = 0; i < 60; ++i) {
      const double a = (lo + hi) / 2;
      (1 - std::exp(-2 * a) * (1 + 2 * a + 2 * a * a) < share ? lo : hi) = a;
    }
    return lo;
  };
  // Pictures of other sizes (Pixels) keep both, about their middle.
  for (int pixels : {0, 1000}) {
    for (wl::RenderSize size : {wl::Main, wl::Nano}) {
      RenderRequest r = Request(wl::Volumetric, size);
      r.VolFinal = wl::kTrue;
      r.Pixels = static_cast<wl::Integer>(pixels);
      wl::ViewScale s = wl::ScaleOf(r, 3);
      Lit lit = Render(vol, r, 3);
      const double zoom = wl::FrameOf(r).Zoom;
      EXPECT_NEAR(lit.left, s.CentreX - 3 * s.PixelsPerBohr, 0.5 * zoom) << size;
      EXPECT_NEAR(lit.right + 1, s.CentreX + 3 * s.PixelsPerBohr, 0.5 * zoom) << size;

      r.Mode = wl::BoundarySurface;
      r.EnclosedShare = size == wl::Main ? 0.9 : 0.5;  // the nano view shows the 50% one whole
      s = wl::ScaleOf(r, 2);
      lit = Render(surf, r, 2);
      const double slack = size == wl::Main ? 0.5 : 0.75;
      EXPECT_NEAR((lit.left + lit.right + 1) / 2.0, s.CentreX, slack) << size << " " << pixels;
      EXPECT_NEAR((lit.top + lit.bottom + 1) / 2.0, s.CentreY, slack) << size << " " << pixels;
      EXPECT_NEAR((lit.right - lit.left + 1) / 2.0,
                  wl::SphereOutlineRadius(r, 2, holding(r.EnclosedShare)), 1.5 * zoom)
          << size << " " << pixels;
    }
  }
}

}  // namespace
