// Pictures of any size: the same content as the views' own pictures, drawn at
// the picture's resolution (dots apart, slices evaluated per pixel), placed
// where ScaleOf says; the views' own sizes unchanged; red/cyan anaglyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "ErrorNumber.h"
#include "RenderTestSupport.h"
#include "core/Platform.h"
#include "render/DotRotation.h"
#include "render/ViewGeometry.h"

namespace {

using wl::RenderRequest;
using wl::RGBA;
using wltest::Access;
using wltest::Request;

// A picture's pixels, device rows top-down, and its side.
struct Picture {
  int side = 0;
  std::vector<RGBA> px;
  const RGBA& at(int x, int y) const { return px[static_cast<size_t>(y) * side + x]; }
};

Picture Grab(wl::cOrbitalObject& o, const RenderRequest& r) {
  const wl::RenderDCinfo dcs = o.GetRender(r);
  const wl::Long hdc = r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
  Picture p;
  p.side = wl::LookupSurface(hdc)->Width;
  p.px = wltest::Picture(hdc);
  return p;
}

bool Lit(const RGBA& p) {
  return (p.R | p.G | p.B) != 0;
}

// The 8-connected groups of lit pixels: their number and the largest.
struct Clusters {
  int count = 0, largest = 0;
  double cx = 0, cy = 0;  // the middle of the last group's pixels
};
Clusters FindClusters(const Picture& p) {
  Clusters c;
  std::vector<char> seen(p.px.size(), 0);
  std::vector<std::pair<int, int>> stack;
  for (int y0 = 0; y0 < p.side; ++y0) {
    for (int x0 = 0; x0 < p.side; ++x0) {
      if (seen[static_cast<size_t>(y0) * p.side + x0] || !Lit(p.at(x0, y0))) continue;
      int size = 0;
      double sx = 0, sy = 0;
      stack.assign(1, {x0, y0});
      seen[static_cast<size_t>(y0) * p.side + x0] = 1;
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++size;
        sx += x + 0.5;
        sy += y + 0.5;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int u = x + dx, v = y + dy;
            if (u < 0 || v < 0 || u >= p.side || v >= p.side) continue;
            char& s = seen[static_cast<size_t>(v) * p.side + u];
            if (!s && Lit(p.at(u, v))) {
              s = 1;
              stack.emplace_back(u, v);
            }
          }
      }
      ++c.count;
      c.largest = std::max(c.largest, size);
      c.cx = sx / size;
      c.cy = sy / size;
    }
  }
  return c;
}

// A calculated 3Dz² (fixed seed), as the golden pictures use.
class AnySize : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wl::SetSeedHook(1);
    orb = new wl::cOrbitalPDF;
    wl::OrbitalSetup s;
    s.AtomRadius = 18;
    s.DotTarget = 16000;
    s.DotThreshold = 30;
    s.OrbitalIndex = 9;
    orb->Setup(s);
    wl::SetSeedHook(std::nullopt);
  }
  static void TearDownTestSuite() {
    delete orb;
    orb = nullptr;
  }
  static RenderRequest Turned(wl::RenderMode mode, wl::RenderSize size, int pixels = 0) {
    RenderRequest r = Request(mode, size);
    r.Theta = 0.4;
    r.Phi = 0.6;
    r.Pixels = static_cast<wl::Integer>(pixels);
    return r;
  }
  static wl::cOrbitalPDF* orb;
};
wl::cOrbitalPDF* AnySize::orb = nullptr;

TEST_F(AnySize, RefusesSidesOutside16To4096AndKeepsTheLastPicture) {
  const Picture before = Grab(*orb, Turned(wl::Orthographic, wl::Main));
  for (int bad : {15, 4097, -1, 1}) {
    EXPECT_EQ(
        wltest::ErrorNumberOf([&] { orb->GetRender(Turned(wl::Orthographic, wl::Main, bad)); }), 5)
        << bad;
  }
  const wl::Long main = orb->GetRender(Turned(wl::Volumetric, wl::Nano)).MainHDC;
  ASSERT_NE(wl::LookupSurface(main), nullptr);
  EXPECT_EQ(wl::LookupSurface(main)->Width, 375);
  EXPECT_TRUE(wltest::Picture(main) == before.px);
  for (int good : {16, 4096}) {
    EXPECT_EQ(Grab(*orb, Turned(wl::Transect, wl::Nano, good)).side, good);
  }
}

