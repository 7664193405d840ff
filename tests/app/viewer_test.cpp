// The viewer with real mouse events: dragging in the views and on the
// trackball, the slider, auto-rotation with its pacing and stop rules, the
// title bar and the window buttons.
#include <QAction>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Platform.h"
#include "help/frmMenus.h"
#include "main/Layout.h"

using namespace wltest;

namespace {

class Viewer : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(11);
    w = &Started();
    ASSERT_TRUE(w->Calculate(9, 18, 30, 0));  // 3Dz², PDF
    win = w->windowHandle();
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  QPoint At(QWidget* widget, QPoint local) const { return widget->mapTo(w, local); }
  // Presses at `from` in the widget, moves through `path`, releases at the
  // end. The points are where the pointer is when the drag starts, so a
  // widget that moves under the pointer sees it move relative to itself.
  void Drag(QWidget* widget, QPoint from, std::vector<QPoint> path,
            Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = At(widget, from);
    QTest::mouseMove(win, start);
    QTest::mousePress(win, button, {}, start);
    QPoint last = start;
    for (QPoint p : path) QTest::mouseMove(win, last = start + (p - from));
    QTest::mouseRelease(win, button, {}, last);
    QApplication::processEvents();
  }
  // The title bar moves with the window: its events are sent to it with
  // positions of a pointer that stays where the user holds it.
  void BarEvent(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPoint local = global - w->pos();
    QMouseEvent e(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(w->sysTitleBar, &e);
  }
  wl::Long Frames() { return w->Engine.Orbitals().GetStats(w->CurrentOrbital).FramesRendered; }
  void RunEvents(int ms) { QTest::qWait(ms); }

  wl::frmMain* w = nullptr;
  QWindow* win = nullptr;
};

TEST_F(Viewer, SliderMappingBothWays) {
  EXPECT_EQ(wl::frmMain::SliderLeftFor(0), 587);
  EXPECT_EQ(wl::frmMain::SliderLeftFor(-127), 495);
  EXPECT_EQ(wl::frmMain::SliderLeftFor(126), 679);
  EXPECT_EQ(wl::frmMain::SliderLeftFor(127), 680);
  EXPECT_EQ(wl::frmMain::SliderLeftFor(128), 680);
  EXPECT_EQ(wl::frmMain::TransectNoFor(680), 127);
  EXPECT_EQ(wl::frmMain::TransectNoFor(495), -127);
  EXPECT_EQ(wl::frmMain::TransectNoFor(587), -1);
}

TEST_F(Viewer, DraggingTheTransectViewMovesTheSliceAndClamps) {
  R().TransectNo = 120;
  Drag(w->eeNanoView, {60, 60}, {{65, 60}, {70, 61}});
  EXPECT_EQ(R().TransectNo, 127);
  EXPECT_EQ(R().SliderLeft, 680);
  EXPECT_EQ(w->eeTSlider->x(), 680);
  Drag(w->eeNanoView, {60, 60}, {{30, 60}});
  EXPECT_EQ(R().TransectNo, 97);
  EXPECT_DOUBLE_EQ(R().Theta, 0);  // the camera stays still
}

TEST_F(Viewer, DraggingTheThumbSetsTheSlice) {
  const int grab = 8;
  auto dragThumbTo = [&](int left) {
    const int from = w->eeTSlider->x();
    Drag(w->eeTSlider, {grab, 15}, {{grab + (left - from) / 2, 15}, {grab + left - from, 15}});
  };
  dragThumbTo(680);
  EXPECT_EQ(w->eeTSlider->x(), 680);
  EXPECT_EQ(R().TransectNo, 127);
  dragThumbTo(400);  // beyond the track: held at its end
  EXPECT_EQ(w->eeTSlider->x(), 495);
  EXPECT_EQ(R().TransectNo, -127);
  dragThumbTo(587);
  EXPECT_EQ(R().SliderLeft, 587);
  EXPECT_EQ(R().TransectNo, -1);
  // The right button does not move the thumb.
  Drag(w->eeTSlider, {grab, 15}, {{grab + 30, 15}}, Qt::RightButton);
  EXPECT_EQ(w->eeTSlider->x(), 587);
}

TEST_F(Viewer, FortyPixelsUpTurnsThetaByOneRadian) {
  Drag(w->eeMainView, {200, 200}, {{200, 180}, {200, 160}});
  EXPECT_DOUBLE_EQ(R().Theta, 1.0);
  EXPECT_DOUBLE_EQ(R().Phi, 0.0);
  Drag(w->eeMainView, {200, 200}, {{240, 200}});
  EXPECT_DOUBLE_EQ(R().Phi, -1.0);
  // The trackball turns by the same amount per pixel.
  Drag(w->eeTrackBall, {28, 40}, {{28, 20}, {28, 0}});
  EXPECT_DOUBLE_EQ(R().Theta, 2.0);
  // Whole turns are dropped, the sign is kept.
  for (int i = 0; i < 3; ++i) Drag(w->eeMainView, {200, 300}, {{200, 200}, {200, 100}, {200, 60}});
  EXPECT_LT(std::fabs(R().Theta), 6.28318530717958);
  EXPECT_NEAR(R().Theta, std::fmod(2.0 + 3 * 6.0, 6.28318530717958), 1e-12);
}

TEST_F(Viewer, SwappedViewsExchangeTheirRoles) {
  QTest::mouseClick(win, Qt::LeftButton, {}, w->eeSwap->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(R().Swapped, 1);
  EXPECT_EQ(w->eeMainView->MousePointer(), 9);
  EXPECT_EQ(w->eeNanoView->MousePointer(), 15);
  Drag(w->eeMainView, {100, 100}, {{110, 100}});
  EXPECT_EQ(R().TransectNo, 10);
  Drag(w->eeNanoView, {60, 60}, {{60, 20}});
  EXPECT_DOUBLE_EQ(R().Theta, 1.0);
}

TEST_F(Viewer, VolumeIsRenderedFinalOnceOnRelease) {
  QTest::mouseClick(win, Qt::LeftButton, {}, w->ee3Dmodes[3]->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(R().Mode, wl::Volumetric);
  const wl::Long before = Frames();
  QTest::mouseMove(win, At(w->eeMainView, {100, 100}));
  QTest::mousePress(win, Qt::LeftButton, {}, At(w->eeMainView, {100, 100}));
  for (int i = 1; i <= 5; ++i) QTest::mouseMove(win, At(w->eeMainView, {100 + 4 * i, 100}));
  EXPECT_EQ(Frames(), before + 5);  // one preview frame a move
  QTest::mouseRelease(win, Qt::LeftButton, {}, At(w->eeMainView, {120, 100}));
  EXPECT_EQ(Frames(), before + 6);  // and the final image once

  // In a dot mode the release renders nothing more.
  QTest::mouseClick(win, Qt::LeftButton, {}, w->ee3Dmodes[0]->geometry().center());
  const wl::Long dots = Frames();
  Drag(w->eeMainView, {100, 100}, {{104, 100}, {108, 100}});
  EXPECT_EQ(Frames(), dots + 2);
}

TEST_F(Viewer, EachOrbitalKeepsItsOwnView) {
  Drag(w->eeMainView, {200, 200}, {{200, 160}});
  R().TransectNo = 40;
  QTest::mouseClick(win, Qt::LeftButton, {}, w->ee3Dmodes[1]->geometry().center());
  ASSERT_TRUE(w->Calculate(4, 8, 50, 0));  // 2Pz becomes orbital 1
  EXPECT_EQ(w->CurrentOrbital, 1);
  EXPECT_DOUBLE_EQ(R().Theta, 0);
  EXPECT_EQ(R().Mode, wl::Orthographic);
  EXPECT_EQ(w->eeTSlider->x(), 587);

  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_DOUBLE_EQ(R().Theta, 1.0);
  EXPECT_EQ(R().TransectNo, 40);
  EXPECT_EQ(R().Mode, wl::Perspective);
  EXPECT_EQ(w->eeTSlider->x(), R().SliderLeft);
}

TEST_F(Viewer, AutoRotationStepsAndWrapsTheSlice) {
  R().TransectNo = 126;
  ASSERT_TRUE(w->AutoRotateStep());
  EXPECT_EQ(R().SliderLeft, 680);  // placed for 128 before the wrap
  EXPECT_EQ(w->eeTSlider->x(), 680);
  EXPECT_EQ(R().TransectNo, -127);
  EXPECT_EQ(R().TransectDir, wl::Alongz);
  const double step = 0.0314159265358979;
  EXPECT_DOUBLE_EQ(R().RotateAngle, step);
  EXPECT_DOUBLE_EQ(R().Theta, (std::sin(step) - std::sin(0.0)) * 4.0);
  EXPECT_DOUBLE_EQ(R().Phi, (std::cos(step) - std::cos(0.0)) * 3.5);

  // From the other end of the sweep the slice asks for one pixel past the
  // track; the thumb stays on it.
  R().TransectNo = 127;
  ASSERT_TRUE(w->AutoRotateStep());
  EXPECT_EQ(R().SliderLeft, 681);
  EXPECT_EQ(w->eeTSlider->x(), 680);
  EXPECT_EQ(R().TransectNo, -127);

  // A whole cycle of 200 steps brings the camera back.
  R().RotateAngle = 0;
  R().Theta = 0;
  R().Phi = 0;
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(w->AutoRotateStep());
  const double angle = R().RotateAngle;
  EXPECT_TRUE(angle < 1e-9 || angle > 6.28318530717958 - 1e-9) << angle;
  EXPECT_NEAR(R().Theta, 0, 1e-9);
  EXPECT_NEAR(R().Phi, 0, 1e-9);
  EXPECT_EQ(R().TransectDir, wl::Alongy);  // one sweep of 128 steps within them: the next axis
}

TEST_F(Viewer, StepsAreSpacedToThirtyMilliseconds) {
  std::uint32_t now = 1000;
  std::uint32_t stepCost = 12;
  wl::SetClockHook([&] { return now += stepCost / 2; });  // two readings a step
  QTest::mouseClick(win, Qt::LeftButton, {}, w->eeAutoRotate->geometry().center());
  EXPECT_TRUE(R().AutoRotating);
  EXPECT_TRUE(w->AutoRotateRunning());
  EXPECT_TRUE(QTest::qWaitFor([&] { return R().RotateAngle > 0; }, 1000));
  EXPECT_EQ(w->AutoRotateWait(), 30 - 6);
  stepCost = 90;  // slow steps follow each other at once
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->AutoRotateWait() == 0; }, 1000));
  EXPECT_EQ(w->AutoRotateWait(), 0);

