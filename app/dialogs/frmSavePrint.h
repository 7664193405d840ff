// The dialog that saves or prints one picture of the orbital viewer: the axes,
// the main view, the nano view or the composite of all three with caption
// lines, at the screen's size or a larger one; or a one-page worksheet. The
// main window opens it window-modal with open(); Save or Print does its work
// at once and closes the dialog.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <optional>

#include "core/Records.h"
#include "wlapp_export.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

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
  // surface (saving only), 5 the worksheet
  Integer ImageMode = 3;
  // The chosen picture size: kScreenSize, or pixels along the longer side.
  int PictureSize() const;
  QString SaveFileName;  // where the picture was last saved

  std::array<QRadioButton*, 6> chkMode{};
  // What the worksheet shows besides its name and figures.
  QCheckBox *chkSheetViews, *chkSheetGraph;
  // The size of the picture: the screen's, a preset or a custom one, and the
  // width and height that make.
  QComboBox* cboSize;
  QSpinBox* spnSize;
  QLabel *labSizeTitle, *labSize;
  // Click areas over the axes, main-view and nano-view squares of View1.
  std::array<QWidget*, 3> labModes{};
  QPushButton *cmdGo, *cmdCancel;
  QLabel* labInfo;
  QWidget* View1;  // a small drawing of the composite's layout

 private:
  void SelectMode(int Index);
  // Enables the controls that apply to the chosen type and tells the size.
  void ShowSizeChoice();
  void cmdGo_Click();
  // The picture of the chosen type.
  QImage ChosenImage();
  // Each returns what went wrong, or none (also when the user cancelled).
  std::optional<QString> PrintImage();
  std::optional<QString> SaveImage();
  std::optional<QString> SaveModel();

  frmMain& Main_;
  QImage picTemp_;
};

}  // namespace wl
