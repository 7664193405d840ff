// The program from the keyboard and the window chrome with real events: the
// menus on Alt+letter and their labels, the shortcuts, keys in the views, the
// slider's track, the page tree's arrows, minimising and full screen.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Platform.h"
#include "dialogs/frmSavePrint.h"
#include "help/HelpBrowser.h"
#include "help/frmMenus.h"
#include "main/Layout.h"

using namespace wltest;

namespace {

// Pixels of the menu labels' lit colour in a picture of the label.
int LitPixels(QWidget* label) {
  const QImage image = label->grab().toImage();
  int lit = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() > 150 && c.green() < 220 && c.blue() < 120) ++lit;
    }
  return lit;
}

class Keys : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
    win = w->windowHandle();
    QApplication::setActiveWindow(w);
  }
  void Calculate() {
    ASSERT_TRUE(w->Calculate(9, 18, 30, 0));  // 3Dz², PDF
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
  void Click(QWidget* widget, QPoint local) {
    const QPoint at = widget->mapTo(w, local);
    QTest::mouseMove(win, at);
    QTest::mouseClick(win, Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }

  wl::frmMain* w = nullptr;
  QWindow* win = nullptr;
};

TEST_F(Keys, AltLettersOpenTheMenusAndArrowsMoveBetweenThem) {
  QTest::keyClick(w->WLtree, Qt::Key_F, Qt::AltModifier);
  ASSERT_EQ(OpenPopup(), w->Menus->mnuFile);
  // Opened from the keyboard, the first entry that can be chosen is active.
  EXPECT_TRUE(w->Menus->mnuFile->activeAction()->isEnabled());
  EXPECT_GT(LitPixels(w->labMnuFile), 0);

  QTest::keyClick(OpenPopup(), Qt::Key_Right);
  ASSERT_EQ(OpenPopup(), w->Menus->mnuEdit);
  QTest::keyClick(OpenPopup(), Qt::Key_Left);
  QTest::keyClick(OpenPopup(), Qt::Key_Left);
  ASSERT_EQ(OpenPopup(), w->Menus->mnuHelp);
  EXPECT_EQ(LitPixels(w->labMnuFile), 0);
  QTest::keyClick(OpenPopup(), Qt::Key_Escape);
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(LitPixels(w->labMnuHelp), 0);

  // Go > Home chosen from the keyboard: the page changes, the label goes out.
  QTest::keyClick(w->WLtree, Qt::Key_G, Qt::AltModifier);
  ASSERT_EQ(OpenPopup(), w->Menus->mnuGo);
  w->Menus->mnuGo->setActiveAction(w->Menus->mnuGoRef);
  QTest::keyClick(OpenPopup(), Qt::Key_Return);
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(w->CurrentPage, w->RefIndex);
  EXPECT_EQ(LitPixels(w->labMnuGo), 0);
}

TEST_F(Keys, AMenuLabelClickedWithTheMouseGoesOutWhenItsMenuCloses) {
  Click(w->labMnuHelp, {10, 8});
  ASSERT_EQ(OpenPopup(), w->Menus->mnuHelp);
  EXPECT_GT(LitPixels(w->labMnuHelp), 0);
  // The pointer goes down to the menu and chooses an entry there.
  QCursor::setPos(w->mapToGlobal(QPoint(400, 300)));
  w->Menus->mnuHelp->setActiveAction(w->Menus->mnuHelpContents);
  QTest::keyClick(OpenPopup(), Qt::Key_Return);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(LitPixels(w->labMnuHelp), 0);

  // A click elsewhere closes the menu: the label goes out as well.
  Click(w->labMnuFile, {10, 8});
  ASSERT_EQ(OpenPopup(), w->Menus->mnuFile);
  QCursor::setPos(w->mapToGlobal(QPoint(700, 500)));
  OpenPopup()->close();
  EXPECT_EQ(LitPixels(w->labMnuFile), 0);
}

TEST_F(Keys, ShortcutsSavePrintCopyAndSwitchFullScreen) {
  Calculate();
  QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(530, 425));

  QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
  auto* dialog = w->findChild<wl::frmSavePrint*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->IsPrint);
  dialog->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
  dialog = w->findChild<wl::frmSavePrint*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->IsPrint);
  dialog->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  QTest::keyClick(w, Qt::Key_F11);
  EXPECT_TRUE(w->FullScreen);
  EXPECT_EQ(display->presentedAbove, w);
  QTest::keyClick(w->eeMainView, Qt::Key_Escape);
  EXPECT_FALSE(w->FullScreen);
  EXPECT_EQ(display->changes.back().dmPelsWidth, 1024);

  // Esc outside full screen does nothing; Ctrl+S on a page saves the page.
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_FALSE(w->FullScreen);
  w->SetMode(1, w->HomePage, QString(), 0, true, true);
  files->answer.reset();
  QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(w->findChild<wl::frmSavePrint*>(), nullptr);
  EXPECT_EQ(files->asked.size(), 1u);
}

TEST_F(Keys, TabReachesTheViewsWhoseKeysTurnTheOrbitalAndMoveTheSlice) {
  Calculate();
  w->eeTrackBall->setFocus();
  QWidget* reached = nullptr;
  for (int i = 0; i < 60 && reached != w->eeMainView; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached = QApplication::focusWidget();
  }
  ASSERT_EQ(reached, w->eeMainView);

  const double theta = R().Theta, phi = R().Phi;
  QTest::keyClick(w->eeMainView, Qt::Key_Left);
  EXPECT_NEAR(R().Phi, phi + 0.1, 1e-9);
  QTest::keyClick(w->eeMainView, Qt::Key_Up);
  EXPECT_NEAR(R().Theta, theta + 0.1, 1e-9);
  QTest::keyClick(w->eeMainView, Qt::Key_Right);
  QTest::keyClick(w->eeMainView, Qt::Key_Down);
  EXPECT_NEAR(R().Phi, phi, 1e-9);
  EXPECT_NEAR(R().Theta, theta, 1e-9);

  const wl::Integer slice = R().TransectNo;
  QTest::keyClick(w->eeNanoView, Qt::Key_PageUp);
  EXPECT_EQ(R().TransectNo, slice + 16);
  EXPECT_EQ(w->eeTSlider->x(), wl::frmMain::SliderLeftFor(slice + 16));
  for (int i = 0; i < 20; ++i) QTest::keyClick(w->eeNanoView, Qt::Key_PageDown);
  EXPECT_EQ(R().TransectNo, -127);
}