// Pixels equal to the view's own side is the view's own picture, in every mode;
// a big picture does not keep its buffer once the view draws its own again.
TEST_F(AnySize, TheViewsOwnSideIsTheViewsOwnPicture) {
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    const int own = size == wl::Main ? 375 : 127;
    for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective, wl::Anaglyph, wl::Volumetric,
                                wl::Transect, wl::BoundarySurface}) {
      RenderRequest r = Turned(mode, size);
      r.VolFinal = wl::kTrue;
      r.TransectNo = 12;
      r.Transector = mode == wl::Transect ? wl::kFalse : wl::kTrue;
      const Picture a = Grab(*orb, r);
      orb->GetRender(Request(wl::Orthographic));  // not served from the kept final image
      // The nano view's number, 128, names its 127-pixel picture too.
      r.Pixels = static_cast<wl::Integer>(size == wl::Nano && mode % 2 == 0 ? 128 : own);
      const Picture b = Grab(*orb, r);
      ASSERT_EQ(a.side, own);
      EXPECT_TRUE(a.px == b.px) << "mode " << mode << " size " << own;
    }
  }
  Grab(*orb, Turned(wl::Orthographic, wl::Main, 4096));
  Grab(*orb, Turned(wl::Orthographic, wl::Main));
  EXPECT_LE(Access::MainPixels(*orb).Data.capacity(), 375u * 375u);
}

// Big dot pictures hold as many separate dots as the cloud has places: seen
// along y, the dots at the same (x, z) share one place; no two places touch
// and no dot grows into a block.
TEST_F(AnySize, BigDotPicturesHoldEveryDotApart) {
  const std::vector<wl::PointArray>& dots = Access::Dots(*orb);
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    std::set<std::pair<int, int>> places;
    const size_t step = size == wl::Main ? 1 : 3;
    const size_t last = size == wl::Main ? dots.size() : dots.size() - dots.size() % 3;
    for (size_t i = 0; i < last; i += step) places.emplace(dots[i].X, dots[i].Z);
    for (int side : {1024, 2048}) {
      RenderRequest r = Request(wl::Orthographic, size);
      r.Pixels = static_cast<wl::Integer>(side);
      const Picture p = Grab(*orb, r);
      ASSERT_EQ(p.side, side);
      const Clusters c = FindClusters(p);
      EXPECT_EQ(c.count, static_cast<int>(places.size())) << side << " size " << size;
      const double perStep = side / (size == wl::Main ? 375.0 : 254.0);
      const int widest = std::max(1, static_cast<int>(perStep) - 1);
      EXPECT_LE(c.largest, widest * widest) << side;
      EXPECT_GE(c.largest, 1);
    }
  }
}

// ScaleOf places a dot where the renderer puts it, in pictures of any size.
TEST_F(AnySize, ScaleOfFindsTheDotsOfPicturesOfAnySize) {
  wl::cOrbitalPDF o;
  constexpr double kRadius = 127;  // a grid step is one Bohr radius
  const wl::PointArray ortho[] = {{40, -17, 23, 9}, {-71, 30, -9, 9}, {5, 88, -60, 9}};
  const wl::PointArray plane[] = {{100, 0, 37, 9}, {-61, 0, -90, 9}};
  // The grid's outermost points lie on the nano picture's edges, inside it.
  for (const wl::PointArray& d :
       {wl::PointArray{127, 0, 127, 9}, wl::PointArray{-127, 0, -127, 9}}) {
    Access::PlantDots(o, {d, d, d});
    RenderRequest r = Request(wl::Orthographic, wl::Nano);
    r.Pixels = 508;
    EXPECT_EQ(FindClusters(Grab(o, r)).count, 1) << d.X;
  }
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (int side : {600, 2048}) {
      for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective}) {
        RenderRequest r = Request(mode, size);
        r.Pixels = static_cast<wl::Integer>(side);
        if (mode == wl::Orthographic) {
          r.Theta = 0.4;
          r.Phi = 1.1;
        }
        const wl::DotRotation turn(r.Theta, r.Phi);
        const wl::ViewScale s = wl::ScaleOf(r, kRadius);
        const auto& set = mode == wl::Orthographic ? std::vector(ortho, ortho + 3)
                                                   : std::vector(plane, plane + 2);
        for (const wl::PointArray& d : set) {
          Access::PlantDots(o, {d, d, d});
          const Clusters c = FindClusters(Grab(o, r));
          ASSERT_EQ(c.count, 1);
          const wl::RotatedPoint p = turn(d.X, d.Y, d.Z);
          EXPECT_NEAR(c.cx, s.CentreX + p.u * s.PixelsPerBohr, 0.75) << side << " " << mode;
          EXPECT_NEAR(c.cy, s.CentreY - p.v * s.PixelsPerBohr, 0.75) << side << " " << mode;
        }
      }
    }
  }
}

