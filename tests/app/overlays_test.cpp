// Sizes over the views: the scale bar against the view's scale, the radius
// marker, the overlays in the views' pictures (what is saved, copied and
// printed) and the slice position beside the slider.
#include <QCheckBox>
#include <QLabel>
#include <QStyle>
#include <QTabBar>
#include <cmath>
#include <vector>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "dialogs/frmViewOptions.h"
#include "main/Layout.h"
#include "overlays/ViewOverlays.h"
#include "render/Phase.h"
#include "render/Surfaces.h"
#include "render/ViewGeometry.h"

using namespace wltest;

namespace {

int Side(wl::RenderSize size) {
  return size == wl::Main ? 375 : 127;
}
wl::RenderRequest Request(wl::RenderMode mode, wl::RenderSize size) {
  wl::RenderRequest r;
  r.Mode = mode;
  r.Size = size;
  r.CameraPos = -300;
  r.ProjectionPlane = 15;
  return r;
}

// The mean distance from the nucleus of the marker's magenta pixels (its
// antialiased edges mixed with the dark halo count by their hue), and the
// share of the circle's sectors, about two pixels long, they cover.
struct Ring {
  double mean = 0, coverage = 0;
};
Ring MarkerRing(const QImage& image, const wl::ViewScale& s, double expected) {
  const size_t sectors = std::clamp<size_t>(static_cast<size_t>(M_PI * expected), 24, 180);
  std::vector<bool> hit(sectors, false);
  double sum = 0;
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) <= 90 || qBlue(p) <= 70 || qGreen(p) >= qRed(p) * 0.6) continue;
      const double dx = x + 0.5 - s.CentreX, dy = y + 0.5 - s.CentreY;
      sum += std::hypot(dx, dy);
      ++n;
      hit[static_cast<size_t>((std::atan2(dy, dx) + M_PI) / (2 * M_PI) * sectors) % sectors] = true;
    }
  }
  return {n ? sum / n : 0, std::count(hit.begin(), hit.end(), true) / double(sectors)};
}

TEST(Overlays, TheScaleBarIsAsLongAsItsLabelSaysAndReadsOnBlackAndWhite) {
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    const int side = Side(size);
    for (double radius : {2.0, 7.0, 28.0}) {
      for (wl::RenderMode mode : {wl::Perspective, wl::Transect}) {
        const wl::RenderRequest r = Request(mode, size);
        const std::string where = std::to_string(side) + " " + std::to_string(radius);
        QImage black(side, side, QImage::Format_RGB32), white(side, side, QImage::Format_RGB32);
        black.fill(Qt::black);
        white.fill(Qt::white);
        wl::DrawOverlays(black, r, radius, {});
        wl::DrawOverlays(white, r, radius, {});
        // "5 a₀": 1, 2 or 5 times a power of ten, about a fifth of the picture.
        const QString label = wl::ScaleBarOf(r, radius).Label;
        ASSERT_TRUE(label.endsWith(QStringLiteral(" a\u2080"))) << label.toStdString();
        const double bohr = label.section(QLatin1Char(' '), 0, 0).toDouble();
        const double m = bohr / std::pow(10.0, std::floor(std::log10(bohr) + 1e-9));
        EXPECT_TRUE(std::abs(m - 1) < 1e-9 || std::abs(m - 2) < 1e-9 || std::abs(m - 5) < 1e-9);
        const double pixels = bohr * wl::ScaleOf(r, radius).PixelsPerBohr;
        EXPECT_GT(pixels, side / 8.0) << where;
        EXPECT_LT(pixels, side / 3.0) << where;

        // The bar's line is the brightest row of the bottom left; just below
        // it only its two end ticks are inked (the nano view's label lies
        // right of them), whose centres lie `pixels` apart.
        int line = 0;
        double most = -1;
        for (int y = side * 3 / 4; y < side - 1; ++y) {
          double sum = 0;
          for (int x = 0; x < side / 2; ++x) sum += qGray(black.pixel(x, y));
          if (sum > most) std::tie(most, line) = std::pair(sum, y);
        }
        std::vector<double> ticks;
        double weight = 0, moment = 0;
        const int edgeTicks = mode == wl::Transect ? (size == wl::Main ? 6 : 4) : 0;
        for (int x = edgeTicks; x <= side / 2 && ticks.size() < 2; ++x) {
          const int g = qGray(black.pixel(x, line + 2));
          if (g > 30) {
            weight += g;
            moment += g * (x + 0.5);
          } else if (weight > 0) {
            ticks.push_back(moment / weight);
            weight = moment = 0;
          }
        }
        ASSERT_EQ(ticks.size(), 2u) << where;
        EXPECT_NEAR(ticks[1] - ticks[0], pixels, 1.0) << where;
        // Light ink, outlined dark where the picture is white.
        const int mid = static_cast<int>((ticks[0] + ticks[1]) / 2);
        int darkest = 255;
        for (int y = line - 3; y <= line + 3; ++y) darkest = std::min(darkest, qGray(white.pixel(mid, y)));
        EXPECT_GT(qGray(black.pixel(mid, line)), 200) << where;
        EXPECT_GT(qGray(white.pixel(mid, line)), 200) << where;
        EXPECT_LT(darkest, 110) << where;
      }
    }
  }
}

