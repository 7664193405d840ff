// Frames of the orbital viewer: requests to the engine, copies into the two
// views, and the viewer buttons that change what is rendered.
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "Axes.h"
#include "Bitmaps.h"
#include "Layout.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "ViewerCaption.h"
#include "frmMain.h"
#include "help/frmMenus.h"
#include "overlays/ViewOverlays.h"
#include "render/Surfaces.h"

namespace wl {

namespace {
constexpr Long kMainSize = 375;
constexpr Long kNanoCopy = 127;  // the nano view receives 127 by 127 of its 128

// The mode of each 3D mode button, left to right.
constexpr std::array<RenderMode, Layout::k3DModes> kButtonModes = {
    Orthographic, Perspective, Anaglyph, Volumetric, BoundarySurface};

// The phase and surface choices of a view, for both of its pictures.
void FillPhaseAndSurface(const OrbitalView& R, RenderRequest& request) {
  request.ShowPhase = ToBoolean(R.ShowPhase && R.Info.OrbType != AverageOrbs);
  request.Palette = R.Palette;
  request.EnclosedShare = R.EnclosedShare;
  request.SurfaceNested = ToBoolean(R.SurfaceNested);
  request.SurfaceCutaway = ToBoolean(R.SurfaceCutaway);
}

// The requests of a view's 3D picture and of its slice.
RenderRequest Request3D(const OrbitalView& R, bool VolFinal) {
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
  request.Glasses = R.Glasses;
  request.Mode = R.Mode;
  request.Size = R.Swapped == 0 ? Main : Nano;
  request.VolFinal = ToBoolean(VolFinal);
  FillPhaseAndSurface(R, request);
  return request;
}

RenderRequest Request2D(const OrbitalView& R) {
  RenderRequest request;
  request.Mode = Transect;
  request.Size = R.Swapped == 1 ? Main : Nano;
  request.TransectDir = R.TransectDir;
  request.TransectNo = R.TransectNo;
  request.ShowProbLevelOnDots = ToBoolean(R.ShowProbLevelOnDots);
  request.ShowProbLevelOnTrans = ToBoolean(R.ShowProbLevelOnTrans);
  FillPhaseAndSurface(R, request);
  return request;
}

// What the view draws over its pictures. The Graphs window's marker shows
// while that window is open.
OverlayChoice OverlaysOf(const OrbitalView& R, bool graphsShown) {
  OverlayChoice choice;
  choice.ScaleBar = R.ShowScaleBar;
  choice.MarkerRadius = graphsShown ? R.MarkerRadius : 0;
  choice.MarkerInSlice = R.MarkerInSlice;
  choice.MarkerIn3D = R.MarkerIn3D;
  choice.ComplexPhase = R.Setup.Complex != kFalse;
  return choice;
}
}  // namespace

RenderRequest frmMain::PictureRequest(bool slice) const {
  const OrbitalView& R = OrbitalViews[static_cast<size_t>(CurrentOrbital)];
  RenderRequest request = slice ? Request2D(R) : Request3D(R, true);
  request.Size = Main;
  return request;
}

void frmMain::FrameUpdate3D(bool blt, bool VolFinal) {
  OrbitalView& R = Current();
  RenderRequest request = Request3D(R, VolFinal);
  request.Pixels = ViewPixels(request.Size);
  eeAxes->Draw(R.Theta, R.Phi, R.Mode, R.ProjectionPlane, R.CameraPos, R.StereoFactor);
  R.DC = Engine.Orbitals().GetRender(CurrentOrbital, request);
  if (blt) CopyView(request.Size);
}

void frmMain::FrameUpdate2D(bool blt) {
  OrbitalView& R = Current();
  RenderRequest request = Request2D(R);
  request.Pixels = ViewPixels(request.Size);
  R.DC = Engine.Orbitals().GetRender(CurrentOrbital, request);
  ShowSlicePosition();
  if (blt) CopyView(request.Size);
}

void frmMain::FrameUpdateBoth(bool VolFinal) {
  FrameUpdate3D(false, VolFinal);
  FrameUpdate2D(false);
  CopyImages();
}

void frmMain::CopyView(RenderSize size) {
  const OrbitalView& R = Current();
  NoFocusCont* view = size == Main ? eeMainView : eeNanoView;
  const Long source = size == Main ? R.DC.MainHDC : R.DC.NanoHDC;
  // In a zoomed window the view and the picture have their device size, and
  // the picture is copied pixel for pixel.
  Long edge = std::lround((size == Main ? kMainSize : kNanoCopy) * view->devicePixelRatioF());
  const Surface* rendered = LookupSurface(source);
  if (rendered) edge = std::min({edge, rendered->Width, rendered->Rows - 1});
  BitBlt(view->hdc(), 0, 0, edge, edge, source, 0, 0);
  // The overlays go onto the view's own picture (so into saved, copied and
  // printed pictures), each time over a fresh copy of the engine's. They are
  // drawn in the view's own pixels (the picture carries the zoom).
  if (rendered) {
    const bool shows3D = (size == Main) == (R.Swapped == 0);
    RenderRequest request = shows3D ? Request3D(R, false) : Request2D(R);
    request.Size = size;
    QImage picture = view->View();
    DrawOverlays(picture, request, R.AtomRadius, OverlaysOf(R, GraphsShown()));
  }
  view->Refresh();
}

QImage frmMain::ViewPicture(RenderSize size, Integer pixels) {
  OrbitalView& R = Current();
  const bool shows3D = (size == Main) == (R.Swapped == 0);
  RenderRequest request = shows3D ? Request3D(R, true) : Request2D(R);
  request.Size = size;
  request.Pixels = pixels;
  // The engine keeps one picture per view size: draw that view again at its
  // own size, so that later copies into the view find what they expect.
  const auto restore = [&] {
    if (shows3D) {
      FrameUpdate3D(true, HasFinalImage(R.Mode) && !R.AutoRotating);
    } else {
      FrameUpdate2D(true);
    }
  };
  QImage picture;
  try {
    const RenderDCinfo dc = Engine.Orbitals().GetRender(CurrentOrbital, request);
    if (const Surface* s = LookupSurface(size == Main ? dc.MainHDC : dc.NanoHDC)) {
      // The surface has one row more than its picture.
      const Long side = std::min(s->Width, s->Rows - 1);
      picture = QImage(reinterpret_cast<const uchar*>(s->Pixels.data()), s->Width, s->Rows - 1,
                       s->Width * 4, QImage::Format_RGB32)
                    .copy(0, 0, side, side);
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (!picture.isNull()) DrawOverlays(picture, request, R.AtomRadius, OverlaysOf(R, GraphsShown()));
  return picture;
}

void frmMain::RefreshOverlays() {
  if (OrbitalViews.empty()) return;
  CopyImages();
}

void frmMain::ShowSlicePosition() {
  if (OrbitalViews.empty()) return;
  const OrbitalView& R = Current();
  labSlicePosition->setText(SlicePosition(R.TransectDir, R.TransectNo, R.AtomRadius));
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
  if (RenderedAtOtherZoom_.erase(CurrentOrbital) > 0) {
    EngineGuard([&] { FrameUpdateBoth(!Current().AutoRotating); });
  }
  const OrbitalView& R = Current();
  eeTSlider->move(R.SliderLeft, eeTSlider->y());
  eeTSlider->setPicture(Menus->eeTSliderOff);
  for (int i = 0; i < 2; ++i) ShowPicture(eeMainMode[i], R.Swapped == i);
  SetViewPointers();
  ShowPicture(eeShowTrans, R.Transector);
  for (int i = 0; i < Layout::k3DModes; ++i) ShowPicture(ee3Dmodes[i], R.Mode == kButtonModes[i]);
  ShowPhasePicture();
  ShowPicture(eeTrackBall, false);
  ShowPicture(eeSwap, false);
  ShowPicture(eeAutoRotate, R.AutoRotating);
  ShowPicture(eeFurtherOptions, OptionsShown);
  ShowSlicePosition();
  CopyImages();
  EngineGuard([&] {
    eeAxes->Draw(R.Theta, R.Phi, R.Mode, R.ProjectionPlane, R.CameraPos, R.StereoFactor);
  });
  for (int i = 0; i < 3; ++i) ShowPicture(eeTDir[i], R.TransectDir == i);
}

bool frmMain::HasFinalImage(RenderMode mode) {
  return mode == Volumetric || mode == BoundarySurface;
}

void frmMain::FinalVolumeIfStill() {
  if (HasFinalImage(Current().Mode) && !Current().AutoRotating) FrameUpdate3D(true, true);
}

void frmMain::ee3Dmodes_Click(int i) {
  SetViewerMode(kButtonModes[static_cast<size_t>(i)]);
}

void frmMain::SetViewerMode(RenderMode mode) {
  EngineGuard([&] {
    OrbitalView& R = Current();
    R.Mode = mode;
    for (int k = 0; k < Layout::k3DModes; ++k) ShowPicture(ee3Dmodes[k], kButtonModes[k] == mode);
    if (R.ShowProbLevelOnTrans) {
      FrameUpdateBoth(false);
    } else {
      FrameUpdate3D(true, false);
    }
    FinalVolumeIfStill();
  });
  ShowViewerStatus();
}

bool frmMain::PhaseAvailable() const {
  const auto index = static_cast<size_t>(CurrentOrbital);
  return index < OrbitalViews.size() && OrbitalViews[index].Info.OrbType != AverageOrbs;
}

void frmMain::ShowPhasePicture() {
  const bool available = PhaseAvailable();
  eePhase->setAccessibleDescription(available ? QString() : NoSignHint());
  if (available) {
    ShowPicture(eePhase, Current().ShowPhase);
  } else {
    eePhase->setPicture(Bitmaps::Get(QStringLiteral("EEPHASEDIS")));
  }
}

void frmMain::SetPhase(bool on) {
  EngineGuard([&] {
    OrbitalView& R = Current();
    R.ShowPhase = on && PhaseAvailable();
    ShowPhasePicture();
    // The transect shows the sign too, so both pictures change.
    FrameUpdateBoth(!R.AutoRotating);
  });
}

void frmMain::eePhase_Click() {
  if (!PhaseAvailable()) {
    SetStatus(NoSignHint(), false);
    return;
  }
  SetPhase(!Current().ShowPhase);
}

void frmMain::ShowViewerStatus() {
  if (OrbitalViews.empty() || CurrentMode != 3) return;
  const OrbitalView& R = Current();
  const QString title = OrbitalTitle(CurrentOrbital);
  // The engine's numbers are asked for only where the caption uses them; a
  // caption without them is better than a message box.
  std::optional<ProbabilityShares> shares;
  std::optional<double> enlarged;
  try {
    if (R.Mode == Orthographic || R.Mode == Perspective || R.Mode == Anaglyph)
      shares = EngineDotShares(Engine, CurrentOrbital);
    if (R.Mode == BoundarySurface)
      enlarged = EngineEnlargedSurfaceBox(Engine, CurrentOrbital, R.EnclosedShare);
  } catch (const std::exception&) {
  }
  const QString shown = ShownCaption(R, shares, enlarged);
  QStringList pieces{title};
  if (!shown.isEmpty()) pieces << shown;
  QStringList candidates{pieces.join(QStringLiteral(" \u2014 "))};
  // A single orbital's DRPDF is easily read as a map of the orbital itself.
  if (R.ViewMode == DRPDF && R.Info.OrbType != AverageOrbs) {
    const QString full = QStringLiteral(
        "r\u00B2 sin \u03B8 empties the z axis; the average's DRPDF shows the radial distribution");
    const QString brief = QStringLiteral("r\u00B2 sin \u03B8 empties the z axis");
    candidates = {(pieces + QStringList{full}).join(QStringLiteral(" \u2014 ")),
                  (pieces + QStringList{brief}).join(QStringLiteral(" \u2014 "))};
    if (!shown.isEmpty()) candidates << shown + QStringLiteral(" \u2014 ") + brief;
  }
  SetStatus(FirstThatFits(candidates, QFontMetrics(labStatus->font()), labStatus->width()), true);
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
    GraphsFollow();  // the angular graph shows the slice's plane
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
