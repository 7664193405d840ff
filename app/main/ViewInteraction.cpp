// Turning and slicing the orbital: drags in the two views, the trackball, the
// transect slider and the auto-rotation.
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "Layout.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Numeric.h"
#include "core/Platform.h"
#include "frmMain.h"
#include "help/frmMenus.h"

namespace wl {

namespace {
constexpr double kTwoPi = 6.28318530717958;
constexpr double kRotateStep = 0.0314159265358979;  // a hundredth of a half turn
constexpr double kViewDivisor = 40;                 // pixels of drag per radian
constexpr double kTrackBallDivisor = 600;           // twips of drag per radian
constexpr double kTwipsPerPixel = 15;
constexpr std::uint32_t kStepMs = 30;  // the shortest auto-rotation step

// The angle less the whole turns it holds; it keeps its sign.
double ReducedAngle(double a) {
  return std::fmod(a, kTwoPi);
}
}  // namespace

Long frmMain::SliderLeftFor(Integer TransectNo) {
  return static_cast<Long>(Int((TransectNo + 127) * 185.0 / 254)) + Layout::kSliderMin;
}

Integer frmMain::TransectNoFor(Long ThumbLeft) {
  return CInt(Int((ThumbLeft - Layout::kSliderMin) / 185.0 * 254) - 127);
}

void frmMain::ConnectViewer() {
  for (bool main : {true, false}) {
    NoFocusCont* view = main ? eeMainView : eeNanoView;
    connect(view, &NoFocusCont::MouseDown, this,
            [this](short, short, float X, float Y) { View_MouseDown(X, Y); });
    connect(view, &NoFocusCont::MouseMove, this,
            [this, main](short Button, short, float X, float Y) {
              View_MouseMove(main, Button, X, Y);
            });
    connect(view, &NoFocusCont::MouseUp, this,
            [this, main](short, short, float, float) { View_MouseUp(main); });
  }
  // The trackball works in twips, 15 to the pixel, like the platform's image controls.
  connect(eeTrackBall, &RollOverImage::MouseDown, this, [this](short, short, float X, float Y) {
    View_MouseDown(X * kTwipsPerPixel, Y * kTwipsPerPixel);
  });
  connect(eeTrackBall, &RollOverImage::MouseMove, this,
          [this](short Button, short, float X, float Y) {
            TrackBall_MouseMove(Button, X * kTwipsPerPixel, Y * kTwipsPerPixel);
          });
  connect(eeTrackBall, &RollOverImage::MouseUp, this, [this](short, short, float, float) {
    if (!DragCancelled_) EngineGuard([&] { FinalVolumeIfStill(); });
  });
  connect(eeTSlider, &RollOverImage::MouseDown, this,
          [this](short Button, short, float X, float) { Slider_MouseDown(Button, X); });
  connect(eeTSlider, &RollOverImage::MouseMove, this,
          [this](short Button, short, float X, float) { Slider_MouseMove(Button, X); });
  connect(eeTSlider, &RollOverImage::MouseUp, this, [this] { Slider_MouseUp(); });
  connect(eeAutoRotate, &RollOverImage::Click, this, &frmMain::eeAutoRotate_Click);
  connect(eeFurtherOptions, &RollOverImage::Click, this, [this] {
    OptionsShown = !OptionsShown;
    ShowFurtherOptions();
  });

  RotationTimer_ = new QTimer(this);
  RotationTimer_->setSingleShot(true);
  RotationTimer_->setTimerType(Qt::PreciseTimer);
  connect(RotationTimer_, &QTimer::timeout, this, &frmMain::AutoRotateTick);
}

void frmMain::View_MouseDown(float X, float Y) {
  DragCancelled_ = false;
  LastX = CLng(X);
  LastY = CLng(Y);
}

void frmMain::View_MouseMove(bool mainView, short Button, float X, float Y) {
  if (Button == 0 || DragCancelled_) return;
  EngineGuard([&] {
    OrbitalView& R = Current();
    const bool showsTransect = mainView ? R.Swapped == 1 : R.Swapped == 0;
    if (showsTransect) {
      const double moved = RoundHalfEven(Int(X - LastX) + R.TransectNo);
      LastX = CLng(X);
      MoveSlice(static_cast<Integer>(std::clamp(moved, -127.0, 127.0)));
    } else {
      TurnCamera(X, Y, kViewDivisor);
    }
  });
}

void frmMain::MoveSlice(Integer TransectNo) {
  OrbitalView& R = Current();
  R.TransectNo = std::clamp<Integer>(TransectNo, -127, 127);
  R.SliderLeft = SliderLeftFor(R.TransectNo);
  MoveSliderThumb(R.SliderLeft);
  if (!R.Transector) {
    FrameUpdate2D(true);
  } else {
    FrameUpdateBoth(true);
  }
}

void frmMain::TurnCameraByKey(float dx, float dy) {
  LastX = 0;
  LastY = 0;
  TurnCamera(dx, dy, kViewDivisor);
}

void frmMain::TurnCamera(float X, float Y, double divisor) {
  OrbitalView& R = Current();
  R.Theta = R.Theta + (LastY - Y) / divisor;
  R.Phi = R.Phi + (LastX - X) / divisor;
  LastX = CLng(X);
  LastY = CLng(Y);
  R.Theta = ReducedAngle(R.Theta);
  R.Phi = ReducedAngle(R.Phi);
  FrameUpdate3D(true, false);
}

void frmMain::View_MouseUp(bool mainView) {
  if (DragCancelled_) return;
  const bool shows3D = mainView ? Current().Swapped == 0 : Current().Swapped == 1;
  if (shows3D) EngineGuard([&] { FinalVolumeIfStill(); });
}

void frmMain::TrackBall_MouseMove(short Button, float X, float Y) {
  if (Button == 0 || DragCancelled_) return;
  EngineGuard([&] { TurnCamera(X, Y, kTrackBallDivisor); });
}

void frmMain::MoveSliderThumb(Long left) {
  // The rotation's last step before a wrap may ask for one pixel past the
  // track; the thumb stays on it.
  left = std::clamp<Long>(left, Layout::kSliderMin, Layout::kSliderMax);
  if (eeTSlider->x() != left) eeTSlider->move(left, eeTSlider->y());
}

void frmMain::Slider_MouseDown(short Button, float X) {
  if (Button != 1) return;
  DragCancelled_ = false;
  SliderGrab = CLng(X);
  eeTSlider->setPicture(Menus->eeTSliderOn);
}

void frmMain::Slider_MouseMove(short Button, float X) {
  if (Button != 1 || DragCancelled_) return;
  EngineGuard([&] {
    const Long L = std::clamp<Long>(CLng(X + eeTSlider->x() - SliderGrab), Layout::kSliderMin,
                                    Layout::kSliderMax);
    MoveSliderThumb(L);
    OrbitalView& R = Current();
    R.SliderLeft = L;
    R.TransectNo = TransectNoFor(L);
    if (R.Transector) {
      FrameUpdateBoth(!R.AutoRotating);
    } else {
      FrameUpdate2D(true);
    }
  });
}

void frmMain::Slider_MouseUp() {
  eeTSlider->setPicture(Menus->eeTSliderOff);
}

void frmMain::eeAutoRotate_Click() {
  OrbitalView& R = Current();
  R.AutoRotating = !R.AutoRotating;
  ShowPicture(eeAutoRotate, R.AutoRotating);
  if (R.AutoRotating) {
    AutoRotate();
  } else if (HasFinalImage(R.Mode)) {
    EngineGuard([&] { FrameUpdate3D(true, true); });
  }
}

void frmMain::AutoRotate() {
  if (RotationTimer_->isActive()) return;  // already turning: it goes on with the current orbital
  RotationFirst_ = true;
  RotationTimer_->start(0);
}

// One pass of the rotation loop. The events that arrived since the last step
// (a click on the button, a page change, minimising) have run by now, so the
// stop rules are read first; then the step, then the wait that makes a step
// last at least 30 ms.
void frmMain::AutoRotateTick() {
  if (!RotationFirst_) {
    if (isMinimized()) {
      ResumeAutoRotate = true;
      return;
    }
    if (!Current().AutoRotating || CurrentMode != 3) return;
  }
  RotationFirst_ = false;
  const std::uint32_t t0 = timeGetTime();
  if (!AutoRotateStep()) return;
  const std::uint32_t elapsed = timeGetTime() - t0;
  RotationTimer_->start(static_cast<int>(elapsed < kStepMs ? kStepMs - elapsed : 0));
}

bool frmMain::AutoRotateRunning() const {
  return RotationTimer_->isActive();
}

int frmMain::AutoRotateWait() const {
  return RotationTimer_->interval();
}

bool frmMain::AutoRotateStep() {
  const bool done = EngineGuard([&] {
    OrbitalView& R = Current();
    const double A = R.RotateAngle;
    R.RotateAngle = A + kRotateStep;
    if (R.RotateAngle >= kTwoPi) R.RotateAngle = R.RotateAngle - kTwoPi;
    R.TransectNo = AddI16(R.TransectNo, 2);
    R.SliderLeft = SliderLeftFor(R.TransectNo);
    MoveSliderThumb(R.SliderLeft);
    if (R.TransectNo > 127) {
      R.TransectNo = -127;
      R.TransectDir = static_cast<TransectDirection>((R.TransectDir + 1) % 3);
      for (int i = 0; i < 3; ++i) ShowPicture(eeTDir[i], R.TransectDir == i);
    }
    R.Theta = R.Theta + (std::sin(R.RotateAngle) - std::sin(A)) * 4.0;
    R.Phi = R.Phi + (std::cos(R.RotateAngle) - std::cos(A)) * 3.5;
    FrameUpdateBoth(false);
  });
  return done;
}

}  // namespace wl
