// Enclosed probability: the density value whose level set bounds a given
// share of the probability, integrated over a sampled field.
#pragma once

#include "render/ScalarField.h"
#include "wlengine_export.h"

namespace wl {

struct EnclosedShare {
  double Density = 0;  // t: the region where ψ² > t holds the share (Bohr radii^-3)
  double Total = 0;    // ∫ψ² over the field's cube by the same rule (1 when nothing is cut off)
};

// The density t such that the nodes with ψ² > t carry `share` of the
// probability the field's cube holds, each node weighing h³ (the midpoint
// rule on the node lattice). share must lie in [0.05, 0.999], else invalid
// procedure call (5). The error against the exact integral is the rule's
// (h² times the density's curvature) plus what lies outside the cube
// (1 - Total); tests bound both.
WLENGINE_EXPORT EnclosedShare DensityForShare(const ScalarField& field, double share);

}  // namespace wl
