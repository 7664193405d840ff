// The orbital factory: orbital index (0 to 39) to wave-function object.
#pragma once

#include <memory>

#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl::modOrbitals {

// A new wave function for orbital index 0 to 39 with both scale factors 0, or
// null for any other index.
WLENGINE_EXPORT std::unique_ptr<cElectron> CreateElectron(Integer Index);

inline constexpr int kOrbitalCount = 40;

}  // namespace wl::modOrbitals
