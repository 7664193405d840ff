#include "Axes.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/WLError.h"

using wl::Axes;
using wl::COORDdouble;
using wl::COORDlong;

namespace {

constexpr double kPi = std::numbers::pi;

// The label cell of a label whose top-left corner is (column, row).
QRect LabelCell(const Axes& axes, int column, int row, const QString& text) {
  return QRect(column, row, QFontMetrics(axes.LabelFont()).horizontalAdvance(text) + 1, 16);
}

// The non-black pixels of a region.
std::vector<QPoint> Ink(const QImage& image, const QRect& region) {
  std::vector<QPoint> ink;
  const QRect r = region.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != 0) ink.emplace_back(x, y);
    }
  }
  return ink;
}

QRgb Grey(int b) {
  return qRgb(b, b, b);
}

TEST(AxesTest, FrontViewDrawsXRightZUpAndCollapsesY) {
  Axes axes;
  axes.Draw(0, 0, wl::Orthographic, 0, -500, 10);
  EXPECT_EQ(axes.EndA()[0].X, 113);
  EXPECT_EQ(axes.EndA()[0].Z, 63);
  EXPECT_EQ(axes.EndA()[0].Y, 128);
  EXPECT_EQ(axes.EndA()[1].X, 63);
  EXPECT_EQ(axes.EndA()[1].Z, 63);
  EXPECT_EQ(axes.EndA()[1].Y, 27);  // at the back: Int(128 - 50 k)
  EXPECT_EQ(axes.EndA()[2].X, 63);
  EXPECT_EQ(axes.EndA()[2].Z, 13);

  const QImage image = axes.Image();
  ASSERT_EQ(image.size(), QSize(127, 127));
  const QRect xCell = LabelCell(axes, 113, 55, "x");
  const QRect yCell = LabelCell(axes, 63, 55, "y");
  const QRect zCell = LabelCell(axes, 63, 5, "z");
  // Every pixel outside the three label cells is either on the x line (row 63
  // from the centre to column 113) or on the z line (column 63 from row 13 to
  // the centre), in grey 128, or black.
  for (int y = 0; y < 127; ++y) {
    for (int x = 0; x < 127; ++x) {
      const QPoint p(x, y);
      if (xCell.contains(p) || yCell.contains(p) || zCell.contains(p)) continue;
      const bool onX = y == 63 && x >= 63 && x <= 113;
      const bool onZ = x == 63 && y >= 13 && y <= 63;
      ASSERT_EQ(image.pixel(p) & 0xFFFFFF, (onX || onZ) ? Grey(128) & 0xFFFFFF : 0u)
          << x << "," << y;
    }
  }
  // Each label has ink in its cell, grey of its end point's brightness.
  for (const auto& [cell, brightness] :
       {std::pair{xCell, 128}, std::pair{yCell, 27}, std::pair{zCell, 128}}) {
    int labelInk = 0;
    for (const QPoint& p : Ink(image, cell)) {
      const QRgb c = image.pixel(p);
      if (c == Grey(128) && (p.y() == 63 || p.x() == 63)) continue;  // a line pixel
      EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << p.x() << "," << p.y();
      EXPECT_LE(qRed(c), std::max(brightness, 128));
      ++labelInk;
    }
    EXPECT_GT(labelInk, 5);
  }
}

TEST(AxesTest, BrightnessFollowsDepthAlongTheLineAndTheNearerAxisPaintsLast) {
  // Turned by 45 degrees about z, the x axis comes forward and the y axis goes
  // back, and both end at column 98 of the middle row.
  Axes axes;
  axes.Draw(0, kPi / 4, wl::Orthographic, 0, -500, 10);
  EXPECT_EQ(axes.EndA()[0].X, 98);
  EXPECT_EQ(axes.EndA()[1].X, 98);
  EXPECT_EQ(axes.EndA()[0].Y, 199);
  EXPECT_EQ(axes.EndA()[1].Y, 56);
  EXPECT_EQ(axes.DrawOrder(), (std::array<wl::Integer, 3>{1, 2, 0}));
  const QImage image = axes.Image();
  // The x axis (drawn last) wins: brightness 128 + floor(71 i / 35) after i steps.
  for (int i = 0; i <= 34; ++i) {
    EXPECT_EQ(image.pixel(63 + i, 63), Grey(128 + 71 * i / 35)) << i;
  }
}

