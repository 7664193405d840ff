// Sizes over the views: the scale bar against the view's scale, the radius
// marker's circle and outline, the overlays in the views' pictures (what is
// saved, copied and printed) and the slice position beside the slider.
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
  r.StereoFactor = 30;
  return r;
}
QImage Filled(wl::RenderSize size, QColor colour) {
  QImage image(Side(size), Side(size), QImage::Format_RGB32);
  image.fill(colour);
  return image;
}
bool IsMarker(QRgb p) {
  // Antialiased edges mix the magenta with the dark halo: its hue counts.
  return qRed(p) > 90 && qBlue(p) > 70 && qGreen(p) < qRed(p) * 0.6;
}
// The number of a label such as "5 a₀".
double LabelBohr(const QString& label) {
  EXPECT_TRUE(label.endsWith(QStringLiteral(" a\u2080"))) << label.toStdString();
  return label.section(QLatin1Char(' '), 0, 0).toDouble();
}

// The distances from `centre` of the marker's pixels, and the share of the
// circle's 2° sectors they cover.
struct Ring {
  std::vector<double> radii;
  double coverage = 0;
  double Mean() const {
    double sum = 0;
    for (double r : radii) sum += r;
    return radii.empty() ? 0 : sum / radii.size();
  }
};
Ring MarkerRing(const QImage& image, QPointF centre, int side, double expected) {
  Ring ring;
  // Sectors about two pixels of the circle long.
  const size_t sectors = std::clamp<size_t>(static_cast<size_t>(M_PI * expected), 24, 180);
  std::vector<bool> sector(sectors, false);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      if (!IsMarker(image.pixel(x, y))) continue;
      const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
      ring.radii.push_back(std::hypot(dx, dy));
      sector[static_cast<size_t>((std::atan2(dy, dx) + M_PI) / (2 * M_PI) * sectors) % sectors] =
          true;
    }
  }
  ring.coverage = std::count(sector.begin(), sector.end(), true) / static_cast<double>(sectors);
  return ring;
}

