// The orbital selector beyond hydrogen's first four shells, driven with real
// clicks and keys: n to 7 and l to i, the nuclear charge, the Real / Complex
// switch, hybrids and the custom combination, and what the tree calls them.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <cmath>

#include "AppTestSupport.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "graphs/GraphSubject.h"
#include "help/frmMenus.h"
#include "main/frmCombination.h"
#include "orbitals/OrbitalCatalog.h"

using namespace wltest;

namespace {

class Selector : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(7);
    w = &Started();
    Click(w->ToolBarImage[3]);
  }
  void Click(QWidget* widget) {
    const QPoint p = widget->mapTo(w, widget->rect().center());
    QTest::mouseMove(w->windowHandle(), p);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, p);
    QApplication::processEvents();
  }
  void ClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QApplication::processEvents();
  }
  // Types a value into a spin button and leaves it, as a user settles it.
  void Type(wl::SpinButton* spin, const QString& text) {
    spin->TextBox()->setFocus();
    spin->TextBox()->selectAll();
    QTest::keyClicks(spin->TextBox(), text);
    QTest::keyClick(spin->TextBox(), Qt::Key_Tab);
    QApplication::processEvents();
  }
  // Chooses line `row` of a closed combo box with the keyboard.
  void ChooseLine(QComboBox* box, int row) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < row; ++i) QTest::keyClick(box, Qt::Key_Down);
    QApplication::processEvents();
  }
  int Selected(QListWidget* list) const {
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
  }

  wl::frmMain* w = nullptr;
};

TEST_F(Selector, SeventhShellListsEverySubshellToIAndNamesItsOrbitals) {
  Click(w->osViewMode[0]);
  ClickRow(w->osListN, 6);
  ASSERT_EQ(w->osListL->count(), 7);
  EXPECT_EQ(w->osListL->item(4)->text(), QStringLiteral("G Orbitals, l = 4"));
  EXPECT_EQ(w->osListL->item(6)->text(), QStringLiteral("I Orbitals, l = 6"));
  ClickRow(w->osListL, 6);
  ASSERT_EQ(w->osListM->count(), 14);
  EXPECT_EQ(w->osListM->item(1)->text(), QString::fromUtf8("7I (m = \u22126)"));
  // The last line lies below the list's end: the list scrolls to it.
  ClickRow(w->osListM, 13);
  const int row = wl::IndexOfOrbital(7, 6, 6, false);
  EXPECT_EQ(w->osListOrbs->currentIndex(), row);
  EXPECT_EQ(w->osListOrbs->currentText(), QString::fromUtf8("7I (m = +6)"));
  EXPECT_EQ(w->osRadius->Value(), wl::DefaultsOf(row, wl::PDF).Radius);

  // Up to f the m lines keep their numbers, also in the new shells.
  ClickRow(w->osListL, 3);
  EXPECT_EQ(w->osListM->item(1)->text(), QStringLiteral("m = -3"));

  // By name: the 6H average chooses its lines, and the list shows its m line.
  const int average = wl::IndexOfOrbital(6, 5, 0, true);
  w->osListOrbs->setCurrentIndex(average);
  QApplication::processEvents();
  EXPECT_EQ(Selected(w->osListN), 5);
  EXPECT_EQ(Selected(w->osListL), 5);
  EXPECT_EQ(Selected(w->osListM), 0);
  w->osListOrbs->setCurrentIndex(wl::IndexOfOrbital(7, 6, 5, false));
  QApplication::processEvents();
  EXPECT_EQ(Selected(w->osListM), 12);
  const QRect line = w->osListM->visualItemRect(w->osListM->item(12));
  EXPECT_TRUE(w->osListM->viewport()->rect().contains(line));
}

