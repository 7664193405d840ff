// The engine's off-screen image: a 32-bit bitmap of Width by Height + 1 pixels
// on a drawing surface of the engine's surface table (see Surfaces.h for the
// memory layout). The picture proper is device rows 0 to Height - 1 (scan
// lines Height down to 1, counted from the bottom); the extra device row
// Height (scan line 0) is never read or written by the row operations.
//
// Owned by one thread at a time; releasing the object frees its surface.
#pragma once

#include <vector>

#include "core/Records.h"
#include "render/PixelArray.h"
#include "wlengine_export.h"

namespace wl {

class WLENGINE_EXPORT cMemoryDCEx {
 public:
  cMemoryDCEx() = default;
  ~cMemoryDCEx();
  cMemoryDCEx(const cMemoryDCEx&) = delete;
  cMemoryDCEx& operator=(const cMemoryDCEx&) = delete;

  // Deletes any existing bitmap, creates a black Width by Height + 1 bitmap and
  // returns its surface handle. Raises overflow when Height + 1 does not fit
  // 32 bits, invalid call for a negative size.
  Long Create(Long Width, Long Height);

  // Copies the Height picture rows into Bits, Bits(x, 0) being the bottom row.
  // Raises subscript out of range for an empty array or one smaller than the picture.
  void GetAllBits(PixelArray& Bits) const;
  // Device row Y (0 at the top) as Width pixels; rows outside the picture give black.
  std::vector<RGBA> GetBits(Long Y) const;
  // The inverse of GetAllBits: ColourData(x, 0) goes to the bottom picture row.
  void SetAllBits(const PixelArray& ColourData);
  // Draws ScanLines rows of ColourData, Width pixels apart, the first to device
  // row Y and each further one to the row above. Of each row Length pixels
  // (0: Width - X) are taken from its start and placed from column X. Raises
  // subscript out of range for an empty array or one too small for the rows,
  // overflow when arithmetic on X, Y or Length leaves 32 bits.
  void SetBits(const std::vector<RGBA>& ColourData, Long X, Long Y, Long ScanLines,
               Long Length = 0);

  Long hdc() const { return Hdc_; }
  Long hBmp() const { return HBmp_; }
  Long Width() const { return Width_; }
  Long Height() const { return Height_; }

  // Frees the bitmap and its surface; does nothing on an empty object.
  void Delete();

 private:
  Long Hdc_ = 0;
  Long HBmp_ = 0;
  Long Width_ = 0;
  Long Height_ = 0;
  bool Created_ = false;
};

}  // namespace wl
