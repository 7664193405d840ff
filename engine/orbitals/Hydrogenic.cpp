#include "orbitals/Hydrogenic.h"

namespace wl {

// Not yet available: the general formula arrives with its own module.
std::unique_ptr<cElectron> CreateHydrogenic(const OrbitalSetup&) {
  return nullptr;
}

}  // namespace wl
