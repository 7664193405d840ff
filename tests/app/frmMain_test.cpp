// The main window driven with real mouse and key events: the orbital
// selector, the calculation, the tree, deleting, the page links and the
// status-line commands of the pages.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QSignalSpy>
#include <QTreeWidget>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "core/Platform.h"
#include "help/HelpBrowser.h"
#include "help/frmMenus.h"
#include "main/Bitmaps.h"

using namespace wltest;
using wl::MsgAnswer;

namespace {

class MainWindow : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(7);
    w = &Started();
  }

  // Clicks the middle of a widget through the window, as the pointer would.
  void Click(QWidget* widget) {
    const QPoint p = widget->mapTo(w, widget->rect().center());
    QTest::mouseMove(w->windowHandle(), p);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, p);
    QApplication::processEvents();
  }
  void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QApplication::processEvents();
  }
  void ClickNode(const QString& key, Qt::MouseButton button = Qt::LeftButton) {
    QTreeWidgetItem* node = w->Node(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    w->WLtree->scrollToItem(node);
    QTest::mouseClick(w->WLtree->viewport(), button, {}, w->WLtree->visualItemRect(node).center());
    QApplication::processEvents();
  }
  // Chooses line k of the orbital list with the keyboard, as a user can.
  void PickByName(int k) {
    w->osListOrbs->setFocus();
    QTest::keyClick(w->osListOrbs, Qt::Key_Home);
    for (int i = 0; i < k; ++i) QTest::keyClick(w->osListOrbs, Qt::Key_Down);
    QApplication::processEvents();
  }
  QStringList Lines(QListWidget* list) const {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  int Selected(QListWidget* list) const {
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
  }
  void OpenSelector() { Click(w->ToolBarImage[3]); }
  // Selector: n, l, m lines, PDF or DRPDF, Calculate.
  void CalculateFromLists(int n, int l, int mRow, int view) {
    OpenSelector();
    ClickRow(w->osListN, n - 1);
    if (n > 1) ClickRow(w->osListL, l);
    ClickRow(w->osListM, mRow);
    Click(w->osViewMode[view]);
    Click(w->osCalc);
  }

  wl::frmMain* w = nullptr;
};

TEST_F(MainWindow, FirstEnergyLevelSelectsItsOnlySubshellAtOnce) {
  OpenSelector();
  EXPECT_EQ(w->CurrentMode, 2);
  EXPECT_EQ(Lines(w->osListN),
            (QStringList{"n = 1", "n = 2", "n = 3", "n = 4", "n = 5", "n = 6", "n = 7"}));
  EXPECT_EQ(Lines(w->osListL), QStringList{"Select energy first"});
  EXPECT_EQ(Lines(w->osListM), QStringList{"Select Angular Momentum"});
  EXPECT_EQ(w->osListOrbs->count(), 168);
  EXPECT_EQ(w->osListOrbs->currentIndex(), -1);

  ClickRow(w->osListN, 0);
  EXPECT_EQ(Lines(w->osListL), QStringList{"S Orbitals, l = 0"});
  EXPECT_EQ(Selected(w->osListL), 0);
  EXPECT_EQ(Lines(w->osListM), (QStringList{"Average over all m", "m = 0"}));

  ClickRow(w->osListN, 3);
  EXPECT_EQ(Lines(w->osListL), (QStringList{"S Orbitals, l = 0", "P Orbitals, l = 1",
                                            "D Orbitals, l = 2", "F Orbitals, l = 3"}));
  EXPECT_EQ(Selected(w->osListL), -1);
  EXPECT_EQ(Lines(w->osListM), QStringList{"Select Angular Momentum"});
  ClickRow(w->osListL, 3);
  EXPECT_EQ(Lines(w->osListM), (QStringList{"Average over all m", "m = -3", "m = -2", "m = -1",
                                            "m = 0", "m = 1", "m = 2", "m = 3"}));
}

TEST_F(MainWindow, MZeroFindsTheSingleOrbitalAndLoadsItsDefaults) {
  OpenSelector();
  ClickRow(w->osListN, 2);
  ClickRow(w->osListL, 2);
  ClickRow(w->osListM, 3);  // m = 0
  EXPECT_EQ(w->osListOrbs->currentText(), QString::fromUtf8("3Dz²"));
  // No view chosen yet: the DRPDF defaults are loaded.
  EXPECT_EQ(w->osRadius->Value(), 20);
  EXPECT_EQ(w->osThreshold->Value(), 50);
  Click(w->osViewMode[0]);
  EXPECT_EQ(w->ViewModeChoice, 0);
  EXPECT_EQ(w->osRadius->Value(), 18);
  EXPECT_EQ(w->osThreshold->Value(), 30);

  ClickRow(w->osListM, 0);  // the averaged subshell comes after the single orbitals
  EXPECT_EQ(w->osListOrbs->currentText(), QStringLiteral("3D (average)"));
}

TEST_F(MainWindow, ChoosingByNameKeepsTheListsInStep) {
  OpenSelector();
  for (int k : {0, 9, 28, 35, 4}) {
    PickByName(k);
    const wl::OrbInfo& e = w->OrbInfoTable[static_cast<size_t>(k)];
    EXPECT_EQ(w->osListOrbs->currentIndex(), k);
    EXPECT_EQ(Selected(w->osListN), e.n - 1) << k;
    EXPECT_EQ(Selected(w->osListL), e.l) << k;
    EXPECT_EQ(Selected(w->osListM), e.OrbType == wl::AverageOrbs ? 0 : e.M + e.l + 1) << k;
    EXPECT_EQ(w->osListM->count(), 2 * e.l + 2) << k;
  }
}

TEST_F(MainWindow, CalculateRefusesWithoutOrbitalOrView) {
  OpenSelector();
  Click(w->osCalc);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].text,
            QStringLiteral("Please select an orbital before clicking calculate"));
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Select Orbital"));
  EXPECT_EQ(messages->asked[0].icon, wl::MsgIcon::None);

  PickByName(2);
  Click(w->osCalc);
  ASSERT_EQ(messages->asked.size(), 2u);
  EXPECT_EQ(messages->asked[1].text,
            QStringLiteral("Please select either PDF or DRPDF before clicking calculate"));
  EXPECT_EQ(messages->asked[1].title, QStringLiteral("Select View Mode"));
  EXPECT_EQ(w->CurrentMode, 2);
  EXPECT_EQ(w->Node(QStringLiteral("ORB0")), nullptr);
  EXPECT_TRUE(w->Engine.Orbitals().IsEmpty(0));
}

