// The transect renderer on planted grid values, and the transector: its
// outline in the dot views and the shaded line and save/restore walks.
#include <gtest/gtest.h>

#include "ErrorNumber.h"
#include "RenderTestSupport.h"

namespace {

using wl::RGBA;
using wltest::Access;
using wltest::At;
using wltest::CountLit;
using wltest::Grey;
using wltest::Picture;
using wltest::Request;

struct TransectRender : ::testing::Test {
  wl::cOrbitalPDF orb;
  void SetUp() override { Access::PlantEmptyGrid(orb); }

  wl::Long Render(const wl::RenderRequest& r) {
    const wl::RenderDCinfo dcs = orb.GetRender(r);
    return r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
  }
  wl::RenderRequest Slice(wl::TransectDirection dir, int no, wl::RenderSize size = wl::Main) {
    wl::RenderRequest r = Request(wl::Transect, size);
    r.TransectDir = dir;
    r.TransectNo = static_cast<wl::Integer>(no);
    return r;
  }
};

TEST_F(TransectRender, EachAxisMirrorsItsQuarterIntoFourQuadrants) {
  Access::Cell(orb, 5, 10, 20) = 77;  // x = 5 slice, and y = 5 below
  Access::Cell(orb, 10, 5, 20) = 88;  // y = 5 slice
  Access::Cell(orb, 10, 20, 5) = 99;  // z = 5 slice
  const std::pair<wl::TransectDirection, int> cases[] = {
      {wl::AlongX, 77}, {wl::Alongy, 88}, {wl::Alongz, 99}};
  for (const auto& [dir, value] : cases) {
    const wl::Long h = Render(Slice(dir, 5));
    // Columns 187 ± j, rows 187 ± i for the cell's two free indices (j, i).
    for (int x : {177, 197}) {
      for (int y : {167, 207}) EXPECT_EQ(At(h, x, y), Grey(value)) << dir << " " << x << "," << y;
    }
    EXPECT_EQ(CountLit(Picture(h)), 4) << dir;
  }
}

TEST_F(TransectRender, SlicesAtPlusAndMinusAreEqual) {
  for (int i = 0; i < 128; i += 3)
    Access::Cell(orb, i, 5, (i * 7) % 128) = static_cast<wl::Byte>(i + 1);
  const std::vector<RGBA> plus = Picture(Render(Slice(wl::Alongy, 5)));
  const std::vector<RGBA> minus = Picture(Render(Slice(wl::Alongy, -5)));
  EXPECT_EQ(plus, minus);
  EXPECT_GT(CountLit(plus), 100);
}

TEST_F(TransectRender, TheSliceFillsTheCentralSquare) {
  for (int i = 0; i < 128; ++i) {
    for (int k = 0; k < 128; ++k) Access::Cell(orb, i, 0, k) = 200;
  }
  const wl::Long h = Render(Slice(wl::Alongy, 0));
  EXPECT_EQ(CountLit(Picture(h)), 255 * 255);
  for (int p : {60, 314}) {
    EXPECT_EQ(At(h, p, 187), Grey(200));
    EXPECT_EQ(At(h, 187, p), Grey(200));
  }
  EXPECT_EQ(At(h, 59, 187), RGBA{});
  EXPECT_EQ(At(h, 315, 187), RGBA{});
  EXPECT_EQ(At(h, 187, 59), RGBA{});
  EXPECT_EQ(At(h, 187, 315), RGBA{});
}

TEST_F(TransectRender, ProbabilityColoursFollowTheOtherViewsDots) {
  Access::Cell(orb, 0, 0, 0) = 255;
  Access::Cell(orb, 1, 0, 0) = 128;
  wl::RenderRequest r = Slice(wl::Alongy, 0);
  EXPECT_EQ(At(Render(r), 187, 187), Grey(255));

  r.ShowProbLevelOnDots = r.ShowProbLevelOnTrans = wl::kTrue;
  // The nano view has shown nothing yet: its last mode reads as orthographic.
  wl::Long h = Render(r);
  EXPECT_EQ(At(h, 187, 187), (RGBA{0, 255, 0, 0}));
  EXPECT_EQ(At(h, 188, 187), (RGBA{0, 64, 63, 0}));

  const std::pair<wl::RenderMode, bool> others[] = {
      {wl::Perspective, true}, {wl::Anaglyph, false}, {wl::Transect, false}};
  for (const auto& [mode, coloured] : others) {
    orb.GetRender(Request(mode, wl::Nano));
    h = Render(r);
    EXPECT_EQ(At(h, 188, 187), coloured ? (RGBA{0, 64, 63, 0}) : Grey(128)) << mode;
  }

  // One of the two options alone keeps the slice grey.
  orb.GetRender(Request(wl::Orthographic, wl::Nano));
  r.ShowProbLevelOnDots = wl::kFalse;
  EXPECT_EQ(At(Render(r), 188, 187), Grey(128));
}

TEST_F(TransectRender, NanoViewReadsEverySecondCellOfTheUnhalvedSlice) {
  Access::Cell(orb, 10, 6, 20) = 50;  // picked: j = 5, i = 10 of slice y = 6
  Access::Cell(orb, 11, 6, 20) = 60;  // odd index: never read
  Access::Cell(orb, 10, 3, 20) = 70;  // the halved slice: not read
  wl::RenderRequest r = Slice(wl::Alongy, 6, wl::Nano);
  r.ShowProbLevelOnDots = r.ShowProbLevelOnTrans = wl::kTrue;
  orb.GetRender(Request(wl::Anaglyph));  // the main view's mode keeps the nano slice grey
  const wl::Long h = Render(r);
  for (int x : {58, 68}) {
    for (int y : {53, 73}) EXPECT_EQ(At(h, x, y), Grey(50));
  }
  EXPECT_EQ(CountLit(Picture(h)), 4);
  EXPECT_EQ(wl::LookupSurface(h)->Width, 127);
}

TEST_F(TransectRender, ASliceOutsideTheGridRaisesAndKeepsTheLastImage) {
  Access::Cell(orb, 0, 0, 0) = 90;
  const wl::Long h = Render(Slice(wl::Alongy, 0));
  for (int no : {128, -128, 32767, -32768}) {
    EXPECT_EQ(wltest::ErrorNumberOf([&] { Render(Slice(wl::Alongy, no)); }), wl::kSubscriptRange);
  }
  EXPECT_EQ(At(h, 187, 187), Grey(90));
  EXPECT_EQ(orb.GetRender(Request(wl::Orthographic, wl::Nano)).MainHDC, h);
}

// ---- the transector ----

struct Transector : TransectRender {
  wl::RenderRequest Dots(wl::RenderMode mode, wl::TransectDirection dir, int no) {
    wl::RenderRequest r = Request(mode);
    r.Transector = wl::kTrue;
    r.TransectDir = dir;
    r.TransectNo = static_cast<wl::Integer>(no);
    return r;
  }
};

TEST_F(Transector, EdgeOnSliceIsOneHorizontalLine) {
  const wl::Long h = Render(Dots(wl::Orthographic, wl::Alongz, 0));
  for (int x = 60; x <= 314; ++x) ASSERT_EQ(At(h, x, 187), Grey(255)) << x;
  EXPECT_EQ(At(h, 59, 187), RGBA{});
  EXPECT_EQ(At(h, 315, 187), RGBA{});
  EXPECT_EQ(CountLit(Picture(h)), 255);
}

TEST_F(Transector, FacingSliceIsASquareOutline) {
  // The slice y = 0 faces the viewer at depth 0: shade 128, corners drawn twice.
  const wl::Long h = Render(Dots(wl::Orthographic, wl::Alongy, 0));
  EXPECT_EQ(At(h, 187, 60), Grey(128));
  EXPECT_EQ(At(h, 187, 314), Grey(128));
  EXPECT_EQ(At(h, 60, 187), Grey(128));
  EXPECT_EQ(At(h, 314, 187), Grey(128));
  EXPECT_EQ(At(h, 60, 60), Grey(255));
  EXPECT_EQ(At(h, 314, 314), Grey(255));
  EXPECT_EQ(CountLit(Picture(h)), 4 * 254);
  // In perspective the square at depth 0 grows by 315 / 300: 127 · 1.05 = 133.35.
  const wl::Long p = Render(Dots(wl::Perspective, wl::Alongy, 0));
  EXPECT_EQ(At(p, 187, 54), Grey(128));
  EXPECT_EQ(At(p, 320, 187), Grey(128));
}

TEST_F(Transector, AnaglyphOutlinesAreGreenAndRed) {
  const std::vector<RGBA> pic = Picture(Render(Dots(wl::Anaglyph, wl::Alongy, 40)));
  int green = 0, red = 0;
  for (const RGBA& p : pic) {
    ASSERT_EQ(p.B, 0);
    green += p.G != 0;
    red += p.R != 0;
  }
  EXPECT_GT(green, 800);
  EXPECT_GT(red, 800);
}

TEST_F(Transector, ColouredTransectorOptionChangesNothing) {
  for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective, wl::Anaglyph}) {
    wl::RenderRequest r = Dots(mode, wl::AlongX, -30);
    r.Theta = 0.3;
    r.Phi = -1.1;
    const std::vector<RGBA> plain = Picture(Render(r));
    r.UseColouredTransector = wl::kTrue;
    EXPECT_EQ(Picture(Render(r)), plain) << mode;
  }
}

