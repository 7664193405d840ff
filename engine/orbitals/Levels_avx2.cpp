// Vector kernels of the sampler: four points at a time with AVX2. The
// arithmetic is that of the scalar evaluation, operation for operation
// (squares summed as y² + x² + z², correctly rounded square roots, the same
// products in the same order); only the exponential comes from the C
// library's vector variant. That one may differ from the scalar exponential in
// the last bits, so a lane whose scaled value lies within a hair of a rounding
// boundary is evaluated again with the scalar formula, and the levels equal
// those of GetPDF and GetDRPDF exactly.
#include <immintrin.h>

#include <algorithm>

#include "orbitals/WaveFunctions.h"

extern "C" __m256d _ZGVdN4v_exp(__m256d);

namespace wl::kernels {

void ZeroUpperAvx() {
  _mm256_zeroupper();
}

namespace {
using v4d = double __attribute__((vector_size(32)));

inline v4d Sqrt(v4d v) {
  return _mm256_sqrt_pd(v);
}
inline v4d Exp(v4d v) {
  return _ZGVdN4v_exp(v);
}

// Distance from a rounding boundary (k + 0.5) below which a lane is redone in
// scalar; far above the few ulps by which the vector exponential can differ.
constexpr double kTieMargin = 1e-9;

template <class D>
inline void Levels4(bool drpdf, double scale, const double* xs, const double* ys, const double* zs,
                    Byte* out) {
  const v4d x = _mm256_loadu_pd(xs);
  const v4d y = _mm256_loadu_pd(ys);
  const v4d z = _mm256_loadu_pd(zs);
  const v4d r2 = y + x + z;
  const v4d r = Sqrt(r2);
  v4d v = D::template Density<v4d>(x, y, z, r, r2, Exp(r * D::kExp));
  if (drpdf) v = D::template WeightOf<v4d>(v, D::kSingle ? Sqrt(y + x) : v4d{}, r, r2);
  const v4d scaled = v * scale;
  v4d level = _mm256_round_pd(scaled, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
  const v4d offset = _mm256_andnot_pd(_mm256_set1_pd(-0.0), scaled - level);  // |scaled - level|
  const int nearTie =
      _mm256_movemask_pd(_mm256_cmp_pd(offset, _mm256_set1_pd(0.5 - kTieMargin), _CMP_GT_OQ));
  level = _mm256_min_pd(level, _mm256_set1_pd(255.0));
  const __m128i i32 = _mm256_cvtpd_epi32(level);
  alignas(16) int lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), i32);
  for (int k = 0; k < 4; ++k) out[k] = static_cast<Byte>(lanes[k]);
  if (nearTie) {
    for (int k = 0; k < 4; ++k) {
      if (nearTie & (1 << k)) out[k] = D::Level(drpdf, scale, xs[k], ys[k], zs[k]);
    }
  }
}
}  // namespace

template <class D>
void LevelsAvx2(bool drpdf, double scale, const double* xs, const double* ys, const double* zs,
                int n, Byte* out) {
  int i = 0;
  for (; i + 4 <= n; i += 4) Levels4<D>(drpdf, scale, xs + i, ys + i, zs + i, out + i);
  if (i < n) {
    double tx[4] = {}, ty[4] = {}, tz[4] = {};
    Byte to[4];
    const int rest = n - i;
    std::copy(xs + i, xs + n, tx);
    std::copy(ys + i, ys + n, ty);
    std::copy(zs + i, zs + n, tz);
    Levels4<D>(drpdf, scale, tx, ty, tz, to);
    std::copy(to, to + rest, out + i);
  }
}

#define WL_INSTANTIATE(Class)                                                                     \
  template void LevelsAvx2<Class>(bool, double, const double*, const double*, const double*, int, \
                                  Byte*);
WL_FOR_EACH_WAVE_FUNCTION(WL_INSTANTIATE)
#undef WL_INSTANTIATE

}  // namespace wl::kernels
