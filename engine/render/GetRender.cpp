// GetRender: the frame counter, the dispatch by mode, the per-view last
// requests and the reuse of a finished final volume image.
#include "core/Numeric.h"
#include "render/Surfaces.h"
#include "render/cOrbital.h"

namespace wl {

namespace {
// The side of the picture of a request (its own size's when Pixels is 0).
Long SideOf(const RenderRequest& r) {
  return FrameOf(r).Side;
}
}  // namespace

RenderDCinfo cOrbitalObject::GetRender(const RenderRequest& RenderInfo) {
  if (RenderInfo.Pixels != 0 && (RenderInfo.Pixels < 16 || RenderInfo.Pixels > 4096)) {
    RaiseError(kInvalidCall, "picture size outside 16 to 4096 pixels");
  }
  if (Stats.FramesRendered < 2147483647) ++Stats.FramesRendered;
  Request = RenderInfo;
  switch (Request.Mode) {
    case Volumetric:
      if (!ReuseFinalVolume()) RenderVolume();
      break;
    case Transect:
      RenderTransect();
      break;
    case BoundarySurface:
      if (!ReuseFinalSurface()) RenderSurface();
      break;
    default:
      RenderDots();
      break;
  }
  if (RenderInfo.Size == Main) {
    LastMainRequest = RenderInfo;
  } else {
    LastNanoRequest = RenderInfo;
  }
  return DCs;
}

cMemoryDCEx& cOrbitalObject::NewViewBitmap(RenderSize size) {
  cMemoryDCEx& dc = size == Main ? MainDC : NanoDC;
  const Long side = SideOf(Request);
  dc.Delete();
  dc.Create(side, side);
  return dc;
}

void cOrbitalObject::PublishView(RenderSize size) {
  if (size == Main) {
    DCs.MainHDC = MainDC.hdc();
  } else {
    DCs.NanoHDC = NanoDC.hdc();
  }
}

PixelArray& cOrbitalObject::PreparePixels(RenderSize size) {
  PixelArray& pixels = PixelsFor(size);
  const Long edge = SideOf(Request) - 1;
  if (pixels.Width == edge + 1 && pixels.Height == edge + 1) {
    pixels.Clear();
  } else {
    // A big picture's buffer (up to 64 MiB) is not kept for a smaller one.
    if (pixels.Width > edge + 1) pixels.Data = std::vector<RGBA>();
    pixels.Allocate(edge + 1, edge + 1);
  }
  PixelsEdge = edge;
  return pixels;
}

bool cOrbitalObject::PhaseShown() const {
  return Request.ShowPhase != kFalse && Electron &&
         (Electron->GetInfo().OrbType == SingleOrb || Electron->IsComplex());
}

bool cOrbitalObject::PhaseComplex() const {
  return PhaseShown() && Electron->IsComplex();
}

const RenderRequest& cOrbitalObject::PreviousViewRequest() const {
  return LastMainRequest.Mode == Transect ? LastNanoRequest : LastMainRequest;
}

bool cOrbitalObject::ReuseFinalSurface() {
  const RenderRequest& prev = PreviousViewRequest();
  if (prev.Mode != BoundarySurface || prev.EnclosedShare != Request.EnclosedShare ||
      prev.SurfaceNested != Request.SurfaceNested ||
      prev.SurfaceCutaway != Request.SurfaceCutaway || prev.ShowPhase != Request.ShowPhase ||
      prev.Palette != Request.Palette) {
    return false;
  }
  return ReuseFinalVolume();
}

bool cOrbitalObject::ReuseFinalVolume() {
  const RenderRequest& prev = PreviousViewRequest();
  if (prev.Mode != Request.Mode || prev.Theta != Request.Theta || prev.Phi != Request.Phi ||
      !prev.VolFinal || prev.Size != Request.Size || SideOf(prev) != SideOf(Request)) {
    return false;
  }
  // A change of the phase colours needs a new image.
  if ((prev.ShowPhase != kFalse) != (Request.ShowPhase != kFalse) ||
      (Request.ShowPhase && prev.Palette != Request.Palette)) {
    return false;
  }
  if (Request.Size != Main && Request.Size != Nano) return false;
  // The view's own buffer still holds its final image (each view has one).
  const Long edge = SideOf(Request) - 1;
  PixelArray& pixels = ViewPixels();
  if (pixels.Width != edge + 1 || pixels.Height != edge + 1) return false;
  PixelsEdge = edge;

  const bool hadTransector = prev.Transector != kFalse;
  if (hadTransector) RemoveTransector();
  if (Request.Transector) DrawTransector();

  cMemoryDCEx& dc = Request.Size == Main ? MainDC : NanoDC;
  if (!LookupSurface(dc.hdc())) dc.Create(edge + 1, edge + 1);
  dc.SetAllBits(pixels);
  PublishView(Request.Size);
  return true;
}

}  // namespace wl
