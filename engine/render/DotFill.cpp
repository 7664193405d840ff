#include "render/DotFill.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/Workers.h"
#include "core/modRand.h"
#include "orbitals/cWaveFunction.h"
#include "render/RowScan.h"
#include "render/cOrbital.h"

namespace wl {

#if WL_HAVE_AVX2_KERNELS
namespace kernels {
// dst[t] = src[t] · multiplier mod (2^31 - 1) for t = 0..n-1, in increasing t,
// for src values 1 to 2^31 - 2; dst may lie ahead of src within one pass.
void AdvanceDrawsAvx2(const std::uint32_t* src, std::uint32_t* dst, int n,
                      std::uint32_t multiplier);
}  // namespace kernels
#endif

namespace {

constexpr std::uint32_t kModulus = 2147483647;

// x · multiplier mod (2^31 - 1) for x of 1 to 2^31 - 2 (never 0 then): the
// product's high and low 31 bits summed, one subtraction at most.
inline std::uint32_t MulMod(std::uint32_t x, std::uint32_t multiplier) {
  const std::uint64_t p = std::uint64_t{x} * multiplier;
  const std::uint64_t r = (p & kModulus) + (p >> 31);
  return static_cast<std::uint32_t>(r >= kModulus ? r - kModulus : r);
}

void AdvanceDraws(const std::uint32_t* src, std::uint32_t* dst, int n, std::uint32_t multiplier) {
#if WL_HAVE_AVX2_KERNELS
  if (kernels::VectorLevelsAvailable()) {
    kernels::AdvanceDrawsAvx2(src, dst, n, multiplier);
    return;
  }
#endif
  for (int t = 0; t < n; ++t) dst[t] = MulMod(src[t], multiplier);
}

// Bit l set where draws[l] < chance, l = 0..7. Draws and chances lie within
// 0 to 2^31 - 1, so they compare as signed numbers.
inline unsigned Below8(const std::uint32_t* draws, Long chance) {
#if defined(__SSE2__)
  const __m128i c = _mm_set1_epi32(chance);
  const __m128i lo = _mm_cmplt_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(draws)), c);
  const __m128i hi =
      _mm_cmplt_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(draws + 4)), c);
  const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(lo, hi), _mm_setzero_si128());
  return static_cast<unsigned>(_mm_movemask_epi8(bytes)) & 0xFFu;
#else
  unsigned mask = 0;
  for (int l = 0; l < 8; ++l)
    mask |= static_cast<unsigned>(static_cast<Long>(draws[l]) < chance) << l;
  return mask;
#endif
}

struct Mirror {
  signed char x, y, z;
};
constexpr Mirror kInteriorMirrors[8] = {{1, 1, 1},   {-1, 1, 1},  {1, -1, 1},  {1, 1, -1},
                                        {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}, {-1, -1, -1}};
constexpr Mirror kPlaneMirrors[4] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}};

inline PointArray Dot(int x, int y, int z, Byte v) {
  return PointArray{static_cast<Integer>(x), static_cast<Integer>(y), static_cast<Integer>(z), v};
}

// The cell (x, y, z) of a plane's walk: plane 0 is z = 0 with (b, a), plane 1
// y = 0 with (b, a) as (x, z), plane 2 x = 0 with (b, a) as (y, z).
inline void PlaneCell(int plane, int a, int b, int& x, int& y, int& z) {
  x = plane == 2 ? 0 : b;
  y = plane == 0 ? a : plane == 2 ? b : 0;
  z = plane == 0 ? 0 : a;
}

}  // namespace

DrawStream::DrawStream(Long state) {
  const auto s = static_cast<std::uint32_t>(state);
  stuck_ = s == 0 || s == kModulus;
  std::uint32_t x = s;
  for (int t = 0; t < kLag; ++t) {
    x = static_cast<std::uint32_t>(modRand::Step(static_cast<Long>(x)));
    buf_[t] = x;
  }
  end_ = kLag;
}

// Keeps the draws not yet taken (at least the last kLag made, which the next
// ones are made from) at the front and fills the rest of the buffer.
void DrawStream::Refill() {
  const int left = end_ - pos_;
  const int keep = std::max(kLag, left);
  std::memmove(buf_.data(), buf_.data() + end_ - keep, sizeof(std::uint32_t) * keep);
  pos_ = keep - left;
  end_ = keep;
  if (stuck_) {
    std::fill(buf_.begin() + end_, buf_.end(), kModulus);
  } else {
    static const auto lagPower = static_cast<std::uint32_t>(modRand::JumpAhead(1, kLag));
    AdvanceDraws(buf_.data() + end_ - kLag, buf_.data() + end_, kCapacity - end_, lagPower);
  }
  end_ = kCapacity;
}

