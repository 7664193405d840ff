// "About Wavelore": one picture and an OK button. Typing the word "zephyr"
// while it is open (anywhere among other keys, any letter case) opens the
// calculation engine's own about box.
#pragma once

#include <QDialog>

#include "wlapp_export.h"

class QLabel;
class QPushButton;

namespace wl {

class frmMain;

class WLAPP_EXPORT frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(frmMain& main);

  static constexpr const char* AboutKeySequence = "zephyr";
  // The characters typed so far, in lower case.
  const QString& TypedKeys() const { return TypedKeys_; }

  QLabel* picture;
  QPushButton* cmdClose;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  frmMain& Main_;
  QString TypedKeys_;
};

}  // namespace wl
