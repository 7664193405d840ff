// Vector kernels of the sampler: four points at a time with AVX2. The
// arithmetic is that of the scalar evaluation, operation for operation
// (squares summed as y² + x² + z², correctly rounded square roots, the same
// products in the same order); only the exponential comes from the C
// library's vector variant. That one may differ from the scalar exponential in
// the last bits, so a lane whose scaled value lies within a hair of a rounding
// boundary is evaluated again with the scalar formula, and the levels equal
// those of GetPDF and GetDRPDF exactly.
#include <immintrin.h>

#include "orbitals/LevelsAvx2.h"
#include "orbitals/WaveFunctions.h"

extern "C" __m256d _ZGVdN4v_exp(__m256d);

namespace wl::kernels {

void ZeroUpperAvx() {
  _mm256_zeroupper();
}

namespace {
inline v4d Sqrt(v4d v) {
  return _mm256_sqrt_pd(v);
}
inline v4d Exp(v4d v) {
  return _ZGVdN4v_exp(v);
}

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
  const int nearTie = RoundLevels4(v * scale, out);
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
  InBlocksOfFour(xs, ys, zs, n, out,
                 [&](const double* x, const double* y, const double* z, Byte* o) {
                   Levels4<D>(drpdf, scale, x, y, z, o);
                 });
}

#define WL_INSTANTIATE(Class)                                                                     \
  template void LevelsAvx2<Class>(bool, double, const double*, const double*, const double*, int, \
                                  Byte*);
WL_FOR_EACH_WAVE_FUNCTION(WL_INSTANTIATE)
#undef WL_INSTANTIATE

}  // namespace wl::kernels
