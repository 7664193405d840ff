// The navigation history: back and forward, new entries dropping the forward
// ones, and deleted orbitals leaving it.
#include <QAction>
#include <QTreeWidget>

#include "AppTestSupport.h"
#include "core/Platform.h"
#include "help/frmMenus.h"
#include "help/modHistory.h"

using namespace wltest;
using namespace wl::modHistory;

namespace {

class History : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(3);
    w = &Started();
  }
  const wl::HistoryState& H() const { return w->History; }
  wl::frmMain* w = nullptr;
};

TEST_F(History, StartsWithTheHomePageOnly) {
  ASSERT_EQ(H().History.size(), 1u);
  EXPECT_EQ(H().History[0], (wl::HistoryEntry{1, w->HomePage, QString(), 0}));
  EXPECT_EQ(H().HistoryPos, 0);
  EXPECT_FALSE(w->Menus->mnuGoBack->isEnabled());
  EXPECT_FALSE(w->Menus->mnuGoForward->isEnabled());
}

TEST_F(History, BackBackThenANewPageDropsTheForwardEntries) {
  w->SetMode(1, w->HelpIndex, QString(), 0, true, true);
  w->SetMode(1, w->RefIndex, QString(), 0, true, true);
  w->SetMode(2, QString(), QString(), 0, true, true);
  ASSERT_EQ(H().History.size(), 4u);

  HistoryBack(*w);
  HistoryBack(*w);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(H().HistoryPos, 1);
  EXPECT_TRUE(w->Menus->mnuGoForward->isEnabled());
  EXPECT_TRUE(w->Menus->mnuGoBack->isEnabled());

  w->SetMode(1, w->HelpViewerPage, QString(), 0, true, true);
  EXPECT_EQ(H().History.size(), 3u);
  EXPECT_EQ(H().History.back().Page, w->HelpViewerPage);
  EXPECT_FALSE(H().CanGoForward);
  EXPECT_FALSE(w->Menus->mnuGoForward->isEnabled());

  // At either end a step does nothing but clear its flag.
  HistoryForward(*w);
  EXPECT_EQ(w->CurrentPage, w->HelpViewerPage);
  HistoryBack(*w);
  HistoryBack(*w);
  HistoryBack(*w);
  EXPECT_EQ(H().HistoryPos, 0);
  EXPECT_EQ(w->CurrentPage, w->HomePage);
  EXPECT_FALSE(H().CanGoBack);
  HistoryForward(*w);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
}

TEST_F(History, TheSamePlaceTwiceIsOneEntry) {
  w->SetMode(1, w->HelpIndex, QString(), 0, true, true);
  w->SetMode(1, w->HelpIndex, QString(), 0, true, true);
  EXPECT_EQ(H().History.size(), 2u);
  // Another anchor of the same page is a new place.
  w->SetMode(1, w->HelpOptionsPage, QStringLiteral("CameraSettings"), 0, true, true);
  w->SetMode(1, w->HelpOptionsPage, QStringLiteral("DotDensity"), 0, true, true);
  EXPECT_EQ(H().History.size(), 4u);
}

TEST_F(History, DeletingTheCurrentOrbitalMovesBackAndOpensThatEntry) {
  ASSERT_TRUE(w->Calculate(0, 2, 30, 0));  // ORB0
  ASSERT_TRUE(w->Calculate(4, 8, 50, 0));  // ORB1
  w->SetMode(1, w->HelpIndex, QString(), 0, true, true);
  w->SetMode(3, QString(), QString(), 0, true, true);
  w->SetMode(3, QString(), QString(), 1, true, true);
  // home, ORB0, ORB1, help, ORB0, ORB1
  ASSERT_EQ(H().History.size(), 6u);

  messages->answers = {wl::MsgAnswer::Yes};
  w->DeleteOrbital(1);
  // ORB1's two entries are gone; the position drops by both.
  ASSERT_EQ(H().History.size(), 4u);
  EXPECT_EQ(H().HistoryPos, 3);
  EXPECT_EQ(w->CurrentMode, 3);
  EXPECT_EQ(w->CurrentOrbital, 0);
  EXPECT_EQ(w->WLtree->currentItem(), w->Node(QStringLiteral("ORB0")));
  for (const auto& e : H().History) EXPECT_FALSE(e.Mode == 3 && e.OrbIndex == 1);

  HistoryBack(*w);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(w->CurrentMode, 1);
}

}  // namespace
