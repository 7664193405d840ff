#include "orbitals/Hybrids.h"

namespace wl {

// Not yet available: hybrids arrive with their own module.
std::vector<ComboTerm> CombinationTerms(const OrbitalSetup&) {
  return {};
}
COORDdouble HybridDirection(HybridSet, int) {
  return {};
}
std::unique_ptr<cElectron> CreateCombination(const OrbitalSetup&) {
  return nullptr;
}

}  // namespace wl
