// The "Further Options" window driven with real events: it edits the record
// of the orbital shown, renders only where its option applies, and follows the
// viewer from orbital to orbital and page to page.
#include "dialogs/frmViewOptions.h"

#include <QCheckBox>
#include <QStyle>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

#include <QScreen>

#include "AppTestSupport.h"
#include "main/Layout.h"
#include "CameraView.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "core/Platform.h"
#include "main/Bitmaps.h"

using namespace wltest;

namespace {

// The option fields of a record, for before-and-after comparisons.
auto Options(const wl::OrbitalView& v) {
  return std::tuple(v.Mode, v.DotTarget, v.DotThreshold, v.ShowProbLevelOnDots,
                    v.ShowProbLevelOnTrans, v.VolQuality, v.CameraPos, v.ProjectionPlane,
                    v.StereoFactor, v.Stats.DotTotal);
}

class ViewOptions : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(21);
    w = &Started();
    ASSERT_TRUE(w->Calculate(9, 18, 30, 0));  // 3Dz² PDF
  }
  void ClickMain(QWidget* widget) {
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(w, widget->rect().center()));
    QApplication::processEvents();
  }
  wl::frmViewOptions& Open() {
    ClickMain(w->eeFurtherOptions);
    EXPECT_TRUE(w->OptionsShown);
    EXPECT_TRUE(w->ViewOptions);
    return *w->ViewOptions;
  }
  void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(widget, key, mods);
    QApplication::processEvents();
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  wl::Long Frames() { return w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered; }
  void SetMode(int i) { ClickMain(w->ee3Dmodes[i]); }

  wl::frmMain* w = nullptr;
};

