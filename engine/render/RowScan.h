// Finding the cells of a 128-cell grid row that lie above the dot threshold.
// Most cells of a grid lie at or below it, so on x86-64 the row is scanned
// sixteen cells at a time with SSE2; the portable scan gives the same cells in
// the same order and serves every other processor.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/Records.h"

namespace wl {

// Calls f(i) for every i = 1..127, in ascending order, whose cell exceeds T.
// Cell 0 belongs to the plane x = 0 and is never reported.
template <class F>
void ForEachAbovePortable(const Byte* row, Byte T, F&& f) {
  for (int i = 1; i < 128; ++i) {
    if (row[i] > T) f(i);
  }
}

#if defined(__SSE2__)
template <class F>
void ForEachAboveSse2(const Byte* row, Byte T, F&& f) {
  if (T == 255) return;
  const __m128i bound = _mm_set1_epi8(static_cast<char>(T + 1));
  for (int c = 0; c < 128; c += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c));
    // max(v, T + 1) == v exactly where v > T (unsigned bytes).
    unsigned mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v, bound), v)));
    if (c == 0) mask &= ~1u;
    for (; mask; mask &= mask - 1) f(c + __builtin_ctz(mask));
  }
}
#endif

// The number of cells i = 1..127 that exceed T.
inline int CountAbovePortable(const Byte* row, Byte T) {
  int n = 0;
  for (int i = 1; i < 128; ++i) n += row[i] > T;
  return n;
}

#if defined(__SSE2__)
inline int CountAboveSse2(const Byte* row, Byte T) {
  if (T == 255) return 0;
  const __m128i bound = _mm_set1_epi8(static_cast<char>(T + 1));
  const __m128i one = _mm_set1_epi8(1), zero = _mm_setzero_si128();
  __m128i sums = zero;  // two 64-bit sums of ones where a cell exceeds T
  for (int c = 0; c < 128; c += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c));
    const __m128i above = _mm_cmpeq_epi8(_mm_max_epu8(v, bound), v);
    sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_and_si128(above, one), zero));
  }
  const int all = _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
  return all - (row[0] > T);
}
#endif

inline int CountAbove(const Byte* row, Byte T) {
#if defined(__SSE2__)
  return CountAboveSse2(row, T);
#else
  return CountAbovePortable(row, T);
#endif
}

template <class F>
void ForEachAbove(const Byte* row, Byte T, F&& f) {
#if defined(__SSE2__)
  ForEachAboveSse2(row, T, f);
#else
  ForEachAbovePortable(row, T, f);
#endif
}

}  // namespace wl
