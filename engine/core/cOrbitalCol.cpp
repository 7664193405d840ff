#include "core/cOrbitalCol.h"

#include "core/Numeric.h"
#include "core/VectorState.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

cOrbitalCol::cOrbitalCol() {
  Orbitals.resize(1);
}
cOrbitalCol::~cOrbitalCol() = default;

void cOrbitalCol::CheckBounds(long long index) const {
  if (index < 0 || index >= static_cast<long long>(Orbitals.size())) RaiseError(kSubscriptRange);
}

bool cOrbitalCol::IsEmpty(Integer index) const {
  CheckBounds(index);
  return Orbitals[static_cast<size_t>(index)] == nullptr;
}

cOrbital& cOrbitalCol::At(Integer index) const {
  CheckBounds(index);
  cOrbital* o = Orbitals[static_cast<size_t>(index)].get();
  if (!o) RaiseError(kObjectNotSet, "no orbital at index " + std::to_string(index));
  return *o;
}

RenderDCinfo cOrbitalCol::GetRender(Integer index, const RenderRequest& RenderInfo) {
  ClearUpperVectorState();
  return At(index).GetRender(RenderInfo);
}

Long cOrbitalCol::ReFillDotMatrix(double index, Byte Threshold, Long Target) {
  ClearUpperVectorState();
  const Long i = CLng(index);
  CheckBounds(i);
  return At(static_cast<Integer>(i)).ReFillDotMatrix(Target, Threshold);
}

OrbitalStats cOrbitalCol::GetStats(Integer index) const {
  return At(index).GetStats();
}

SurfaceLevel cOrbitalCol::SurfaceFor(Integer index, double share) const {
  return At(index).SurfaceFor(share);
}

SurfaceMesh cOrbitalCol::SurfaceMeshFor(Integer index, double share) const {
  return At(index).SurfaceMeshFor(share);
}

ProbabilityShares cOrbitalCol::GetShares(Integer index) const {
  const auto* o = dynamic_cast<const cOrbitalObject*>(&At(index));
  if (!o) RaiseError(kObjectNotSet, "no calculated orbital at index " + std::to_string(index));
  return wl::GetShares(*o);
}

Integer cOrbitalCol::Add(const OrbitalSetup& Info) {
  ClearUpperVectorState();
  if (Info.OrbitalViewMode != PDF && Info.OrbitalViewMode != DRPDF) {
    RaiseError(kInvalidCall, "unknown view mode " + std::to_string(Info.OrbitalViewMode));
  }
  // A charge, the complex form or a hybrid that cannot be made is refused
  // before anything changes; a row outside the table fails in Setup as before.
  if (Info.Charge != 1 || Info.Complex || Info.Hybrid != NoHybrid) {
    if (const std::string refusal = CheckSetup(Info); !refusal.empty()) {
      RaiseError(kInvalidCall, refusal);
    }
  }
  const size_t slot = static_cast<size_t>(NextOrbIndex);
  const size_t oldSize = Orbitals.size();
  if (slot >= oldSize) Orbitals.resize(slot + 1);
  std::unique_ptr<cOrbital> orbital;
  if (Info.OrbitalViewMode == PDF) {
    orbital = std::make_unique<cOrbitalPDF>();
  } else {
    orbital = std::make_unique<cOrbitalDRPDF>();
  }
  try {
    orbital->Setup(Info);
  } catch (...) {
    // Leave nothing half-made behind: the slot stays empty and the array keeps its size.
    Orbitals.resize(oldSize);
    throw;
  }
  Orbitals[slot] = std::move(orbital);
  const Integer result = NextOrbIndex;
  RecomputeNextIndex();
  return result;
}

void cOrbitalCol::Delete(Integer OrbIndex) {
  CheckBounds(OrbIndex);
  const size_t upper = Orbitals.size() - 1;
  Orbitals[static_cast<size_t>(OrbIndex)].reset();
  if (static_cast<size_t>(OrbIndex) == upper && upper != 0) Orbitals.pop_back();
  RecomputeNextIndex();
}

void cOrbitalCol::RecomputeNextIndex() {
  for (size_t i = 0; i < Orbitals.size(); ++i) {
    if (!Orbitals[i]) {
      NextOrbIndex = static_cast<Integer>(i);
      return;
    }
  }
  NextOrbIndex = ToInteger(static_cast<long long>(Orbitals.size()));
}

}  // namespace wl