// A picture of another size carries the view's overlays in proportion: the
// same bar and label four times as large, the marker on the scaled sphere.
TEST(Overlays, BigPicturesCarryTheOverlaysInProportion) {
  for (wl::RenderMode mode : {wl::Orthographic, wl::Transect}) {
    wl::RenderRequest own = Request(mode, wl::Main), big = own;
    big.Pixels = 1500;  // four times 375
    wl::OverlayChoice choice;
    choice.MarkerRadius = 6;
    const wl::ScaleBar a = wl::ScaleBarOf(own, 18), b = wl::ScaleBarOf(big, 18);
    EXPECT_EQ(a.Label, b.Label);
    EXPECT_NEAR(b.Length, 4 * a.Length, 1e-6);
    EXPECT_NEAR(b.Area.height(), 4 * a.Area.height(), 0.1 * a.Area.height());
    EXPECT_NEAR(b.Area.width(), 4 * a.Area.width(), 0.1 * a.Area.width());
    EXPECT_NEAR(b.Area.bottom(), 1500 - 4 * (375 - a.Area.bottom()), 4);

    QImage small(375, 375, QImage::Format_RGB32), large(1500, 1500, QImage::Format_RGB32);
    small.fill(Qt::black);
    large.fill(Qt::black);
    wl::DrawOverlays(small, own, 18, choice);
    wl::DrawOverlays(large, big, 18, choice);
    auto inked = [](const QImage& im) {
      long n = 0;
      for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) n += qGray(im.pixel(x, y)) > 60;
      return n;
    };
    const double ratio = static_cast<double>(inked(large)) / inked(small);
    EXPECT_GT(ratio, 16 * 0.75) << mode;
    EXPECT_LT(ratio, 16 * 1.25) << mode;
    const double r = wl::SphereOutlineRadius(big, 18, 6);
    EXPECT_NEAR(r, 4 * wl::SphereOutlineRadius(own, 18, 6), 0.01 * r);
    const Ring ring = MarkerRing(large, wl::ScaleOf(big, 18), r);
    EXPECT_NEAR(ring.mean, r, 3) << mode;
  }
}

TEST(Overlays, TheMarkersOutlineIsDashedIn3DAndEachMarkerFollowsItsChoice) {
  wl::OverlayChoice choice;
  choice.ScaleBar = false;
  choice.MarkerRadius = 5;
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (bool shown : {true, false}) {
      choice.MarkerIn3D = shown;
      choice.MarkerInSlice = !shown;
      const wl::RenderRequest r = Request(wl::Perspective, size);
      QImage image(Side(size), Side(size), QImage::Format_RGB32);
      image.fill(Qt::black);
      wl::DrawOverlays(image, r, 18, choice);
      const double outline = wl::SphereOutlineRadius(r, 18, 5);
      const Ring ring = MarkerRing(image, wl::ScaleOf(r, 18), outline);
      if (!shown) {
        EXPECT_EQ(ring.mean, 0);
        continue;
      }
      EXPECT_NEAR(ring.mean, outline, 0.5) << Side(size);
      EXPECT_GT(ring.coverage, 0.4) << Side(size);
      EXPECT_LT(ring.coverage, 0.85) << Side(size);  // dashes, not a ring
    }
  }
}

