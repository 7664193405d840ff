// The viewer's Surface mode and Phase toggle with real events: the buttons,
// the Surface tab of the options window, the status line that says what is
// shown, and a start straight into that state. What the engine draws is
// checked elsewhere; here the render requests the program sends are.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Platform.h"
#include "core/cOrbitalCol.h"
#include "dialogs/frmViewOptions.h"
#include "main/Bitmaps.h"
#include "main/ViewerCaption.h"
#include "render/cOrbital.h"

using namespace wltest;

namespace {

constexpr int kSurfaceButton = 4;

class Surface : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(17);
    w = &Started();
    ASSERT_TRUE(w->Calculate(4, 8, 30, 0));  // 2Pz, PDF
  }
  void Click(QWidget* widget) {
    const QPoint at = widget->mapTo(w, widget->rect().center());
    QTest::mouseMove(w->windowHandle(), at);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  // The request of the engine's last render of the orbital shown.
  const wl::RenderRequest& Last() {
    return dynamic_cast<wl::cOrbitalObject&>(w->Engine.Orbitals().At(w->CurrentOrbital))
        .LastRequest();
  }
  bool Shows(wl::RollOverImage* button, const char* bitmap) {
    return button->Picture().toImage() == wl::Bitmaps::Get(QLatin1String(bitmap)).toImage();
  }
  // Drags across the main view and lets go.
  void DragMainView() {
    const QPoint start = w->eeMainView->mapTo(w, QPoint(100, 100));
    QTest::mouseMove(w->windowHandle(), start);
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, start);
    QTest::mouseMove(w->windowHandle(), start + QPoint(12, 5));
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, start + QPoint(12, 5));
    QApplication::processEvents();
  }

  wl::frmMain* w = nullptr;
};

TEST_F(Surface, TheSurfaceButtonSetsTheModeAndEveryRequestFollowsTheView) {
  ASSERT_EQ(w->ee3Dmodes.size(), 5u);
  for (int i = 1; i < 5; ++i) {  // five in a row under the main view, none overlapping
    EXPECT_GT(w->ee3Dmodes[i]->x(), w->ee3Dmodes[i - 1]->geometry().right());
  }
  EXPECT_LE(w->ee3Dmodes[4]->geometry().right(), w->eeMainView->geometry().right());

  Click(w->ee3Dmodes[kSurfaceButton]);
  EXPECT_EQ(R().Mode, wl::BoundarySurface);
  EXPECT_TRUE(Shows(w->ee3Dmodes[kSurfaceButton], "EESURFON"));
  EXPECT_TRUE(Shows(w->ee3Dmodes[0], "EEORTHOOFF"));
  EXPECT_TRUE(w->labStatus->text().contains(QStringLiteral("90% boundary surface")))
      << w->labStatus->text().toStdString();

  // A drag shows previews; letting go gives the final image, as in Volume.
  R().ShowPhase = true;
  R().Palette = wl::RedBlue;
  R().SurfaceCutaway = true;
  DragMainView();
  const wl::RenderRequest& r = Last();
  EXPECT_EQ(r.Mode, wl::BoundarySurface);
  EXPECT_EQ(r.VolFinal, wl::kTrue);
  EXPECT_EQ(r.ShowPhase, wl::kTrue);
  EXPECT_EQ(r.Palette, wl::RedBlue);
  EXPECT_DOUBLE_EQ(r.EnclosedShare, 0.9);
  EXPECT_EQ(r.SurfaceCutaway, wl::kTrue);
  EXPECT_EQ(r.SurfaceNested, wl::kFalse);

  // The Phase toggle turns the sign off again, in the transect too.
  Click(w->eePhase);
  EXPECT_FALSE(R().ShowPhase);
  EXPECT_EQ(Last().Mode, wl::Transect);
  EXPECT_EQ(Last().ShowPhase, wl::kFalse);
  EXPECT_EQ(Last().Palette, wl::RedBlue);
  Click(w->eePhase);
  EXPECT_TRUE(R().ShowPhase);
  EXPECT_EQ(Last().ShowPhase, wl::kTrue);
  EXPECT_TRUE(Shows(w->eePhase, "EEPHASEON"));

  // Back to dots: the status line no longer speaks of a surface.
  Click(w->ee3Dmodes[0]);
  EXPECT_EQ(R().Mode, wl::Orthographic);
  EXPECT_FALSE(w->labStatus->text().contains(QStringLiteral("surface")));
  EXPECT_TRUE(Shows(w->ee3Dmodes[kSurfaceButton], "EESURFOFF"));
}

