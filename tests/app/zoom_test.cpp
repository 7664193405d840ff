// The zoomed window on a 2560 by 1600 panel: its device size, the device
// size of its views and of the pictures they ask the engine for, the
// twice-size bitmaps, the zoom keys and their limits, the zoom kept between
// runs, full screen filling the screen's height, the options window beside.
#include <QAction>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "dialogs/SavePrintTexts.h"
#include "dialogs/frmViewOptions.h"
#include "help/frmMenus.h"
#include "main/Zoom.h"
#include "render/Surfaces.h"
#include "shell/QtServices.h"

using namespace wltest;

namespace {

constexpr wl::Integer k3Dz2 = 9;

class Zoom : public ProgramTest {
 protected:
  void TearDown() override {
    ProgramTest::TearDown();
    wl::Zoom::SetFactor(1.0);
  }
  // The program as WL starts it, with 3Dz² shown, at `scale` (none: the zoom kept).
  wl::frmMain& StartAt(std::optional<double> scale) {
    window.reset();
    wl::SetSeedHook(3);
    wl::StartOptions options;
    options.Scale = scale;
    wl::OrbitalSetup s;
    s.OrbitalIndex = k3Dz2;
    s.AtomRadius = 18;
    s.DotThreshold = 30;
    options.Orbital = s;
    window = wl::modMain::Main(options).Window;
    EXPECT_TRUE(window);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    return *window;
  }
  // The window's size and place in the screen's own pixels.
  static QRect Device(QWidget* w) { return w->windowHandle()->handle()->geometry(); }
  void Key(Qt::Key key) {
    QTest::keyClick(window.get(), key, Qt::ControlModifier);
    QApplication::processEvents();
  }
};

TEST_F(Zoom, TwiceTheWindowShowsDevicePixelPicturesAndTwiceSizeBitmaps) {
  wl::frmMain& w = StartAt(2.0);
  ASSERT_EQ(w.CurrentMode, 3);
  // The layout keeps its pixels; the screen shows twice as many.
  EXPECT_EQ(w.size(), QSize(800, 600));
  EXPECT_EQ(Device(&w).size(), QSize(1600, 1200));
  // The views ask the engine for pictures of their device size.
  EXPECT_EQ(w.ViewPixels(wl::Main), 750);
  EXPECT_EQ(w.ViewPixels(wl::Nano), 256);
  const wl::Surface* view = wl::LookupSurface(w.eeMainView->hdc());
  ASSERT_TRUE(view);
  EXPECT_EQ(view->Width, 750);

  // The engine's picture is shown pixel for pixel (above the scale bar).
  const wl::OrbitalView& R = w.OrbitalViews[static_cast<size_t>(w.CurrentOrbital)];
  const wl::Surface* picture = wl::LookupSurface(R.DC.MainHDC);
  ASSERT_TRUE(picture);
  const int edge = std::min<int>(750, picture->Width);
  const QImage engine(reinterpret_cast<const uchar*>(picture->Pixels.data()), picture->Width,
                      picture->Rows - 1, picture->Width * 4, QImage::Format_RGB32);
  const QImage shown = w.eeMainView->Image();
  int differ = 0, lit = 0;
  for (int y = 0; y < edge * 3 / 4; ++y) {
    for (int x = 0; x < edge; ++x) {
      differ += (shown.pixel(x, y) & 0xFFFFFF) != (engine.pixel(x, y) & 0xFFFFFF);
      lit += (engine.pixel(x, y) & 0xFFFFFF) != 0;
    }
  }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(lit, 1000);

  // The title bar's buttons show their twice-size drawings, unscaled.
  QImage drawing(QStringLiteral(":/bitmaps/CBCLOSEOFF@2x.png"));
  ASSERT_EQ(drawing.size(), QSize(44, 40));
  drawing.setDevicePixelRatio(1);  // compared pixel for pixel
  QImage expected(drawing.size(), QImage::Format_RGB32);
  expected.fill(w.cbClose->BackColor());
  QPainter(&expected).drawImage(0, 0, drawing);
  QImage button = w.cbClose->Image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(button.size(), expected.size());
  int unlike = 0;
  for (int y = 0; y < button.height(); ++y)
    for (int x = 0; x < button.width(); ++x) unlike += button.pixel(x, y) != expected.pixel(x, y);
  EXPECT_EQ(unlike, 0);

  // The composite keeps its size; each of its pixels stands for four of the
  // view's, and a dot among them still shows (none is simply dropped).
  const QImage composite = wl::ComposeImage(w);
  ASSERT_EQ(composite.size(), QSize(wl::kCompositeWidth, wl::kCompositeHeight));
  int blocksWithDots = 0, shownInComposite = 0;
  for (int y = 0; y < 375; ++y) {
    for (int x = 0; x < 375; ++x) {
      bool dot = false;
      for (int k = 0; k < 4; ++k) {
        const QRgb p = shown.pixel(2 * x + k % 2, 2 * y + k / 2);
        dot |= std::max({qRed(p), qGreen(p), qBlue(p)}) >= 8;  // a visible dot
      }
      blocksWithDots += dot;
      shownInComposite += dot && (composite.pixel(wl::kCompositeMain.topLeft() + QPoint(x, y)) &
                                  0xFFFFFF) != 0;
    }
  }
  EXPECT_GT(blocksWithDots, 1000);
  EXPECT_EQ(shownInComposite, blocksWithDots);

  // Actual Size gives back the window and the pictures of a factor of 1.
  w.Menus->mnuGoZoomReset->trigger();
  EXPECT_EQ(Device(&w).size(), QSize(800, 600));
  EXPECT_EQ(w.ViewPixels(wl::Main), 0);
  EXPECT_EQ(wl::LookupSurface(w.eeMainView->hdc())->Width, 375);
  QImage single(QStringLiteral(":/bitmaps/CBCLOSEOFF.png"));
  QImage expected1(single.size(), QImage::Format_RGB32);
  expected1.fill(w.cbClose->BackColor());
  QPainter(&expected1).drawImage(0, 0, single);
  EXPECT_EQ(w.cbClose->Image().convertToFormat(QImage::Format_RGB32), expected1);
}

TEST_F(Zoom, KeysStepTheZoomWithinTheScreenAndItIsKeptForTheNextRun) {
  wl::frmMain& w = StartAt(std::nullopt);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.0);
  Key(Qt::Key_Equal);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.25);
  EXPECT_EQ(Device(&w).size(), QSize(1000, 750));
  Key(Qt::Key_Plus);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.5);
  Key(Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.25);
  Key(Qt::Key_0);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.0);
  Key(Qt::Key_Minus);  // 1 is the least
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.0);
  EXPECT_EQ(Device(&w).size(), QSize(800, 600));

  // 3 does not fit 1600 pixels of height: the largest factor that does.
  w.SetZoom(2.5);
  Key(Qt::Key_Equal);
  EXPECT_NEAR(w.ZoomFactor(), 2.666, 1e-9);
  Key(Qt::Key_Equal);
  EXPECT_NEAR(w.ZoomFactor(), 2.666, 1e-9);
  const QRect device = Device(&w);
  const QRect screen = w.screen()->handle()->geometry();
  EXPECT_TRUE(screen.contains(device)) << device.x() << "," << device.y() << " "
                                       << device.width() << "x" << device.height();
  EXPECT_GE(device.height(), 1599);

  Key(Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 2.5);

  // The options window stays off the (larger) main view where the screen
  // has room for it.
  w.OptionsShown = true;
  w.ShowFurtherOptions();
  ASSERT_TRUE(w.ViewOptions);
  Key(Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 2.0);
  const QRect mainView(w.eeMainView->mapToGlobal(QPoint()), w.eeMainView->size());
  EXPECT_FALSE(w.ViewOptions->frameGeometry().intersects(mainView));
  EXPECT_TRUE(w.screen()->geometry().contains(w.ViewOptions->frameGeometry()));

  // The next run starts at the zoom left; a zoom on the command line wins
  // for its run without being kept.
  window.reset();
  wl::Zoom::SetFactor(1.0);
  EXPECT_DOUBLE_EQ(StartAt(std::nullopt).ZoomFactor(), 2.0);
  EXPECT_EQ(Device(window.get()).size(), QSize(1600, 1200));
  EXPECT_DOUBLE_EQ(StartAt(1.5).ZoomFactor(), 1.5);
  EXPECT_DOUBLE_EQ(wl::Zoom::Saved(), 2.0);
  // More than fits is what fits.
  EXPECT_NEAR(StartAt(4.0).ZoomFactor(), 2.666, 1e-9);
}