// The colour wheel key: only over phase pictures of complex orbitals, in its
// corner clear of the scale bar, its hues running anticlockwise from arg 0
// at the right.
TEST(Overlays, TheColourWheelKeyShowsOnlyOverComplexPhasePictures) {
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    for (wl::RenderMode mode :
         {wl::Orthographic, wl::Transect, wl::Volumetric, wl::BoundarySurface, wl::Anaglyph}) {
      SCOPED_TRACE(testing::Message() << "size " << size << " mode " << mode);
      const int side = Side(size);
      wl::RenderRequest r = Request(mode, size);
      r.ShowPhase = wl::kTrue;
      r.Palette = wl::ColourSafe;
      wl::OverlayChoice plain, complex;
      complex.ComplexPhase = true;
      auto draw = [&](const wl::RenderRequest& request, const wl::OverlayChoice& choice) {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(Qt::black);
        wl::DrawOverlays(image, request, 8.0, choice);
        return image;
      };
      const QImage base = draw(r, plain), keyed = draw(r, complex);
      // Not for real orbitals, nor for pictures without phase colours.
      wl::RenderRequest noPhase = r;
      noPhase.ShowPhase = wl::kFalse;
      EXPECT_EQ(draw(noPhase, complex), draw(noPhase, plain));
      const QRectF area = wl::PhaseWheelArea(r, complex);
      EXPECT_TRUE(wl::PhaseWheelArea(r, plain).isEmpty());
      if (mode == wl::Anaglyph) {  // its colours are the eyes'
        EXPECT_TRUE(area.isEmpty());
        EXPECT_EQ(keyed, base);
        continue;
      }
      ASSERT_FALSE(area.isEmpty());
      EXPECT_FALSE(area.intersects(wl::ScaleBarOf(r, 8.0).Area));
      EXPECT_TRUE(QRectF(0, 0, side, side).contains(area));
      // Every changed pixel lies in the key's area; the ring's coloured pixels
      // give its centre and radius.
      double cx = 0, cy = 0, n = 0;
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          const QRgb p = keyed.pixel(x, y);
          if (p == base.pixel(x, y)) continue;
          ASSERT_TRUE(area.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5)))
              << x << "," << y;
          const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
          const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
          if (hi - lo > 50) cx += x + 0.5, cy += y + 0.5, ++n;
        }
      }
      ASSERT_GT(n, size == wl::Main ? 400 : 100);
      cx /= n, cy /= n;
      double radius = 0;
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          const QRgb p = keyed.pixel(x, y);
          const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
          const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
          if (p != base.pixel(x, y) && hi - lo > 50)
            radius = std::max(radius, std::hypot(x + 0.5 - cx, y + 0.5 - cy));
        }
      }
      // Right, top, left, bottom of the ring: arg 0, π/2, π, 3π/2.
      for (int q = 0; q < 4; ++q) {
        const double a = q * M_PI / 2, r0 = 0.75 * radius;
        const QRgb p = keyed.pixel(static_cast<int>(cx + r0 * std::cos(a)),
                                   static_cast<int>(cy - r0 * std::sin(a)));
        const wl::PhaseRgb want = wl::PhaseHue(wl::ColourSafe, a);
        EXPECT_LE(
            std::abs(qRed(p) - want.R) + std::abs(qGreen(p) - want.G) + std::abs(qBlue(p) - want.B),
            45)
            << "quarter " << q;
      }
    }
  }
}

