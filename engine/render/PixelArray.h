// A two-dimensional array of RGBA pixels indexed (x, y), both from 0. Rows are
// contiguous: element (x, y) lies at y * Width + x. Used by the memory
// bitmap's whole-picture transfers, where y = 0 is the bottom row.
#pragma once

#include <algorithm>
#include <vector>

#include "core/Records.h"

namespace wl {

struct PixelArray {
  Long Width = 0;
  Long Height = 0;
  std::vector<RGBA> Data;

  PixelArray() = default;
  PixelArray(Long w, Long h) { Allocate(w, h); }

  // Gives the array the bounds (0 to w - 1, 0 to h - 1), all black.
  void Allocate(Long w, Long h) {
    Width = w;
    Height = h;
    Data.assign(static_cast<size_t>(w) * static_cast<size_t>(h), RGBA{});
  }
  void Clear() { std::fill(Data.begin(), Data.end(), RGBA{}); }
  bool Empty() const { return Data.empty(); }

  RGBA& operator()(Long x, Long y) { return Data[static_cast<size_t>(y) * Width + x]; }
  const RGBA& operator()(Long x, Long y) const { return Data[static_cast<size_t>(y) * Width + x]; }
  RGBA* Row(Long y) { return Data.data() + static_cast<size_t>(y) * Width; }
  const RGBA* Row(Long y) const { return Data.data() + static_cast<size_t>(y) * Width; }

  friend bool operator==(const PixelArray&, const PixelArray&) = default;
};

}  // namespace wl
