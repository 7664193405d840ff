// Palettes of GIF frames: exact colours, or median cut over a 32-level
// histogram of the frame.
#include "Palette.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace wl::anim {

namespace {

constexpr int kLevels = 32;  // histogram levels a channel
constexpr int kCells = kLevels * kLevels * kLevels;
constexpr std::size_t kMaxColours = 256;

int CellOf(std::uint32_t c) {
  return static_cast<int>(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31));
}

struct Cell {
  std::uint64_t count = 0, r = 0, g = 0, b = 0;
};

// A box of histogram cells, [lo, hi] on each axis (0 red, 1 green, 2 blue).
struct Box {
  std::array<int, 3> lo{}, hi{};
  std::uint64_t count = 0;
};

int Index(int r, int g, int b) { return r << 10 | g << 5 | b; }

// Shrinks the box to the cells that hold pixels and counts them.
void Fit(Box& box, const std::vector<Cell>& hist) {
  std::array<int, 3> lo{kLevels, kLevels, kLevels}, hi{-1, -1, -1};
  box.count = 0;
  for (int r = box.lo[0]; r <= box.hi[0]; ++r)
    for (int g = box.lo[1]; g <= box.hi[1]; ++g)
      for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
        const std::uint64_t n = hist[static_cast<std::size_t>(Index(r, g, b))].count;
        if (n == 0) continue;
        box.count += n;
        const std::array<int, 3> at{r, g, b};
        for (int k = 0; k < 3; ++k) {
          lo[k] = std::min(lo[k], at[k]);
          hi[k] = std::max(hi[k], at[k]);
        }
      }
  box.lo = lo;
  box.hi = hi;
}

// Splits the box across its longest side where half of its pixels lie on
// either side; false when it is a single cell.
bool Split(Box& box, Box& upper, const std::vector<Cell>& hist) {
  int axis = 0;
  for (int k = 1; k < 3; ++k) {
    if (box.hi[k] - box.lo[k] > box.hi[axis] - box.lo[axis]) axis = k;
  }
  if (box.hi[axis] == box.lo[axis]) return false;
  std::array<std::uint64_t, kLevels> plane{};
  for (int r = box.lo[0]; r <= box.hi[0]; ++r)
    for (int g = box.lo[1]; g <= box.hi[1]; ++g)
      for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
        const std::array<int, 3> at{r, g, b};
        plane[static_cast<std::size_t>(at[axis])] +=
            hist[static_cast<std::size_t>(Index(r, g, b))].count;
      }
  std::uint64_t below = 0;
  int cut = box.lo[axis];
  for (; cut < box.hi[axis] - 1; ++cut) {
    below += plane[static_cast<std::size_t>(cut)];
    if (2 * below >= box.count) break;
  }
  upper = box;
  box.hi[axis] = cut;
  upper.lo[axis] = cut + 1;
  Fit(box, hist);
  Fit(upper, hist);
  return true;
}