TEST_F(Keys, AClickOnTheSlidersTrackMovesAPageTowardsIt) {
  Calculate();
  const wl::Integer slice = R().TransectNo;
  const int y = wl::Layout::eeTSlider.center().y();
  Click(w, {wl::Layout::kSliderMin + 4, y});
  EXPECT_EQ(R().TransectNo, slice - 16);
  Click(w, {wl::Layout::kSliderMax + 10, y});
  Click(w, {wl::Layout::kSliderMax + 10, y});
  EXPECT_EQ(R().TransectNo, slice + 16);
  // Above the track nothing moves.
  Click(w, {wl::Layout::kSliderMax + 10, wl::Layout::eeTSlider.top() - 12});
  EXPECT_EQ(R().TransectNo, slice + 16);
}

TEST_F(Keys, TreeArrowsOnlyFoldAndTheSelectionFollowsThePage) {
  QTreeWidgetItem* ref = w->Node(w->RefIndex);
  ASSERT_NE(ref, nullptr);
  ASSERT_FALSE(ref->isExpanded());
  const QString page = w->CurrentPage;
  QTreeWidgetItem* selected = w->WLtree->currentItem();
  const QRect row = w->WLtree->visualItemRect(ref);
  const QPoint arrow(row.left() - 7, row.center().y());
  auto clickTree = [&](QPoint p) {
    Click(w->WLtree->viewport(), p);
    QApplication::processEvents();
  };
  clickTree(arrow);
  EXPECT_TRUE(ref->isExpanded());
  EXPECT_EQ(w->CurrentPage, page);
  EXPECT_EQ(w->WLtree->currentItem(), selected);
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  clickTree(arrow);
  EXPECT_FALSE(ref->isExpanded());
  EXPECT_EQ(w->CurrentPage, page);

  clickTree(w->WLtree->visualItemRect(ref).center());
  EXPECT_EQ(w->CurrentPage, w->RefIndex);
  EXPECT_EQ(w->WLtree->currentItem(), ref);

  // Back, Forward and F1 move the selection with the page.
  w->Menus->mnuGoBack->trigger();
  EXPECT_EQ(w->CurrentPage, page);
  EXPECT_EQ(w->WLtree->currentItem(), w->Node(page));
  w->Menus->mnuGoForward->trigger();
  EXPECT_EQ(w->WLtree->currentItem(), ref);
  w->WLtree->setCurrentItem(w->Node(w->HomePage));  // moved with the arrow keys, not opened
  QTest::keyClick(w->WLtext, Qt::Key_F1);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(w->WLtree->currentItem(), w->Node(w->HelpIndex));
}

TEST_F(Keys, MinimiseEntryHidesTheBackdropAndRestoreResumesTheRotation) {
  Calculate();
  QTest::keyClick(w, Qt::Key_F11);
  ASSERT_TRUE(w->FullScreen);
  w->eeAutoRotate->Click();
  ASSERT_TRUE(w->AutoRotateRunning());

  w->Menus->mnuFileMinimise->trigger();
  QTRY_VERIFY(w->isMinimized());
  EXPECT_EQ(display->presentationShown, std::vector<bool>{false});
  // The next step sees the window minimised and stops, to go on later.
  QTRY_VERIFY(!w->AutoRotateRunning());
  EXPECT_TRUE(w->ResumeAutoRotate);

  w->showNormal();
  QTRY_VERIFY(!w->isMinimized());
  EXPECT_EQ(display->presentationShown.back(), true);
  EXPECT_TRUE(w->AutoRotateRunning());
  EXPECT_FALSE(w->ResumeAutoRotate);
  w->eeAutoRotate->Click();
}

// Not a key, but the same window: the status line of a single orbital's
// DRPDF says why its z axis is empty, in one line that fits.
TEST_F(Keys, SingleOrbitalDrpdfStatusExplainsTheWeight) {
  ASSERT_TRUE(w->Calculate(4, 8, 30, 1));  // 2Pz, DRPDF
  const QString single = w->labStatus->text();
  EXPECT_TRUE(single.contains(QStringLiteral("empties the z axis"))) << single.toStdString();
  EXPECT_LE(QFontMetrics(w->labStatus->font()).horizontalAdvance(single), w->labStatus->width());
  ASSERT_TRUE(w->Calculate(32, 8, 30, 1));  // 2P average, DRPDF
  EXPECT_FALSE(w->labStatus->text().contains(QStringLiteral("z axis")));
}

TEST_F(Keys, TheKeyboardStartsInThePageTreeAndStaysThereThroughACalculation) {
  EXPECT_EQ(QApplication::focusWidget(), w->WLtree);
  Calculate();
  EXPECT_EQ(QApplication::focusWidget(), w->WLtree);
  // Leaving the viewer from a focused view: the keyboard goes back to the tree.
  w->eeMainView->setFocus();
  w->ToolBarImage[2]->Click();
  EXPECT_EQ(QApplication::focusWidget(), w->WLtree);
}

}  // namespace