TEST_F(ViewOptions, OpeningAndClosingChangesNothing) {
  R().ShowProbLevelOnDots = true;
  R().CameraPos = -500;
  R().ProjectionPlane = -100;
  R().VolQuality = 7;
  const auto before = Options(R());
  wl::frmViewOptions& o = Open();
  EXPECT_EQ(o.windowTitle(), QStringLiteral("Further Options"));
  EXPECT_EQ(o.Tabs->count(), 5);
  EXPECT_EQ(o.Tabs->tabText(0), QStringLiteral("Probability Shading"));
  EXPECT_TRUE(o.TabCont[0]->isVisible());
  EXPECT_FALSE(o.TabCont[1]->isVisible());
  EXPECT_EQ(o.CPosSlider->value(), -500);
  EXPECT_EQ(o.PPosSlider->value(), 400);
  EXPECT_TRUE(o.ShadeModes[1]->isChecked());
  EXPECT_EQ(o.labDotTotal->text(),
            QStringLiteral("Currently there are %1 dots. The higher the value the clearer the "
                           "outline of the orbital is, but the internal detail may be lost.")
                .arg(R().Stats.DotTotal));
  QTest::mouseClick(o.cmdClose, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(Options(R()), before);
  EXPECT_FALSE(w->OptionsShown);
  EXPECT_FALSE(w->ViewOptions);
  EXPECT_EQ(w->eeFurtherOptions->Picture().toImage(),
            wl::Bitmaps::Get(QStringLiteral("EEFURTHEROFF")).toImage());
}

TEST_F(ViewOptions, CameraSlidersKeepOrMoveTheDistanceAndRenderOnlyWhereTheyApply) {
  wl::frmViewOptions& o = Open();
  o.Tabs->setCurrentIndex(1);
  const QImage diagram = o.CView1->Picture();
  const wl::Long frames = Frames();
  Key(o.CPosSlider, Qt::Key_PageUp);  // the camera moves closer by 5
  EXPECT_EQ(R().CameraPos, -295);
  EXPECT_EQ(R().ProjectionPlane - R().CameraPos, 315);
  EXPECT_NE(o.CView1->Picture(), diagram);
  Key(o.StereoFactorSlider, Qt::Key_Right);
  EXPECT_EQ(R().StereoFactor, 31);
  EXPECT_EQ(Frames(), frames);  // orthographic: nothing to redraw

  SetMode(1);  // perspective
  const wl::Long persp = Frames();
  Key(o.PPosSlider, Qt::Key_Left);
  EXPECT_EQ(R().CameraPos, -295);
  EXPECT_EQ(R().ProjectionPlane - R().CameraPos, 314);
  EXPECT_EQ(Frames(), persp + 1);
  Key(o.StereoFactorSlider, Qt::Key_Right);
  EXPECT_EQ(Frames(), persp + 1);  // stereo separation only matters to anaglyphs
  SetMode(2);
  const wl::Long ana = Frames();
  Key(o.StereoFactorSlider, Qt::Key_Right);
  EXPECT_EQ(Frames(), ana + 1);
}

// The glasses of the orbital shown: red/cyan redraws the anaglyph with the
// left eye in cyan; another orbital keeps red/green until asked.
TEST_F(ViewOptions, GlassesChoiceDrawsTheAnaglyphForRedCyanGlasses) {
  SetMode(2);
  wl::frmViewOptions& o = Open();
  o.Tabs->setCurrentIndex(1);
  ASSERT_TRUE(o.GlassesChoice[0]->isVisible());
  EXPECT_TRUE(o.GlassesChoice[0]->isChecked());
  auto colours = [&] {
    int cyan = 0, green = 0;
    const QImage view = w->eeMainView->Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 375; ++y) {
      for (int x = 0; x < 375; ++x) {
        const QRgb p = view.pixel(x, y);
        cyan += qGreen(p) > 0 && qBlue(p) == qGreen(p) && qRed(p) == 0;
        green += qGreen(p) > 0 && qBlue(p) == 0;
      }
    }
    return std::pair(cyan, green);
  };
  EXPECT_EQ(colours().first, 0);
  const wl::Long frames = Frames();
  QTest::mouseClick(o.GlassesChoice[1], Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(R().Glasses, wl::RedCyan);
  EXPECT_EQ(Frames(), frames + 1);
  EXPECT_FALSE(o.GlassesChoice[0]->isChecked());
  EXPECT_GT(colours().first, 200);
  EXPECT_EQ(colours().second, 0);
  // The camera diagram draws the left eye's rays in cyan too.
  bool cyan = false;
  for (int y = 0; y < 45; ++y) cyan |= o.CView2->Picture().pixel(110, y) == qRgb(0, 255, 255);
  EXPECT_TRUE(cyan);

  ASSERT_TRUE(w->Calculate(4, 8, 30, 0));
  EXPECT_EQ(R().Glasses, wl::RedGreen);
  EXPECT_TRUE(o.GlassesChoice[0]->isChecked());
}

TEST_F(ViewOptions, ShadingModesAndTheTransectBox) {
  wl::frmViewOptions& o = Open();
  EXPECT_FALSE(o.chkColourTrans->isEnabled());
  EXPECT_TRUE(o.chkColourTrans->isChecked());
  const wl::Long frames = Frames();
  QTest::mouseClick(o.ShadeModes[1], Qt::LeftButton);
  EXPECT_TRUE(R().ShowProbLevelOnDots);
  EXPECT_TRUE(o.chkColourTrans->isEnabled());
  EXPECT_EQ(Frames(), frames + 2);  // both views, the transect is enhanced too
  QTest::mouseClick(o.chkColourTrans, Qt::LeftButton);
  EXPECT_FALSE(R().ShowProbLevelOnTrans);
  EXPECT_EQ(Frames(), frames + 3);
  // "Standard" disables the box and keeps its value.
  QTest::mouseClick(o.ShadeModes[0], Qt::LeftButton);
  EXPECT_FALSE(o.chkColourTrans->isEnabled());
  EXPECT_FALSE(R().ShowProbLevelOnTrans);
  EXPECT_FALSE(o.chkColourTrans->isChecked());
  // The example picture chooses its mode too.
  QTest::mouseClick(o.ShadeModesImg[1], Qt::LeftButton);
  EXPECT_TRUE(o.ShadeModes[1]->isChecked());
  EXPECT_TRUE(R().ShowProbLevelOnDots);

  // In anaglyph mode the value is stored and nothing is redrawn.
  SetMode(2);
  const wl::Long ana = Frames();
  QTest::mouseClick(o.ShadeModes[0], Qt::LeftButton);
  EXPECT_FALSE(R().ShowProbLevelOnDots);
  EXPECT_EQ(Frames(), ana);
}

// Captions light on the dark panel, marks dark in their white boxes.
TEST_F(ViewOptions, OptionAndCheckBoxesReadOnTheDarkPanel) {
  wl::frmViewOptions& o = Open();
  for (QAbstractButton* box : {static_cast<QAbstractButton*>(o.ShadeModes[0]),
                               static_cast<QAbstractButton*>(o.chkScaleBar)}) {
    const QImage image = box->grab().toImage();
    const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
    int light = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const int g = qGray(image.pixel(x, y));
        if (x > indicator + 4 && g > 200) ++light;  // the caption
        if (x < indicator && g < 80) ++dark;         // the mark and the box's edge
      }
    }
    EXPECT_GT(light, 20) << box->text().toStdString();
    EXPECT_GT(dark, 4) << box->text().toStdString();
  }
}

TEST_F(ViewOptions, DotDensityWaitsForApplyAndVolumesAreNotRedrawn) {
  wl::frmViewOptions& o = Open();
  o.Tabs->setCurrentIndex(2);
  const wl::Long dots = R().Stats.DotTotal;
  const QString text = o.labDotTotal->text();
  o.spinDotTarget->setValue(4000);
  o.spinPThreshold->setValue(60);
  EXPECT_EQ(R().DotTarget, 4000);
  EXPECT_EQ(R().DotThreshold, 60);
  EXPECT_EQ(o.labDotTotal->text(), text);
  EXPECT_EQ(w->Engine.Orbitals().GetStats(0).DotTotal, dots);

  SetMode(3);
  const wl::Long frames = Frames();
  QTest::mouseClick(o.labRefillDotMatrix, Qt::LeftButton);
  EXPECT_LT(R().Stats.DotTotal, dots);
  EXPECT_LE(R().Stats.DotTotal, 4000);
  EXPECT_TRUE(o.labDotTotal->text().contains(QString::number(R().Stats.DotTotal)));
  EXPECT_EQ(Frames(), frames);  // the volume image does not show dots
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  SetMode(0);
  const wl::Long dotFrames = Frames();
  QTest::mouseClick(o.labRefillDotMatrix, Qt::LeftButton);
  EXPECT_EQ(Frames(), dotFrames + 1);
}