  // The button stops it at the next step.
  QTest::mouseClick(win, Qt::LeftButton, {}, w->eeAutoRotate->geometry().center());
  EXPECT_FALSE(R().AutoRotating);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w->AutoRotateRunning(); }, 1000));
  const double angle = R().RotateAngle;
  RunEvents(80);
  EXPECT_DOUBLE_EQ(R().RotateAngle, angle);
}

TEST_F(Viewer, RotationFollowsTheOrbitalShownAndTheWindowState) {
  QTest::mouseClick(win, Qt::LeftButton, {}, w->eeAutoRotate->geometry().center());
  ASSERT_TRUE(w->Calculate(4, 8, 50, 0));  // orbital 1 does not rotate
  RunEvents(80);
  EXPECT_FALSE(w->AutoRotateRunning());
  const double angle = w->OrbitalViews[0].RotateAngle;
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_TRUE(w->AutoRotateRunning());
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->OrbitalViews[0].RotateAngle > angle; }, 1000));

  // Leaving the page stops it, the flag stays.
  w->SetMode(2, QString(), QString(), 0, true, true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w->AutoRotateRunning(); }, 1000));
  EXPECT_TRUE(w->OrbitalViews[0].AutoRotating);

  // Minimising stops it; activating the program again resumes it.
  w->SetMode(3, QString(), QString(), 0, true, true);
  QTest::mouseClick(win, Qt::LeftButton, {}, w->cbMin->geometry().center());
  EXPECT_TRUE(w->isMinimized());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w->AutoRotateRunning(); }, 1000));
  EXPECT_TRUE(w->ResumeAutoRotate);
  w->showNormal();
  emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_FALSE(w->ResumeAutoRotate);
  EXPECT_TRUE(w->AutoRotateRunning());
}

