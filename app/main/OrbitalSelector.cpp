// The orbital selector page, the calculation and the deletion of orbitals.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

#include "Numbers.h"
#include "OrbitalNames.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "frmCombination.h"
#include "core/Numeric.h"
#include "frmMain.h"
#include "help/PageCommands.h"
#include "help/modHistory.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {

// The selected line of a list, -1 for none. The selection, not the current
// line: a list that receives the focus makes a line current without choosing it.
int SelectedRow(const QListWidget* list) {
  const auto rows = list->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}
}  // namespace

QString SelectorName(const OrbInfo& info) {
  QString name = QString::fromStdU16String(info.Name);
  if (info.OrbType == AverageOrbs) name += QStringLiteral(" (average)");
  return name;
}

QString OrbitalDescription(const OrbitalView& v) {
  const QString view = v.ViewMode == DRPDF ? QStringLiteral("DRPDF") : QStringLiteral("PDF");
  const QString name = QString::fromStdU16String(v.Info.Name);
  // A hybrid or combination has no single (n, l, m): its name says it all.
  if (v.Setup.Hybrid != NoHybrid) return name + QStringLiteral(" ") + view;
  const QString numbers = QStringLiteral(" (%1,%2,").arg(v.Info.n).arg(v.Info.l);
  if (v.Info.OrbType == AverageOrbs) return name + numbers + QStringLiteral("all) Average ") + view;
  return name + numbers + QStringLiteral("%1) ").arg(v.Info.M) + view;
}

QString RefusalSentence(const std::string& why) {
  QString s = QString::fromStdString(why);
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s + QLatin1Char('.');
}

void frmMain::osListN_Click() {
  const int row = SelectedRow(osListN);
  if (row < 0) return;
  const int n = row + 1;
  osListL->clear();
  for (int l = 0; l < n; ++l) {
    osListL->addItem(QStringLiteral("%1 Orbitals, l = %2").arg(QChar(SubshellLetter(l, true))).arg(l));
  }
  osListM->clear();
  osListM->addItem(QStringLiteral("Select Angular Momentum"));
  if (n == 1) osListL->setCurrentRow(0);
  osListOrbs->setCurrentIndex(-1);
}

void frmMain::osListL_Click() {
  const int l = SelectedRow(osListL);
  if (l < 0 || SelectedRow(osListN) < 0) return;
  osListM->clear();
  osListM->addItem(QStringLiteral("Average over all m"));
  const int n = SelectedRow(osListN) + 1;
  for (int m = -l; m <= l; ++m) {
    // Up to f the lines give m; from g on, where no Cartesian names help,
    // each line carries the orbital's name ("5G (m = −4)").
    const QString text =
        l <= 3 ? QStringLiteral("m = %1").arg(m)
               : QString::fromStdU16String(OrbitalRowAt(IndexOfOrbital(n, l, m, false)).Name);
    auto* item = new QListWidgetItem(text, osListM);
    item->setData(Qt::UserRole, m);
  }
  osListOrbs->setCurrentIndex(-1);
}

void frmMain::osListM_Click() {
  const int row = SelectedRow(osListM);
  if (row < 0 || SelectedRow(osListN) < 0 || SelectedRow(osListL) < 0) return;
  const int n = SelectedRow(osListN) + 1;
  const int l = SelectedRow(osListL);
  const bool average = row == 0;
  const int m = average ? 0 : osListM->item(row)->data(Qt::UserRole).toInt();
  const int k = IndexOfOrbital(n, l, m, average);
  if (k < 0 || k >= static_cast<int>(OrbInfoTable.size())) return;
  osListOrbs->setCurrentIndex(k);
  // An orbital of the lists replaces a hybrid chosen before.
  if (osHybrid->currentIndex() != NoHybrid) {
    osHybrid->setCurrentIndex(NoHybrid);
    RefreshHybridControls();
  }
  LoadSpinDefaults();
}

OrbitalSetup frmMain::SelectorSetup() const {
  const int hybrid = osHybrid->currentIndex();
  OrbitalSetup s;
  if (hybrid == CustomCombination) {
    s = CombinationChoice;
    s.Hybrid = CustomCombination;
  } else if (hybrid > NoHybrid) {
    s.Hybrid = static_cast<HybridSet>(hybrid);
    s.HybridMember = osHybridMember->Value();
    s.HybridShell = osHybridShell->Value();
  } else {
    s.OrbitalIndex = static_cast<Integer>(osListOrbs->currentIndex());
    s.Complex = ToBoolean(ComplexChoice);
  }
  s.Charge = osCharge->Value();
  s.AtomRadius = osRadius->Value();
  s.DotThreshold = static_cast<Byte>(osThreshold->Value());
  s.OrbitalViewMode = ViewModeChoice == 1 ? DRPDF : PDF;
  return s;
}