TEST(ScaleBar, IsAsLongAsItsLabelSaysOnBlackAndOnWhite) {
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    const int side = Side(size);
    for (double radius : {2.0, 7.0, 18.0, 28.0}) {
      for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective, wl::Transect}) {
        const wl::RenderRequest r = Request(mode, size);
        const QString where = QStringLiteral("size %1 radius %2 mode %3").arg(side).arg(radius).arg(mode);
        QImage black = Filled(size, Qt::black), white = Filled(size, Qt::white);
        wl::DrawOverlays(black, r, radius, {});
        wl::DrawOverlays(white, r, radius, {});
        const wl::ScaleBar bar = wl::ScaleBarOf(r, radius);
        // A round length: 1, 2 or 5 times a power of ten, about a fifth of the picture.
        const double bohr = LabelBohr(bar.Label);
        const double mantissa = bohr / std::pow(10.0, std::floor(std::log10(bohr) + 1e-9));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9)
            << where.toStdString() << " " << bohr;
        const double pixels = bohr * wl::ScaleOf(r, radius).PixelsPerBohr;
        EXPECT_GT(pixels, side / 8.0) << where.toStdString();
        EXPECT_LT(pixels, side / 3.0) << where.toStdString();

        // The bar's line is the brightest row of the bottom of the picture;
        // below it only the two end ticks (and the nano view's label, right
        // of them) are inked. The ticks' centres lie `pixels` apart.
        int line = 0;
        double most = -1;
        for (int y = side * 3 / 4; y < side - 1; ++y) {
          double sum = 0;
          for (int x = 0; x < side / 2; ++x) sum += qGray(black.pixel(x, y));
          if (sum > most) {
            most = sum;
            line = y;
          }
        }
        const int row = line + 2;
        std::vector<double> centres;
        double weight = 0, moment = 0;
        for (int x = 0; x <= side / 2 && centres.size() < 2; ++x) {
          // Slice ticks along the left edge are 5 pixels long (3 in the nano view).
          const int edge = size == wl::Main ? 6 : 4;
          const int g = x < edge && mode == wl::Transect ? 0 : qGray(black.pixel(x, row));
          if (g > 30) {
            weight += g;
            moment += g * (x + 0.5);
          } else if (weight > 0) {
            centres.push_back(moment / weight);
            weight = moment = 0;
          }
        }
        ASSERT_EQ(centres.size(), 2u) << where.toStdString();
        EXPECT_NEAR(centres[1] - centres[0], pixels, 1.0) << where.toStdString();

        // Light ink on black; on white a dark halo just above the line keeps it legible.
        const int mid = static_cast<int>((centres[0] + centres[1]) / 2);
        EXPECT_GT(qGray(black.pixel(mid, line)), 200) << where.toStdString();
        int darkest = 255;
        for (int y = line - 3; y <= line + 3; ++y) darkest = std::min(darkest, qGray(white.pixel(mid, y)));
        EXPECT_LT(darkest, 110) << where.toStdString();
        EXPECT_GT(qGray(white.pixel(mid, line)), 200) << where.toStdString();
        // Nothing outside the bar's area changes.
        if (mode == wl::Transect) continue;
        for (int y = 0; y < side; ++y) {
          for (int x = 0; x < side; ++x) {
            if (bar.Area.contains(QPointF(x + 0.5, y + 0.5))) continue;
            ASSERT_EQ(black.pixel(x, y), qRgb(0, 0, 0)) << where.toStdString() << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(Marker, CircleInTheSliceAndDashedOutlineIn3D) {
  const double radius = 18, a = 5;
  wl::OverlayChoice choice;
  choice.ScaleBar = false;
  choice.MarkerRadius = a;
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    const int side = Side(size);
    // The slice through the nucleus: a solid circle of radius a at the slice's scale.
    wl::RenderRequest slice = Request(wl::Transect, size);
    QImage image = Filled(size, Qt::black);
    wl::DrawOverlays(image, slice, radius, choice);
    const wl::ViewScale s = wl::ScaleOf(slice, radius);
    const double expected = a * (size == wl::Main ? 127 : 63.5) / radius;
    const Ring ring = MarkerRing(image, {s.CentreX, s.CentreY}, side, expected);
    EXPECT_NEAR(ring.Mean(), expected, 0.35) << side;
    for (double r : ring.radii) ASSERT_NEAR(r, expected, 1.5) << side;
    EXPECT_GT(ring.coverage, 0.97) << side;

    // The perspective view: a dashed outline of the sphere, wider than a.
    const wl::RenderRequest persp = Request(wl::Perspective, size);
    image = Filled(size, Qt::black);
    wl::DrawOverlays(image, persp, radius, choice);
    const wl::ViewScale ps = wl::ScaleOf(persp, radius);
    const double wider = wl::SphereOutlineRadius(persp, radius, a);
    const Ring outline = MarkerRing(image, {ps.CentreX, ps.CentreY}, side, wider);
    EXPECT_GT(wider, a * ps.PixelsPerBohr);
    EXPECT_NEAR(outline.Mean(), wider, 0.5) << side;
    EXPECT_GT(outline.coverage, 0.4) << side;
    EXPECT_LT(outline.coverage, 0.85) << side;  // dashes, not a ring

    // Each is drawn only where it is asked for.
    wl::OverlayChoice off = choice;
    off.MarkerInSlice = false;
    image = Filled(size, Qt::black);
    wl::DrawOverlays(image, slice, radius, off);
    EXPECT_TRUE(MarkerRing(image, {s.CentreX, s.CentreY}, side, expected).radii.empty());
    off = choice;
    off.MarkerIn3D = false;
    image = Filled(size, Qt::black);
    wl::DrawOverlays(image, persp, radius, off);
    EXPECT_TRUE(MarkerRing(image, {ps.CentreX, ps.CentreY}, side, wider).radii.empty());
  }
}

TEST(SlicePosition, SaysTheAxisTheSignedLengthAndTheUnit) {
  EXPECT_EQ(wl::SlicePosition(wl::Alongy, 23, 18), QStringLiteral("slice at y = +3.3 a\u2080"));
  EXPECT_EQ(wl::SlicePosition(wl::AlongX, -127, 28), QStringLiteral("slice at x = \u221228.0 a\u2080"));
  EXPECT_EQ(wl::SlicePosition(wl::Alongz, 0, 2), QStringLiteral("slice at z = 0.0 a\u2080"));
  // A slice a hair off the nucleus rounds to no sign.
  EXPECT_EQ(wl::SlicePosition(wl::Alongz, -1, 2), QStringLiteral("slice at z = 0.0 a\u2080"));
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
  void Click(QWidget* widget, QPoint at = {-1, -1}) {
    if (at.x() < 0) at = widget->rect().center();
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), at));
    QApplication::processEvents();
  }
  // The engine's last picture of a size, as the view shows it (127 by 127 of
  // the nano view's 128).
  QImage Engine(wl::RenderSize size) {
    const wl::Surface* s =
        wl::LookupSurface(size == wl::Main ? R().DC.MainHDC : R().DC.NanoHDC);
    EXPECT_TRUE(s);
    if (!s) return {};
    const int side = Side(size);
    return QImage(reinterpret_cast<const uchar*>(s->Pixels.data()), s->Width, s->Rows - 1,
                  s->Width * 4, QImage::Format_RGB32)
        .copy(0, 0, side, side);
  }
  QImage Shown(wl::RenderSize size) {
    wl::NoFocusCont* view = size == wl::Main ? w->eeMainView : w->eeNanoView;
    return view->Image().convertToFormat(QImage::Format_RGB32).copy(0, 0, Side(size), Side(size));
  }

  wl::frmMain* w = nullptr;
};

