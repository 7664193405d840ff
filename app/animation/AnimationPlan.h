// What each frame of an animation shows: a full turn of the camera, or the
// slice swept from one side of the picture to the other.
#pragma once

#include "core/Records.h"
#include "wlanimation_export.h"

namespace wl::anim {

enum class AnimationKind {
  Turn,   // the camera goes once round the picture's vertical axis
  Sweep,  // the slice moves from -127 to 127 along its axis
};

// The request of frame `i` (0 to frames - 1) of an animation that starts from
// `base`. A turn adds 2πi/frames to Phi, so the frame after the last would be
// the first again and the animation loops without a jump; a 3D mode is
// needed (a slice does not turn). A sweep puts the slice at -127 in the first
// frame and at 127 in the last (a single frame: at 0); in a 3D mode the
// slice's outline is drawn so the sweep shows. Every frame is a finished
// picture (volumes and surfaces at their final quality).
WLANIMATION_EXPORT RenderRequest FrameRequest(const RenderRequest& base, AnimationKind kind, int i,
                                              int frames);

// Whether `kind` can animate pictures of `mode` (a turn needs a 3D mode).
WLANIMATION_EXPORT bool KindFitsMode(AnimationKind kind, RenderMode mode);

}  // namespace wl::anim