void frmMain::LoadSpinDefaults() {
  // Nothing chosen yet, or a choice the engine would refuse: the spin buttons
  // keep what they show.
  const OrbitalSetup setup = SelectorSetup();
  if (setup.Hybrid == NoHybrid && setup.OrbitalIndex < 0) return;
  OrbitalSetup real = setup;
  real.Complex = kFalse;  // an average chosen with Complex still gets its defaults
  if (!CheckSetup(real).empty()) return;
  const OrbitalDefaults defaults = DefaultsOf(real, ViewModeChoice != 0 ? DRPDF : PDF);
  osRadius->setValue(defaults.Radius);
  osThreshold->setValue(defaults.Threshold);
}

void frmMain::osCharge_Change() {
  labChargeName->setText(QString::fromStdU16String(ChargeName(osCharge->Value())));
  LoadSpinDefaults();
}

void frmMain::osForm_Click(int Index) {
  ComplexChoice = Index == 1;
  osForm[0]->setChecked(!ComplexChoice);
  osForm[1]->setChecked(ComplexChoice);
  // Hybrids are real: the complex form goes with one orbital of the lists.
  if (ComplexChoice && osHybrid->currentIndex() != NoHybrid) {
    osHybrid->setCurrentIndex(NoHybrid);
    RefreshHybridControls();
    LoadSpinDefaults();
  }
}

void frmMain::RefreshHybridControls() {
  const int hybrid = osHybrid->currentIndex();
  const bool set = hybrid > NoHybrid && hybrid < CustomCombination;
  osHybridMember->setEnabled(set);
  osHybridShell->setEnabled(set);
  if (set) {
    const auto chosen = static_cast<HybridSet>(hybrid);
    osHybridMember->setMax(static_cast<Integer>(HybridSize(chosen)));
    osHybridShell->setMin(static_cast<Integer>(HybridLowestShell(chosen)));
  }
  const bool combination = hybrid == CustomCombination && CombinationChoice.TermCount > 0;
  labCombination->setText(
      combination ? QStringLiteral("Combination: ") +
                        QString::fromStdU16String(SetupName(CombinationChoice))
                  : QString());
}

void frmMain::osHybrid_Click(int Index) {
  if (Index != NoHybrid) {
    // A hybrid replaces the orbital of the lists, and it is real.
    const QSignalBlocker quiet(osListOrbs);
    osListOrbs->setCurrentIndex(-1);
    osListM->clearSelection();
    if (ComplexChoice) osForm_Click(0);
  }
  RefreshHybridControls();
  if (Index == CustomCombination) {
    OpenCombination();
    return;
  }
  LoadSpinDefaults();
}

void frmMain::OpenCombination() {
  if (Combination) return;
  Combination = new frmCombination(this, CombinationChoice);
  Combination->setAttribute(Qt::WA_DeleteOnClose);
  connect(Combination, &QDialog::accepted, this, [this] {
    CombinationChoice = Combination->Setup();
    RefreshHybridControls();
    LoadSpinDefaults();
  });
  connect(Combination, &QDialog::rejected, this, [this] {
    // Nothing chosen before: back to one orbital.
    if (CombinationChoice.TermCount == 0) {
      osHybrid->setCurrentIndex(NoHybrid);
      RefreshHybridControls();
    }
  });
  Combination->open();
}

void frmMain::osListOrbs_Click() {
  const int k = osListOrbs->currentIndex();
  if (k < 0 || k >= static_cast<int>(OrbInfoTable.size())) return;
  const OrbInfo& e = OrbInfoTable[static_cast<size_t>(k)];
  osListN->setCurrentRow(e.n - 1);
  osListL->setCurrentRow(e.l);
  osListM->setCurrentRow(e.OrbType == AverageOrbs ? 0 : e.M + e.l + 1);
  // The m list of an i subshell is longer than the list: keep the line seen.
  if (QListWidgetItem* line = osListM->currentItem()) osListM->scrollToItem(line);
}

void frmMain::osViewMode_Click(int Index) {
  ViewModeChoice = static_cast<Byte>(Index);
  RefreshSetupButtons();
  LoadSpinDefaults();
}

void frmMain::osCalc_Click() {
  const int hybrid = osHybrid->currentIndex();
  if (hybrid == NoHybrid && osListOrbs->currentIndex() < 0) {
    MsgBox(this, QStringLiteral("Please select an orbital before clicking calculate"),
           QStringLiteral("Select Orbital"));
  } else if (ViewModeChoice == 2) {
    MsgBox(this, QStringLiteral("Please select either PDF or DRPDF before clicking calculate"),
           QStringLiteral("Select View Mode"));
  } else if (hybrid == CustomCombination && CombinationChoice.TermCount == 0) {
    MsgBox(this,
           QStringLiteral("Please choose the orbitals of the combination before clicking calculate"),
           QStringLiteral("Edit Combination"));
  } else {
    const OrbitalSetup setup = SelectorSetup();
    const std::string why = CheckSetup(setup);
    if (why.empty()) {
      Calculate(setup);
    } else {
      const QString title = hybrid == CustomCombination ? QStringLiteral("Edit Combination")
                            : hybrid != NoHybrid        ? QStringLiteral("Select Hybrid")
                            : setup.Complex             ? QStringLiteral("Select Real or Complex")
                                                        : QStringLiteral("Select Orbital");
      MsgBox(this, RefusalSentence(why), title);
    }
  }
}