TEST(AxesTest, AxesAreDrawnFarthestFirst) {
  // Depth Y' of the axes: x -50 sin(phi), y 50 cos(phi) cos(theta), z 50
  // cos(phi) sin(theta); each case gives one of the six orders.
  struct Case {
    double theta, phi;
    std::array<wl::Integer, 3> order;
  };
  const Case cases[] = {
      {0.3, -1.2, {0, 1, 2}},  // depths 46.6, 17.3, 5.4
      {1.2, -1.2, {0, 2, 1}},  // 46.6, 6.6, 16.9
      {1.2, -0.5, {2, 0, 1}},  // 24.0, 15.9, 40.9
      {0.3, -0.5, {1, 0, 2}},  // 24.0, 41.9, 13.0
      {0.3, 0.5, {1, 2, 0}},   // -24.0, 41.9, 13.0
      {1.2, 0.5, {2, 1, 0}},   // -24.0, 15.9, 40.9
      {0, 0, {1, 2, 0}},       // 0, 50, 0: of the tied x and z, z goes first
  };
  Axes axes;
  for (const Case& c : cases) {
    axes.Draw(c.theta, c.phi, wl::Orthographic, 0, -500, 10);
    EXPECT_EQ(axes.DrawOrder(), c.order) << c.theta << " " << c.phi;
  }
}

TEST(AxesTest, LinesLeavingThePictureAreClippedPixelByPixel) {
  // The plane twice as far from the camera as the origin doubles the axes.
  Axes axes;
  axes.Draw(0, 0, wl::Perspective, 60, -60, 10);
  EXPECT_EQ(axes.EndA()[0].X, 163);
  EXPECT_EQ(axes.EndA()[2].Z, -37);
  const QImage image = axes.Image();
  const QRect yCell = LabelCell(axes, 63, 55, "y");
  for (int x = 64; x <= 126; ++x) {
    if (!yCell.contains(x, 63)) {
      EXPECT_EQ(image.pixel(x, 63), Grey(128)) << x;
    }
  }
  for (int y = 0; y < 55; ++y) EXPECT_EQ(image.pixel(63, y), Grey(128)) << y;
  EXPECT_EQ(image.pixel(0, 63) & 0xFFFFFF, 0u);  // nothing wraps round
  EXPECT_EQ(image.pixel(63, 126) & 0xFFFFFF, 0u);
}

TEST(AxesTest, AnaglyphWithNoEyeOffsetIsYellow) {
  // Plane - Camera (100) is smaller than StereoFactor (200): offset 0.
  Axes axes;
  axes.Draw(0, 0, wl::Anaglyph, 0, -100, 200);
  EXPECT_EQ(axes.CamPos().X, 0);
  const QImage image = axes.Image();
  for (int x = 75; x < 113; ++x) EXPECT_EQ(image.pixel(x, 63), qRgb(128, 128, 0)) << x;
  int ink = 0;
  for (const QPoint& p : Ink(image, image.rect())) {
    const QRgb c = image.pixel(p);
    EXPECT_EQ(qBlue(c), 0);
    EXPECT_EQ(qRed(c), qGreen(c)) << p.x() << "," << p.y();
    ++ink;
  }
  EXPECT_GT(ink, 100);
}

TEST(AxesTest, AnaglyphDrawsTheLeftEyeGreenAndTheRightEyeRed) {
  // Tilted back by 45 degrees, the z axis lies behind the plane: the green
  // image (camera at -10) ends left of the red one (camera at +10).
  Axes axes;
  axes.Draw(kPi / 4, 0, wl::Anaglyph, 0, -100, 10);
  EXPECT_EQ(axes.EndB()[2].X, 60);
  EXPECT_EQ(axes.EndA()[2].X, 66);
  EXPECT_EQ(axes.EndA()[2].Z, 37);
  const QImage image = axes.Image();
  int greenOnly = 0, redOnly = 0;
  for (int y = 46; y < 63; ++y) {  // below the labels, above the centre row
    int greenX = -1, redX = -1;
    for (int x = 55; x < 72; ++x) {
      const QRgb c = image.pixel(x, y);
      EXPECT_EQ(qBlue(c), 0);
      if (qGreen(c) && !qRed(c)) greenX = x, ++greenOnly;
      if (qRed(c) && !qGreen(c)) redX = x, ++redOnly;
    }
    if (greenX >= 0 && redX >= 0) {
      EXPECT_LT(greenX, redX) << y;
    }
  }
  EXPECT_GT(greenOnly, 5);
  EXPECT_GT(redOnly, 5);
}