TEST_F(MainWindow, CalculationOpensTheViewerAndListsTheOrbital) {
  OpenSelector();
  PickByName(2);  // 2Px
  Click(w->osViewMode[0]);
  w->osRadius->setValue(8);
  Click(w->osCalc);

  EXPECT_EQ(w->CurrentMode, 3);
  EXPECT_EQ(w->CurrentOrbital, 0);
  EXPECT_TRUE(w->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  QTreeWidgetItem* node = w->Node(QStringLiteral("ORB0"));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("2Px (2,1,1) PDF, r=8"));
  EXPECT_EQ(node->parent(), w->Node(QStringLiteral("Orbitals")));
  EXPECT_EQ(w->WLtree->currentItem(), node);
  // The orbital's title leads the status line; what the view shows may follow it.
  EXPECT_EQ(w->labStatus->text().section(QStringLiteral(" \u2014 "), 0, 0),
            QStringLiteral("2Px (2,1,1) PDF, r=8"));

  const wl::OrbitalView& v = w->OrbitalViews[0];
  EXPECT_EQ(v.SliderLeft, 587);
  EXPECT_EQ(v.TransectDir, wl::Alongy);
  EXPECT_TRUE(v.Transector);
  EXPECT_EQ(v.CameraPos, -300);
  EXPECT_EQ(v.Stats.DotTarget, 16000);
  EXPECT_GT(v.Stats.DotTotal, 0);
  // Both views received their first images: something besides black.
  auto lit = [](const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if ((img.pixel(x, y) & 0xffffff) != 0) return true;
    return false;
  };
  EXPECT_TRUE(lit(w->eeMainView->Image()));
  EXPECT_TRUE(lit(w->eeNanoView->Image()));
  EXPECT_TRUE(w->eeMainView->isVisible());
  EXPECT_FALSE(w->osCalc->isVisible());

  // Going elsewhere and clicking the node twice adds one history entry.
  Click(w->ToolBarImage[3]);
  const size_t before = w->History.History.size();
  ClickNode(QStringLiteral("ORB0"));
  ClickNode(QStringLiteral("ORB0"));
  EXPECT_EQ(w->CurrentMode, 3);
  EXPECT_EQ(w->History.History.size(), before + 1);
}

