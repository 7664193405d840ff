// How much of the probability a view shows: the share of it in the cells whose
// level lies above the dot threshold, and the share inside the sampled cube,
// for the viewer's caption ("dots show the 11% of the probability above level
// 30; the box holds 99%").
#pragma once

#include "render/cOrbital.h"
#include "wlengine_export.h"

namespace wl {

struct ProbabilityShares {
  double AboveThreshold = 0;  // 0 to 1: in the cells whose level exceeds the dot threshold
  double InBox = 0;           // 0 to 1: inside the cube [-R, R]³ of the atom radius R
};

// The probability in the grid cells whose level (PDF or DRPDF, as the orbital
// was sampled) exceeds the orbital's dot threshold: each cell's real density
// (GetRealPDF, whatever the view) times the cell volume h³, h = R / 127, the
// first octant's cells weighed by the mirror cells they stand for (1 at the
// nucleus, 2 on an axis, 4 on a coordinate plane, 8 inside). A node-lattice
// sum: its error is that of the staircase boundary, about h / R of the share.
// Evaluates the density at every cell above the threshold (a few ms). Raises
// object not set (91) for an orbital that was never calculated.
WLENGINE_EXPORT double ShareAboveThreshold(const cOrbitalObject& orbital);

// The probability inside the cube [-R, R]³: the octant cube split into the
// three pyramids from the nucleus to its outer faces, each integrated along
// its rays by Gauss-Legendre rules (the density is smooth along a ray and
// across a face), rays cut where the density's tail is below 1e-12. Agrees
// with the exact integral to about 1e-12. Raises as ShareAboveThreshold.
WLENGINE_EXPORT double ShareInBox(const cOrbitalObject& orbital);

// Both shares.
WLENGINE_EXPORT ProbabilityShares GetShares(const cOrbitalObject& orbital);

}  // namespace wl
