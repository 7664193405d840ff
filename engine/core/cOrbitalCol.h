// The collection of calculated orbitals. Hands out small, reused indices: the
// next Add fills the lowest empty slot. Owns its orbital objects.
//
// Not thread-safe: all calls come from one thread.
#pragma once

#include <memory>
#include <vector>

#include "analysis/Shares.h"
#include "core/Records.h"
#include "render/cOrbital.h"
#include "wlengine_export.h"

namespace wl {

class WLENGINE_EXPORT cOrbitalCol {
 public:
  cOrbitalCol();
  ~cOrbitalCol();
  cOrbitalCol(const cOrbitalCol&) = delete;
  cOrbitalCol& operator=(const cOrbitalCol&) = delete;

  // Renders one view of orbital `index`. Raises subscript out of range for an
  // index outside the slots, object not set for an empty slot.
  RenderDCinfo GetRender(Integer index, const RenderRequest& RenderInfo);
  // Redraws the dot cloud of the orbital at index rounded half to even; returns 0.
  Long ReFillDotMatrix(double index, Byte Threshold, Long Target);
  OrbitalStats GetStats(Integer index) const;
  // The boundary surface of an orbital holding `share` of the probability:
  // its density, and the box it was found in (enlarged beyond the atom
  // radius when the surface needs it). Raises as GetStats does, and invalid
  // procedure call (5) for a share outside 0.05 to 0.999.
  SurfaceLevel SurfaceFor(Integer index, double share) const;
  // That surface as a triangle mesh (with arg ψ per vertex for complex wave
  // functions); raises as SurfaceFor does.
  SurfaceMesh SurfaceMeshFor(Integer index, double share) const;
  // The shares of the probability above the dot threshold and inside the box
  // of the orbital at index (see analysis/Shares.h); raises as GetRender does.
  ProbabilityShares GetShares(Integer index) const;
  // Creates and calculates one orbital and returns its index. Raises invalid
  // call for a view mode other than PDF or DRPDF, before anything changes. When
  // the calculation fails its error passes on and the slot stays empty.
  Integer Add(const OrbitalSetup& Info);
  // Deletes the orbital at OrbIndex (an empty slot is harmless). Dropping the
  // last slot shrinks the array by one.
  void Delete(Integer OrbIndex);

  // Inspection, for the program and for tests.
  Integer UpperBound() const { return static_cast<Integer>(Orbitals.size() - 1); }
  Integer NextIndex() const { return NextOrbIndex; }
  bool IsEmpty(Integer index) const;
  // The orbital object at an index (raises as GetRender does).
  cOrbital& At(Integer index) const;

 private:
  void CheckBounds(long long index) const;
  void RecomputeNextIndex();

  std::vector<std::unique_ptr<cOrbital>> Orbitals;
  Integer NextOrbIndex = 0;
};

}  // namespace wl
