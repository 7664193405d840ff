// The engine's facade: the orbital table, the highest principal quantum number,
// the engine's about box and the one orbital collection.
#pragma once

#include <memory>
#include <vector>

#include "core/Records.h"
#include "core/cOrbitalCol.h"
#include "wlengine_export.h"

namespace wl {

class WLENGINE_EXPORT cWL {
 public:
  // The engine's collection, created when first needed.
  cOrbitalCol& Orbitals();
  // Replaces the collection.
  void SetOrbitals(std::shared_ptr<cOrbitalCol> collection);

  // The orbital table: entry i describes orbital index i (kOrbitalCount entries).
  std::vector<OrbInfo> EnumOrbitals() const;
  Integer HighestN() const { return 7; }
  // Shows the engine's about box through the installed hook; returns at once without one.
  void About();

 private:
  std::shared_ptr<cOrbitalCol> Orbitals_;
};

}  // namespace wl
