// The Save Animation dialog of the orbital viewer: a full turn of the camera
// or a sweep of the slice, its frames, size and format (animated GIF or MP4).
// Saving asks for a file, then writes one frame per tick of a timer while a
// progress bar fills; Cancel stops it and leaves no file behind. The main
// window opens it window-modal with open().
#pragma once

#include <QDialog>
#include <QImage>
#include <memory>

#include "animation/AnimationPlan.h"
#include "animation/AnimationWriter.h"
#include "core/Records.h"
#include "wlapp_export.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace wl {

class frmMain;

class WLAPP_EXPORT frmSaveAnimation : public QDialog {
  Q_OBJECT

 public:
  explicit frmSaveAnimation(frmMain& main);
  ~frmSaveAnimation() override;

  // The picture sizes offered, pixels a side; the first is the view's own.
  static constexpr int kSizes[] = {375, 512, 768, 1024};

  // True while frames are being written.
  bool Writing() const;
  // Where the last animation was saved (empty until one is complete).
  QString SavedFile;

  QComboBox* cboKind;    // turn or sweep
  QSpinBox* spnFrames;   // 2 to 1000
  QComboBox* cboSize;    // kSizes
  QComboBox* cboFormat;  // GIF, MP4
  QLabel* labInfo;       // what will be written, or why a format is missing
  QProgressBar* barProgress;
  QPushButton *cmdSave, *cmdCancel;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void cmdSave_Click();
  void cmdCancel_Click();
  // Writes the next frame; completes the file after the last one.
  void NextFrame();
  // Stops writing: the partial file goes, the viewer shows its own pictures
  // again and the dialog can be used again.
  void StopWriting();
  void Describe();
  anim::AnimationFormat ChosenFormat() const;
  anim::AnimationKind ChosenKind() const;
  // The frame `i`'s picture, with the view's scale bar where it is drawn.
  QImage Frame(int i);

  frmMain& Main_;
  QTimer* Ticker_;
  std::unique_ptr<anim::AnimationWriter> Writer_;
  RenderRequest Base_;
  anim::AnimationKind Kind_ = anim::AnimationKind::Turn;
  int Frames_ = 0, Next_ = 0;
  QString Target_;
};

}  // namespace wl