TEST_F(MainWindow, AveragedSubshellTitleAndDrpdf) {
  CalculateFromLists(2, 1, 0, 1);
  QTreeWidgetItem* node = w->Node(QStringLiteral("ORB0"));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("2P (2,1,all) Average DRPDF, r=10"));
}

TEST_F(MainWindow, DeleteAsksThenFreesTheIndexForTheNextCalculation) {
  CalculateFromLists(1, 0, 1, 0);
  ASSERT_NE(w->Node(QStringLiteral("ORB0")), nullptr);

  messages->answers = {MsgAnswer::No};
  w->Menus->mnuFileDelete->trigger();
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].text,
            QStringLiteral("Are you sure you want to delete this orbital?"));
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Confirm Orbital Delete"));
  EXPECT_EQ(messages->asked[0].buttons, wl::MsgButtons::YesNo);
  EXPECT_NE(w->Node(QStringLiteral("ORB0")), nullptr);

  messages->answers = {MsgAnswer::Yes};
  w->Menus->mnuFileDelete->trigger();
  EXPECT_EQ(w->Node(QStringLiteral("ORB0")), nullptr);
  EXPECT_TRUE(w->Engine.Orbitals().IsEmpty(0));
  EXPECT_EQ(w->CurrentMode, 2);  // back to the selector it came from

  CalculateFromLists(2, 0, 1, 0);
  QTreeWidgetItem* node = w->Node(QStringLiteral("ORB0"));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("2S (2,0,0) PDF, r=8"));
  EXPECT_EQ(w->CurrentOrbital, 0);
}

TEST_F(MainWindow, RightClickOnAnOrbitalOpensTheTreeMenu) {
  CalculateFromLists(1, 0, 1, 0);
  ClickNode(w->HomePage, Qt::RightButton);
  EXPECT_FALSE(w->Menus->mnuTree->isVisible());
  ClickNode(QStringLiteral("ORB0"), Qt::RightButton);
  EXPECT_TRUE(w->Menus->mnuTree->isVisible());
  w->Menus->mnuTree->hide();
  ClickNode(QStringLiteral("Orbitals"), Qt::RightButton);
  EXPECT_FALSE(w->Menus->mnuTree->isVisible());
  EXPECT_EQ(w->CurrentMode, 2);
}