DotFill::DotFill(const Byte* grid, Byte threshold, const std::array<Long, 256>& chance)
    : grid_(grid), threshold_(threshold), chance_(chance) {
  const Byte T = threshold;
  auto above = [&](int i, int j, int k) {
    return std::uint64_t{grid[cOrbitalObject::GridIndex(i, j, k)] > T};
  };
  std::uint64_t n = above(0, 0, 0);
  for (int i = 1; i < 128; ++i) n += 2 * (above(i, 0, 0) + above(0, i, 0) + above(0, 0, i));
  for (int a = 1; a < 128; ++a) {
    for (int b = 1; b < 128; ++b) n += 4 * (above(b, a, 0) + above(b, 0, a) + above(0, b, a));
  }
  boundaryDraws_ = n;
  for (int k = 1; k < 128; ++k) {
    std::uint64_t cells = 0;
    for (int j = 1; j < 128; ++j) {
      cells += static_cast<std::uint64_t>(CountAbove(&grid[cOrbitalObject::GridIndex(0, j, k)], T));
    }
    interiorBefore_[k + 1] = interiorBefore_[k] + 8 * cells;
  }
}

std::uint64_t DotFill::InteriorDraws(int begin, int end) const {
  return interiorBefore_[end] - interiorBefore_[begin];
}

void DotFill::FillBoundary(Long state, std::vector<PointArray>& dots) const {
  const Byte T = threshold_;
  DrawStream draws(state);
  auto cell = [&](int i, int j, int k) { return grid_[cOrbitalObject::GridIndex(i, j, k)]; };

  if (const Byte v = cell(0, 0, 0); v > T) {
    if (static_cast<Long>(*draws.Take(1)) < chance_[v]) dots.push_back(Dot(0, 0, 0, v));
  }
  for (int axis = 0; axis < 3; ++axis) {
    for (int i = 1; i < 128; ++i) {
      const int x = axis == 0 ? i : 0, y = axis == 1 ? i : 0, z = axis == 2 ? i : 0;
      const Byte v = cell(x, y, z);
      if (v <= T) continue;
      const std::uint32_t* d = draws.Take(2);
      if (static_cast<Long>(d[0]) < chance_[v]) dots.push_back(Dot(x, y, z, v));
      if (static_cast<Long>(d[1]) < chance_[v]) dots.push_back(Dot(-x, -y, -z, v));
    }
  }
  for (int plane = 0; plane < 3; ++plane) {
    for (int a = 1; a < 128; ++a) {
      for (int b = 1; b < 128; ++b) {
        int x, y, z;
        PlaneCell(plane, a, b, x, y, z);
        const Byte v = cell(x, y, z);
        if (v <= T) continue;
        const std::uint32_t* d = draws.Take(4);
        for (int l = 0; l < 4; ++l) {
          if (static_cast<Long>(d[l]) >= chance_[v]) continue;
          // The first free index takes the mirror's x sign, the second its y sign.
          const Mirror& m = kPlaneMirrors[l];
          if (plane == 0)
            dots.push_back(Dot(m.x * x, m.y * y, 0, v));
          else if (plane == 1)
            dots.push_back(Dot(m.x * x, 0, m.y * z, v));
          else
            dots.push_back(Dot(0, m.x * y, m.y * z, v));
        }
      }
    }
  }
}

void DotFill::FillInterior(int begin, int end, Long state, std::vector<PointArray>& dots) const {
  const Byte T = threshold_;
  DrawStream draws(state);
  for (int k = begin; k < end; ++k) {
    for (int j = 1; j < 128; ++j) {
      const Byte* row = &grid_[cOrbitalObject::GridIndex(0, j, k)];
      ForEachAbove(row, T, [&](int i) {
        const Byte v = row[i];
        for (unsigned hits = Below8(draws.Take(8), chance_[v]); hits; hits &= hits - 1) {
          const Mirror& m = kInteriorMirrors[__builtin_ctz(hits)];
          dots.push_back(Dot(m.x * i, m.y * j, m.z * k, v));
        }
      });
    }
  }
}

