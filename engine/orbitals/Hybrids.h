// Hybrid orbitals and custom combinations: normalised real combinations of
// single real orbitals of one shell, with their orientation.
#pragma once

#include <memory>
#include <vector>

#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl {

// The normalised terms (Σ c² = 1) of a hybrid member or a custom combination
// that CheckSetup accepts, in the order they are summed; empty otherwise.
// Coefficients apply to the table's orbitals as they are (positive at the
// nucleus): a hybrid's orbitals with an odd number of radial nodes enter
// negated, so that the outer lobes add along the member's direction.
// Hybrid coefficients are listed in Hybrids.cpp.
WLENGINE_EXPORT std::vector<ComboTerm> CombinationTerms(const OrbitalSetup& setup);

// The unit vector a hybrid member points along (its largest lobe).
WLENGINE_EXPORT COORDdouble HybridDirection(HybridSet set, int member);

// The wave function of a hybrid member or custom combination (with the
// setup's charge); null when CheckSetup refuses the setup or a term cannot be
// made. Its GetInfo is InfoOf(setup) (no mirror symmetry: F1); ψ is real.
std::unique_ptr<cElectron> CreateCombination(const OrbitalSetup& setup);

}  // namespace wl