TEST_F(Transector, ShadedLineCarriesBothEndShadesMonotonically) {
  wl::PixelArray& px = Access::PrepareView(orb, wl::Main);
  Access::DrawShadedLine(orb, 10, 10, 50, 30, 20, 200, 255);
  EXPECT_EQ(px(10, 10).R, 20);
  EXPECT_EQ(px(50, 30).R, 200);
  int previous = 0, drawn = 0;
  for (int x = 10; x <= 50; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 375; ++y) {
      if (px(x, y).R == 0) continue;
      ++inColumn;
      EXPECT_GE(px(x, y).R, previous);
      previous = px(x, y).R;
      EXPECT_EQ(px(x, y).G, 0);
    }
    EXPECT_EQ(inColumn, 1) << x;  // x is the major axis: one pixel per column
    drawn += inColumn;
  }
  EXPECT_EQ(drawn, 41);

  // Shades are clamped to 0 to 255; a falling shade works alike.
  Access::DrawShadedLine(orb, 100, 200, 100, 100, -50, 300, 65280);
  EXPECT_EQ(px(100, 200).G, 0);
  EXPECT_EQ(px(100, 100).G, 255);
  Access::DrawShadedLine(orb, 120, 100, 120, 200, 250, 10, 65280);
  EXPECT_EQ(px(120, 100).G, 250);
  EXPECT_EQ(px(120, 200).G, 10);
  EXPECT_GE(px(120, 150).G, px(120, 151).G);
}

