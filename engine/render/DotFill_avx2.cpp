// The draws of the dot fill eight at a time with AVX2: the 32-bit draws are
// multiplied in their even and odd halves into 64-bit products and reduced
// modulo 2^31 - 1 exactly as the scalar MulMod does, so the draws are the same.
#include <immintrin.h>

#include <cstdint>

namespace wl::kernels {

void AdvanceDrawsAvx2(const std::uint32_t* src, std::uint32_t* dst, int n,
                      std::uint32_t multiplier) {
  const __m256i mul = _mm256_set1_epi64x(multiplier);
  const __m256i mod = _mm256_set1_epi64x(2147483647);
  // x · multiplier mod (2^31 - 1) in the low half of each 64-bit lane.
  auto reduce = [&](__m256i x) {
    const __m256i p = _mm256_mul_epu32(x, mul);
    const __m256i r = _mm256_add_epi64(_mm256_and_si256(p, mod), _mm256_srli_epi64(p, 31));
    // r < 2^32: r - modulus wraps above r exactly where r < modulus.
    return _mm256_min_epu32(r, _mm256_sub_epi32(r, mod));
  };
  int t = 0;
  for (; t + 8 <= n; t += 8) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + t));
    const __m256i even = reduce(x);
    const __m256i odd = reduce(_mm256_srli_epi64(x, 32));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + t),
                        _mm256_or_si256(even, _mm256_slli_epi64(odd, 32)));
  }
  for (; t < n; ++t) {
    const std::uint64_t p = std::uint64_t{src[t]} * multiplier;
    const std::uint64_t r = (p & 2147483647u) + (p >> 31);
    dst[t] = static_cast<std::uint32_t>(r >= 2147483647u ? r - 2147483647u : r);
  }
}

}  // namespace wl::kernels
