#include "frmCombination.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "DarkLook.h"
#include "Fonts.h"
#include "OrbitalNames.h"
#include "orbitals/OrbitalCatalog.h"
#include "shell/Services.h"

namespace wl {

namespace {
// The item data of a line: its table row; -1 for "(none)".
constexpr int kNone = -1;
}  // namespace

frmCombination::frmCombination(QWidget* parent, const OrbitalSetup& start) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCombination"));
  setWindowTitle(QStringLiteral("Custom Combination"));
  setWindowModality(Qt::WindowModal);
  setFont(PixelFont(12));
  // The program's dark look; the fields' figures light on their dark ground.
  QPalette pal = DarkPalette(palette());
  pal.setColor(QPalette::Text, kDarkText);
  setPalette(pal);
  setAutoFillBackground(true);
  setStyleSheet(DarkButtonStyle(10));

  auto* grid = new QGridLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Up to four orbitals of one shell, each with a coefficient.\n"
                     "The combination is normalised for you."),
      this);
  grid->addWidget(intro, 0, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Shell n"), this), 1, 0);
  spinShell = new QSpinBox(this);
  spinShell->setObjectName(QStringLiteral("spinShell"));
  spinShell->setRange(1, kHighestN);
  grid->addWidget(spinShell, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Orbital"), this), 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("Coefficient"), this), 2, 1);
  for (int t = 0; t < 4; ++t) {
    cboOrbital[t] = new QComboBox(this);
    cboOrbital[t]->setObjectName(QStringLiteral("cboOrbital%1").arg(t));
    cboOrbital[t]->setMinimumWidth(170);
    cboOrbital[t]->setAccessibleName(QStringLiteral("Orbital %1").arg(t + 1));
    spinCoefficient[t] = new QDoubleSpinBox(this);
    spinCoefficient[t]->setObjectName(QStringLiteral("spinCoefficient%1").arg(t));
    spinCoefficient[t]->setRange(-10, 10);
    spinCoefficient[t]->setDecimals(3);
    spinCoefficient[t]->setSingleStep(0.1);
    spinCoefficient[t]->setAccessibleName(QStringLiteral("Coefficient %1").arg(t + 1));
    grid->addWidget(cboOrbital[t], 3 + t, 0);
    grid->addWidget(spinCoefficient[t], 3 + t, 1);
  }
  labName = new QLabel(this);
  labName->setObjectName(QStringLiteral("labName"));
  grid->addWidget(labName, 7, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  grid->addWidget(buttons, 8, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &frmCombination::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &frmCombination::reject);

  const bool given = start.Hybrid == CustomCombination && start.TermCount > 0;
  const int shell = given ? OrbitalRowAt(start.Terms[0].OrbitalIndex).n : 2;
  spinShell->setValue(shell);
  FillOrbitals();
  for (int t = 0; t < 4; ++t) {
    int row = kNone;
    double c = 0;
    if (given && t < start.TermCount) {
      row = start.Terms[t].OrbitalIndex;
      c = start.Terms[t].Coefficient;
    } else if (!given && t < 2) {
      row = IndexOfOrbital(2, t, 0, false);  // 2S and 2Pz
      c = 1;
    }
    cboOrbital[t]->setCurrentIndex(std::max(0, cboOrbital[t]->findData(row)));
    spinCoefficient[t]->setValue(c);
  }
  connect(spinShell, &QSpinBox::valueChanged, this, [this] {
    FillOrbitals();
    ShowName();
  });
  for (int t = 0; t < 4; ++t) {
    connect(cboOrbital[t], &QComboBox::currentIndexChanged, this, &frmCombination::ShowName);
    connect(spinCoefficient[t], &QDoubleSpinBox::valueChanged, this, &frmCombination::ShowName);
  }
  ShowName();
}

void frmCombination::FillOrbitals() {
  const int n = spinShell->value();
  for (QComboBox* box : cboOrbital) {
    const int was = box->currentData().isValid() ? box->currentData().toInt() : kNone;
    int l = -1, M = 0;
    if (was != kNone) {
      l = OrbitalRowAt(was).l;
      M = OrbitalRowAt(was).M;
    }
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(QStringLiteral("(none)"), kNone);
    for (int k = 0; k < kOrbitalCount; ++k) {
      const OrbitalRow& row = OrbitalRowAt(k);
      if (row.n == n && row.OrbType == SingleOrb)
        box->addItem(QString::fromStdU16String(row.Name), k);
    }
    const int same = l >= 0 && l < n ? IndexOfOrbital(n, l, M, false) : kNone;
    box->setCurrentIndex(std::max(0, box->findData(same)));
  }
}

OrbitalSetup frmCombination::Setup() const {
  OrbitalSetup s;
  s.Hybrid = CustomCombination;
  for (int t = 0; t < 4; ++t) {
    const int row = cboOrbital[t]->currentData().toInt();
    if (row == kNone) continue;
    s.Terms[static_cast<size_t>(s.TermCount)] = {static_cast<Integer>(row), spinCoefficient[t]->value()};
    ++s.TermCount;
  }
  return s;
}

void frmCombination::ShowName() {
  const OrbitalSetup s = Setup();
  const std::string why = CheckSetup(s);
  labName->setText(why.empty() ? QString::fromStdU16String(SetupName(s)) : RefusalSentence(why));
}

void frmCombination::accept() {
  const std::string why = CheckSetup(Setup());
  if (!why.empty()) {
    MsgBox(this, RefusalSentence(why), QStringLiteral("Edit Combination"));
    return;
  }
  QDialog::accept();
}

}  // namespace wl
