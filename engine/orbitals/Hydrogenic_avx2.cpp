// Vector kernel of the general orbital's levels: four points at a time with
// AVX2, the scalar path's operations in the same order, the exponential from
// the C library's vector variant. Lanes within a hair of a rounding boundary
// are evaluated again on the scalar path, so the levels equal it exactly.
#include <immintrin.h>

#include "orbitals/HydrogenicForm.h"
#include "orbitals/LevelsAvx2.h"

extern "C" __m256d _ZGVdN4v_exp(__m256d);

namespace wl::kernels {

namespace {
struct VectorMath {
  static v4d Sqrt(v4d v) { return _mm256_sqrt_pd(v); }
  static v4d Exp(v4d v) { return _ZGVdN4v_exp(v); }
};

inline void Levels4(const HydrogenicForm& form, bool drpdf, double scale, const double* xs,
                    const double* ys, const double* zs, Byte* out) {
  const v4d x = _mm256_loadu_pd(xs);
  const v4d y = _mm256_loadu_pd(ys);
  const v4d z = _mm256_loadu_pd(zs);
  const v4d scaled = form.Value<VectorMath>(drpdf, x, y, z) * scale;
  const int nearTie = RoundLevels4(scaled, out);
  if (nearTie) {
    for (int k = 0; k < 4; ++k) {
      if (nearTie & (1 << k)) out[k] = form.ScalarLevel(drpdf, scale, xs[k], ys[k], zs[k]);
    }
  }
}
}  // namespace

void HydrogenicLevelsAvx2(const HydrogenicForm& form, bool drpdf, double scale, const double* xs,
                          const double* ys, const double* zs, int n, Byte* out) {
  InBlocksOfFour(xs, ys, zs, n, out,
                 [&](const double* x, const double* y, const double* z, Byte* o) {
                   Levels4(form, drpdf, scale, x, y, z, o);
                 });
}

}  // namespace wl::kernels
