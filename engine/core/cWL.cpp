#include "core/cWL.h"

#include "core/Platform.h"
#include "core/modOrbitals.h"

namespace wl {

cOrbitalCol& cWL::Orbitals() {
  if (!Orbitals_) Orbitals_ = std::make_shared<cOrbitalCol>();
  return *Orbitals_;
}

void cWL::SetOrbitals(std::shared_ptr<cOrbitalCol> collection) {
  Orbitals_ = std::move(collection);
}

std::vector<OrbInfo> cWL::EnumOrbitals() const {
  std::vector<OrbInfo> table;
  table.reserve(modOrbitals::kOrbitalCount);
  for (Integer i = 0; i < modOrbitals::kOrbitalCount; ++i) {
    table.push_back(MakeOrbInfo(OrbitalRowAt(i)));
  }
  return table;
}

void cWL::About() {
  ShowAboutBox();
}

}  // namespace wl