TEST(AxesTest, PerspectiveAfterAnaglyphUsesACentredCamera) {
  Axes fresh, reused;
  fresh.Draw(0.3, 0.7, wl::Perspective, 0, -300, 10);
  reused.Draw(0.3, 0.7, wl::Anaglyph, 0, -300, 10);
  EXPECT_NE(reused.CamPos().X, 0);
  reused.Draw(0.3, 0.7, wl::Perspective, 0, -300, 10);
  EXPECT_EQ(reused.CamPos().X, 0);
  EXPECT_EQ(reused.Image(), fresh.Image());
}

TEST(AxesTest, AddPersRoundsHalfToEvenWithASinglePrecisionScale) {
  Axes axes;
  COORDlong out{7, 8, 9};
  // s = 1/3 in single precision is a little above a third, so 7.5 s rounds
  // up to 3 where the exact 2.5 would round to 2.
  axes.AddPers(COORDlong{0, -3, 0}, COORDdouble{7.5, 0, 7.5}, out, -2);
  EXPECT_EQ(out.X, 3);
  EXPECT_EQ(out.Z, 3);
  EXPECT_EQ(out.Y, 0);
  // s = 1: plain half-to-even rounding.
  axes.AddPers(COORDlong{0, -10, 0}, COORDdouble{2.5, 0, -3.5}, out, 0);
  EXPECT_EQ(out.X, 2);
  EXPECT_EQ(out.Z, -4);
  EXPECT_EQ(out.Y, 0);
  // A point at the camera's depth (Int of the difference 0) leaves the output.
  out = {7, 8, 9};
  axes.AddPers(COORDlong{0, 5, 0}, COORDdouble{1, 5.9, 1}, out, 0);
  EXPECT_EQ(out.X, 7);
  EXPECT_EQ(out.Y, 8);
  EXPECT_EQ(out.Z, 9);
}

TEST(AxesTest, OverflowAndAZeroStereoFactorRaiseToTheCaller) {
  Axes axes;
  try {
    axes.Draw(0, 0, wl::Perspective, 32000, -1, 10);  // x projects to column 1.6 million
    FAIL() << "no overflow";
  } catch (const wl::WLError& e) {
    EXPECT_EQ(e.Number(), wl::kOverflow);
  }
  try {
    axes.Draw(0, 0, wl::Anaglyph, 0, -100, 0);
    FAIL() << "no division by zero";
  } catch (const wl::WLError& e) {
    EXPECT_EQ(e.Number(), wl::kDivisionByZero);
  }
}

TEST(AxesTest, TheControlIs127PixelsSquare) {
  Axes axes;
  axes.resize(300, 40);
  EXPECT_EQ(axes.size(), QSize(127, 127));
  axes.Draw(0.5, 0.5, wl::Orthographic, 0, -500, 10);
  EXPECT_EQ(axes.grab().toImage().convertToFormat(QImage::Format_RGB32), axes.Image());
}

}  // namespace

TEST(AxesTest, ZoomedPictureIsDrawnAtTheDevicesDensityNotEnlarged) {
  Axes axes;
  axes.Draw(0.4, 0.3, wl::Orthographic, 15, -300, 30);
  const QImage small = axes.Image();
  const QImage sharp = axes.SharpImage(2.0);
  ASSERT_EQ(sharp.size(), QSize(254, 254));
  // Every axis' end lies on the lines of both pictures: near each end pixel
  // of the small picture the large one has ink too.
  for (int a = 0; a < 3; ++a) {
    const COORDlong end = axes.EndA()[a];
    if (end.X < 2 || end.X > 124 || end.Z < 2 || end.Z > 124) continue;
    EXPECT_FALSE(Ink(small, QRect(end.X - 1, end.Z - 1, 3, 3)).empty()) << a;
    EXPECT_FALSE(Ink(sharp, QRect(2 * end.X - 2, 2 * end.Z - 2, 6, 6)).empty()) << a;
  }
  // An enlarged picture would repeat each pixel in a 2 by 2 block; the sharp
  // one has blocks whose four device pixels differ (smooth edges, fine text).
  int mixed = 0;
  for (int y = 0; y < 254; y += 2)
    for (int x = 0; x < 254; x += 2) {
      const QRgb c = sharp.pixel(x, y);
      mixed += sharp.pixel(x + 1, y) != c || sharp.pixel(x, y + 1) != c || sharp.pixel(x + 1, y + 1) != c;
    }
  EXPECT_GT(mixed, 100);
}