TEST_F(Selector, ChargeNamesTheIonAndShrinksTheDefaults) {
  EXPECT_EQ(w->labChargeName->text(), QStringLiteral("H"));
  EXPECT_TRUE(w->osCharge->isVisible());
  ClickRow(w->osListN, 2);
  ClickRow(w->osListL, 0);
  ClickRow(w->osListM, 1);  // 3S
  Click(w->osViewMode[0]);
  const int hydrogen = w->osRadius->Value();
  Type(w->osCharge, QStringLiteral("3"));
  EXPECT_EQ(w->labChargeName->text(), QString::fromUtf8("Li\u00b2\u207a"));
  EXPECT_EQ(w->osRadius->Value(), static_cast<int>(std::ceil(hydrogen / 3.0)));
  Type(w->osCharge, QStringLiteral("2"));
  EXPECT_EQ(w->labChargeName->text(), QString::fromUtf8("He\u207a"));
  EXPECT_EQ(w->osRadius->Value(), static_cast<int>(std::ceil(hydrogen / 2.0)));
  // Out of range is clamped to the heaviest ion offered.
  Type(w->osCharge, QStringLiteral("12"));
  EXPECT_EQ(w->osCharge->Value(), 10);
  EXPECT_EQ(w->labChargeName->text(), QString::fromUtf8("Ne\u2079\u207a"));
}

TEST_F(Selector, ComplexIsRefusedForAnAverageAndHybridsAreReal) {
  ClickRow(w->osListN, 1);
  ClickRow(w->osListL, 1);
  ClickRow(w->osListM, 0);  // 2P average
  Click(w->osViewMode[0]);
  Click(w->osForm[1]);
  EXPECT_TRUE(w->osForm[1]->isChecked());
  EXPECT_FALSE(w->osForm[0]->isChecked());
  Click(w->osCalc);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].text,
            QStringLiteral("A subshell average has no complex form; choose one orbital of the "
                           "subshell."));
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Select Real or Complex"));
  EXPECT_EQ(w->CurrentMode, 2);
  EXPECT_TRUE(w->Engine.Orbitals().IsEmpty(0));

  // A hybrid takes the place of the orbital and switches back to real.
  ChooseLine(w->osHybrid, wl::HybridSp3);
  EXPECT_EQ(w->osListOrbs->currentIndex(), -1);
  EXPECT_TRUE(w->osForm[0]->isChecked());
  EXPECT_FALSE(w->ComplexChoice);
  // ...and choosing Complex again gives the hybrid up.
  Click(w->osForm[1]);
  EXPECT_EQ(w->osHybrid->currentIndex(), wl::NoHybrid);
  EXPECT_FALSE(w->osHybridMember->isEnabled());
}

TEST_F(Selector, HybridSetsBoundMemberAndShell) {
  EXPECT_FALSE(w->osHybridMember->isEnabled());
  ChooseLine(w->osHybrid, wl::HybridSp2);
  EXPECT_TRUE(w->osHybridMember->isEnabled());
  Type(w->osHybridMember, QStringLiteral("5"));
  EXPECT_EQ(w->osHybridMember->Value(), 3);  // sp² has three members
  ChooseLine(w->osHybrid, wl::HybridSp3d2);
  EXPECT_EQ(w->osHybridShell->Value(), 3);  // d orbitals start at n = 3
  Type(w->osHybridShell, QStringLiteral("2"));
  EXPECT_EQ(w->osHybridShell->Value(), 3);
  // Choosing an orbital in the lists leaves the hybrid.
  ClickRow(w->osListN, 0);
  ClickRow(w->osListM, 1);
  EXPECT_EQ(w->osHybrid->currentIndex(), wl::NoHybrid);
  EXPECT_EQ(w->osListOrbs->currentIndex(), 0);
}

