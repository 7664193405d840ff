// The box and the density of an orbital's boundary surface: the field is
// sampled on a cube that holds the surface, which may be larger than the
// orbital's atom radius.
#pragma once

#include <map>
#include <memory>
#include <utility>

#include "render/ScalarField.h"
#include "wlengine_export.h"

namespace wl {

// Nodes per axis of a surface field: 129 (the nucleus is the middle node). On
// it the enclosed share is within 0.2% of the probability of the exact one.
inline constexpr int kSurfaceNodes = 129;

// The probability beyond the sphere of radius r (Bohr radii) around the
// nucleus. The angular integral uses a 4 × 8 product rule, exact for ψ² up to
// l = 3; the radial one Simpson's rule in steps of n/20 out to r + 40n, where
// the tail is below 1e-30. Any thread.
WLENGINE_EXPORT double ProbabilityBeyond(const cElectron& electron, double r);

// The half side of the cube for the surface holding `share`: the atom radius
// times 1.25^k for the smallest k >= 0 that leaves no more than 2% of the
// probability outside the surface (1 - share) beyond the sphere inscribed in
// the cube, which bounds what lies outside the cube. Any thread.
WLENGINE_EXPORT double SurfaceBoxHalf(const cElectron& electron, double atomRadius, double share);

struct SurfaceLevel {
  std::shared_ptr<const ScalarField> Field;  // ψ (or √ρ) on the box
  double Share = 0;
  double Density = 0;     // t: the surface is ψ² = t (Bohr radii^-3)
  double AtomRadius = 0;  // the orbital's, Bohr radii
  // The surface reaches outside the cube of the atom radius: the orbital's
  // own box would cut it (the program says so, with the box used).
  bool BeyondAtomRadius = false;
  // True when the box is larger than the atom radius (Field->Half).
  bool Enlarged() const { return Field && Field->Half > AtomRadius; }
};

// The surfaces of one orbital: fields are sampled on first use and kept per
// box, the last two boxes used (about 9 MB each), and levels per share on a
// kept box. The electron must outlive
// this object. One thread at a time.
class WLENGINE_EXPORT SurfaceLevels {
 public:
  SurfaceLevels(const cElectron& electron, double atomRadius)
      : electron_(electron), radius_(atomRadius) {}

  // The surface holding `share` (0.05 to 0.999, else invalid procedure call,
  // 5). If the surface touches the cube's faces the box grows further, so the
  // surface is never clipped.
  SurfaceLevel For(double share);
  // The level holding `share` on the field of `outer` (a smaller share on the
  // box of a larger one, as nested shells need), kept per field and share.
  SurfaceLevel Within(const SurfaceLevel& outer, double share);

 private:
  std::shared_ptr<const ScalarField> FieldFor(double half);

  const cElectron& electron_;
  double radius_;
  std::map<double, std::shared_ptr<const ScalarField>> fields_;  // by half side
  double lastHalf_ = 0;                                          // the box used last
  std::map<double, SurfaceLevel> levels_;                        // by share
  std::map<std::pair<double, double>, SurfaceLevel> within_;     // by half side and share
};

}  // namespace wl
