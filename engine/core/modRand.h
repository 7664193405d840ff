// The engine's random generator: the minimal-standard multiplicative
// congruential generator (multiplier 48271, modulus 2^31 - 1) by Schrage's
// method. One module-wide state: not for two threads at once.
#pragma once

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl::modRand {

// seed = |n|. Raises overflow for -2147483648.
WLENGINE_EXPORT void SetSeed(Long n);

// Advances the generator and returns the new seed, 1 to 2147483646 for seeds
// 1 to 2147483646; a seed of 0 or 2147483647 stays at 2147483647.
WLENGINE_EXPORT Long NextRandom();

}  // namespace wl::modRand
