// The dot renderer and GetRender's bookkeeping, pixel by pixel on planted dot
// clouds. Device rows count from the top: the buffer's row y is device row
// 374 - y in the main view (126 - y in the nano view).
#include <gtest/gtest.h>

#include <numbers>

#include "ErrorNumber.h"
#include "RenderTestSupport.h"

namespace {

using wl::PointArray;
using wl::RGBA;
using wltest::Access;
using wltest::At;
using wltest::CountLit;
using wltest::Grey;
using wltest::Picture;
using wltest::Request;

PointArray Dot(int x, int y, int z, int p = 100) {
  return PointArray{static_cast<wl::Integer>(x), static_cast<wl::Integer>(y),
                    static_cast<wl::Integer>(z), static_cast<wl::Byte>(p)};
}

struct DotRender : ::testing::Test {
  wl::cOrbitalPDF orb;

  wl::Long Render(const std::vector<PointArray>& dots, const wl::RenderRequest& r,
                  double dotScale = 1.0) {
    Access::PlantDots(orb, dots, dotScale);
    const wl::RenderDCinfo dcs = orb.GetRender(r);
    return r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
  }
};

TEST_F(DotRender, OrthographicPlacesGridAxesAcrossAndUpward) {
  // Theta = Phi = 0: x across, z upward, y is depth.
  const wl::Long h =
      Render({Dot(127, 0, 0), Dot(0, 0, 50), Dot(-20, 0, -30)}, Request(wl::Orthographic));
  EXPECT_EQ(At(h, 314, 187), Grey(128));
  EXPECT_EQ(At(h, 187, 137), Grey(128));
  EXPECT_EQ(At(h, 167, 217), Grey(128));
  EXPECT_EQ(CountLit(Picture(h)), 3);
}

TEST_F(DotRender, RotationTurnsTheCloud) {
  wl::RenderRequest r = Request(wl::Orthographic);
  r.Phi = std::numbers::pi / 2;  // the y axis comes across
  wl::Long h = Render({Dot(0, 50, 0)}, r);
  EXPECT_EQ(At(h, 237, 187), Grey(128));
  r.Phi = 0;
  r.Theta = std::numbers::pi / 2;  // the y axis points down
  h = Render({Dot(0, 50, 0)}, r);
  EXPECT_EQ(At(h, 187, 237), Grey(128));
}

TEST_F(DotRender, DepthShadesAndOverlapsCombineByOr) {
  // Shade 128 - w · DotScale; w is the grid y here.
  wl::Long h =
      Render({Dot(0, -64, 0), Dot(10, 0, 0), Dot(10, 64, 0), Dot(-10, 0, 0), Dot(-10, 0, 0)},
             Request(wl::Orthographic));
  EXPECT_EQ(At(h, 187, 187), Grey(192));
  EXPECT_EQ(At(h, 197, 187), Grey(128 | 64));
  EXPECT_EQ(At(h, 177, 187), Grey(128));  // equal shades stay 128
  // A smaller DotScale flattens the shading.
  h = Render({Dot(0, -64, 0)}, Request(wl::Orthographic), 0.5);
  EXPECT_EQ(At(h, 187, 187), Grey(160));
}

TEST_F(DotRender, ProbabilityColoursDarkenWithDepth) {
  wl::RenderRequest r = Request(wl::Orthographic);
  r.ShowProbLevelOnDots = wl::kTrue;
  wl::Long h = Render({Dot(0, 0, 0, 200), Dot(20, -127, 0, 255)}, r);
  EXPECT_EQ(At(h, 187, 187), (RGBA{0, 200 * 128 / 255, 55 * 128 / 255, 0}));
  EXPECT_EQ(At(h, 207, 187), (RGBA{0, 255, 0, 0}));
  // Anaglyphs ignore the probability colouring.
  r.Mode = wl::Anaglyph;
  h = Render({Dot(40, 15, 20, 200)}, r);
  EXPECT_EQ(At(h, 227, 167), (RGBA{0, 113, 113, 0}));
}

TEST_F(DotRender, DotsOutsideTheSquareAreSkippedNotClipped) {
  wl::Long h =
      Render({Dot(187, 0, -187), Dot(188, 0, 0), Dot(0, 0, -188)}, Request(wl::Orthographic));
  EXPECT_EQ(At(h, 374, 374), Grey(128));
  EXPECT_EQ(CountLit(Picture(h)), 1);
  // A grid corner turned towards the viewer falls outside.
  wl::RenderRequest r = Request(wl::Orthographic);
  r.Theta = r.Phi = std::numbers::pi / 4;
  h = Render({Dot(127, 127, 127)}, r, 127 / 220.0);
  EXPECT_EQ(CountLit(Picture(h)), 0);
}

TEST_F(DotRender, PerspectiveProjectsOntoThePlane) {
  // Camera at -300, plane at 15: a dot at depth 0 is enlarged by 315 / 300.
  wl::Long h = Render({Dot(50, 0, 0), Dot(-40, 120, 0)}, Request(wl::Perspective), 0.25);
  EXPECT_EQ(At(h, 239, 187), Grey(128));
  EXPECT_EQ(At(h, 157, 187), Grey(98));  // -40 · 0.75 = -30, shade 128 - 30
}

TEST_F(DotRender, PerspectiveDotAtTheCameraDepthReusesThePreviousPoint) {
  // The second dot lies at the camera's depth: it lands where the first did.
  wl::Long h = Render({Dot(50, 0, 0), Dot(0, -300, 0)}, Request(wl::Perspective), 0.25);
  EXPECT_EQ(At(h, 239, 187), Grey(128 | 203));
  EXPECT_EQ(CountLit(Picture(h)), 1);
  // As the first dot of a render it lands at the centre.
  h = Render({Dot(0, -300, 60)}, Request(wl::Perspective), 0.25);
  EXPECT_EQ(At(h, 187, 187), Grey(203));
}

TEST_F(DotRender, AnaglyphEyesSeparateExceptOnThePlane) {
  // On the plane both eyes see the dot at one pixel: yellow.
  wl::Long h = Render({Dot(40, 15, 20)}, Request(wl::Anaglyph));
  EXPECT_EQ(At(h, 227, 167), (RGBA{0, 113, 113, 0}));
  EXPECT_EQ(CountLit(Picture(h)), 1);
  // Behind it the eyes part: eye offset round(315 / -30) = -10 (half to even),
  // then 10 · 0.75 - 10 = -2.5 rounds to -2 for green, 2.5 to 2 for red.
  h = Render({Dot(0, 120, 0)}, Request(wl::Anaglyph));
  EXPECT_EQ(At(h, 185, 187), (RGBA{0, 8, 0, 0}));
  EXPECT_EQ(At(h, 189, 187), (RGBA{0, 0, 8, 0}));
  EXPECT_EQ(CountLit(Picture(h)), 2);
}

TEST_F(DotRender, AnaglyphWithoutStereoDivisorRaises) {
  wl::RenderRequest r = Request(wl::Anaglyph);
  r.StereoFactor = 0;
  Access::PlantDots(orb, {Dot(0, 0, 0)});
  EXPECT_EQ(wltest::ErrorNumberOf([&] { orb.GetRender(r); }), wl::kDivisionByZero);
}

TEST_F(DotRender, NanoViewDrawsEveryThirdDotAtHalfScale) {
  const wl::RenderRequest r = Request(wl::Orthographic, wl::Nano);
  // Five dots: indices up to 4 - (5 mod 3) = 2, so only dot 0 is drawn.
  const std::vector<PointArray> five = {Dot(-3, 0, 0), Dot(10, 0, 0), Dot(20, 0, 0), Dot(127, 0, 0),
                                        Dot(40, 0, 0)};
  wl::Long h = Render(five, r);
  EXPECT_EQ(At(h, 62, 63), Grey(128));  // -3 / 2 truncates to -1
  EXPECT_EQ(CountLit(Picture(h)), 1);
  // Six dots: 0 and 3.
  std::vector<PointArray> six = five;
  six.push_back(Dot(60, 0, 0));
  h = Render(six, r);
  EXPECT_EQ(At(h, 62, 63), Grey(128));
  EXPECT_EQ(At(h, 126, 63), Grey(128));
  EXPECT_EQ(CountLit(Picture(h)), 2);
  const wl::Surface* s = wl::LookupSurface(h);
  EXPECT_EQ(s->Width, 127);
  EXPECT_EQ(s->Rows, 128);
}

TEST_F(DotRender, NanoPerspectiveHalvesThePointButNotTheShade) {
  // Three dots: only the first is drawn.
  wl::Long h =
      Render({Dot(50, 40, 0), Dot(0, 0, 0), Dot(0, 0, 0)}, Request(wl::Perspective, wl::Nano));
  // (25, 20, 0) seen from -300 onto 15: 25 · 315 / 320 = 24.6; shade 128 - 40.
  EXPECT_EQ(At(h, 88, 63), Grey(88));
  EXPECT_EQ(CountLit(Picture(h)), 1);
}

TEST_F(DotRender, TheTransectorIsDrawnInTheMainViewOnly) {
  wl::RenderRequest r = Request(wl::Orthographic, wl::Nano);
  r.Transector = wl::kTrue;
  EXPECT_EQ(CountLit(Picture(Render({}, r))), 0);
  r.Size = wl::Main;
  EXPECT_GT(CountLit(Picture(Render({}, r))), 250);
}

TEST_F(DotRender, EachViewKeepsItsOwnBuffer) {
  Render({Dot(0, 0, 0)}, Request(wl::Orthographic));
  EXPECT_EQ(Access::PixelsEdge(orb), 374);
  EXPECT_EQ(Access::MainPixels(orb).Width, 375);
  EXPECT_EQ(Access::MainPixels(orb).Height, 375);
  const wl::PixelArray mainImage = Access::MainPixels(orb);

  Render({Dot(0, 0, 0)}, Request(wl::Orthographic, wl::Nano));
  EXPECT_EQ(Access::PixelsEdge(orb), 126);
  EXPECT_EQ(Access::NanoPixels(orb).Width, 127);
  EXPECT_EQ(Access::NanoPixels(orb).Height, 127);
  EXPECT_EQ(Access::MainPixels(orb), mainImage);

  // The next main render clears its buffer: the old dot is gone.
  Render({Dot(30, 0, 0)}, Request(wl::Orthographic));
  EXPECT_EQ(Access::PixelsEdge(orb), 374);
  EXPECT_EQ(Access::MainPixels(orb)(187, 187), RGBA{});
  EXPECT_EQ(Access::MainPixels(orb)(217, 187), Grey(128));
}

TEST_F(DotRender, HandlesAndLastRequestsPerView) {
  Access::PlantDots(orb, {Dot(0, 0, 0)});
  const wl::RenderDCinfo first = orb.GetRender(Request(wl::Orthographic));
  EXPECT_NE(first.MainHDC, 0);
  EXPECT_EQ(first.NanoHDC, 0);  // not rendered yet
  const wl::RenderDCinfo second = orb.GetRender(Request(wl::Perspective, wl::Nano));
  EXPECT_EQ(second.MainHDC, first.MainHDC);
  EXPECT_NE(second.NanoHDC, 0);
  EXPECT_EQ(Access::LastMain(orb).Mode, wl::Orthographic);
  EXPECT_EQ(Access::LastNano(orb).Mode, wl::Perspective);

  // Another size draws nothing and keeps the handles; it counts as the nano view's request.
  wl::RenderRequest odd = Request(wl::Anaglyph);
  odd.Size = static_cast<wl::RenderSize>(200);
  const wl::RenderDCinfo third = orb.GetRender(odd);
  EXPECT_EQ(third.MainHDC, second.MainHDC);
  EXPECT_EQ(third.NanoHDC, second.NanoHDC);
  EXPECT_NE(wl::LookupSurface(third.MainHDC), nullptr);
  EXPECT_EQ(Access::LastNano(orb).Mode, wl::Anaglyph);
  EXPECT_EQ(Access::LastMain(orb).Mode, wl::Orthographic);

  // An unknown mode shows a black picture on a new bitmap.
  const wl::RenderDCinfo fourth = orb.GetRender(Request(static_cast<wl::RenderMode>(7)));
  EXPECT_NE(fourth.MainHDC, first.MainHDC);
  EXPECT_EQ(wl::LookupSurface(first.MainHDC), nullptr);
  EXPECT_EQ(CountLit(Picture(fourth.MainHDC)), 0);
}

TEST_F(DotRender, FramesRenderedCountsAndStopsAtTheTop) {
  Access::PlantDots(orb, {Dot(0, 0, 0)});
  orb.GetRender(Request(wl::Orthographic));
  orb.GetRender(
      Request(wl::Transect, static_cast<wl::RenderSize>(1)));  // draws nothing, still counts
  EXPECT_EQ(orb.GetStats().FramesRendered, 2);
  Access::FramesRendered(orb) = 2147483646;
  orb.GetRender(Request(wl::Orthographic));
  orb.GetRender(Request(wl::Orthographic));
  EXPECT_EQ(orb.GetStats().FramesRendered, 2147483647);
}

}  // namespace