TEST_F(ViewOptions, QualitySliderRendersOneFinalImageInVolumeMode) {
  wl::frmViewOptions& o = Open();
  o.Tabs->setCurrentIndex(3);
  const wl::Long frames = Frames();
  Key(o.SlideVolQuality, Qt::Key_Right);
  EXPECT_EQ(R().VolQuality, 6);
  EXPECT_EQ(Frames(), frames);  // orthographic
  SetMode(3);
  const wl::Long vol = Frames();
  Key(o.SlideVolQuality, Qt::Key_Right);
  EXPECT_EQ(R().VolQuality, 7);
  EXPECT_EQ(Frames(), vol + 1);
}

TEST_F(ViewOptions, KeysTabsAndHelp) {
  wl::frmViewOptions& o = Open();
  for (int expected : {1, 2, 3, 4, 0}) {
    Key(o.cmdClose, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(o.Tabs->currentIndex(), expected);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(o.TabCont[i]->isVisible(), i == expected);
  }
  o.Tabs->setCurrentIndex(1);
  QTest::mouseClick(o.cmdHelp, Qt::LeftButton);
  EXPECT_EQ(w->CurrentMode, 1);
  EXPECT_EQ(w->CurrentPage, w->HelpOptionsPage);
  EXPECT_EQ(w->CurrentAnchor, QStringLiteral("CameraSettings"));
  EXPECT_FALSE(o.isVisible());  // it goes with the viewer page
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_TRUE(o.isVisible());
  o.Tabs->setCurrentIndex(3);
  Key(o.SlideVolQuality, Qt::Key_F1);
  EXPECT_EQ(w->CurrentAnchor, QStringLiteral("VolumetricQuality"));
  w->SetMode(3, QString(), QString(), 0, true, true);
  o.Tabs->setCurrentIndex(4);
  Key(o.SlideEnclosed, Qt::Key_F1);
  EXPECT_EQ(w->CurrentAnchor, QStringLiteral("SurfaceOptions"));
}

TEST_F(ViewOptions, FollowsTheOrbitalShown) {
  ASSERT_TRUE(w->Calculate(4, 8, 50, 0));  // orbital 1
  w->OrbitalViews[1].StereoFactor = 12;
  w->OrbitalViews[1].ShowProbLevelOnDots = true;
  wl::frmViewOptions& o = Open();
  EXPECT_EQ(o.StereoFactorSlider->value(), 12);
  w->OrbitalViews[0].CameraPos = -700;
  w->OrbitalViews[0].ProjectionPlane = -600;
  const auto first = Options(w->OrbitalViews[0]);
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_EQ(o.StereoFactorSlider->value(), 30);
  EXPECT_EQ(o.CPosSlider->value(), -700);
  EXPECT_EQ(o.PPosSlider->value(), 100);
  EXPECT_TRUE(o.ShadeModes[0]->isChecked());
  EXPECT_EQ(Options(w->OrbitalViews[0]), first);  // loading wrote nothing back
  EXPECT_EQ(w->OrbitalViews[1].StereoFactor, 12);

  // The window goes when the program is left and comes back with it.
  emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_FALSE(o.isVisible());
  emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_TRUE(o.isVisible());
  EXPECT_TRUE(o.windowFlags() & Qt::WindowStaysOnTopHint);
  // The button closes it again.
  ClickMain(w->eeFurtherOptions);
  QApplication::processEvents();
  EXPECT_FALSE(w->OptionsShown);
  EXPECT_FALSE(w->ViewOptions);
}

TEST_F(ViewOptions, FullScreenAndBackKeepTheWindowOnScreenAndOffTheMainView) {
  display->presentedOrigin = QPoint(112, 84);  // an 800 by 600 picture on a larger screen
  w->move(200, 150);
  wl::frmViewOptions& o = Open();
  const QRect screen = w->screen()->availableGeometry();
  // How much of the main view the window hides; where it used to open, over
  // the tree at (12, 100), it hid 236 of the view's 375 columns.
  auto hiddenColumns = [&] {
    const QRect view(w->mapToGlobal(wl::Layout::eeMainView.topLeft()),
                     wl::Layout::eeMainView.size());
    return o.frameGeometry().intersected(view).width();
  };
  EXPECT_LT(hiddenColumns(), 236);
  ClickMain(w->cbSize);
  ASSERT_TRUE(w->FullScreen);
  EXPECT_EQ(w->pos(), QPoint(112, 84));
  EXPECT_TRUE(screen.contains(o.frameGeometry()));
  EXPECT_LT(hiddenColumns(), 236);
  ClickMain(w->cbSize);
  ASSERT_FALSE(w->FullScreen);
  EXPECT_EQ(w->pos(), QPoint(200, 150));
  EXPECT_LT(hiddenColumns(), 236);
}

}  // namespace
