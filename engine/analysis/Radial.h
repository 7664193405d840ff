// The radial and angular numbers of hydrogen's orbitals that graphs and
// markers show: R_nl, the radial distribution P(r) = r²R², the probability
// within a radius, node radii, the most probable and the mean radius, and the
// angular factor of an orbital in a plane through the nucleus.
//
// Lengths are in Bohr radii, R in a₀^(-3/2), P per a₀. Subshell averages share
// the radial functions of their subshell (n, l). Every function is pure and
// safe to call from several threads. Quantum numbers outside 1 <= n <= 7,
// 0 <= l < n raise invalid procedure call (5).
#pragma once

#include <vector>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

// R_nl(r): the normalised radial function, ∫ R² r² dr = 1, positive near the
// nucleus (the sign of the engine's wave functions).
WLENGINE_EXPORT double RadialR(int n, int l, double r);

// P(r) = r² R_nl(r)²: the probability per unit radius.
WLENGINE_EXPORT double RadialP(int n, int l, double r);

// P(r < a) = ∫₀^a P(r) dr, 0 for a <= 0, rising to 1; accurate to 1e-12.
WLENGINE_EXPORT double CumulativeP(int n, int l, double a);

// The n - l - 1 radii where R_nl changes sign, in increasing order, to 1e-10.
WLENGINE_EXPORT std::vector<double> RadialNodes(int n, int l);

// The radius of the largest P(r) (the most probable radius), to 1e-10.
WLENGINE_EXPORT double MostProbableRadius(int n, int l);

// ⟨r⟩ = (3n² - l(l+1)) / 2.
WLENGINE_EXPORT double MeanRadius(int n, int l);

// The radius a with P(r < a) = share (0 < share < 1), to 1e-10; else invalid
// procedure call (5).
WLENGINE_EXPORT double RadiusHolding(int n, int l, double share);

// A plane through the nucleus: the slice plane of a transect along the given
// axis (along x: the yz plane, along y: xz, along z: xy). Angles in the plane
// run from its first axis towards its second: xz from +x towards +z, yz from
// +y towards +z, xy from +x towards +y, in radians.
struct PlaneAxes {
  COORDdouble First, Second;  // unit vectors of the plane's two axes
};
WLENGINE_EXPORT PlaneAxes SlicePlane(TransectDirection dir);

// The angular factor of orbital `orbitalIndex` (a row of the orbital table)
// in direction `angle` of `plane`: ψ(r·u) / R_nl(r) for the unit vector u, so
// that its sign is the sign of ψ the phase colours show. For subshell
// averages it is the round √(1/4π). Raises subscript out of range (9) for a
// row outside the table.
WLENGINE_EXPORT double AngularFactor(int orbitalIndex, TransectDirection plane, double angle);

// The angles in [0, 2π) of `plane` where the angular factor changes sign
// (nodal planes and cones crossing the plane), increasing, to 1e-10. Empty for
// s orbitals, averages, and orbitals with no node in that plane; a plane lying
// in a nodal plane has every factor 0 and also gives none.
WLENGINE_EXPORT std::vector<double> AngularNodes(int orbitalIndex, TransectDirection plane);

}  // namespace wl
