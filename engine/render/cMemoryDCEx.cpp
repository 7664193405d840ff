#include "render/cMemoryDCEx.h"

#include <algorithm>
#include <cstring>

#include "core/Numeric.h"
#include "render/Surfaces.h"

namespace wl {

cMemoryDCEx::~cMemoryDCEx() {
  Delete();
}

Long cMemoryDCEx::Create(Long Width, Long Height) {
  if (Created_) Delete();
  const Long rows = AddI32(Height, 1);
  Hdc_ = CreateSurface(Width, rows);
  HBmp_ = Hdc_ + 1;  // the bitmap is the surface's pixel store; it gets its own number
  Width_ = Width;
  Height_ = Height;
  Created_ = true;
  return Hdc_;
}

void cMemoryDCEx::Delete() {
  if (!Created_) return;
  DeleteSurface(Hdc_);
  Created_ = false;
}

void cMemoryDCEx::GetAllBits(PixelArray& Bits) const {
  if (Bits.Empty() || Bits.Width < Width_ || Bits.Height < Height_) RaiseError(kSubscriptRange);
  const Surface* s = LookupSurface(Created_ ? Hdc_ : 0);
  if (!s) return;
  for (Long y = 0; y < Height_; ++y) {
    std::memcpy(Bits.Row(y), s->Row(Height_ - 1 - y), static_cast<size_t>(Width_) * sizeof(RGBA));
  }
}

std::vector<RGBA> cMemoryDCEx::GetBits(Long Y) const {
  std::vector<RGBA> row(static_cast<size_t>(std::max<Long>(Width_, 0)));
  const Surface* s = LookupSurface(Created_ ? Hdc_ : 0);
  if (s && Y >= 0 && Y < Height_) std::copy(s->Row(Y), s->Row(Y) + Width_, row.begin());
  return row;
}

void cMemoryDCEx::SetAllBits(const PixelArray& ColourData) {
  if (ColourData.Empty() || ColourData.Width < Width_ || ColourData.Height < Height_) {
    RaiseError(kSubscriptRange);
  }
  Surface* s = LookupSurface(Created_ ? Hdc_ : 0);
  if (!s) return;
  for (Long y = 0; y < Height_; ++y) {
    std::memcpy(s->Row(Height_ - 1 - y), ColourData.Row(y),
                static_cast<size_t>(Width_) * sizeof(RGBA));
  }
}

void cMemoryDCEx::SetBits(const std::vector<RGBA>& ColourData, Long X, Long Y, Long ScanLines,
                          Long Length) {
  if (ColourData.empty()) RaiseError(kSubscriptRange);
  const Long count = Length == 0 ? SubI32(Width_, X) : Length;
  const Long firstScanLine = SubI32(Height_, Y);  // scan line of device row Y
  if (ScanLines <= 0 || count <= 0) return;
  const long long needed = static_cast<long long>(ScanLines - 1) * Width_ + count;
  if (needed > static_cast<long long>(ColourData.size())) RaiseError(kSubscriptRange);
  Surface* s = LookupSurface(Created_ ? Hdc_ : 0);
  if (!s) return;
  for (Long line = 0; line < ScanLines; ++line) {
    const long long scan = static_cast<long long>(firstScanLine) + line;
    if (scan < 1 || scan > Height_) continue;  // the picture is scan lines 1 to Height
    const Long deviceRow = static_cast<Long>(Height_ - scan);
    const RGBA* src = ColourData.data() + static_cast<size_t>(line) * Width_;
    RGBA* dst = s->Row(deviceRow);
    for (Long i = 0; i < count; ++i) {
      const long long x = static_cast<long long>(X) + i;
      if (x >= 0 && x < Width_) dst[x] = src[i];
    }
  }
}

}  // namespace wl
