// The engine's random generator: the minimal-standard multiplicative
// congruential generator (multiplier 48271, modulus 2^31 - 1) by Schrage's
// method. One module-wide state: not for two threads at once. JumpAhead and
// Step are pure and safe from any thread.
#pragma once

#include <cstdint>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl::modRand {

// seed = |n|. Raises overflow for -2147483648.
WLENGINE_EXPORT void SetSeed(Long n);

// Advances the generator and returns the new seed, 1 to 2147483646 for seeds
// 1 to 2147483646; a seed of 0 or 2147483647 stays at 2147483647.
WLENGINE_EXPORT Long NextRandom();

// The state the generator holds now (a seed that SetSeed accepts).
WLENGINE_EXPORT Long CurrentSeed();

// One step from `state` (0 to 2147483647), as NextRandom takes it.
inline Long Step(Long state) {
  constexpr std::uint64_t kModulus = 2147483647;
  const auto r = static_cast<Long>(static_cast<std::uint64_t>(state) * 48271 % kModulus);
  return r == 0 ? static_cast<Long>(kModulus) : r;  // 0 and the modulus lead to the modulus
}

// The state after `steps` calls of NextRandom from `state` (0 to 2147483647),
// in O(log steps): the multiplier raised to the power `steps` by squaring.
WLENGINE_EXPORT Long JumpAhead(Long state, std::uint64_t steps);

}  // namespace wl::modRand
