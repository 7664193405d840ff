// How the engine's pictures map lengths: where the nucleus is and how many
// pixels one Bohr radius spans, for each mode and size. The program draws its
// overlays (scale bar, slice ticks, marker circles) from these numbers, so
// they agree with the renderers.
#pragma once

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

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
