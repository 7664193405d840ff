// The wave function sampled on a cube of nodes around the nucleus, for the
// boundary surfaces: the surface renderer and the mesh read it, the enclosed
// share is integrated over it.
//
//        z
//        |   node (i, j, k) lies at (-Half + i·h, -Half + j·h, -Half + k·h),
//        |   h = 2·Half / (N - 1); i runs along x fastest, then j, then k.
//        +------ x      N is odd, so the nucleus is the middle node.
//       /
//      y
#pragma once

#include <vector>

#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl {

struct WLENGINE_EXPORT ScalarField {
  int N = 0;             // nodes per axis
  double Half = 0;       // the cube is [-Half, Half]³, Bohr radii
  bool Signed = false;   // Value holds ψ (single orbitals) or √ρ (subshell averages)
  std::vector<float> Value;  // N³ values, x fastest

  double Step() const { return 2 * Half / (N - 1); }
  size_t Index(int i, int j, int k) const {
    return static_cast<size_t>(i) + static_cast<size_t>(N) * (j + static_cast<size_t>(N) * k);
  }
  float At(int i, int j, int k) const { return Value[Index(i, j, k)]; }
  // The trilinear interpolation at a point (Bohr radii); 0 outside the cube.
  float Sample(double x, double y, double z) const;
};

// Samples ψ (or √ρ for subshell averages, whose GetPsi is NaN) of the
// probability density on N³ nodes over [-half, half]³. N must be odd and at
// least 3. Raises invalid procedure call (5) for other N or half <= 0.
WLENGINE_EXPORT ScalarField SampleField(const cElectron& electron, double half, int n);

}  // namespace wl
