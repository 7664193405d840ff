#include <cstdlib>

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