// The palette entry nearest to the centre of a cell.
int Nearest(const std::vector<std::uint32_t>& colours, int cell) {
  const int r = (cell >> 10 & 31) * 8 + 4, g = (cell >> 5 & 31) * 8 + 4, b = (cell & 31) * 8 + 4;
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const int dr = r - static_cast<int>(colours[i] >> 16 & 255);
    const int dg = g - static_cast<int>(colours[i] >> 8 & 255);
    const int db = b - static_cast<int>(colours[i] & 255);
    const long distance = long{dr} * dr + long{dg} * dg + long{db} * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

IndexedFrame MedianCut(const FrameView& frame) {
  std::vector<Cell> hist(kCells);
  for (int y = 0; y < frame.Height; ++y) {
    const std::uint8_t* row = frame.Pixels + static_cast<std::size_t>(y) * frame.Stride;
    for (int x = 0; x < frame.Width; ++x) {
      const std::uint8_t* p = row + 4 * x;
      Cell& c = hist[static_cast<std::size_t>(CellOf(PixelRgb(p)))];
      ++c.count;
      c.r += p[2];
      c.g += p[1];
      c.b += p[0];
    }
  }
  std::vector<Box> boxes(1);
  boxes[0].hi = {kLevels - 1, kLevels - 1, kLevels - 1};
  Fit(boxes[0], hist);
  std::vector<bool> whole(1, false);  // single cells, split no further
  while (boxes.size() < kMaxColours) {
    // The most populous box that can still be split.
    std::size_t pick = boxes.size();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (!whole[i] && (pick == boxes.size() || boxes[i].count > boxes[pick].count)) pick = i;
    }
    if (pick == boxes.size()) break;
    Box upper;
    if (!Split(boxes[pick], upper, hist)) {
      whole[pick] = true;
      continue;
    }
    boxes.push_back(upper);
    whole.push_back(false);
  }

  IndexedFrame out;
  // The palette entry of each cell: its box's, or for a cell outside every
  // box (reached by the dither below) the nearest colour, found when needed.
  std::vector<int> cellIndex(kCells, -1);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Box& box = boxes[i];
    Cell sum;
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
      for (int g = box.lo[1]; g <= box.hi[1]; ++g)
        for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
          const auto at = static_cast<std::size_t>(Index(r, g, b));
          cellIndex[at] = static_cast<int>(i);
          sum.count += hist[at].count;
          sum.r += hist[at].r;
          sum.g += hist[at].g;
          sum.b += hist[at].b;
        }
    const auto mean = [&](std::uint64_t v) {
      return static_cast<std::uint32_t>((v + sum.count / 2) / std::max<std::uint64_t>(sum.count, 1));
    };
    out.Colours.push_back(mean(sum.r) << 16 | mean(sum.g) << 8 | mean(sum.b));
  }
  // Each pixel takes the box of its cell after an ordered dither of up to
  // half a cell, so smooth shading does not break into bands. The pattern is
  // fixed to the picture, so it does not shimmer from frame to frame.
  static constexpr std::array<int, 16> kBayer = {0, 8, 2, 10, 12, 4, 14, 6,
                                                 3, 11, 1, 9, 15, 7, 13, 5};
  const auto dithered = [](int v, int t) { return std::clamp(v + t / 2 - 4, 0, 255) >> 3; };
  out.Indices.resize(static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height));
  std::size_t k = 0;
  for (int y = 0; y < frame.Height; ++y) {
    const std::uint8_t* row = frame.Pixels + static_cast<std::size_t>(y) * frame.Stride;
    for (int x = 0; x < frame.Width; ++x) {
      const std::uint8_t* p = row + 4 * x;
      const int t = kBayer[static_cast<std::size_t>((y & 3) * 4 + (x & 3))];
      const int cell = dithered(p[2], t) << 10 | dithered(p[1], t) << 5 | dithered(p[0], t);
      int& index = cellIndex[static_cast<std::size_t>(cell)];
      if (index < 0) index = Nearest(out.Colours, cell);
      out.Indices[k++] = static_cast<std::uint8_t>(index);
    }
  }
  return out;
}

}  // namespace

IndexedFrame IndexFrame(const FrameView& frame) {
  // First try the frame's own colours, in the order they appear.
  IndexedFrame out;
  out.Indices.resize(static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height));
  std::unordered_map<std::uint32_t, std::uint8_t> seen;
  std::uint32_t last = 0xFFFFFFFFu;
  std::uint8_t lastIndex = 0;
  std::size_t k = 0;
  for (int y = 0; y < frame.Height; ++y) {
    const std::uint8_t* row = frame.Pixels + static_cast<std::size_t>(y) * frame.Stride;
    for (int x = 0; x < frame.Width; ++x) {
      const std::uint32_t c = PixelRgb(row + 4 * x);
      if (c != last) {
        const auto found = seen.find(c);
        if (found != seen.end()) {
          lastIndex = found->second;
        } else {
          if (seen.size() == kMaxColours) return MedianCut(frame);
          lastIndex = static_cast<std::uint8_t>(seen.size());
          seen.emplace(c, lastIndex);
          out.Colours.push_back(c);
        }
        last = c;
      }
      out.Indices[k++] = lastIndex;
    }
  }
  out.Exact = true;
  return out;
}

}  // namespace wl::anim
