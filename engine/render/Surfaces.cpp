#include "render/Surfaces.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "core/Numeric.h"

namespace wl {

namespace {
struct Table {
  std::mutex lock;
  std::map<Long, std::unique_ptr<Surface>> surfaces;
  Long next = 0x1000;
};
// Never destroyed: bitmaps owned by static objects are freed at exit, after
// the function-local statics made later than their owners are gone.
Table& TheTable() {
  static Table* table = new Table;
  return *table;
}
}  // namespace

Long CreateSurface(Long Width, Long Rows) {
  if (Width < 0 || Rows < 0) RaiseError(kInvalidCall, "surface size");
  auto s = std::make_unique<Surface>();
  s->Width = Width;
  s->Rows = Rows;
  s->Pixels.assign(static_cast<size_t>(Width) * static_cast<size_t>(Rows), RGBA{});
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  const Long handle = t.next;
  t.next = t.next >= 0x7FFFFFF0 ? 0x1000 : t.next + 2;
  t.surfaces[handle] = std::move(s);
  return handle;
}

void DeleteSurface(Long handle) {
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  t.surfaces.erase(handle);
}

Surface* LookupSurface(Long handle) {
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.surfaces.find(handle);
  return it == t.surfaces.end() ? nullptr : it->second.get();
}

bool BitBlt(Long DestHdc, Long X, Long Y, Long Width, Long Height, Long SrcHdc, Long SrcX,
            Long SrcY) {
  Surface* dst = LookupSurface(DestHdc);
  const Surface* src = LookupSurface(SrcHdc);
  if (!dst || !src) return false;
  // Within one surface a block moved downwards is copied from its last row up,
  // so that no source row is overwritten before it is read.
  const bool upwards = dst == src && Y > SrcY;
  for (long long n = 0; n < Height; ++n) {
    const long long row = upwards ? Height - 1 - n : n;
    const long long sy = SrcY + row, dy = Y + row;
    if (sy < 0 || sy >= src->Rows || dy < 0 || dy >= dst->Rows) continue;
    // Columns that lie inside both surfaces.
    const long long first =
        std::max({0LL, -static_cast<long long>(SrcX), -static_cast<long long>(X)});
    const long long last =
        std::min({static_cast<long long>(Width), src->Width - static_cast<long long>(SrcX),
                  dst->Width - static_cast<long long>(X)});
    if (last <= first) continue;
    std::memmove(dst->Row(static_cast<Long>(dy)) + X + first,
                 src->Row(static_cast<Long>(sy)) + SrcX + first,
                 static_cast<size_t>(last - first) * sizeof(RGBA));
  }
  return true;
}

bool StretchBlt(Long DestHdc, Long X, Long Y, Long Width, Long Height, Long SrcHdc, Long SrcX,
                Long SrcY, Long SrcWidth, Long SrcHeight) {
  Surface* dst = LookupSurface(DestHdc);
  const Surface* src = LookupSurface(SrcHdc);
  if (!dst || !src || Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0) return false;
  for (long long row = 0; row < Height; ++row) {
    const long long dy = Y + row;
    if (dy < 0 || dy >= dst->Rows) continue;
    const long long sy = SrcY + row * SrcHeight / Height;
    if (sy < 0 || sy >= src->Rows) continue;
    RGBA* out = dst->Row(static_cast<Long>(dy));
    const RGBA* in = src->Row(static_cast<Long>(sy));
    for (long long col = 0; col < Width; ++col) {
      const long long dx = X + col;
      if (dx < 0 || dx >= dst->Width) continue;
      const long long sx = SrcX + col * SrcWidth / Width;
      if (sx < 0 || sx >= src->Width) continue;
      out[dx] = in[sx];
    }
  }
  return true;
}

}  // namespace wl