bool frmMain::Calculate(Integer OrbitalIndex, Integer Radius, Byte Threshold, Byte ViewChoice) {
  OrbitalSetup setup;
  setup.AtomRadius = Radius;
  setup.DotThreshold = Threshold;
  setup.OrbitalIndex = OrbitalIndex;
  setup.OrbitalViewMode = ViewChoice == 1 ? DRPDF : PDF;
  return Calculate(setup);
}

bool frmMain::Calculate(const OrbitalSetup& request) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SetStatus(QStringLiteral("Calculations in progress..."), false);
  // Disabling the window takes the keyboard focus away; it comes back to
  // where it was rather than to the first control (the title bar's buttons).
  const QPointer<QWidget> focused = focusWidget();  // also while the window is not active
  const auto restoreFocus = [&] {
    if (focused && focused->isVisible() && focused->isEnabled()) focused->setFocus();
  };
  setEnabled(false);
  QCoreApplication::processEvents();

  OrbitalSetup setup = request;
  setup.DotTarget = 16000;
  Integer I = -1;
  if (!EngineGuard([&] { I = Engine.Orbitals().Add(setup); })) {
    restoreFocus();
    RestoreStatus();
    return false;
  }
  setEnabled(true);
  restoreFocus();
  QApplication::restoreOverrideCursor();

  const QString key = QStringLiteral("ORB%1").arg(I);
  const Integer saved = CurrentOrbital;
  const bool shown = EngineGuard([&] {
    if (static_cast<size_t>(I) >= OrbitalViews.size())
      OrbitalViews.resize(static_cast<size_t>(I) + 1);
    OrbitalView& v = OrbitalViews[static_cast<size_t>(I)];
    v = OrbitalView{};
    v.Info = InfoOf(setup);
    v.OrbitalIndex = setup.OrbitalIndex;
    v.Setup = setup;
    v.AtomRadius = setup.AtomRadius;
    v.ViewMode = setup.OrbitalViewMode;
    v.DotThreshold = setup.DotThreshold;
    v.Stats = Engine.Orbitals().GetStats(I);
    if (QTreeWidgetItem* node = AddNode(QStringLiteral("Orbitals"), key, OrbitalTitle(I))) {
      WLtree->scrollToItem(node);
      WLtree->setCurrentItem(node);
    }
    CurrentOrbital = I;
    FrameUpdate3D(true, true);
    FrameUpdate2D(true);
    CurrentOrbital = saved;
  });
  if (!shown) {
    // Leave nothing half made: no node, no orbital, a fresh record.
    CurrentOrbital = saved;
    RemoveNode(key);
    OrbitalViews[static_cast<size_t>(I)] = OrbitalView{};
    EngineGuard([&] { Engine.Orbitals().Delete(I); });
    RestoreStatus();
    return false;
  }
  SetMode(3, QString(), QString(), I, true, false);
  return true;
}

void frmMain::OpenOrbitalFromPage(const QString& words) {
  const OrbitalLink link = ParseOrbitalLink(words);
  if (link.Index < 0) {
    SetStatus(QStringLiteral("Cannot open the orbital '%1': %2").arg(words.trimmed(), link.Error),
              false);
    return;
  }
  OrbitalSetup setup = link.Setup;
  const OrbitalDefaults defaults = DefaultsOf(setup, setup.OrbitalViewMode);
  setup.AtomRadius = defaults.Radius;
  setup.DotThreshold = static_cast<Byte>(defaults.Threshold);
  Calculate(setup);
}

QString frmMain::OrbitalTitle(Integer OrbIndex) const {
  const OrbitalView& v = OrbitalViews.at(static_cast<size_t>(OrbIndex));
  return OrbitalDescription(v) + QStringLiteral(", r=") + ShortestSingle(v.AtomRadius);
}

void frmMain::DeleteOrbital(Integer OrbIndex) {
  if (MsgBox(this, QStringLiteral("Are you sure you want to delete this orbital?"),
             QStringLiteral("Confirm Orbital Delete"), MsgIcon::None,
             MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  if (!EngineGuard([&] { Engine.Orbitals().Delete(OrbIndex); })) return;
  RemoveNode(QStringLiteral("ORB%1").arg(OrbIndex));
  modHistory::HistoryRemoveOrbital(*this, OrbIndex);
  GraphsFollow();
}

}  // namespace wl