TEST_F(ViewOverlays, TheScaleBarIsInTheViewsPicturesUntilItIsTurnedOff) {
  ASSERT_TRUE(R().ShowScaleBar);  // on for a new orbital
  // The 3D picture in the main view, the slice in the nano view: each shows
  // the engine's picture with the bar drawn over its bottom-left corner only.
  const wl::RenderSize sizes[] = {wl::Main, wl::Nano};
  for (wl::RenderSize size : sizes) {
    wl::RenderRequest r = Request(size == wl::Main ? wl::Orthographic : wl::Transect, size);
    const wl::ScaleBar bar = wl::ScaleBarOf(r, 18);
    const QImage engine = Engine(size), shown = Shown(size);
    int changed = 0;
    for (int y = 0; y < Side(size); ++y) {
      for (int x = 0; x < Side(size); ++x) {
        if (engine.pixel(x, y) == shown.pixel(x, y)) continue;
        ++changed;
        // The slice also has its ticks along the edges.
        const bool edge = size == wl::Nano && (x < 8 || y < 8 || x >= 119 || y >= 119);
        ASSERT_TRUE(bar.Area.contains(QPointF(x + 0.5, y + 0.5)) || edge) << x << "," << y;
      }
    }
    EXPECT_GT(changed, 40) << Side(size);
  }

  // Further Options > "Scale bar" turns it off for this orbital: the views
  // show the engine's pictures exactly.
  Click(w->eeFurtherOptions);
  ASSERT_TRUE(w->ViewOptions);
  wl::frmViewOptions& o = *w->ViewOptions;
  QCheckBox* box = o.chkScaleBar;
  ASSERT_TRUE(box->isChecked());
  Click(o.Tabs, o.Tabs->tabRect(0).center());  // "Probability Shading"
  ASSERT_TRUE(box->isVisible());
  Click(box, QPoint(box->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 1, box->height() / 2));
  EXPECT_FALSE(R().ShowScaleBar);
  for (wl::RenderSize size : sizes) EXPECT_EQ(Shown(size), Engine(size)) << Side(size);
  // It stays off as the view turns.
  w->FrameUpdateBoth(false);
  EXPECT_EQ(Shown(wl::Main), Engine(wl::Main));
  Click(box, QPoint(box->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 1, box->height() / 2));
  EXPECT_TRUE(R().ShowScaleBar);
  EXPECT_NE(Shown(wl::Main), Engine(wl::Main));
}

