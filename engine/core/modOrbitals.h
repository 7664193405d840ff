// The orbital factory: an orbital index or a whole calculation's setup to its
// wave-function object.
#pragma once

#include <memory>

#include "core/Records.h"
#include "orbitals/OrbitalCatalog.h"
#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl::modOrbitals {

// A new wave function for a row of the orbital table (0 to kOrbitalCount - 1)
// with both scale factors 0, or null for any other index. Rows 0 to 39 are
// their exact closed forms; later rows come from the general hydrogenic formula.
WLENGINE_EXPORT std::unique_ptr<cElectron> CreateElectron(Integer Index);

// A new wave function for a setup: a row with Z = 1, real, as above; any
// other charge or the complex form from the general formula; hybrids and
// combinations as the sum of their terms. Null when CheckSetup refuses it.
WLENGINE_EXPORT std::unique_ptr<cElectron> CreateElectron(const OrbitalSetup& setup);

inline constexpr int kOrbitalCount = wl::kOrbitalCount;

}  // namespace wl::modOrbitals
