// The dialog that saves or prints one picture of the orbital viewer: the axes,
// the main view, the nano view or the composite of all three with caption
// lines. The main window opens it window-modal with open(); Save or Print
// does its work at once and closes the dialog.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <optional>

#include "core/Records.h"
#include "wlapp_export.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace wl {

class frmMain;

class WLAPP_EXPORT frmSavePrint : public QDialog {
  Q_OBJECT

 public:
  explicit frmSavePrint(frmMain& main);

  // Prepares the dialog for printing (true) or saving (false), with the
  // composite preselected.
  void SetUpDialog(bool PrintDialog);
  // Draws the composite of the current orbital into picTemp.
  void CreateComposite();
  // The last composite, 530 by 425.
  const QImage& picTemp() const { return picTemp_; }

  bool IsPrint = false;
  // 0 axes, 1 main view, 2 nano view, 3 composite, 4 the 3D model of the
  // surface (saving only)
  Integer ImageMode = 3;
  QString SaveFileName;  // where the picture was last saved

  std::array<QRadioButton*, 5> chkMode{};
  // Click areas over the axes, main-view and nano-view squares of View1.
  std::array<QWidget*, 3> labModes{};
  QPushButton *cmdGo, *cmdCancel;
  QLabel* labInfo;
  QWidget* View1;  // a small drawing of the composite's layout

 private:
  void SelectMode(int Index);
  void cmdGo_Click();
  // The picture of the chosen type.
  QImage ChosenImage();
  // Each returns what went wrong, or none (also when the user cancelled).
  std::optional<QString> PrintImage();
  std::optional<QString> SaveImage();
  std::optional<QString> SaveModel();
  // Asks before an extension added to the typed `name` makes `path` name
  // another file that is already there; true to go on.
  bool MayReplace(const QString& name, const QString& path);

  frmMain& Main_;
  QImage picTemp_;
};

}  // namespace wl
