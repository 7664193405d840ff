#include "CameraView.h"

#include <gtest/gtest.h>

#include "core/WLError.h"

using wl::CameraView;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);

TEST(CameraViewTest, DepthMapsToColumnsFromMinus1000To640) {
  EXPECT_EQ(CameraView::Column(-1000), 0);
  EXPECT_EQ(CameraView::Column(0), 121);
  EXPECT_EQ(CameraView::Column(640), 199);
  EXPECT_EQ(CameraView::Column(-990), 1);
  CameraView view;
  view.resize(400, 400);
  EXPECT_EQ(view.size(), QSize(200, 45));
}

TEST(CameraViewTest, ACameraAtTheFarLeftWithAPlaneTenAwayCollapsesTheRays) {
  CameraView view;
  view.Draw(-1000, -990, wl::Perspective, 10);
  const QImage& image = view.Picture();
  for (int y = 0; y < 45; ++y) {
    EXPECT_EQ(image.pixel(0, y), kWhite) << y;  // the camera line
    EXPECT_EQ(image.pixel(1, y), kWhite) << y;  // the plane line
  }
  // Both rays run along the middle row to column px + 1 = 2.
  EXPECT_EQ(image.pixel(2, 22), kWhite);
  EXPECT_NE(image.pixel(2, 21), kWhite);
  EXPECT_NE(image.pixel(2, 23), kWhite);
  EXPECT_NE(image.pixel(3, 22), kWhite);
}

TEST(CameraViewTest, PerspectiveRaysRunFromTheCameraToTheOrbitalsEdgeOnThePlane) {
  CameraView view;
  view.Draw(-500, 0, wl::Perspective, 10);
  const QImage& image = view.Picture();
  // cx = 60, px = 121; w = 127 q = 15.4, so the rays end at rows 7 and 37.
  EXPECT_EQ(image.pixel(60, 0), kWhite);
  EXPECT_EQ(image.pixel(121, 44), kWhite);
  EXPECT_EQ(image.pixel(122, 7), kWhite);
  EXPECT_EQ(image.pixel(122, 37), kWhite);
  EXPECT_NE(image.pixel(122, 6), kWhite);
  EXPECT_NE(image.pixel(122, 38), kWhite);
  EXPECT_NE(image.pixel(123, 7), kWhite);
  // Half way, at column 91, the upper ray passes row 14.5.
  EXPECT_TRUE(image.pixel(91, 14) == kWhite || image.pixel(91, 15) == kWhite);
}

TEST(CameraViewTest, AnaglyphRaysStartAtTwoEyes) {
  CameraView view;
  view.Draw(-500, 0, wl::Anaglyph, 10);
  const QImage& image = view.Picture();
  // e = 50: the eyes at rows 16 (green) and 28 (red); u = -v = 127 q, so each
  // eye's rays end at rows 7 and 37, red drawn last.
  EXPECT_EQ(image.pixel(61, 16), kGreen);
  EXPECT_EQ(image.pixel(61, 28), kRed);
  EXPECT_EQ(image.pixel(122, 7), kRed);
  EXPECT_EQ(image.pixel(122, 37), kRed);
  bool green = false;
  for (int y = 0; y < 45; ++y) green |= image.pixel(110, y) == kGreen;
  EXPECT_TRUE(green);
  // For red/cyan glasses the left eye's rays are cyan.
  view.Draw(-500, 0, wl::Anaglyph, 10, wl::RedCyan);
  EXPECT_EQ(view.Picture().pixel(61, 16), qRgb(0, 255, 255));
  EXPECT_EQ(view.Picture().pixel(61, 28), kRed);
}

TEST(CameraViewTest, EachDrawStartsAgainFromTheBackground) {
  CameraView view;
  view.Draw(-500, 0, wl::Perspective, 10);
  view.Draw(-800, 100, wl::Perspective, 10);
  const QImage background = CameraView::BackgroundSketch();
  EXPECT_EQ(view.Picture().pixel(60, 0), background.pixel(60, 0));  // the old camera line is gone
  EXPECT_EQ(view.grab().toImage().convertToFormat(QImage::Format_RGB32), view.Picture());
}

TEST(CameraViewTest, ACameraAtTheOriginOrAZeroStereoFactorRaises) {
  CameraView view;
  EXPECT_THROW(view.Draw(0, 100, wl::Perspective, 10), wl::WLError);
  EXPECT_THROW(view.Draw(-500, 0, wl::Anaglyph, 0), wl::WLError);
}

}  // namespace
