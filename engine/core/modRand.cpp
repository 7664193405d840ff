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

}  // namespace wl::modRand
