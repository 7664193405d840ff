// The 40 wave-function classes, in the order of their orbital index. Each
// density ρ is the square of the orbital's wave function up to the constant
// kC, which makes ρ·kC the normalised probability density. Every density is
// written as e^(kExp·r) times its factors, multiplied left to right.
//
// Phase is the signed polynomial of ψ in the unsquared coordinates: the named
// Cartesian polynomial with a positive factor times the radial polynomial that
// is positive at the nucleus. Its square is the density's polynomial factor;
// only its sign is used. Subshell averages have none (0).
#pragma once

#include "orbitals/cWaveFunction.h"

namespace wl {

#define WL_WAVE_FUNCTION(Class, Index, Exp, Norm, PhasePolynomial, ...)                   \
  class Class final : public cWaveFunction<Class> {                                       \
   public:                                                                                \
    static constexpr int kIndex = Index;                                                  \
    static constexpr double kExp = Exp;                                                   \
    static constexpr double kC = Norm;                                                    \
    template <class T>                                                                    \
    static T Phase([[maybe_unused]] T x, [[maybe_unused]] T y, [[maybe_unused]] T z,      \
                   [[maybe_unused]] T r) {                                                \
      return PhasePolynomial;                                                             \
    }                                                                                     \
    template <class T>                                                                    \
    static T Density([[maybe_unused]] T xs, [[maybe_unused]] T ys, [[maybe_unused]] T zs, \
                     [[maybe_unused]] T r, [[maybe_unused]] T r2, T e) {                  \
      __VA_ARGS__                                                                         \
    }                                                                                     \
  };

// clang-format off
WL_WAVE_FUNCTION(orb1S,  0, kExpShell1, 0.318309886183791, T(1), return e;)
WL_WAVE_FUNCTION(orb2S,  1, kExpShell2, 0.00994718394324346, 2.0 - r,
                 T p = r - 2.0; return e * p * p;)
WL_WAVE_FUNCTION(orb2Px, 2, kExpShell2, 0.00994718394324346, x, return e * xs;)
WL_WAVE_FUNCTION(orb2Py, 3, kExpShell2, 0.00994718394324346, y, return e * ys;)
WL_WAVE_FUNCTION(orb2Pz, 4, kExpShell2, 0.00994718394324346, z, return e * zs;)
WL_WAVE_FUNCTION(orb3S,  5, kExpShell3, 0.000327479306773447,
                 6.0 - 4.0 * r + 0.4444444444444444 * r * r,
                 T p = 6.0 - 4.0 * r + 0.4444444444444444 * r2; return e * p * p;)
WL_WAVE_FUNCTION(orb3Px, 6, kExpShell3, 9.7030905710651E-05, x * (6.0 - r),
                 T p = r - 6.0; return e * xs * p * p;)
WL_WAVE_FUNCTION(orb3Py, 7, kExpShell3, 9.7030905710651E-05, y * (6.0 - r),
                 T p = r - 6.0; return e * ys * p * p;)
WL_WAVE_FUNCTION(orb3Pz, 8, kExpShell3, 9.7030905710651E-05, z * (6.0 - r),
                 T p = r - 6.0; return e * zs * p * p;)
WL_WAVE_FUNCTION(orb3Dz2, 9, kExpShell3, 8.08590880922092E-06, 2.0 * z * z - x * x - y * y,
                 T p = xs + ys - 2.0 * zs; return e * p * p;)
WL_WAVE_FUNCTION(orb3Dx2_y2, 10, kExpShell3, 2.42577264276628E-05, x * x - y * y,
                 T p = xs - ys; return e * p * p;)
WL_WAVE_FUNCTION(orb3Dxy, 11, kExpShell3, 9.7030905710651E-05, x * y, return e * xs * ys;)
WL_WAVE_FUNCTION(orb3Dxz, 12, kExpShell3, 9.7030905710651E-05, x * z, return e * xs * zs;)
WL_WAVE_FUNCTION(orb3Dyz, 13, kExpShell3, 9.7030905710651E-05, y * z, return e * ys * zs;)
WL_WAVE_FUNCTION(orb4S, 14, kExpShell4, 1.34917316938523E-07,
                 24.0 * (r * r + 8.0) - r * (r * r + 144.0),
                 T p = r * (r2 + 144.0) - 24.0 * (r2 + 8.0); return e * p * p;)
WL_WAVE_FUNCTION(orb4Px, 15, kExpShell4, 2.42851170489342E-07, x * (r * r + 80.0 - 20.0 * r),
                 T p = r2 + 80.0 - 20.0 * r; return e * xs * p * p;)
WL_WAVE_FUNCTION(orb4Py, 16, kExpShell4, 2.42851170489342E-07, y * (r * r + 80.0 - 20.0 * r),
                 T p = r2 + 80.0 - 20.0 * r; return e * ys * p * p;)
WL_WAVE_FUNCTION(orb4Pz, 17, kExpShell4, 2.42851170489342E-07, z * (r * r + 80.0 - 20.0 * r),
                 T p = r2 + 80.0 - 20.0 * r; return e * zs * p * p;)
WL_WAVE_FUNCTION(orb4Dz2, 18, kExpShell4, 3.37293292346309E-08,
                 (2.0 * z * z - x * x - y * y) * (12.0 - r),
                 T a = xs + ys - 2.0 * zs; T b = r - 12.0; return e * a * a * b * b;)
WL_WAVE_FUNCTION(orb4Dx2_y2, 19, kExpShell4, 1.01187987703893E-07, (x * x - y * y) * (12.0 - r),
                 T a = xs - ys; T b = r - 12.0; return e * a * a * b * b;)
WL_WAVE_FUNCTION(orb4Dxy, 20, kExpShell4, 4.0475195081557E-07, x * y * (12.0 - r),
                 T b = r - 12.0; return e * xs * ys * b * b;)
WL_WAVE_FUNCTION(orb4Dxz, 21, kExpShell4, 4.0475195081557E-07, x * z * (12.0 - r),
                 T b = r - 12.0; return e * xs * zs * b * b;)
WL_WAVE_FUNCTION(orb4Dyz, 22, kExpShell4, 4.0475195081557E-07, y * z * (12.0 - r),
                 T b = r - 12.0; return e * ys * zs * b * b;)
WL_WAVE_FUNCTION(orb4Fz3, 23, kExpShell4, 6.74586584692617E-09,
                 z * (2.0 * z * z - 3.0 * (x * x + y * y)),
                 T p = 3.0 * (xs + ys) - 2.0 * zs; return e * zs * p * p;)
WL_WAVE_FUNCTION(orb4Fxz2, 24, kExpShell4, 1.01187987703893E-08, x * (4.0 * z * z - x * x - y * y),
                 T p = xs + ys - 4.0 * zs; return e * xs * p * p;)
WL_WAVE_FUNCTION(orb4Fyz2, 25, kExpShell4, 1.01187987703893E-08, y * (4.0 * z * z - x * x - y * y),
                 T p = xs + ys - 4.0 * zs; return e * ys * p * p;)
WL_WAVE_FUNCTION(orb4Fx2z_y2z, 26, kExpShell4, 1.01187987703893E-07, z * (x * x - y * y),
                 T p = xs - ys; return e * zs * p * p;)
WL_WAVE_FUNCTION(orb4Fxyz, 27, kExpShell4, 4.0475195081557E-07, x * y * z, return e * xs * ys * zs;)
WL_WAVE_FUNCTION(orb4Fx3_3xy2, 28, kExpShell4, 1.68646646173154E-08, x * (x * x - 3.0 * y * y),
                 T p = xs - 3.0 * ys; return e * xs * p * p;)
WL_WAVE_FUNCTION(orb4F3x2y_y3, 29, kExpShell4, 1.68646646173154E-08, y * (3.0 * x * x - y * y),
                 T p = ys - 3.0 * xs; return e * ys * p * p;)
WL_WAVE_FUNCTION(orbAv1S, 30, kExpShell1, 0.318309886183791, T(0), return e;)
WL_WAVE_FUNCTION(orbAv2S, 31, kExpShell2, 0.00994718394324346, T(0),
                 T p = r - 2.0; return e * p * p;)
WL_WAVE_FUNCTION(orbAv2P, 32, kExpShell2, 0.00331572798108115, T(0), return e * r2;)
WL_WAVE_FUNCTION(orbAv3S, 33, kExpShell3, 0.000327479306773447, T(0),
                 T p = 6.0 - 4.0 * r + 0.4444444444444444 * r2; return e * p * p;)
WL_WAVE_FUNCTION(orbAv3P, 34, kExpShell3, 3.23436352368837E-05, T(0),
                 T p = r - 6.0; return e * p * p * r2;)
WL_WAVE_FUNCTION(orbAv3D, 35, kExpShell3, 6.46872704737673E-06, T(0), return e * r2 * r2;)
WL_WAVE_FUNCTION(orbAv4S, 36, kExpShell4, 1.34917316938523E-07, T(0),
                 T p = r * (r2 + 144.0) - 24.0 * (r2 + 8.0); return e * p * p;)
WL_WAVE_FUNCTION(orbAv4P, 37, kExpShell4, 8.09503901631141E-08, T(0),
                 T p = r2 + 80.0 - 20.0 * r; return e * p * p * r2;)
WL_WAVE_FUNCTION(orbAv4D, 38, kExpShell4, 2.69834633877047E-08, T(0),
                 T p = r - 12.0; return e * p * p * r2 * r2;)
WL_WAVE_FUNCTION(orbAv4F, 39, kExpShell4, 3.85478048395781E-09, T(0), return e * r2 * r2 * r2;)
// clang-format on

#undef WL_WAVE_FUNCTION

// Calls f.template operator()<Class>() for each of the 40 classes in index order.
#define WL_FOR_EACH_WAVE_FUNCTION(X)                                                             \
  X(orb1S)                                                                                       \
  X(orb2S) X(orb2Px) X(orb2Py) X(orb2Pz) X(orb3S) X(orb3Px) X(orb3Py) X(orb3Pz) X(orb3Dz2)       \
      X(orb3Dx2_y2) X(orb3Dxy) X(orb3Dxz) X(orb3Dyz) X(orb4S) X(orb4Px) X(orb4Py) X(orb4Pz)      \
          X(orb4Dz2) X(orb4Dx2_y2) X(orb4Dxy) X(orb4Dxz) X(orb4Dyz) X(orb4Fz3) X(orb4Fxz2)       \
              X(orb4Fyz2) X(orb4Fx2z_y2z) X(orb4Fxyz) X(orb4Fx3_3xy2) X(orb4F3x2y_y3) X(orbAv1S) \
                  X(orbAv2S) X(orbAv2P) X(orbAv3S) X(orbAv3P) X(orbAv3D) X(orbAv4S) X(orbAv4P)   \
                      X(orbAv4D) X(orbAv4F)

}  // namespace wl
