#include <cstdlib>

#include "core/VectorState.h"
#include "orbitals/cWaveFunction.h"

namespace wl::kernels {

bool VectorLevelsAvailable() {
#if WL_HAVE_AVX2_KERNELS
  // WL_SCALAR_LEVELS=1 forces the scalar path (used to compare the two).
  static const bool available = [] {
    const char* force = std::getenv("WL_SCALAR_LEVELS");
    if (force && force[0] == '1') return false;
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
#else
  return false;
#endif
}

}  // namespace wl::kernels

namespace wl {

void ClearUpperVectorState() {
#if WL_HAVE_AVX2_KERNELS
  static const bool avx = __builtin_cpu_supports("avx") != 0;
  if (avx) kernels::ZeroUpperAvx();
#endif
}

}  // namespace wl