TEST_F(MainWindow, EngineErrorDuringCalculateLeavesTheWindowUsable) {
  // Orbital index 168 names no orbital: the engine refuses it.
  EXPECT_FALSE(w->Calculate(168, 10, 50, 0));
  EXPECT_TRUE(w->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_TRUE(messages->asked[0].text.startsWith(QStringLiteral("Wavelore")));
  EXPECT_TRUE(messages->asked[0].text.contains(QStringLiteral("error 91")));
  EXPECT_EQ(messages->asked[0].icon, wl::MsgIcon::Critical);
  EXPECT_EQ(w->Node(QStringLiteral("ORB0")), nullptr);
  EXPECT_EQ(w->CurrentMode, 1);
  EXPECT_EQ(w->labStatus->text(), w->StatusText);
  // The window still calculates.
  EXPECT_TRUE(w->Calculate(0, 2, 30, 0));
  EXPECT_NE(w->Node(QStringLiteral("ORB0")), nullptr);
}

TEST_F(MainWindow, PageLinksWithAndWithoutAnchorOpenTreePages) {
  const QString options = w->HelpOptionsPage;
  ASSERT_TRUE(w->PageFiles.contains(options));
  const QString real = w->PageFiles.value(options);

  // An anchored link arrives as a file address and loses its prefix.
  QUrl anchored = QUrl::fromLocalFile(real);
  anchored.setFragment(QStringLiteral("DotDensity"));
  emit w->WLtext->anchorClicked(anchored);
  EXPECT_EQ(w->CurrentPage, options);
  EXPECT_EQ(w->CurrentAnchor, QStringLiteral("DotDensity"));
  EXPECT_EQ(w->WLtext->source().fragment(), QStringLiteral("DotDensity"));
  EXPECT_EQ(w->History.History.back().Anchor, QStringLiteral("DotDensity"));

  // A plain link is upper-cased whole and found in the tree.
  emit w->WLtext->anchorClicked(QUrl::fromLocalFile(w->PageFiles.value(w->HelpIndex)));
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(w->CurrentAnchor, QString());
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Help"));

  // A page that is not in the tree is not opened; the browser stays.
  const size_t entries = w->History.History.size();
  emit w->WLtext->anchorClicked(QUrl::fromLocalFile(QStringLiteral("/nowhere/PAGE.HTM")));
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);
  EXPECT_EQ(w->WLtext->source(), QUrl::fromLocalFile(w->PageFiles.value(w->HelpIndex)));
  EXPECT_EQ(w->History.History.size(), entries + 1);  // the visit is still recorded
}

TEST_F(MainWindow, StatusLinksCommandTheProgram) {
  emit w->WLtext->highlighted(QUrl(QStringLiteral("status:ST Drag the cloud to turn it")));
  EXPECT_EQ(w->labStatus->text(), QStringLiteral(" Drag the cloud to turn it"));
  emit w->WLtext->highlighted(QUrl());
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Welcome to Wavelore"));

  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OS")));
  EXPECT_EQ(w->CurrentMode, 2);
  EXPECT_TRUE(w->osListN->isVisible());
  EXPECT_EQ(w->WLtree->currentItem(), w->Node(QStringLiteral("Orbitals")));
}

TEST_F(MainWindow, ToolbarAndMenusMoveThroughPagesAndPageGroupsFollow) {
  // Save and Print: on for pages, off on the selector.
  EXPECT_TRUE(w->Menus->mnuFileSave->isEnabled());
  EXPECT_FALSE(w->Menus->mnuFileDelete->isEnabled());
  Click(w->ToolBarImage[2]);
  EXPECT_EQ(w->CurrentPage, w->RefIndex);
  Click(w->ToolBarImage[3]);
  EXPECT_FALSE(w->Menus->mnuFileSave->isEnabled());
  EXPECT_FALSE(w->Menus->mnuEditCopyText->isEnabled());
  EXPECT_FALSE(w->WLtextCont->isVisible());

  // F1 on the selector opens its help page.
  QTest::keyClick(w->osListN, Qt::Key_F1);
  EXPECT_EQ(w->CurrentMode, 1);
  EXPECT_EQ(w->CurrentPage, w->HelpSelectorPage);
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("The Orbital Selector"));
  Click(w->ToolBarImage[4]);
  EXPECT_EQ(w->CurrentPage, w->HelpIndex);

  Click(w->ToolBarImage[0]);
  EXPECT_EQ(w->CurrentPage, w->HelpSelectorPage);
  w->Menus->mnuGoHome->trigger();
  EXPECT_EQ(w->CurrentPage, w->HomePage);
  EXPECT_FALSE(w->Menus->mnuGoWeb->isEnabled());
}

