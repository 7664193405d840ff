// The palette of one GIF frame: the frame's own colours when it has at most
// 256 of them (dots on black, slices, surfaces with few shades stay exact),
// else 256 colours chosen by median cut over the frame's colours counted in
// 32 levels a channel, each the mean of the pixels it stands for.
#pragma once

#include <cstdint>
#include <vector>

#include "AnimationWriter.h"

namespace wl::anim {

struct IndexedFrame {
  std::vector<std::uint32_t> Colours;  // 0x00RRGGBB, at most 256
  std::vector<std::uint8_t> Indices;   // Width * Height, row by row
  bool Exact = false;                  // every pixel keeps its colour
};

// Reduces a frame to at most 256 colours. Deterministic: the same frame
// always gives the same palette and indices.
WLANIMATION_EXPORT IndexedFrame IndexFrame(const FrameView& frame);

}  // namespace wl::anim
