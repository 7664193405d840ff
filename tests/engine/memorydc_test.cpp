// The memory bitmap's scan-line rules and life cycle, and the block copies
// between drawing surfaces.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "ErrorNumber.h"
#include "render/Surfaces.h"
#include "render/cMemoryDCEx.h"

namespace {

using wl::cMemoryDCEx;
using wl::Long;
using wl::RGBA;
using wltest::ErrorNumberOf;

RGBA Px(int v) {
  return RGBA{static_cast<wl::Byte>(v), static_cast<wl::Byte>(v >> 8), 7, 9};
}

// Rows of the picture holding anything but black.
int CountLitRows(const cMemoryDCEx& dc) {
  int n = 0;
  for (Long y = 0; y < dc.Height(); ++y) {
    for (const RGBA& p : dc.GetBits(y)) {
      if (!(p == RGBA{})) {
        ++n;
        break;
      }
    }
  }
  return n;
}

// A pattern unique to every pixel, indexed (x, y) with y = 0 the bottom row.
wl::PixelArray Pattern(Long w, Long h) {
  wl::PixelArray a(w, h);
  for (Long y = 0; y < h; ++y) {
    for (Long x = 0; x < w; ++x) a(x, y) = Px(x + 1000 * y);
  }
  return a;
}

TEST(MemoryDC, CreateMakesOneRowMoreThanAskedAndBlack) {
  cMemoryDCEx dc;
  const Long hdc = dc.Create(375, 375);
  EXPECT_EQ(hdc, dc.hdc());
  EXPECT_NE(hdc, 0);
  EXPECT_NE(dc.hBmp(), 0);
  EXPECT_NE(dc.hBmp(), hdc);
  const wl::Surface* s = wl::LookupSurface(hdc);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Width, 375);
  EXPECT_EQ(s->Rows, 376);
  for (const RGBA& p : s->Pixels) ASSERT_EQ(p, RGBA{});
}

TEST(MemoryDC, RowsAreNumberedFromTheTopOfThePicture) {
  cMemoryDCEx dc;
  dc.Create(375, 375);
  const wl::PixelArray pic = Pattern(375, 375);
  dc.SetAllBits(pic);
  // Bits(x, 0) is the bottom row of the picture: device row 374.
  const std::vector<RGBA> top = dc.GetBits(0), last = dc.GetBits(374);
  ASSERT_EQ(top.size(), 375u);
  for (Long x = 0; x < 375; ++x) {
    EXPECT_EQ(top[x], pic(x, 374));
    EXPECT_EQ(last[x], pic(x, 0));
  }
  EXPECT_EQ(wl::LookupSurface(dc.hdc())->Row(0)[5], pic(5, 374));
}

TEST(MemoryDC, AllBitsRoundTripLeavesTheExtraRowAlone) {
  cMemoryDCEx dc;
  dc.Create(40, 30);
  wl::Surface* s = wl::LookupSurface(dc.hdc());
  for (Long x = 0; x < 40; ++x) s->Row(30)[x] = Px(77);  // the row below the picture

  const wl::PixelArray pic = Pattern(40, 30);
  dc.SetAllBits(pic);
  wl::PixelArray back(40, 30);
  dc.GetAllBits(back);
  EXPECT_EQ(back, pic);
  for (Long x = 0; x < 40; ++x) EXPECT_EQ(s->Row(30)[x], Px(77));

  // Writing back what was read changes nothing.
  const std::vector<RGBA> before = s->Pixels;
  dc.SetAllBits(back);
  EXPECT_EQ(s->Pixels, before);
}

TEST(MemoryDC, SetBitsPlacesRowsFromXAndGoesUpward) {
  cMemoryDCEx dc;
  dc.Create(375, 375);
  std::vector<RGBA> row(375);
  for (int i = 0; i < 375; ++i) row[i] = Px(i + 1);

  // X = 100, Length omitted: Width - 100 pixels from the row's start, placed from x = 100.
  dc.SetBits(row, 100, 50, 1);
  const std::vector<RGBA> got = dc.GetBits(50);
  for (int x = 0; x < 100; ++x) ASSERT_EQ(got[x], RGBA{}) << x;
  for (int x = 100; x < 375; ++x) ASSERT_EQ(got[x], row[x - 100]) << x;
  EXPECT_EQ(dc.GetBits(49), std::vector<RGBA>(375));
  EXPECT_EQ(dc.GetBits(51), std::vector<RGBA>(375));

  // Two scan lines: the first at device row Y, the second above it; Length 3.
  std::vector<RGBA> two(2 * 375);
  for (int i = 0; i < 750; ++i) two[i] = Px(5000 + i);
  dc.SetBits(two, 10, 200, 2, 3);
  std::vector<RGBA> r200 = dc.GetBits(200), r199 = dc.GetBits(199);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(r200[10 + i], two[i]);
    EXPECT_EQ(r199[10 + i], two[375 + i]);
  }
  EXPECT_EQ(r200[13], RGBA{});
  EXPECT_EQ(r200[9], RGBA{});
}

TEST(MemoryDC, RowOperationsNeverTouchTheExtraRow) {
  cMemoryDCEx dc;
  dc.Create(8, 4);
  const std::vector<RGBA> row(8, Px(3));
  dc.SetBits(row, 0, 4, 1);  // device row 4 is scan line 0: not part of the picture
  const wl::Surface* s = wl::LookupSurface(dc.hdc());
  for (Long x = 0; x < 8; ++x) EXPECT_EQ(s->Row(4)[x], RGBA{});
  EXPECT_EQ(dc.GetBits(4), std::vector<RGBA>(8));
}