TEST_F(MainWindow, RollOverButtonsShowHintsAndFallBack) {
  QWindow* win = w->windowHandle();
  QTest::mouseMove(win, QPoint(400, 300));
  auto shows = [](wl::RollOverImage* b, const char* name) {
    return b->Picture().toImage() == wl::Bitmaps::Get(QLatin1String(name)).toImage();
  };
  QTest::mouseMove(win, w->ToolBarImage[2]->geometry().center());
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Go to the reference section"));
  EXPECT_TRUE(shows(w->ToolBarImage[2], "TBREFON"));
  QTest::mouseMove(win, QPoint(400, 300));
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Welcome to Wavelore"));
  EXPECT_TRUE(shows(w->ToolBarImage[2], "TBREFOFF"));
  // Back cannot move at the start, so it stays dark on hover.
  QTest::mouseMove(win, w->ToolBarImage[0]->geometry().center());
  EXPECT_TRUE(shows(w->ToolBarImage[0], "TBBACKOFF"));
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Go Back"));
  QTest::mouseMove(win, QPoint(400, 300));
  Click(w->ToolBarImage[2]);
  QTest::mouseMove(win, QPoint(400, 300));  // the button under the pointer lets go first
  QTest::mouseMove(win, w->ToolBarImage[0]->geometry().center());
  EXPECT_TRUE(w->History.CanGoBack);
  EXPECT_TRUE(w->ToolBarImage[0]->Over());
  EXPECT_FALSE(w->ToolBarImage[2]->Over());
  EXPECT_EQ(w->labStatus->text(), QStringLiteral("Go Back"));
  EXPECT_TRUE(shows(w->ToolBarImage[0], "TBBACKON"));
  for (QWidget* b : {static_cast<QWidget*>(w->cbClose), static_cast<QWidget*>(w->osCalc),
                     static_cast<QWidget*>(w->eeMainView)}) {
    EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
  }
}

TEST_F(MainWindow, AltF4EndsTheProgram) {
  QSignalSpy ended(w, &wl::frmMain::ProgramEnded);
  QTest::keyClick(w->WLtree, Qt::Key_F4, Qt::AltModifier);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(w->isVisible());
}

}  // namespace

namespace {

TEST_F(MainWindow, SelectorShowsEveryMLineAndNamesEachOrbitalOnce) {
  OpenSelector();
  ClickRow(w->osListN, 3);
  ClickRow(w->osListL, 3);  // the f subshell: the average and seven m lines
  ASSERT_EQ(w->osListM->count(), 8);
  const QRect shown = w->osListM->viewport()->rect();
  for (int row = 0; row < w->osListM->count(); ++row) {
    const QRect line = w->osListM->visualItemRect(w->osListM->item(row));
    EXPECT_TRUE(shown.contains(line)) << row << " " << w->osListM->item(row)->text().toStdString();
  }

  // No two lines of the name box read the same; the averages say so.
  QSet<QString> seen;
  for (int k = 0; k < w->osListOrbs->count(); ++k) {
    const QString line = w->osListOrbs->itemText(k);
    EXPECT_FALSE(seen.contains(line)) << line.toStdString();
    seen.insert(line);
  }
  const auto lineOf = [&](int n, int l, bool average) {
    for (size_t k = 0; k < w->OrbInfoTable.size(); ++k) {
      const wl::OrbInfo& e = w->OrbInfoTable[k];
      if (e.n == n && e.l == l && (e.OrbType == wl::AverageOrbs) == average)
        return w->osListOrbs->itemText(static_cast<int>(k));
    }
    return QString();
  };
  EXPECT_EQ(lineOf(1, 0, false), QStringLiteral("1S"));
  EXPECT_EQ(lineOf(1, 0, true), QStringLiteral("1S (average)"));
  EXPECT_EQ(lineOf(2, 0, true), QStringLiteral("2S (average)"));
  EXPECT_EQ(lineOf(2, 1, true), QStringLiteral("2P (average)"));

  // Picking the averaged 2S by name still chooses its lines in the lists.
  ClickRow(w->osListN, 1);
  ClickRow(w->osListL, 0);
  ClickRow(w->osListM, 0);
  EXPECT_EQ(w->osListOrbs->currentText(), QStringLiteral("2S (average)"));
}

}  // namespace

namespace {

TEST_F(MainWindow, SpaceOrEnterOnAFocusedButtonClicksItOnce) {
  OpenSelector();
  QSignalSpy clicks(w->osViewMode[1], &wl::RollOverImage::Click);
  w->osViewMode[1]->setFocus();
  ASSERT_TRUE(w->osViewMode[1]->hasFocus());
  QTest::keyClick(w->windowHandle(), Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(w->ViewModeChoice, 1);
  QTest::keyClick(w->windowHandle(), Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 2);
}

}  // namespace
