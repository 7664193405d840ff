// The orbital selector page, the calculation and the deletion of orbitals.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QTreeWidget>

#include "Numbers.h"
#include "OrbitalNames.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "core/Numeric.h"
#include "frmMain.h"
#include "help/PageCommands.h"
#include "help/modHistory.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {
const char kLetters[] = "SPDFGH";

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

void frmMain::osListN_Click() {
  const int row = SelectedRow(osListN);
  if (row < 0) return;
  const int n = row + 1;
  osListL->clear();
  for (int l = 0; l < n && l < 6; ++l) {
    osListL->addItem(QStringLiteral("%1 Orbitals, l = %2").arg(QChar(kLetters[l])).arg(l));
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
  for (int m = -l; m <= l; ++m) {
    auto* item = new QListWidgetItem(QStringLiteral("m = %1").arg(m), osListM);
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
  for (size_t k = 0; k < OrbInfoTable.size(); ++k) {
    const OrbInfo& e = OrbInfoTable[k];
    if (e.n != n || e.l != l) continue;
    if (average ? e.OrbType == AverageOrbs : e.M == m) {
      osListOrbs->setCurrentIndex(static_cast<int>(k));
      LoadSpinDefaults(e);
      return;
    }
  }
}

void frmMain::LoadSpinDefaults(const OrbInfo& info) {
  const bool drpdf = ViewModeChoice != 0;
  osRadius->setValue(drpdf ? info.DefaultDRPDFAtomRadius : info.DefaultPDFAtomRadius);
  osThreshold->setValue(drpdf ? info.DefaultDRPDFDotThreshold : info.DefaultPDFDotThreshold);
}

void frmMain::osListOrbs_Click() {
  const int k = osListOrbs->currentIndex();
  if (k < 0 || k >= static_cast<int>(OrbInfoTable.size())) return;
  const OrbInfo& e = OrbInfoTable[static_cast<size_t>(k)];
  osListN->setCurrentRow(e.n - 1);
  osListL->setCurrentRow(e.l);
  osListM->setCurrentRow(e.OrbType == AverageOrbs ? 0 : e.M + e.l + 1);
}

void frmMain::osViewMode_Click(int Index) {
  ViewModeChoice = static_cast<Byte>(Index);
  RefreshSetupButtons();
  const int k = osListOrbs->currentIndex();
  if (k >= 0) LoadSpinDefaults(OrbInfoTable[static_cast<size_t>(k)]);
}

void frmMain::osCalc_Click() {
  if (osListOrbs->currentIndex() < 0) {
    MsgBox(this, QStringLiteral("Please select an orbital before clicking calculate"),
           QStringLiteral("Select Orbital"));
  } else if (ViewModeChoice == 2) {
    MsgBox(this, QStringLiteral("Please select either PDF or DRPDF before clicking calculate"),
           QStringLiteral("Select View Mode"));
  } else {
    Calculate(static_cast<Integer>(osListOrbs->currentIndex()), osRadius->Value(),
              static_cast<Byte>(osThreshold->Value()), ViewModeChoice);
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
  const OrbInfo e = InfoOf(setup);
  setup.AtomRadius = link.Drpdf ? e.DefaultDRPDFAtomRadius : e.DefaultPDFAtomRadius;
  setup.DotThreshold =
      static_cast<Byte>(link.Drpdf ? e.DefaultDRPDFDotThreshold : e.DefaultPDFDotThreshold);
  Calculate(setup);
}

QString frmMain::OrbitalTitle(Integer OrbIndex) const {
  const OrbitalView& v = OrbitalViews.at(static_cast<size_t>(OrbIndex));
  const QString view = v.ViewMode == DRPDF ? QStringLiteral("DRPDF") : QStringLiteral("PDF");
  QString title = QString::fromStdU16String(v.Info.Name) +
                  QStringLiteral(" (%1,%2").arg(v.Info.n).arg(v.Info.l);
  if (v.Info.OrbType == AverageOrbs) {
    title += QStringLiteral(",all) Average ") + view;
  } else {
    title += QStringLiteral(",%1) ").arg(v.Info.M) + view;
  }
  return title + QStringLiteral(", r=") + ShortestSingle(v.AtomRadius);
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
