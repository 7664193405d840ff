// Where tool windows open: beside the main window where the screen has room,
// else over the page tree and status line, clear of the main view, on screen;
// and the options window in the program, which keeps the place it was moved to,
// also in the next run.
#include "shell/ToolPlacement.h"

#include <QScreen>

#include "AppTestSupport.h"
#include "RollOverImage.h"
#include "dialogs/frmViewOptions.h"
#include "main/Layout.h"

using namespace wltest;
using wl::ToolPlacement::Beside;

namespace {

const QSize kTool(432, 400);

// The main window at `corner` and its main view, as the program lays them out.
struct MainAt {
  explicit MainAt(QPoint corner)
      : main(corner, QSize(800, 600)), view(wl::Layout::eeMainView.translated(corner)) {}
  QRect main, view;
};

TEST(ToolPlacement, BesideOnTheRightThenLeftThenOverTheTree) {
  const QRect wide(0, 0, 1920, 1080);
  const MainAt centred({560, 240});
  EXPECT_EQ(Beside(centred.main, centred.view, kTool, wide), QPoint(1368, 240));
  const MainAt right({1100, 240});  // no room on the right
  EXPECT_EQ(Beside(right.main, right.view, kTool, wide), QPoint(1100 - 8 - 432, 240));

  // 1280 by 1024: room on neither side; over the tree, bottom at the status
  // line, right edge at the main view, nothing of the view covered.
  const QRect middle(0, 0, 1280, 1024);
  const MainAt m({240, 212});
  const QPoint p = Beside(m.main, m.view, kTool, middle);
  EXPECT_FALSE(QRect(p, kTool).intersects(m.view));
  EXPECT_EQ(QRect(p, kTool).bottom(), m.main.bottom());
  EXPECT_TRUE(middle.contains(QRect(p, kTool)));
}

TEST(ToolPlacement, SmallScreensKeepItOnScreenCoveringAsLittleOfTheViewAsPossible) {
  for (const QRect screen : {QRect(0, 0, 800, 600), QRect(0, 0, 1024, 768)}) {
    const MainAt m({(screen.width() - 800) / 2, (screen.height() - 600) / 2});
    const QRect placed(Beside(m.main, m.view, kTool, screen), kTool);
    EXPECT_TRUE(screen.contains(placed));
    // Flush with the screen's left edge is the least that must be covered.
    EXPECT_EQ(placed.left(), 0);
    EXPECT_EQ(placed.intersected(m.view).width(), kTool.width() - (m.view.left() - 0));
  }
  // A tool larger than the screen keeps its corner on the screen.
  EXPECT_EQ(wl::ToolPlacement::OnScreen({-50, 900}, {900, 700}, QRect(0, 0, 800, 600)),
            QPoint(0, 0));
}

TEST(ToolPlacement, MakeRoomMovesTheMainWindowLeastForBothToFit) {
  using wl::ToolPlacement::MakeRoom;
  const QSize graphs(620, 500);
  // 1920 wide, main window centred: 560 free on each side, too little.
  const MainAt centred({560, 240});
  const auto room = MakeRoom(centred.main, graphs, QRect(0, 0, 1920, 1080));
  ASSERT_TRUE(room);
  EXPECT_EQ(room->Main, QPoint(1920 - 620 - 8 - 800, 240));
  EXPECT_EQ(room->Tool, QPoint(1920 - 620, 240));
  // Near the right edge the main window moves less to the right of a tool on its left.
  const auto left = MakeRoom(MainAt({1000, 100}).main, graphs, QRect(0, 0, 1920, 1080));
  ASSERT_TRUE(left);
  EXPECT_EQ(left->Main, QPoint(1000, 100));  // already room on the left
  EXPECT_EQ(left->Tool, QPoint(1000 - 8 - 620, 100));
  // Both must fit across the screen.
  EXPECT_FALSE(MakeRoom(MainAt({112, 84}).main, graphs, QRect(0, 0, 1280, 768)));
  const auto exact = MakeRoom(MainAt({300, 0}).main, graphs, QRect(0, 0, 1428, 900));
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->Main.x(), 0);
  EXPECT_EQ(exact->Tool.x(), 808);
}

TEST(ToolPlacement, AZoomedWindowMovesRightForTheToolOverItsTree) {
  using wl::ToolPlacement::OverTheLeftColumn;
  const QSize graphs(600, 440);
  // A 2560 by 1600 screen at twice the size: 1280 by 800 of the window's pixels.
  const MainAt m({240, 0});
  const auto room = OverTheLeftColumn(m.main, m.view, graphs, QRect(0, 0, 1280, 800));
  ASSERT_TRUE(room);
  EXPECT_EQ(room->Main, QPoint(480, 0));
  EXPECT_EQ(room->Tool, QPoint(0, 0));
  EXPECT_FALSE(QRect(room->Tool, graphs).intersects(m.view.translated(room->Main - m.main.topLeft())));
  // 1024 wide: the tool would reach the view.
  EXPECT_FALSE(OverTheLeftColumn(MainAt({112, 84}).main, MainAt({112, 84}).view, graphs,
                                 QRect(0, 0, 1024, 768)));
}

class OptionsWindow : public ProgramTest {};

TEST_F(OptionsWindow, OpensClearOfTheMainViewAndReopensWhereItWasMoved) {
  wl::SetSeedHook(3);
  wl::frmMain& w = Started();
  ASSERT_TRUE(w.Calculate(4, 18, 30, 0));
  w.eeFurtherOptions->Click();
  ASSERT_TRUE(w.ViewOptions);
  const QRect screen = w.screen()->availableGeometry();
  const QRect view(w.mapToGlobal(wl::Layout::eeMainView.topLeft()), wl::Layout::eeMainView.size());
  const QRect first = w.ViewOptions->frameGeometry();
  EXPECT_TRUE(screen.contains(first));
  // Never where it used to open, over most of the main view.
  EXPECT_LT(first.intersected(view).width(), wl::Layout::eeMainView.left());

  const QPoint moved = first.topLeft() + QPoint(0, -40);
  w.ViewOptions->move(moved);
  QApplication::processEvents();
  w.eeFurtherOptions->Click();  // closes it
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(w.ViewOptions);
  w.eeFurtherOptions->Click();
  ASSERT_TRUE(w.ViewOptions);
  EXPECT_EQ(w.ViewOptions->pos(), moved);

  // The next run puts it at the same place beside the main window.
  const QPoint offset = moved - w.pos();
  window.reset();
  wl::frmMain& again = Started();
  ASSERT_TRUE(again.Calculate(4, 18, 30, 0));
  again.eeFurtherOptions->Click();
  ASSERT_TRUE(again.ViewOptions);
  EXPECT_EQ(again.ViewOptions->pos() - again.pos(), offset);
}

}  // namespace