// The walk is cut into consecutive pieces of about equal draws, the first
// holding the boundary and the first slabs. Workers take the pieces one at a
// time, so that a thread the system holds back leaves its share to the others;
// the pieces' dots are joined in the walk's order.
Long DotFill::FillAll(Long state, unsigned threads, std::vector<PointArray>& dots) const {
  const std::uint64_t total = boundaryDraws_ + InteriorDraws(1, 128);
  // A small walk costs less than starting a thread.
  constexpr std::uint64_t kDrawsWorthAThread = 1 << 18;
  threads = std::clamp(threads, 1u, 8u);
  if (total < kDrawsWorthAThread) threads = 1;
  const unsigned pieces = threads == 1 ? 1 : 8 * threads;
  // Piece p covers the slabs [cut[p], cut[p + 1]).
  std::vector<int> cut{1};
  for (unsigned p = 1; p < pieces; ++p) {
    const std::uint64_t goal = total / pieces * p;
    int k = cut.back();
    while (k < 127 && boundaryDraws_ + interiorBefore_[k] < goal) ++k;
    cut.push_back(k);
  }
  cut.push_back(128);

  std::vector<std::vector<PointArray>> found(pieces);
  std::atomic<unsigned> next{0};
  RunWorkers(threads, [&](unsigned) {
    for (unsigned p; (p = next.fetch_add(1)) < pieces;) {
      if (p == 0) FillBoundary(state, found[0]);
      if (cut[p] == cut[p + 1]) continue;
      const Long start = modRand::JumpAhead(state, boundaryDraws_ + interiorBefore_[cut[p]]);
      FillInterior(cut[p], cut[p + 1], start, found[p]);
    }
  });
  size_t count = dots.size();
  for (const auto& f : found) count += f.size();
  dots.reserve(count);
  for (const auto& f : found) dots.insert(dots.end(), f.begin(), f.end());
  return modRand::JumpAhead(state, total);
}

CubeDotFill::CubeDotFill(const Byte* grid, Byte threshold, const std::array<Long, 256>& chance)
    : grid_(grid), threshold_(threshold), chance_(chance) {
  for (int k = -127; k <= 127; ++k) {
    const Byte* slab = &grid[cOrbitalObject::CubeIndex(-127, -127, k)];
    std::uint64_t n = 0;
    for (int c = 0; c < kCubeSize * kCubeSize; ++c) n += slab[c] > threshold;
    before_[k + 128] = before_[k + 127] + n;
  }
}

std::uint64_t CubeDotFill::Draws(int begin, int end) const {
  return before_[end + 127] - before_[begin + 127];
}

void CubeDotFill::FillSlab(int begin, int end, Long state, std::vector<PointArray>& dots) const {
  const Byte T = threshold_;
  DrawStream draws(state);
  for (int k = begin; k < end; ++k) {
    for (int j = -127; j <= 127; ++j) {
      const Byte* row = &grid_[cOrbitalObject::CubeIndex(-127, j, k)];
      for (int i = 0; i < kCubeSize; ++i) {
        const Byte v = row[i];
        if (v <= T) continue;
        if (static_cast<Long>(*draws.Take(1)) < chance_[v]) dots.push_back(Dot(i - 127, j, k, v));
      }
    }
  }
}

// Pieces of whole slabs with about equal draws, taken by the workers in turn
// and joined in the walk's order.
Long CubeDotFill::FillAll(Long state, unsigned threads, std::vector<PointArray>& dots) const {
  const std::uint64_t total = Draws(-127, 128);
  threads = std::clamp(threads, 1u, 8u);
  if (total < (1u << 18)) threads = 1;
  const unsigned pieces = threads == 1 ? 1 : 8 * threads;
  std::vector<int> cut{-127};
  for (unsigned p = 1; p < pieces; ++p) {
    const std::uint64_t goal = total / pieces * p;
    int k = cut.back();
    while (k < 127 && Draws(-127, k) < goal) ++k;
    cut.push_back(k);
  }
  cut.push_back(128);
  std::vector<std::vector<PointArray>> found(pieces);
  std::atomic<unsigned> next{0};
  RunWorkers(threads, [&](unsigned) {
    for (unsigned p; (p = next.fetch_add(1)) < pieces;) {
      if (cut[p] == cut[p + 1]) continue;
      FillSlab(cut[p], cut[p + 1], modRand::JumpAhead(state, Draws(-127, cut[p])), found[p]);
    }
  });
  for (const auto& f : found) dots.insert(dots.end(), f.begin(), f.end());
  return modRand::JumpAhead(state, total);
}

}  // namespace wl