// A slice of three pixels per grid step shows each grid cell's level on the
// pixel over its point: evaluated per pixel, not interpolated or stretched.
TEST_F(AnySize, SlicesAreEvaluatedAtEachPixel) {
  RenderRequest r = Request(wl::Transect, wl::Main);
  r.TransectDir = wl::Alongy;
  r.TransectNo = 10;
  r.Pixels = 1125;  // 3 pixels a step: pixel 562 + 3j lies over grid point j
  const Picture p = Grab(*orb, r);
  int nonzero = 0, smooth = 0;
  for (int j = 0; j < 128; j += 7) {
    for (int i = 0; i < 128; i += 5) {
      const wl::Byte cell = Access::Cell(*orb, j, 10, i);
      const RGBA px = p.at(562 + 3 * j, 562 - 3 * i);
      EXPECT_NEAR(px.G, cell, 1) << j << " " << i;
      EXPECT_EQ(px, p.at(562 - 3 * j, 562 + 3 * i));  // the mirrored quadrant
      nonzero += cell != 0;
    }
  }
  EXPECT_GT(nonzero, 20);
  // Between grid points the picture changes from pixel to pixel: of the
  // three pixels of a grid step, where lit, most are not all alike (a
  // stretched grid would repeat each cell three times).
  int lit = 0;
  for (int y = 300; y < 820; y += 13) {
    for (int x = 562; x < 1100; x += 3) {
      if (p.at(x, y).G == 0) continue;
      ++lit;
      smooth += p.at(x, y).G != p.at(x + 1, y).G || p.at(x, y).G != p.at(x + 2, y).G;
    }
  }
  EXPECT_GT(lit, 500);
  EXPECT_GT(smooth, lit / 2) << lit;
  EXPECT_EQ(p.at(5, 5), RGBA{});  // beyond the sampled cube
}

// Volumes and surfaces at twice the size, shrunk back, are the view's own
// pictures (traced at the finer resolution, so not exactly).
TEST_F(AnySize, VolumesAndSurfacesKeepTheirContentAtTwiceTheSize) {
  for (wl::RenderMode mode : {wl::Volumetric, wl::BoundarySurface}) {
    RenderRequest r = Turned(mode, wl::Main);
    r.VolFinal = wl::kTrue;
    r.VolQuality = 10;
    const Picture own = Grab(*orb, r);
    r.Pixels = 750;
    const Picture big = Grab(*orb, r);
    ASSERT_EQ(big.side, 750);
    double diff = 0;
    int lit = 0;
    for (int y = 0; y < 375; ++y) {
      for (int x = 0; x < 375; ++x) {
        int sum = 0;
        for (int k = 0; k < 4; ++k) sum += big.at(2 * x + k % 2, 2 * y + k / 2).G;
        diff += std::abs(sum / 4.0 - own.at(x, y).G);
        lit += own.at(x, y).G > 0;
      }
    }
    EXPECT_GT(lit, 5000) << mode;
    EXPECT_LT(diff / (375 * 375), 2.0) << mode;
  }
}

// Red/cyan glasses: the left eye's picture in green and blue, the right's in
// red as with red/green glasses; the slice outline too. No pure green remains.
TEST_F(AnySize, RedCyanAnaglyphsDrawTheLeftEyeInCyan) {
  for (int side : {0, 1024}) {
    RenderRequest r = Turned(wl::Anaglyph, wl::Main, side);
    r.Transector = wl::kTrue;
    const Picture redGreen = Grab(*orb, r);
    r.Glasses = wl::RedCyan;
    const Picture redCyan = Grab(*orb, r);
    int cyan = 0, red = 0;
    for (size_t i = 0; i < redCyan.px.size(); ++i) {
      const RGBA a = redGreen.px[i], b = redCyan.px[i];
      ASSERT_EQ(a.B, 0);
      ASSERT_EQ(b.R, a.R);
      ASSERT_EQ(b.G, a.G);
      ASSERT_EQ(b.B, b.G);  // never green without blue
      cyan += b.G > 0 && b.R == 0;
      red += b.R > 0 && b.G == 0;
    }
    EXPECT_GT(cyan, 500) << side;
    EXPECT_GT(red, 500) << side;
  }
}

}  // namespace