TEST_F(Viewer, EngineErrorInAFrameIsToldOnceAndStopsTheRotation) {
  QTest::mouseClick(win, Qt::LeftButton, {}, w->eeAutoRotate->geometry().center());
  w->Engine.Orbitals().Delete(0);  // the orbital is gone under the viewer
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w->AutoRotateRunning(); }, 1000));
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_TRUE(messages->asked[0].text.startsWith(QStringLiteral("Wavelore")));
  EXPECT_FALSE(R().AutoRotating);
  Drag(w->eeMainView, {100, 100}, {{100, 90}, {100, 80}, {100, 70}});
  EXPECT_EQ(messages->asked.size(), 2u);  // one message for the whole drag
  EXPECT_TRUE(w->isEnabled());
}

TEST_F(Viewer, TitleBarMovesTheWindowWithTheLeftButtonOnly) {
  w->move(100, 100);
  auto drag = [&](QPoint from, QPoint to, Qt::MouseButton button) {
    BarEvent(QEvent::MouseButtonPress, from, button, button);
    BarEvent(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    BarEvent(QEvent::MouseMove, to, Qt::NoButton, button);
    BarEvent(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
  };
  drag({400, 110}, {420, 115}, Qt::LeftButton);
  EXPECT_EQ(w->pos(), QPoint(120, 105));
  EXPECT_EQ(w->DragX, 0);

  drag({420, 115}, {450, 115}, Qt::RightButton);
  EXPECT_EQ(w->pos(), QPoint(120, 105));

  // A press at the corner takes its grab point from the first move.
  BarEvent(QEvent::MouseButtonPress, w->pos(), Qt::LeftButton, Qt::LeftButton);
  BarEvent(QEvent::MouseMove, w->pos() + QPoint(50, 12), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w->pos(), QPoint(120, 105));
  BarEvent(QEvent::MouseMove, QPoint(180, 119), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w->pos(), QPoint(130, 107));
  BarEvent(QEvent::MouseButtonRelease, QPoint(180, 119), Qt::LeftButton, Qt::NoButton);

  w->FullScreen = true;
  drag({400, 110}, {440, 110}, Qt::LeftButton);
  EXPECT_EQ(w->pos(), QPoint(130, 107));
}

TEST_F(Viewer, FullScreenButtonSwitchesAndAFailureEndsTheToggle) {
  QTest::mouseClick(win, Qt::LeftButton, {}, w->cbSize->geometry().center());
  EXPECT_TRUE(w->FullScreen);
  EXPECT_TRUE(w->Menus->mnuFileFullScreen->isChecked());
  EXPECT_EQ(display->current.dmPelsWidth, 800);
  w->Menus->mnuFileFullScreen->trigger();
  EXPECT_FALSE(w->FullScreen);
  EXPECT_FALSE(w->Menus->mnuFileFullScreen->isChecked());
  EXPECT_EQ(display->current.dmPelsWidth, 1024);

  display->changeResult = 5;
  QTest::mouseClick(win, Qt::LeftButton, {}, w->cbSize->geometry().center());
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Resolution change failed"));
  EXPECT_FALSE(w->FullScreen);
  EXPECT_FALSE(w->WindowedAllowed);
  EXPECT_FALSE(w->Menus->mnuFileFullScreen->isEnabled());
  display->changeResult = 0;
  const size_t tries = display->changes.size();
  QTest::mouseClick(win, Qt::LeftButton, {}, w->cbSize->geometry().center());
  EXPECT_EQ(display->changes.size(), tries);  // the toggle is off for the run
}

}  // namespace
