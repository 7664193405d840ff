// The dot cloud drawn from a probability grid. Every cell of the first octant
// above the dot threshold stands for its mirror images in the whole cube; each
// image takes one draw of the engine's random generator and becomes a dot when
// the draw lies below the chance of the cell's level.
//
// The walk: the origin; the three axes (x, y, z; i = 1 to 127; the positive
// image first); the three coordinate planes (z = 0, y = 0, x = 0; outer index
// 1 to 127, inner 1 to 127; signs of the two free indices ++, -+, +-, --); the
// interior (k, j, i each 1 to 127; eight images in the order of
// kInteriorMirrors). Dots come out in the walk's order.
//
// The interior is filled in slabs [begin, end) of k. A slab starts the
// generator at the state the whole walk reaches there (modRand::JumpAhead over
// the draws before it), so slabs may run on several threads at once, and the
// cloud and the generator's final state do not depend on how the walk is split.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

// The generator's draws after a given state, made ahead in a buffer: the first
// 64 by stepping, every later one from the draw 64 places before it (one
// product with the multiplier's 64th power), so that neighbouring draws do not
// wait on one another and are computed side by side (AVX2 where available;
// WL_SCALAR_LEVELS=1 forces the portable path, as for the sampler).
// The draws equal those of modRand::NextRandom from the same state.
class WLENGINE_EXPORT DrawStream {
 public:
  static constexpr int kMaxTake = 1024;

  // state: 0 to 2147483647, the state before the first draw.
  explicit DrawStream(Long state);

  // The next n draws, 0 <= n <= kMaxTake; valid until the next call.
  const std::uint32_t* Take(int n) {
    if (end_ - pos_ < n) Refill();
    const std::uint32_t* p = buf_.data() + pos_;
    pos_ += n;
    return p;
  }

 private:
  static constexpr int kLag = 64;
  static constexpr int kCapacity = 4096;
  void Refill();

  std::array<std::uint32_t, kCapacity> buf_;
  int pos_ = 0, end_ = 0;
  bool stuck_ = false;  // from 0 or the modulus every draw is the modulus
};

class WLENGINE_EXPORT DotFill {
 public:
  // grid: 128³ cells laid out as cOrbitalObject::GridIndex says; cells above
  // `threshold` take part; chance[v]: the draw below which an image of a cell
  // of level v becomes a dot. The grid and chance must outlive the object.
  DotFill(const Byte* grid, Byte threshold, const std::array<Long, 256>& chance);

  // The draws the boundary (origin, axes, planes) takes.
  std::uint64_t BoundaryDraws() const { return boundaryDraws_; }
  // The draws the interior slab [begin, end) takes, 1 <= begin <= end <= 128.
  std::uint64_t InteriorDraws(int begin, int end) const;

  // Append the dots of the boundary, or of the interior slab [begin, end), to
  // `dots`, the generator starting at `state` (the state before their first
  // draw). Several threads may fill at once, each into its own vector.
  void FillBoundary(Long state, std::vector<PointArray>& dots) const;
  void FillInterior(int begin, int end, Long state, std::vector<PointArray>& dots) const;

  // The whole walk from `state` on up to `threads` threads, appended to `dots`
  // in the walk's order; returns the generator's state after the last draw.
  Long FillAll(Long state, unsigned threads, std::vector<PointArray>& dots) const;

 private:
  const Byte* grid_;
  Byte threshold_;
  const std::array<Long, 256>& chance_;
  std::uint64_t boundaryDraws_ = 0;
  std::array<std::uint64_t, 129> interiorBefore_{};  // draws of slab [1, k)
};

// The dot cloud of a whole-cube grid (densities without mirror symmetry): each
// cell above the threshold is its own image and takes one draw. The walk runs
// z outer, y, then x, each from -127 to 127; slabs of z start the generator at
// the state the whole walk reaches there, as DotFill's slabs do.
class WLENGINE_EXPORT CubeDotFill {
 public:
  // grid: 255³ cells laid out as cOrbitalObject::CubeIndex says.
  CubeDotFill(const Byte* grid, Byte threshold, const std::array<Long, 256>& chance);

  // The draws of the slab [begin, end) of z, -127 <= begin <= end <= 128.
  std::uint64_t Draws(int begin, int end) const;
  // Appends the dots of the slab [begin, end), the generator starting at `state`.
  void FillSlab(int begin, int end, Long state, std::vector<PointArray>& dots) const;
  // The whole walk on up to `threads` threads, in the walk's order; returns
  // the generator's state after the last draw.
  Long FillAll(Long state, unsigned threads, std::vector<PointArray>& dots) const;

 private:
  const Byte* grid_;
  Byte threshold_;
  const std::array<Long, 256>& chance_;
  std::array<std::uint64_t, 256> before_{};  // draws of the slabs before z = index - 127
};

}  // namespace wl
