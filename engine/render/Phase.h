// The colours of the two signs of ψ, and of surfaces without a sign.
#pragma once

#include <cstdint>

#include "core/Records.h"

namespace wl {

struct PhaseRgb {
  std::uint8_t R, G, B;
};

// The colour of the positive (sign > 0) or negative lobes in a palette.
constexpr PhaseRgb PhaseColour(PhasePalette palette, bool positive) {
  switch (palette) {
    case RedBlue:
      return positive ? PhaseRgb{220, 40, 40} : PhaseRgb{40, 90, 230};
    case ColourSafe:  // orange and sky blue, the negative lobes a little darker too
      return positive ? PhaseRgb{230, 159, 0} : PhaseRgb{70, 150, 200};
    case OrangeBlue:
    default:
      return positive ? PhaseRgb{255, 140, 0} : PhaseRgb{30, 110, 255};
  }
}

// Surfaces of subshell averages, which have no sign.
inline constexpr PhaseRgb kUnsignedSurface{200, 200, 210};

}  // namespace wl
