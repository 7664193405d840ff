#include "core/modRand.h"

#include "core/Numeric.h"

namespace wl::modRand {

namespace {
Long seed = 0;
Long quotient = 0;
Long remainder = 0;
constexpr Long kModulus = 2147483647;
constexpr Long kMultiplier = 48271;
constexpr Long kQ = 44488;  // kModulus div kMultiplier
constexpr Long kR = 3399;   // kModulus mod kMultiplier
}  // namespace

void SetSeed(Long n) {
  if (n == -2147483647 - 1) RaiseError(kOverflow);
  seed = n < 0 ? -n : n;
}

Long NextRandom() {
  quotient = seed / kQ;
  remainder = seed - quotient * kQ;
  const Long test = SubI32(MulI32(kMultiplier, remainder), MulI32(kR, quotient));
  seed = test > 0 ? test : AddI32(test, kModulus);
  return seed;
}

Long CurrentSeed() {
  return seed;
}

Long JumpAhead(Long state, std::uint64_t steps) {
  if (steps == 0) return state;
  constexpr std::uint64_t m = kModulus;
  std::uint64_t power = 1, base = kMultiplier;
  for (std::uint64_t k = steps; k; k >>= 1) {
    if (k & 1) power = power * base % m;
    base = base * base % m;
  }
  const auto r = static_cast<Long>(power * static_cast<std::uint64_t>(state) % m);
  return r == 0 ? kModulus : r;
}

}  // namespace wl::modRand