TEST_F(Transector, ShadedLineCombinesByColourAndSkipsOutsidePixels) {
  wl::PixelArray& px = Access::PrepareView(orb, wl::Nano);
  px(5, 5) = RGBA{100, 0x0F, 100, 100};
  Access::DrawShadedLine(orb, 5, 5, 5, 5, 0xF0, 0xF0, 65280);  // green: OR
  EXPECT_EQ(px(5, 5), (RGBA{100, 0xFF, 100, 100}));
  px(6, 6) = RGBA{100, 100, 100, 42};
  Access::DrawShadedLine(orb, 6, 6, 6, 6, 200, 200, 16777215);  // white: saturating add, A kept
  EXPECT_EQ(px(6, 6), (RGBA{255, 255, 255, 42}));
  const wl::PixelArray before = px;
  Access::DrawShadedLine(orb, 0, 0, 126, 126, 99, 99, 0x123456);  // no such colour
  EXPECT_EQ(px, before);

  // Beyond the nano buffer's edge 126 nothing is written.
  Access::DrawShadedLine(orb, -20, 40, 200, 40, 50, 50, 255);
  for (int x = 0; x <= 126; ++x) EXPECT_EQ(px(x, 40).R, 50);
  Access::DrawShadedLine(orb, -2000000000, -5, 2000000000, -5, 50, 50, 255);
  Access::DrawShadedLine(orb, 400, 0, 400, 126, 50, 50, 255);
  for (int y = 0; y <= 126; ++y) EXPECT_EQ(px(126, y).R, y == 40 ? 50 : 0);
}

TEST_F(Transector, SaveDrawRestoreGivesTheGreyImageBack) {
  wl::PixelArray& px = Access::PrepareView(orb, wl::Main);
  for (int y = 0; y < 375; ++y) {
    for (int x = 0; x < 375; ++x) px(x, y) = Grey((x * 3 + y) % 256);
  }
  const wl::PixelArray original = px;
  Access::SaveRestoreLine(orb, 20, 300, 350, 40, false);
  Access::SaveRestoreLine(orb, 20, 40, 350, 300, false);  // the two lines cross
  Access::DrawShadedLine(orb, 20, 300, 350, 40, 10, 250, 16777215);
  Access::DrawShadedLine(orb, 20, 40, 350, 300, 250, 10, 16777215);
  EXPECT_NE(px, original);
  Access::SaveRestoreLine(orb, 20, 300, 350, 40, true);
  Access::SaveRestoreLine(orb, 20, 40, 350, 300, true);
  for (int y = 0; y < 375; ++y) {
    for (int x = 0; x < 375; ++x) {
      const RGBA a = px(x, y), b = original(x, y);
      ASSERT_TRUE(a.R == b.R && a.G == b.G && a.B == b.B) << x << "," << y;
    }
  }
}

}  // namespace