TEST(MemoryDC, BadArraysAndOverflowsRaiseAndTransferNothing) {
  cMemoryDCEx dc;
  dc.Create(10, 10);
  wl::PixelArray empty;
  EXPECT_EQ(ErrorNumberOf([&] { dc.GetAllBits(empty); }), wl::kSubscriptRange);
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetAllBits(empty); }), wl::kSubscriptRange);
  wl::PixelArray small(9, 10);
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetAllBits(small); }), wl::kSubscriptRange);
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetBits({}, 0, 0, 1); }), wl::kSubscriptRange);
  // Three rows asked of a one-row array.
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetBits(std::vector<RGBA>(10, Px(1)), 0, 5, 3); }),
            wl::kSubscriptRange);
  EXPECT_EQ(CountLitRows(dc), 0);
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetBits(std::vector<RGBA>(10), INT_MIN, 0, 1); }),
            wl::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { dc.SetBits(std::vector<RGBA>(10), 0, INT_MIN, 1); }),
            wl::kOverflow);

  cMemoryDCEx fresh;
  EXPECT_EQ(ErrorNumberOf([&] { fresh.Create(10, 2147483647); }), wl::kOverflow);
  EXPECT_EQ(fresh.hdc(), 0);  // nothing was created
}

TEST(MemoryDC, DeleteIsHarmlessTwiceAndCreateReplacesTheSurface) {
  cMemoryDCEx dc;
  dc.Delete();  // before Create: nothing happens
  const Long first = dc.Create(5, 5);
  const Long second = dc.Create(6, 6);
  EXPECT_NE(first, second);
  EXPECT_EQ(wl::LookupSurface(first), nullptr);  // the first surface was freed
  ASSERT_NE(wl::LookupSurface(second), nullptr);
  dc.Delete();
  EXPECT_EQ(wl::LookupSurface(second), nullptr);
  dc.Delete();
  const Long other = cMemoryDCEx().Create(3, 3);  // made and released at once
  EXPECT_EQ(wl::LookupSurface(other), nullptr);
}

TEST(MemoryDC, AStaticOwnerIsFreedCleanlyAtExit) {
  // The owner is made before the surface table: at exit it is destroyed after
  // the table's own function-local statics would be. A fresh process makes
  // sure the table does not exist yet.
  if (std::getenv("WL_TOOL_EMULATOR")) {
    GTEST_SKIP() << "an emulated test program cannot start itself again";
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static std::unique_ptr<cMemoryDCEx> owner;
        owner = std::make_unique<cMemoryDCEx>();
        owner->Create(20, 20);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(Surfaces, BitBltCopiesABlockAndClipsAtTheEdges) {
  const Long src = wl::CreateSurface(4, 4), dst = wl::CreateSurface(5, 5);
  wl::Surface* s = wl::LookupSurface(src);
  for (int i = 0; i < 16; ++i) s->Pixels[i] = Px(i + 1);
  EXPECT_TRUE(wl::BitBlt(dst, 3, 3, 4, 4, src, 0, 0));  // only 2 by 2 fits
  const wl::Surface* d = wl::LookupSurface(dst);
  EXPECT_EQ(d->Row(3)[3], Px(1));
  EXPECT_EQ(d->Row(4)[4], Px(6));
  EXPECT_EQ(d->Row(2)[3], RGBA{});
  EXPECT_TRUE(wl::BitBlt(dst, 0, 0, 2, 1, src, -1, 3));  // source column -1 is skipped
  EXPECT_EQ(d->Row(0)[0], RGBA{});
  EXPECT_EQ(d->Row(0)[1], Px(13));
  EXPECT_FALSE(wl::BitBlt(dst, 0, 0, 1, 1, 12345677, 0, 0));
  wl::DeleteSurface(src);
  wl::DeleteSurface(dst);
}

// A block moved within one surface arrives whole, whichever way it moves.
TEST(Surfaces, BitBltWithinOneSurfaceOverlapping) {
  for (int dy : {1, -1}) {
    const Long h = wl::CreateSurface(3, 6);
    wl::Surface* s = wl::LookupSurface(h);
    for (int i = 0; i < 18; ++i) s->Pixels[i] = Px(i + 1);
    const int from = dy > 0 ? 1 : 2;
    EXPECT_TRUE(wl::BitBlt(h, 0, from + dy, 3, 3, h, 0, from));
    for (int row = 0; row < 3; ++row) {
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(s->Row(from + dy + row)[x], Px((from + row) * 3 + x + 1));
    }
    wl::DeleteSurface(h);
  }
}

TEST(Surfaces, StretchBltScalesByNearestNeighbour) {
  const Long src = wl::CreateSurface(2, 2), dst = wl::CreateSurface(6, 6);
  wl::Surface* s = wl::LookupSurface(src);
  s->Pixels = {Px(1), Px(2), Px(3), Px(4)};
  EXPECT_TRUE(wl::StretchBlt(dst, 1, 1, 4, 4, src, 0, 0, 2, 2));
  const wl::Surface* d = wl::LookupSurface(dst);
  EXPECT_EQ(d->Row(1)[1], Px(1));
  EXPECT_EQ(d->Row(2)[2], Px(1));
  EXPECT_EQ(d->Row(1)[3], Px(2));
  EXPECT_EQ(d->Row(4)[4], Px(4));
  EXPECT_EQ(d->Row(0)[0], RGBA{});
  EXPECT_EQ(d->Row(5)[5], RGBA{});
  EXPECT_FALSE(wl::StretchBlt(dst, 0, 0, 0, 4, src, 0, 0, 2, 2));
  EXPECT_FALSE(wl::StretchBlt(dst, 0, 0, 4, 4, src, 0, 0, 2, -1));
  wl::DeleteSurface(src);
  wl::DeleteSurface(dst);
}

}  // namespace
