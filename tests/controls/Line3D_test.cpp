#include "Line3D.h"

#include <gtest/gtest.h>

#include <QPalette>

using wl::Line3D;

namespace {

TEST(Line3DTest, HorizontalLineIsTwoPixelsHighShadowOverHighlight) {
  Line3D line;
  line.show();
  line.resize(50, 10);
  EXPECT_EQ(line.size(), QSize(50, 2));
  const QImage image = line.grab().toImage();
  const QRgb shadow = line.palette().color(QPalette::Dark).rgb();
  const QRgb light = line.palette().color(QPalette::Light).rgb();
  ASSERT_NE(shadow, light);
  for (int x = 0; x < 49; ++x) EXPECT_EQ(image.pixel(x, 0), shadow) << x;
  EXPECT_EQ(image.pixel(49, 0), light);  // the right end is closed
  for (int x = 0; x < 50; ++x) EXPECT_EQ(image.pixel(x, 1), light) << x;
}

TEST(Line3DTest, HigherThanWideMakesItVertical) {
  Line3D line;
  line.show();
  line.resize(10, 40);
  EXPECT_EQ(line.size(), QSize(2, 40));
  const QImage image = line.grab().toImage();
  const QRgb shadow = line.palette().color(QPalette::Dark).rgb();
  const QRgb light = line.palette().color(QPalette::Light).rgb();
  for (int y = 0; y < 39; ++y) EXPECT_EQ(image.pixel(0, y), shadow) << y;
  for (int y = 0; y < 40; ++y) EXPECT_EQ(image.pixel(1, y), light) << y;
  // And back: a new shape lays it out again.
  line.resize(60, 2);
  EXPECT_EQ(line.size(), QSize(60, 2));
}

}  // namespace
