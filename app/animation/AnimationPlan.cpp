#include "AnimationPlan.h"

#include "core/Numeric.h"

namespace wl::anim {

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr int kSliceEnd = 127;
}  // namespace

RenderRequest FrameRequest(const RenderRequest& base, AnimationKind kind, int i, int frames) {
  RenderRequest r = base;
  r.VolFinal = kTrue;
  if (kind == AnimationKind::Turn) {
    r.Phi = base.Phi + kTwoPi * i / frames;
  } else {
    r.TransectNo = frames > 1 ? CInt(-kSliceEnd + 2.0 * kSliceEnd * i / (frames - 1)) : Integer{0};
    if (r.Mode != Transect) r.Transector = kTrue;
  }
  return r;
}

bool KindFitsMode(AnimationKind kind, RenderMode mode) {
  return kind == AnimationKind::Sweep || mode != Transect;
}

}  // namespace wl::anim