TEST_F(ViewOverlays, TheMarkersCircleInTheMainViewsSliceHasRadiusATimes127OverTheAtomRadius) {
  Click(w->eeMainMode[1]);  // the slice in the main view
  ASSERT_EQ(R().Swapped, 1);
  R().ShowScaleBar = false;
  R().MarkerRadius = 4.5;
  w->RefreshOverlays();
  const wl::ViewScale s = wl::ScaleOf(Request(wl::Transect, wl::Main), 18);
  const Ring ring = MarkerRing(Shown(wl::Main), {s.CentreX, s.CentreY}, 375, 4.5 * 127 / 18);
  EXPECT_NEAR(ring.Mean(), 4.5 * 127 / 18, 0.35);
  EXPECT_GT(ring.coverage, 0.97);
  // The 3D picture, now in the nano view, shows the sphere's dashed outline.
  const wl::ViewScale n = wl::ScaleOf(Request(wl::Orthographic, wl::Nano), 18);
  const Ring outline = MarkerRing(Shown(wl::Nano), {n.CentreX, n.CentreY}, 127, 4.5 * n.PixelsPerBohr);
  EXPECT_NEAR(outline.Mean(), 4.5 * n.PixelsPerBohr, 0.5);
  // Dragging the marker repaints without rendering.
  const wl::Long frames = w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered;
  R().MarkerRadius = 9;
  w->RefreshOverlays();
  EXPECT_EQ(w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered, frames);
  EXPECT_NEAR(MarkerRing(Shown(wl::Main), {s.CentreX, s.CentreY}, 375, 63.5).Mean(), 9 * 127 / 18.0,
              0.35);
  R().MarkerRadius = 0;
  w->RefreshOverlays();
  EXPECT_EQ(Shown(wl::Main), Engine(wl::Main));
}

TEST_F(ViewOverlays, TheSliderSaysWhereTheSliceLies) {
  QLabel* label = w->labSlicePosition;
  ASSERT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = 0.0 a\u2080"));
  // Under the slider's caption, clear of the thumb's track, and it fits.
  EXPECT_GE(label->x(), wl::Layout::kSliderMax + wl::Layout::eeTSlider.width());
  EXPECT_LE(label->geometry().right(), wl::Layout::WLmainBG.right());
  // The thumb dragged to 554 puts the slice at -46 of 127 steps of 18 a0.
  const QPoint start = w->eeTSlider->mapTo(w, QPoint(8, 15));
  const QPoint end = start + QPoint(554 - w->eeTSlider->x(), 0);
  QTest::mouseMove(w->windowHandle(), start);
  QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, start);
  QTest::mouseMove(w->windowHandle(), end);
  QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, end);
  QApplication::processEvents();
  ASSERT_EQ(R().TransectNo, -46);
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = \u22126.5 a\u2080"));
  // The longest position there is fits.
  EXPECT_LE(QFontMetrics(label->font())
                .horizontalAdvance(wl::SlicePosition(wl::AlongX, -127, 32)),
            label->width());
  Click(w->eeTDir[2]);
  EXPECT_EQ(label->text(), QStringLiteral("slice at z = \u22126.5 a\u2080"));
  // Another orbital shows its own slice.
  ASSERT_TRUE(w->Calculate(0, 2, 30, 0));  // 1s, atom radius 2
  EXPECT_EQ(label->text(), QStringLiteral("slice at y = 0.0 a\u2080"));
}

}  // namespace
