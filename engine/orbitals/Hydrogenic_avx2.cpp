// Vector kernel of the general orbital's levels: four points at a time with
// AVX2, the scalar path's operations in the same order, the exponential from
// the C library's vector variant. Lanes within a hair of a rounding boundary
// are evaluated again on the scalar path, so the levels equal it exactly.
#include <immintrin.h>

#include <algorithm>

#include "orbitals/HydrogenicForm.h"

extern "C" __m256d _ZGVdN4v_exp(__m256d);

namespace wl::kernels {

namespace {
using v4d = double __attribute__((vector_size(32)));

struct VectorMath {
  static v4d Sqrt(v4d v) { return _mm256_sqrt_pd(v); }
  static v4d Exp(v4d v) { return _ZGVdN4v_exp(v); }
};

// As the seed kernels: far above the few ulps the vector exponential may differ by.
constexpr double kTieMargin = 1e-9;

inline void Levels4(const HydrogenicForm& form, bool drpdf, double scale, const double* xs,
                    const double* ys, const double* zs, Byte* out) {
  const v4d x = _mm256_loadu_pd(xs);
  const v4d y = _mm256_loadu_pd(ys);
  const v4d z = _mm256_loadu_pd(zs);
  const v4d scaled = form.Value<VectorMath>(drpdf, x, y, z) * scale;
  v4d level = _mm256_round_pd(scaled, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
  const v4d offset = _mm256_andnot_pd(_mm256_set1_pd(-0.0), scaled - level);
  const int nearTie =
      _mm256_movemask_pd(_mm256_cmp_pd(offset, _mm256_set1_pd(0.5 - kTieMargin), _CMP_GT_OQ));
  level = _mm256_min_pd(level, _mm256_set1_pd(255.0));
  const __m128i i32 = _mm256_cvtpd_epi32(level);
  alignas(16) int lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), i32);
  for (int k = 0; k < 4; ++k) out[k] = static_cast<Byte>(lanes[k]);
  if (nearTie) {
    for (int k = 0; k < 4; ++k) {
      if (nearTie & (1 << k)) out[k] = form.ScalarLevel(drpdf, scale, xs[k], ys[k], zs[k]);
    }
  }
}
}  // namespace

void HydrogenicLevelsAvx2(const HydrogenicForm& form, bool drpdf, double scale, const double* xs,
                          const double* ys, const double* zs, int n, Byte* out) {
  int i = 0;
  for (; i + 4 <= n; i += 4) Levels4(form, drpdf, scale, xs + i, ys + i, zs + i, out + i);
  if (i < n) {
    double tx[4] = {}, ty[4] = {}, tz[4] = {};
    Byte to[4];
    const int rest = n - i;
    std::copy(xs + i, xs + n, tx);
    std::copy(ys + i, ys + n, ty);
    std::copy(zs + i, zs + n, tz);
    Levels4(form, drpdf, scale, tx, ty, tz, to);
    std::copy(to, to + rest, out + i);
  }
}

}  // namespace wl::kernels
