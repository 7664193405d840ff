#include "orbitals/WaveFunctions.h"

#include <limits>

#include "core/modOrbitals.h"

namespace wl {

cElectron::~cElectron() = default;

double cElectron::GetPsi(const COORDdouble&) const {
  return std::numeric_limits<double>::quiet_NaN();
}

int cElectron::GetPsiSign(const COORDdouble&) const {
  return 0;
}

namespace modOrbitals {

std::unique_ptr<cElectron> CreateElectron(Integer Index) {
  switch (Index) {
#define WL_CREATE_CASE(Class) \
  case Class::kIndex:         \
    return std::make_unique<Class>();
    WL_FOR_EACH_WAVE_FUNCTION(WL_CREATE_CASE)
#undef WL_CREATE_CASE
    default:
      return nullptr;
  }
}

}  // namespace modOrbitals
}  // namespace wl
