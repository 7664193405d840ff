// The orbital table as the tests expect it: one row per orbital index, in the
// column order of `wavelore-render list`. Names are UTF-8 with ² and ³.
#pragma once

#include <array>

namespace wltest {

struct ExpectedOrbital {
  int index;
  const char* name;
  int n, l, M;
  const char* type;
  int pdfRadius, pdfThreshold;
  const char* pdfFactor;
  int drpdfRadius, drpdfThreshold;
  const char* drpdfFactor;
};

// clang-format off
inline constexpr std::array<ExpectedOrbital, 40> kExpectedOrbitals{{
    {0, "1S", 1, 0, 0, "SingleOrb", 2, 30, "F32", 3, 50, "F16xy"},
    {1, "2S", 2, 0, 0, "SingleOrb", 8, 30, "F32", 10, 50, "F16xy"},
    {2, "2Px", 2, 1, 1, "SingleOrb", 8, 50, "F16yz", 10, 50, "F8"},
    {3, "2Py", 2, 1, -1, "SingleOrb", 8, 50, "F16xz", 10, 50, "F8"},
    {4, "2Pz", 2, 1, 0, "SingleOrb", 8, 50, "F16xy", 10, 50, "F16xy"},
    {5, "3S", 3, 0, 0, "SingleOrb", 18, 50, "F32", 20, 50, "F16xy"},
    {6, "3Px", 3, 1, 1, "SingleOrb", 18, 50, "F16yz", 20, 50, "F8"},
    {7, "3Py", 3, 1, -1, "SingleOrb", 18, 50, "F16xz", 20, 50, "F8"},
    {8, "3Pz", 3, 1, 0, "SingleOrb", 18, 50, "F16xy", 20, 50, "F16xy"},
    {9, "3Dz²", 3, 2, 0, "SingleOrb", 18, 30, "F16xy", 20, 50, "F16xy"},
    {10, "3Dx²-y²", 3, 2, 2, "SingleOrb", 18, 50, "F8", 20, 50, "F8"},
    {11, "3Dxy", 3, 2, -2, "SingleOrb", 18, 50, "F16xy", 20, 50, "F16xy"},
    {12, "3Dxz", 3, 2, 1, "SingleOrb", 18, 50, "F16xz", 20, 50, "F8"},
    {13, "3Dyz", 3, 2, -1, "SingleOrb", 18, 50, "F16yz", 20, 50, "F8"},
    {14, "4S", 4, 0, 0, "SingleOrb", 28, 50, "F32", 32, 50, "F16xy"},
    {15, "4Px", 4, 1, 1, "SingleOrb", 28, 50, "F16yz", 32, 50, "F8"},
    {16, "4Py", 4, 1, -1, "SingleOrb", 28, 50, "F16xz", 32, 50, "F8"},
    {17, "4Pz", 4, 1, 0, "SingleOrb", 28, 50, "F16xy", 32, 50, "F16xy"},
    {18, "4Dz²", 4, 2, 0, "SingleOrb", 28, 30, "F16xy", 32, 50, "F16xy"},
    {19, "4Dx²-y²", 4, 2, 2, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {20, "4Dxy", 4, 2, -2, "SingleOrb", 28, 50, "F16xy", 32, 50, "F16xy"},
    {21, "4Dxz", 4, 2, 1, "SingleOrb", 28, 50, "F16xz", 32, 50, "F8"},
    {22, "4Dyz", 4, 2, -1, "SingleOrb", 28, 50, "F16yz", 32, 50, "F8"},
    {23, "4Fz³", 4, 3, 0, "SingleOrb", 28, 30, "F16xy", 32, 50, "F16xy"},
    {24, "4Fxz²", 4, 3, 1, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {25, "4Fyz²", 4, 3, -1, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {26, "4Fz(x²-y²)", 4, 3, 2, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {27, "4Fxyz", 4, 3, -2, "SingleOrb", 28, 50, "F32", 32, 50, "F16xy"},
    {28, "4Fx(x²-3y²)", 4, 3, 3, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {29, "4Fy(3x²-y²)", 4, 3, -3, "SingleOrb", 28, 50, "F8", 32, 50, "F8"},
    {30, "1S", 1, 0, 0, "AverageOrbs", 2, 50, "F32", 3, 50, "F32"},
    {31, "2S", 2, 0, 0, "AverageOrbs", 8, 30, "F32", 10, 50, "F32"},
    {32, "2P", 2, 1, 0, "AverageOrbs", 8, 50, "F32", 10, 50, "F32"},
    {33, "3S", 3, 0, 0, "AverageOrbs", 18, 50, "F32", 20, 50, "F32"},
    {34, "3P", 3, 1, 0, "AverageOrbs", 18, 50, "F32", 20, 50, "F32"},
    {35, "3D", 3, 2, 0, "AverageOrbs", 18, 50, "F32", 20, 50, "F32"},
    {36, "4S", 4, 0, 0, "AverageOrbs", 28, 50, "F32", 32, 50, "F32"},
    {37, "4P", 4, 1, 0, "AverageOrbs", 28, 50, "F32", 32, 50, "F32"},
    {38, "4D", 4, 2, 0, "AverageOrbs", 28, 50, "F32", 32, 50, "F32"},
    {39, "4F", 4, 3, 0, "AverageOrbs", 28, 50, "F32", 32, 50, "F32"},
}};
// clang-format on

}  // namespace wltest
