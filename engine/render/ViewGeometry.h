// How the engine's pictures map lengths: where the nucleus is and how many
// pixels one Bohr radius spans, for each mode and size. The program draws its
// overlays (scale bar, slice ticks, marker circles) from these numbers, so
// they agree with the renderers.
#pragma once

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

// The picture a request asks for. A request with Pixels 0 (or the size's own
// side, or the size's number: 128 for the nano view) gets the size's own
// picture, 375 or 127 pixels a side; other Pixels
// (16 to 4096) give a picture of that side with the same content, every
// position scaled about the picture's middle.
struct PictureFrame {
  int Side = 0;         // pixels a side
  bool Scaled = false;  // not the size's own picture
  double Zoom = 1;      // Side over the size's own side
  double PerStep = 1;   // pixels per grid step: Zoom, halved in the nano view
};

// The frame of `request`; Side 0 for an unknown size or Pixels outside 16 to 4096.
WLENGINE_EXPORT PictureFrame FrameOf(const RenderRequest& request);

// Where a volume image lies in its picture: `Inner` pixels a side from
// (Margin, Margin), traced as `Traced` pixels (odd) a side at full resolution.
struct VolumeFrame {
  int Inner = 0, Margin = 0, Traced = 0;
};
WLENGINE_EXPORT VolumeFrame VolumeFrameOf(const PictureFrame& frame, RenderSize size);

struct ViewScale {
  double CentreX = 0, CentreY = 0;  // the nucleus in the picture, pixels from the top-left corner
  double PixelsPerBohr = 0;         // at the nucleus's depth (perspective: the plane through it)
};

// The scale of a picture rendered by `request` for an orbital sampled with
// atom radius `atomRadius` (Bohr radii). Pure; safe from several threads.
WLENGINE_EXPORT ViewScale ScaleOf(const RenderRequest& request, double atomRadius);

// The radius in pixels of the outline of the sphere of radius `a` about the
// nucleus as `request` projects it (a circle about the centre; perspective
// widens it). 0 when the camera is inside the sphere. A slice shows the
// circle where the sphere meets the slice's plane (0 when the slice misses it).
WLENGINE_EXPORT double SphereOutlineRadius(const RenderRequest& request, double atomRadius,
                                           double a);

}  // namespace wl
