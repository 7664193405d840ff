// Hydrogen-like orbitals from the general formula: any row of the orbital
// table (single real orbitals and subshell averages up to n = 7), any nuclear
// charge Z (ψ_Z(r) = Z^(3/2) ψ_1(Z r)) and the complex orbitals with definite m.
#pragma once

#include <memory>

#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl {

// The wave function of a setup without a hybrid (Hybrid == NoHybrid) that
// CheckSetup accepts; null otherwise.
WLENGINE_EXPORT std::unique_ptr<cElectron> CreateHydrogenic(const OrbitalSetup& setup);

}  // namespace wl