TEST_F(Selector, CustomCombinationIsEditedCheckedAndNamed) {
  Click(w->osViewMode[0]);
  ChooseLine(w->osHybrid, wl::CustomCombination);
  ASSERT_TRUE(w->Combination);
  wl::frmCombination* dialog = w->Combination;
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->labName->text(), QString::fromUtf8("0.71 2S + 0.71 2Pz"));

  // Every orbital removed: OK is refused and the dialog stays.
  for (QComboBox* box : dialog->cboOrbital) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
  }
  QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                    Qt::LeftButton);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].text, QStringLiteral("A combination takes 1 to 4 orbitals."));
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Edit Combination"));
  EXPECT_TRUE(dialog->isVisible());

  // 3S − 3Px with weights 1 and -1, then OK: the selector names it.
  dialog->spinShell->setValue(3);
  ChooseLine(dialog->cboOrbital[0], dialog->cboOrbital[0]->findText(QStringLiteral("3S")));
  ChooseLine(dialog->cboOrbital[1], dialog->cboOrbital[1]->findText(QStringLiteral("3Px")));
  dialog->spinCoefficient[0]->setValue(1);
  dialog->spinCoefficient[1]->setValue(-1);
  QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                    Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(w->CombinationChoice.TermCount, 2);
  EXPECT_EQ(w->labCombination->text(), QString::fromUtf8("Combination: 0.71 3S \u2212 0.71 3Px"));
  EXPECT_EQ(w->osRadius->Value(), wl::InfoOf(w->CombinationChoice).DefaultPDFAtomRadius);
}

TEST_F(Selector, IonsAndComplexOrbitalsAreCalculatedAndTitledByWhatTheyAre) {
  // A lithium ion's 7s, then the complex 2p with m = +1.
  Click(w->osViewMode[0]);
  Type(w->osCharge, QStringLiteral("3"));
  ClickRow(w->osListN, 6);
  ClickRow(w->osListL, 0);
  ClickRow(w->osListM, 1);
  Click(w->osCalc);
  ASSERT_TRUE(messages->asked.empty()) << messages->asked[0].text.toStdString();
  QTreeWidgetItem* ion = w->Node(QStringLiteral("ORB0"));
  ASSERT_NE(ion, nullptr);
  EXPECT_TRUE(ion->text(0).startsWith(QString::fromUtf8("7S, Li\u00b2\u207a (7,0,0) PDF")))
      << ion->text(0).toStdString();
  EXPECT_EQ(w->SubjectOf(0).Charge, 3);

  Click(w->ToolBarImage[3]);
  Type(w->osCharge, QStringLiteral("1"));
  ClickRow(w->osListN, 1);
  ClickRow(w->osListL, 1);
  ClickRow(w->osListM, 3);  // m = +1
  Click(w->osForm[1]);
  Click(w->osCalc);
  QTreeWidgetItem* complex = w->Node(QStringLiteral("ORB1"));
  ASSERT_NE(complex, nullptr);
  EXPECT_TRUE(complex->text(0).startsWith(QStringLiteral("2P m=+1 (complex) (2,1,1) PDF")))
      << complex->text(0).toStdString();
  EXPECT_TRUE(w->SubjectOf(1).Complex);

  // Back goes to the ion; deleting it leaves the complex orbital.
  w->Menus->mnuGoBack->trigger();
  QApplication::processEvents();
  EXPECT_EQ(w->CurrentMode, 2);
  w->Menus->mnuGoBack->trigger();
  QApplication::processEvents();
  EXPECT_EQ(w->CurrentMode, 3);
  EXPECT_EQ(w->CurrentOrbital, 0);
  messages->answers = {wl::MsgAnswer::Yes};
  w->DeleteOrbital(0);
  EXPECT_EQ(w->Node(QStringLiteral("ORB0")), nullptr);
  EXPECT_NE(w->Node(QStringLiteral("ORB1")), nullptr);
}

TEST_F(Selector, AHybridIsCalculatedAndTitledByItsName) {
  Click(w->osViewMode[0]);
  ChooseLine(w->osHybrid, wl::HybridSp3);
  Type(w->osHybridMember, QStringLiteral("2"));
  const int radius = w->osRadius->Value();
  Click(w->osCalc);
  ASSERT_TRUE(messages->asked.empty()) << messages->asked[0].text.toStdString();
  QTreeWidgetItem* hybrid = w->Node(QStringLiteral("ORB0"));
  ASSERT_NE(hybrid, nullptr);
  EXPECT_EQ(hybrid->text(0), QString::fromUtf8("sp\u00b3 hybrid 2 of 4 PDF, r=%1").arg(radius));
  EXPECT_EQ(w->OrbitalViews[0].Setup.HybridMember, 2);
  // The Graphs window is told the four terms of the member.
  EXPECT_EQ(w->SubjectOf(0).Terms.size(), 4u);
}

}  // namespace
