// Orbitals for the benchmarks: the table's default setup of an orbital, and
// 3Dz² at its PDF defaults calculated once (seed 1, engine index 0), shared
// by the rendering benchmarks.
#pragma once

#include "core/Records.h"
#include "core/cOrbitalCol.h"

namespace wlbench {

inline constexpr wl::Integer k3Dz2 = 9;

// The orbital's default radius and threshold for its view, 16000 dots.
wl::OrbitalSetup DefaultSetup(wl::Integer index, bool drpdf);

wl::cOrbitalCol& Calculated3Dz2();

}  // namespace wlbench
