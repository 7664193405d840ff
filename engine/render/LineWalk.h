// The integer Bresenham walk shared by the engine's outlines and the
// controls' diagrams.
#pragma once

#include <algorithm>
#include <cstdlib>

#include "core/Records.h"

namespace wl {

// Walks from (x1, y1) to (x2, y2), both ends included, calling
// visit(x, y, i, n) for step i of n (the ends are steps 0 and n) at every
// pixel with 0 <= x <= maxX and 0 <= y <= maxY; pixels outside are skipped.
template <class Visit>
void WalkLine(long long x1, long long y1, long long x2, long long y2, long long maxX,
              long long maxY, Visit&& visit) {
  // A line wholly beside the area has nothing to draw.
  if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 > maxX && x2 > maxX) ||
      (y1 > maxY && y2 > maxY)) {
    return;
  }
  const long long dx = std::llabs(x2 - x1), dy = -std::llabs(y2 - y1);
  const long long sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  const long long n = std::max(dx, -dy);
  long long err = dx + dy, x = x1, y = y1;
  for (long long i = 0;; ++i) {
    if (x >= 0 && x <= maxX && y >= 0 && y <= maxY) {
      visit(static_cast<Long>(x), static_cast<Long>(y), i, n);
    }
    if (x == x2 && y == y2) break;
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

}  // namespace wl
