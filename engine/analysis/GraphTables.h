// The sampled curves that graphs draw and that CSV files list: R, P and the
// probability within a radius on an even grid of radii, and the angular factor
// around a plane. Qt-free, so the command-line tool writes the same numbers
// without Qt as the Graphs window exports.
#pragma once

#include <string>
#include <vector>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

struct RadialRow {
  double r = 0;           // Bohr radii
  double R = 0;           // a₀^(-3/2)
  double P = 0;           // per a₀
  double Cumulative = 0;  // P(r' < r)
};

struct AngularRow {
  double Angle = 0;   // radians in the plane, from its first axis to its second
  double Factor = 0;  // the signed angular factor
};

// The round step of about a fifth of `length` (> 0): 1, 2 or 5 times a power
// of ten. Axes tick at its multiples.
WLENGINE_EXPORT double RoundStep(double length);

// A round radius (a multiple of 1, 2 or 5 times a power of ten, about a fifth
// of it) at or beyond the radius holding 99.9% of the probability: the end of
// the radial graphs' axis.
WLENGINE_EXPORT double RadialPlotEnd(int n, int l);

// `points` rows (2 or more) at even steps from r = 0 to `rmax` (> 0), both
// included. Raises invalid procedure call (5) for other arguments.
WLENGINE_EXPORT std::vector<RadialRow> RadialRows(int n, int l, double rmax, int points);

// `points` rows (4 or more) at even angles from 0 to 2π, 0 included, 2π not.
// Raises invalid procedure call (5) for fewer points, subscript out of range
// (9) for a row outside the orbital table.
WLENGINE_EXPORT std::vector<AngularRow> AngularRows(int orbitalIndex, TransectDirection plane,
                                                    int points);

// CSV text with a header row: "r,R,P,cumulative" and "angle_deg,factor" (the
// angle in degrees). Numbers with 10 significant digits, lines ending in \n.
WLENGINE_EXPORT std::string RadialCsv(const std::vector<RadialRow>& rows);
WLENGINE_EXPORT std::string AngularCsv(const std::vector<AngularRow>& rows);

}  // namespace wl