class ViewOverlays : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
    ASSERT_TRUE(w->Calculate(9, 18, 30, 0));  // 3Dz² PDF, atom radius 18
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  void Click(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), at));
    QApplication::processEvents();
  }
  // The engine's last picture of a size and the view's picture of it (127 by
  // 127 of the nano view's 128).
  QImage Engine(wl::RenderSize size) {
    const wl::Surface* s = wl::LookupSurface(size == wl::Main ? R().DC.MainHDC : R().DC.NanoHDC);
    if (!s) return {};
    return QImage(reinterpret_cast<const uchar*>(s->Pixels.data()), s->Width, s->Rows - 1,
                  s->Width * 4, QImage::Format_RGB32)
        .copy(0, 0, Side(size), Side(size));
  }
  QImage Shown(wl::RenderSize size) {
    wl::NoFocusCont* view = size == wl::Main ? w->eeMainView : w->eeNanoView;
    return view->Image().convertToFormat(QImage::Format_RGB32).copy(0, 0, Side(size), Side(size));
  }

  wl::frmMain* w = nullptr;
};

TEST_F(ViewOverlays, TheScaleBarIsInTheViewsPicturesUntilItsBoxIsCleared) {
  ASSERT_TRUE(R().ShowScaleBar);  // on for a new orbital
  // The 3D picture in the main view: the engine's, with the bar over its corner only.
  const wl::ScaleBar bar = wl::ScaleBarOf(Request(wl::Orthographic, wl::Main), 18);
  const QImage engine = Engine(wl::Main), shown = Shown(wl::Main);
  int changed = 0;
  for (int y = 0; y < 375; ++y) {
    for (int x = 0; x < 375; ++x) {
      if (engine.pixel(x, y) == shown.pixel(x, y)) continue;
      ++changed;
      ASSERT_TRUE(bar.Area.contains(QPointF(x + 0.5, y + 0.5))) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 40);
  EXPECT_NE(Shown(wl::Nano), Engine(wl::Nano));

  // Further Options > "Scale bar" turns it off: the views show the engine's pictures.
  Click(w->eeFurtherOptions, w->eeFurtherOptions->rect().center());
  ASSERT_TRUE(w->ViewOptions);
  wl::frmViewOptions& o = *w->ViewOptions;
  Click(o.Tabs, o.Tabs->tabRect(0).center());  // "Probability Shading"
  QCheckBox* box = o.chkScaleBar;
  ASSERT_TRUE(box->isVisible() && box->isChecked());
  const QPoint mark(box->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 1, box->height() / 2);
  Click(box, mark);
  EXPECT_FALSE(R().ShowScaleBar);
  EXPECT_EQ(Shown(wl::Main), Engine(wl::Main));
  EXPECT_EQ(Shown(wl::Nano), Engine(wl::Nano));
  w->FrameUpdateBoth(false);  // and stays off as the view changes
  EXPECT_EQ(Shown(wl::Main), Engine(wl::Main));
  Click(box, mark);
  EXPECT_TRUE(R().ShowScaleBar);
  EXPECT_NE(Shown(wl::Main), Engine(wl::Main));
}

// The view of a complex orbital (as its setup says) carries the colour wheel
// key over its phase pictures, in the views and in saved pictures; without
// phase, or for a real orbital, the corner shows the engine's picture.
TEST_F(ViewOverlays, AComplexOrbitalsPhasePicturesCarryTheWheelKey) {
  wl::OverlayChoice complex;
  complex.ComplexPhase = true;
  auto saturatedIn = [](const QImage& image, const QRectF& area) {
    int n = 0;
    for (int y = static_cast<int>(area.top()); y < area.bottom(); ++y) {
      for (int x = static_cast<int>(area.left()); x < area.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += c.hsvSaturation() > 60 && c.value() > 120;
      }
    }
    return n;
  };
  auto changedIn = [](const QImage& a, const QImage& b, const QRectF& area) {
    int n = 0;
    for (int y = static_cast<int>(area.top()); y < area.bottom(); ++y)
      for (int x = static_cast<int>(area.left()); x < area.right(); ++x)
        n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  };
  wl::RenderRequest r = Request(wl::Orthographic, wl::Main);
  r.ShowPhase = wl::kTrue;
  const QRectF main = wl::PhaseWheelArea(r, complex);
  r.Size = wl::Nano;
  r.Mode = wl::Transect;
  const QRectF nano = wl::PhaseWheelArea(r, complex);
  ASSERT_FALSE(main.isEmpty());
  ASSERT_FALSE(nano.isEmpty());

  // A real orbital with phase: no key.
  w->SetPhase(true);
  ASSERT_TRUE(R().ShowPhase);
  EXPECT_EQ(changedIn(Shown(wl::Main), Engine(wl::Main), main), 0);
  // The same view as a complex orbital's: the key in both views.
  R().Setup.Complex = wl::kTrue;
  w->RefreshOverlays();
  EXPECT_GT(changedIn(Shown(wl::Main), Engine(wl::Main), main), 300);
  EXPECT_GT(saturatedIn(Shown(wl::Main), main), 200);
  EXPECT_GT(changedIn(Shown(wl::Nano), Engine(wl::Nano), nano), 60);
  // A saved picture carries it too.
  const QImage saved = w->ViewPicture(wl::Main, 0);
  EXPECT_GT(saturatedIn(saved, main), 200);
  // Phase off: gone.
  w->SetPhase(false);
  EXPECT_EQ(changedIn(Shown(wl::Main), Engine(wl::Main), main), 0);
  EXPECT_EQ(changedIn(Shown(wl::Nano), Engine(wl::Nano), nano), 0);
}

TEST_F(ViewOverlays, TheMarkersCircleInTheSliceIsATimes127OverTheAtomRadiusAndFollowsADrag) {
  Click(w->eeMainMode[1], w->eeMainMode[1]->rect().center());  // the slice in the main view
  ASSERT_EQ(R().Swapped, 1);
  R().ShowScaleBar = false;
  w->ShowGraphs(true);  // the marker is the Graphs window's
  const wl::ViewScale s = wl::ScaleOf(Request(wl::Transect, wl::Main), 18);
  const wl::Long frames = w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered;
  for (double a : {4.5, 9.0}) {
    R().MarkerRadius = a;
    w->RefreshOverlays();
    const Ring ring = MarkerRing(Shown(wl::Main), s, a * 127 / 18);
    EXPECT_NEAR(ring.mean, a * 127 / 18, 0.35) << a;
    EXPECT_GT(ring.coverage, 0.97) << a;
  }
  // Repainted, not rendered again; and gone with the marker.
  EXPECT_EQ(w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered, frames);
  R().MarkerRadius = 0;
  w->RefreshOverlays();
  EXPECT_EQ(Shown(wl::Main), Engine(wl::Main));
}

TEST_F(ViewOverlays, TheSliderSaysWhereTheSliceLies) {
  QLabel* label = w->labSlicePosition;
  ASSERT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = 0.0 a\u2080"));
  // Right of the thumb's track, and the longest position there is fits.
  EXPECT_GE(label->x(), wl::Layout::kSliderMax + wl::Layout::eeTSlider.width());
  EXPECT_LE(label->geometry().right(), wl::Layout::WLmainBG.right());
  EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(wl::SlicePosition(wl::AlongX, -127, 32)),
            label->width());
  // The thumb dragged to 554 puts the slice at -46 of 127 steps of 18 a0.
  const QPoint start = w->eeTSlider->mapTo(w, QPoint(8, 15));
  const QPoint end = start + QPoint(554 - w->eeTSlider->x(), 0);
  QTest::mouseMove(w->windowHandle(), start);
  QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, start);
  QTest::mouseMove(w->windowHandle(), end);
  QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, end);
  ASSERT_EQ(R().TransectNo, -46);
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = \u22126.5 a\u2080"));
  Click(w->eeTDir[2], w->eeTDir[2]->rect().center());
  EXPECT_EQ(label->text(), QStringLiteral("slice at z = \u22126.5 a\u2080"));
  // A slice a hair off the nucleus shows no sign; another orbital its own slice.
  EXPECT_EQ(wl::SlicePosition(wl::Alongz, -1, 2), QStringLiteral("slice at z = 0.0 a\u2080"));
  ASSERT_TRUE(w->Calculate(0, 2, 30, 0));
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = 0.0 a\u2080"));
}

}  // namespace
