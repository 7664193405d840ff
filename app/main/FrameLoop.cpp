// Frames of the orbital viewer: requests to the engine, copies into the two
// views, and the viewer buttons that change what is rendered.
#include "Axes.h"
#include "Bitmaps.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "frmMain.h"
#include "help/frmMenus.h"
#include "render/Surfaces.h"

namespace wl {

namespace {
constexpr Long kMainSize = 375;
constexpr Long kNanoCopy = 127;  // the nano view receives 127 by 127 of its 128

void CopyInto(NoFocusCont* view, Long source, Long size) {
  BitBlt(view->hdc(), 0, 0, size, size, source, 0, 0);
  view->Refresh();
}
}  // namespace

void frmMain::FrameUpdate3D(bool blt, bool VolFinal) {
  OrbitalView& R = Current();
  RenderRequest request;
  request.Theta = R.Theta;
  request.Phi = R.Phi;
  request.CameraPos = R.CameraPos;
  request.ProjectionPlane = R.ProjectionPlane;
  request.TransectNo = R.TransectNo;
  request.Transector = ToBoolean(R.Transector);
  request.TransectDir = R.TransectDir;
  request.VolQuality = R.VolQuality;
  request.ShowProbLevelOnDots = ToBoolean(R.ShowProbLevelOnDots);
  request.ShowProbLevelOnTrans = ToBoolean(R.ShowProbLevelOnTrans);
  request.StereoFactor = R.StereoFactor;
  request.Mode = R.Mode;
  request.Size = R.Swapped == 0 ? Main : Nano;
  request.VolFinal = ToBoolean(VolFinal);
  eeAxes->Draw(R.Theta, R.Phi, R.Mode, R.ProjectionPlane, R.CameraPos, R.StereoFactor);
  R.DC = Engine.Orbitals().GetRender(CurrentOrbital, request);
  if (blt) CopyView(request.Size);
}

void frmMain::FrameUpdate2D(bool blt) {
  OrbitalView& R = Current();
  RenderRequest request;
  request.Mode = Transect;
  request.Size = R.Swapped == 1 ? Main : Nano;
  request.TransectDir = R.TransectDir;
  request.TransectNo = R.TransectNo;
  request.ShowProbLevelOnDots = ToBoolean(R.ShowProbLevelOnDots);
  request.ShowProbLevelOnTrans = ToBoolean(R.ShowProbLevelOnTrans);
  R.DC = Engine.Orbitals().GetRender(CurrentOrbital, request);
  if (blt) CopyView(request.Size);
}

void frmMain::FrameUpdateBoth(bool VolFinal) {
  FrameUpdate3D(false, VolFinal);
  FrameUpdate2D(false);
  CopyImages();
}

void frmMain::CopyView(RenderSize size) {
  const OrbitalView& R = Current();
  if (size == Main) {
    CopyInto(eeMainView, R.DC.MainHDC, kMainSize);
  } else {
    CopyInto(eeNanoView, R.DC.NanoHDC, kNanoCopy);
  }
}

void frmMain::CopyImages() {
  CopyView(Main);
  CopyView(Nano);
}

void frmMain::SetViewPointers() {
  constexpr short kFourWay = 15, kLeftRight = 9;
  const bool swapped = Current().Swapped == 1;
  eeMainView->setMousePointer(swapped ? kLeftRight : kFourWay);
  eeNanoView->setMousePointer(swapped ? kFourWay : kLeftRight);
}

void frmMain::RefreshViewerButtons() {
  if (OrbitalViews.empty()) return;
  const OrbitalView& R = Current();
  eeTSlider->move(R.SliderLeft, eeTSlider->y());
  eeTSlider->setPicture(Menus->eeTSliderOff);
  for (int i = 0; i < 2; ++i) ShowPicture(eeMainMode[i], R.Swapped == i);
  SetViewPointers();
  ShowPicture(eeShowTrans, R.Transector);
  for (int i = 0; i < 4; ++i) ShowPicture(ee3Dmodes[i], R.Mode == i);
  ShowPicture(eeTrackBall, false);
  ShowPicture(eeSwap, false);
  ShowPicture(eeAutoRotate, R.AutoRotating);
  ShowPicture(eeFurtherOptions, OptionsShown);
  CopyImages();
  EngineGuard([&] {
    eeAxes->Draw(R.Theta, R.Phi, R.Mode, R.ProjectionPlane, R.CameraPos, R.StereoFactor);
  });
  for (int i = 0; i < 3; ++i) ShowPicture(eeTDir[i], R.TransectDir == i);
}

void frmMain::FinalVolumeIfStill() {
  if (Current().Mode == Volumetric && !Current().AutoRotating) FrameUpdate3D(true, true);
}

void frmMain::ee3Dmodes_Click(int i) {
  EngineGuard([&] {
    OrbitalView& R = Current();
    R.Mode = static_cast<RenderMode>(i);
    for (int k = 0; k < 4; ++k) ShowPicture(ee3Dmodes[k], k == i);
    if (R.ShowProbLevelOnTrans) {
      FrameUpdateBoth(false);
    } else {
      FrameUpdate3D(true, false);
    }
    FinalVolumeIfStill();
  });
}

void frmMain::eeMainMode_Click(int i) {
  EngineGuard([&] {
    Current().Swapped = static_cast<Byte>(i);
    SetViewPointers();
    for (int k = 0; k < 2; ++k) ShowPicture(eeMainMode[k], k == i);
    FrameUpdateBoth(false);
    FinalVolumeIfStill();
  });
}

void frmMain::eeSwap_Click() {
  eeMainMode_Click(Current().Swapped == 0 ? 1 : 0);
}

void frmMain::eeTDir_Click(int i) {
  EngineGuard([&] {
    OrbitalView& R = Current();
    R.TransectDir = static_cast<TransectDirection>(i);
    for (int k = 0; k < 3; ++k) ShowPicture(eeTDir[k], k == i);
    if (R.Transector) {
      FrameUpdateBoth(!R.AutoRotating);
    } else {
      FrameUpdate2D(true);
    }
  });
}

void frmMain::eeShowTrans_Click() {
  EngineGuard([&] {
    OrbitalView& R = Current();
    R.Transector = !R.Transector;
    ShowPicture(eeShowTrans, R.Transector);
    FrameUpdate3D(true, !R.AutoRotating);
  });
}

}  // namespace wl
