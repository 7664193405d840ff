// The engine's drawing surfaces: a table of 32-bit handles naming 32-bit pixel
// surfaces, the stand-in for the platform's memory device contexts.
//
// Memory layout of a surface of width W and height H + 1 (the memory bitmap
// adds one row below the picture): W * (H + 1) RGBA pixels (bytes B, G, R, A),
// stored top-down without padding. Device row y (y = 0 at the top) starts at
// offset y * W; rows 0 to H - 1 are the picture, row H the extra row. The
// first H rows can therefore be wrapped without copying as a QImage of format
// RGB32 with W * 4 bytes per line; the fourth byte is ignored on screen.
//
// The table is guarded by a mutex, so handles may be created and freed from
// several threads; one surface must not be written from two threads at once.
#pragma once

#include <vector>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

struct Surface {
  Long Width = 0;
  Long Rows = 0;  // all rows, the extra one included
  std::vector<RGBA> Pixels;

  RGBA* Row(Long y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const RGBA* Row(Long y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
};

// Creates a black surface of Width by Rows pixels and returns its handle (never 0).
WLENGINE_EXPORT Long CreateSurface(Long Width, Long Rows);
// Frees a surface; unknown handles are ignored.
WLENGINE_EXPORT void DeleteSurface(Long handle);
// The surface of a handle, or null for 0 and for unknown or freed handles. The
// pointer stays valid until the surface is freed.
WLENGINE_EXPORT Surface* LookupSurface(Long handle);

// Copies a Width by Height block from (SrcX, SrcY) of one surface to (X, Y) of
// another (source copy). Parts outside either surface are skipped. Returns
// false when a handle names no surface.
WLENGINE_EXPORT bool BitBlt(Long DestHdc, Long X, Long Y, Long Width, Long Height, Long SrcHdc,
                            Long SrcX, Long SrcY);

// Copies the source rectangle onto the destination rectangle, scaling by
// nearest neighbour (source copy, no smoothing). Parts outside the destination
// are skipped. Returns false when a handle names no surface or a size is not positive.
WLENGINE_EXPORT bool StretchBlt(Long DestHdc, Long X, Long Y, Long Width, Long Height, Long SrcHdc,
                                Long SrcX, Long SrcY, Long SrcWidth, Long SrcHeight);

}  // namespace wl
