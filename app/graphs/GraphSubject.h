// What the Graphs window is told about an orbital: enough to draw its radial,
// cumulative and angular graphs and to name it in a legend.
#pragma once

#include <QString>
#include <vector>

#include "core/Records.h"

namespace wl {

struct GraphSubject {
  int EngineIndex = -1;   // the orbital's index among the calculated ones (-1: none)
  int OrbitalIndex = 0;   // its row of the orbital table
  QString Name;           // as the viewer titles it, e.g. "3Dz² (3,2,0)"
  int n = 1, l = 0;
  bool Average = false;   // a subshell average: round, no sign
  bool Complex = false;   // a complex orbital: a phase angle rather than a sign; its
                          // angular graph shows |Y|, round about z
  ViewMode View = PDF;    // DRPDF views get the line on the r² sin θ weighting
  double AtomRadius = 0;  // half-width of the sampled cube, Bohr radii
  TransectDirection SlicePlane = Alongy;  // the angular graph's plane
  int Charge = 1;         // nuclear charge Z: radii shrink as 1/Z
  // A hybrid or combination: its normalised terms (rows of one shell n, Σ c² = 1);
  // empty for one orbital of the table.
  std::vector<ComboTerm> Terms;
};

}  // namespace wl