TEST_F(Surface, PhaseIsOffWithItsReasonForAnAverage) {
  Click(w->eePhase);
  ASSERT_TRUE(R().ShowPhase);
  ASSERT_TRUE(w->Calculate(32, 8, 30, 0));  // the 2P average
  ASSERT_EQ(R().Info.OrbType, wl::AverageOrbs);
  EXPECT_FALSE(R().ShowPhase);
  EXPECT_FALSE(w->PhaseAvailable());
  EXPECT_TRUE(Shows(w->eePhase, "EEPHASEDIS"));
  EXPECT_EQ(w->eePhase->accessibleDescription(), QStringLiteral("Averages over m have no sign"));

  // Under the pointer it says why; leaving it brings the orbital's line back.
  const QString before = w->labStatus->text();
  QTest::mouseMove(w->windowHandle(), w->eeMainView->geometry().center());
  QTest::mouseMove(w->windowHandle(), w->eePhase->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Averages over m have no sign"));
  EXPECT_TRUE(Shows(w->eePhase, "EEPHASEDIS"));  // greyed under the pointer too
  QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->eePhase->geometry().center());
  EXPECT_FALSE(R().ShowPhase);
  EXPECT_EQ(Last().ShowPhase, wl::kFalse);
  EXPECT_TRUE(Shows(w->eePhase, "EEPHASEDIS"));
  QTest::mouseMove(w->windowHandle(), w->eeMainView->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(w->labStatus->text(), before);

  // Asked for in code (as a start with --phase does), it stays off.
  w->SetPhase(true);
  EXPECT_FALSE(R().ShowPhase);
  EXPECT_EQ(Last().ShowPhase, wl::kFalse);

  // The single orbital still has its phase on, and the toggle back.
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_TRUE(w->PhaseAvailable());
  EXPECT_TRUE(R().ShowPhase);
  EXPECT_TRUE(Shows(w->eePhase, "EEPHASEON"));
}

TEST_F(Surface, TheSurfaceTabChangesTheViewAndTheNextRequest) {
  Click(w->ee3Dmodes[kSurfaceButton]);
  Click(w->eePhase);
  Click(w->eeFurtherOptions);
  ASSERT_TRUE(w->ViewOptions);
  wl::frmViewOptions& o = *w->ViewOptions;
  ASSERT_EQ(o.Tabs->tabText(4), QStringLiteral("Surface"));
  EXPECT_LE(o.Tabs->tabRect(4).right(), o.Tabs->width());  // all five in sight, no scrolling
  o.Tabs->setCurrentIndex(4);
  EXPECT_TRUE(o.TabCont[4]->isVisible());
  EXPECT_EQ(o.SlideEnclosed->value(), 90);
  EXPECT_EQ(o.labEnclosed->text(), QStringLiteral("90%"));
  EXPECT_TRUE(o.PaletteChoice[0]->isChecked());

  QTest::keyClick(o.SlideEnclosed, Qt::Key_Home);
  EXPECT_DOUBLE_EQ(R().EnclosedShare, 0.5);
  EXPECT_DOUBLE_EQ(Last().EnclosedShare, 0.5);
  EXPECT_EQ(Last().Mode, wl::BoundarySurface);
  EXPECT_EQ(o.labEnclosed->text(), QStringLiteral("50%"));
  EXPECT_TRUE(w->labStatus->text().contains(QStringLiteral("50% boundary surface")));
  QTest::keyClick(o.SlideEnclosed, Qt::Key_End);
  EXPECT_DOUBLE_EQ(Last().EnclosedShare, 0.99);

  QTest::mouseClick(o.chkNested, Qt::LeftButton);
  EXPECT_TRUE(R().SurfaceNested);
  EXPECT_EQ(Last().SurfaceNested, wl::kTrue);
  QTest::mouseClick(o.chkCutaway, Qt::LeftButton);
  EXPECT_TRUE(R().SurfaceCutaway);
  EXPECT_EQ(Last().SurfaceCutaway, wl::kTrue);
  QTest::mouseClick(o.PaletteChoice[2], Qt::LeftButton);
  EXPECT_EQ(R().Palette, wl::ColourSafe);
  EXPECT_EQ(Last().Palette, wl::ColourSafe);
  EXPECT_EQ(Last().ShowPhase, wl::kTrue);

  // Each orbital keeps its own: a new one starts from the defaults, the
  // first one's come back with it.
  ASSERT_TRUE(w->Calculate(9, 18, 30, 0));
  EXPECT_EQ(o.SlideEnclosed->value(), 90);
  EXPECT_FALSE(o.chkNested->isChecked());
  EXPECT_TRUE(o.PaletteChoice[0]->isChecked());
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_EQ(o.SlideEnclosed->value(), 99);
  EXPECT_TRUE(o.chkNested->isChecked());
  EXPECT_TRUE(o.chkCutaway->isChecked());
  EXPECT_TRUE(o.PaletteChoice[2]->isChecked());
}

// The start a teacher's shortcut makes: WL --orbital 2Pz --mode surface --phase.
class SurfaceStart : public ProgramTest {
 protected:
  wl::frmMain& Run(int orbital) {
    wl::StartOptions options;
    wl::OrbitalSetup setup;
    setup.OrbitalIndex = static_cast<wl::Integer>(orbital);
    setup.AtomRadius = 8;
    setup.DotThreshold = 30;
    options.Orbital = setup;
    options.Mode = wl::BoundarySurface;
    options.Phase = true;
    window = wl::modMain::Main(options).Window;
    EXPECT_TRUE(window);
    return *window;
  }
  const wl::OrbitalView& View() {
    return window->OrbitalViews[static_cast<size_t>(window->CurrentOrbital)];
  }
};

TEST_F(SurfaceStart, OpensTheViewerInTheModeAndPhaseAsked) {
  wl::frmMain& w = Run(4);
  ASSERT_EQ(w.CurrentMode, 3);
  EXPECT_EQ(View().Mode, wl::BoundarySurface);
  EXPECT_TRUE(View().ShowPhase);
  const auto& last =
      dynamic_cast<wl::cOrbitalObject&>(w.Engine.Orbitals().At(w.CurrentOrbital)).LastRequest();
  EXPECT_EQ(last.ShowPhase, wl::kTrue);
  EXPECT_TRUE(w.labStatus->text().contains(QStringLiteral("90% boundary surface")));
  EXPECT_TRUE(w.ee3Dmodes[kSurfaceButton]->Picture().toImage() ==
              wl::Bitmaps::Get(QStringLiteral("EESURFON")).toImage());

  window.reset();
  Run(32);  // an average: the surface yes, the phase no
  EXPECT_EQ(View().Mode, wl::BoundarySurface);
  EXPECT_FALSE(View().ShowPhase);
}

TEST(ViewerCaption, SaysWhatTheViewShows) {
  wl::OrbitalView v;
  v.DotThreshold = 30;
  EXPECT_EQ(
      wl::ShownCaption(v, wl::ProbabilityShares{0.112, 0.991}, std::nullopt),
      QStringLiteral("dots show the 11% of the probability above level 30; the box holds 99%"));
  EXPECT_EQ(wl::ShownCaption(v, std::nullopt, std::nullopt), QString());
  // Nearly all is not all.
  EXPECT_EQ(wl::SharePercent(0.997), QStringLiteral("99.7%"));
  EXPECT_EQ(wl::SharePercent(0.9996), QStringLiteral("100%"));
  v.Mode = wl::BoundarySurface;
  v.EnclosedShare = 0.75;
  EXPECT_EQ(wl::ShownCaption(v, wl::ProbabilityShares{0.1, 0.9}, std::nullopt),
            QStringLiteral("75% boundary surface"));
  EXPECT_EQ(wl::ShownCaption(v, std::nullopt, 24.2),
            QStringLiteral("75% boundary surface; box enlarged to 24 a\u2080"));
  v.Mode = wl::Volumetric;
  EXPECT_EQ(wl::ShownCaption(v, wl::ProbabilityShares{0.1, 0.9}, std::nullopt), QString());
}

}  // namespace
