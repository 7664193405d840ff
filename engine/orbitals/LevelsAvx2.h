// The steps shared by the AVX2 level kernels (files compiled with -mavx2
// only): points in blocks of four, and four scaled densities to levels,
// rounded half to even and saturated at 255.
#pragma once

#include <immintrin.h>

#include <algorithm>

#include "core/Records.h"

namespace wl::kernels {

using v4d = double __attribute__((vector_size(32)));

// Distance from a rounding boundary (k + 0.5) below which a lane is redone in
// scalar; far above the few ulps by which the vector exponential can differ.
inline constexpr double kTieMargin = 1e-9;

// Writes the four levels of `scaled` to out and returns the mask of the lanes
// lying within kTieMargin of a rounding boundary, which the caller evaluates
// again with the scalar formula.
inline int RoundLevels4(v4d scaled, Byte* out) {
  v4d level = _mm256_round_pd(scaled, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
  const v4d offset = _mm256_andnot_pd(_mm256_set1_pd(-0.0), scaled - level);  // |scaled - level|
  const int nearTie =
      _mm256_movemask_pd(_mm256_cmp_pd(offset, _mm256_set1_pd(0.5 - kTieMargin), _CMP_GT_OQ));
  level = _mm256_min_pd(level, _mm256_set1_pd(255.0));
  const __m128i i32 = _mm256_cvtpd_epi32(level);
  alignas(16) int lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), i32);
  for (int k = 0; k < 4; ++k) out[k] = static_cast<Byte>(lanes[k]);
  return nearTie;
}

// Calls levels4(xs, ys, zs, out) for each block of four points; the last
// block, if short, on copies padded with the origin.
template <class F>
inline void InBlocksOfFour(const double* xs, const double* ys, const double* zs, int n, Byte* out,
                           F&& levels4) {
  int i = 0;
  for (; i + 4 <= n; i += 4) levels4(xs + i, ys + i, zs + i, out + i);
  if (i < n) {
    double tx[4] = {}, ty[4] = {}, tz[4] = {};
    Byte to[4];
    std::copy(xs + i, xs + n, tx);
    std::copy(ys + i, ys + n, ty);
    std::copy(zs + i, zs + n, tz);
    levels4(tx, ty, tz, to);
    std::copy(to, to + (n - i), out + i);
  }
}

}  // namespace wl::kernels
