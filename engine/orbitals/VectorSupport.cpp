#include <cstdlib>

#include "core/VectorState.h"
#include "orbitals/cWaveFunction.h"

namespace wl::kernels {

bool VectorLevelsAvailable() {
  // WL_SCALAR_LEVELS=1 forces the scalar path (used to compare the two).
  static const bool available = [] {
    const char* force = std::getenv("WL_SCALAR_LEVELS");
    if (force && force[0] == '1') return false;
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
}

}  // namespace wl::kernels

namespace wl {

void ClearUpperVectorState() {
  static const bool avx = __builtin_cpu_supports("avx") != 0;
  if (avx) kernels::ZeroUpperAvx();
}

}  // namespace wl