TEST_F(Zoom, FullScreenFillsTheScreensHeightAndGivesTheWindowItsZoomBack) {
  wl::AppServices().Display = std::make_shared<wl::QtDisplayBackEnd>();
  wl::frmMain& w = StartAt(1.5);
  ASSERT_TRUE(w.WindowedAllowed);
  const QPoint windowed = w.pos();
  w.cbSize_Click();
  ASSERT_TRUE(w.FullScreen);
  EXPECT_NEAR(w.ZoomFactor(), 2.666, 1e-9);
  const QRect device = Device(&w);
  EXPECT_NEAR(device.height(), 1600, 1);
  EXPECT_NEAR(device.width(), 2133, 1);
  // Centred: the black border only left and right.
  EXPECT_NEAR(device.x(), (2560 - device.width()) / 2, 2);
  EXPECT_NEAR(device.y(), 0, 1);
  // A step out in full screen keeps the window in the middle.
  w.Menus->mnuGoZoomOut->trigger();
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 2.5);
  EXPECT_NEAR(Device(&w).x(), (2560 - 2000) / 2, 2);
  EXPECT_NEAR(Device(&w).y(), (1600 - 1500) / 2, 2);

  w.cbSize_Click();
  ASSERT_FALSE(w.FullScreen);
  EXPECT_DOUBLE_EQ(w.ZoomFactor(), 1.5);
  EXPECT_EQ(w.pos(), windowed);
  EXPECT_EQ(Device(&w).size(), QSize(1200, 900));
  // Full screen's zoom is its own: none was kept.
  EXPECT_DOUBLE_EQ(wl::Zoom::Saved(), 1.0);
}

}  // namespace
