// The selector's editor of a custom combination: up to four single real
// orbitals of one shell n, each with a real coefficient (the engine normalises
// them). OK checks the combination and keeps the dialog open with the reason
// when it cannot be calculated.
#pragma once

#include <QDialog>
#include <array>

#include "core/Records.h"
#include "wlapp_export.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace wl {

class WLAPP_EXPORT frmCombination : public QDialog {
  Q_OBJECT

 public:
  // Starts from `start` when it is a combination with terms, else from
  // 0.71 2S + 0.71 2Pz.
  frmCombination(QWidget* parent, const OrbitalSetup& start);

  // The combination as edited: Hybrid CustomCombination and its terms in
  // row order (rows left at "(none)" are skipped).
  OrbitalSetup Setup() const;

  QSpinBox* spinShell;
  std::array<QComboBox*, 4> cboOrbital{};
  std::array<QDoubleSpinBox*, 4> spinCoefficient{};
  QLabel* labName;  // the normalised combination, as the tree will name it

  void accept() override;

 private:
  // Refills the orbital lists with the single orbitals of the shell,
  // keeping the choices whose (l, M) the new shell has.
  void FillOrbitals();
  void ShowName();
};

}  // namespace wl
