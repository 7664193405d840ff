// The orbital table: one row of constants per orbital index 0 to 39.
#pragma once

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

struct OrbitalRow {
  const char16_t* Name;
  Integer n, l, M;
  OrbitalType OrbType;
  Integer PDFRadius, PDFThreshold;
  OptFactor PDFOpt;
  Integer DRPDFRadius, DRPDFThreshold;
  OptFactor DRPDFOpt;
};

// clang-format off
inline constexpr OrbitalRow kOrbitalTable[40] = {
  {u"1S",          1, 0,  0, SingleOrb,    2, 30, F32,    3, 50, F16xy},
  {u"2S",          2, 0,  0, SingleOrb,    8, 30, F32,   10, 50, F16xy},
  {u"2Px",         2, 1,  1, SingleOrb,    8, 50, F16yz, 10, 50, F8},
  {u"2Py",         2, 1, -1, SingleOrb,    8, 50, F16xz, 10, 50, F8},
  {u"2Pz",         2, 1,  0, SingleOrb,    8, 50, F16xy, 10, 50, F16xy},
  {u"3S",          3, 0,  0, SingleOrb,   18, 50, F32,   20, 50, F16xy},
  {u"3Px",         3, 1,  1, SingleOrb,   18, 50, F16yz, 20, 50, F8},
  {u"3Py",         3, 1, -1, SingleOrb,   18, 50, F16xz, 20, 50, F8},
  {u"3Pz",         3, 1,  0, SingleOrb,   18, 50, F16xy, 20, 50, F16xy},
  {u"3Dz²",        3, 2,  0, SingleOrb,   18, 30, F16xy, 20, 50, F16xy},
  {u"3Dx²-y²",     3, 2,  2, SingleOrb,   18, 50, F8,    20, 50, F8},
  {u"3Dxy",        3, 2, -2, SingleOrb,   18, 50, F16xy, 20, 50, F16xy},
  {u"3Dxz",        3, 2,  1, SingleOrb,   18, 50, F16xz, 20, 50, F8},
  {u"3Dyz",        3, 2, -1, SingleOrb,   18, 50, F16yz, 20, 50, F8},
  {u"4S",          4, 0,  0, SingleOrb,   28, 50, F32,   32, 50, F16xy},
  {u"4Px",         4, 1,  1, SingleOrb,   28, 50, F16yz, 32, 50, F8},
  {u"4Py",         4, 1, -1, SingleOrb,   28, 50, F16xz, 32, 50, F8},
  {u"4Pz",         4, 1,  0, SingleOrb,   28, 50, F16xy, 32, 50, F16xy},
  {u"4Dz²",        4, 2,  0, SingleOrb,   28, 30, F16xy, 32, 50, F16xy},
  {u"4Dx²-y²",     4, 2,  2, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"4Dxy",        4, 2, -2, SingleOrb,   28, 50, F16xy, 32, 50, F16xy},
  {u"4Dxz",        4, 2,  1, SingleOrb,   28, 50, F16xz, 32, 50, F8},
  {u"4Dyz",        4, 2, -1, SingleOrb,   28, 50, F16yz, 32, 50, F8},
  {u"4Fz³",        4, 3,  0, SingleOrb,   28, 30, F16xy, 32, 50, F16xy},
  {u"4Fxz²",       4, 3,  1, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"4Fyz²",       4, 3, -1, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"4Fz(x²-y²)",  4, 3,  2, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"4Fxyz",       4, 3, -2, SingleOrb,   28, 50, F32,   32, 50, F16xy},
  {u"4Fx(x²-3y²)", 4, 3,  3, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"4Fy(3x²-y²)", 4, 3, -3, SingleOrb,   28, 50, F8,    32, 50, F8},
  {u"1S",          1, 0,  0, AverageOrbs,  2, 50, F32,    3, 50, F32},
  {u"2S",          2, 0,  0, AverageOrbs,  8, 30, F32,   10, 50, F32},
  {u"2P",          2, 1,  0, AverageOrbs,  8, 50, F32,   10, 50, F32},
  {u"3S",          3, 0,  0, AverageOrbs, 18, 50, F32,   20, 50, F32},
  {u"3P",          3, 1,  0, AverageOrbs, 18, 50, F32,   20, 50, F32},
  {u"3D",          3, 2,  0, AverageOrbs, 18, 50, F32,   20, 50, F32},
  {u"4S",          4, 0,  0, AverageOrbs, 28, 50, F32,   32, 50, F32},
  {u"4P",          4, 1,  0, AverageOrbs, 28, 50, F32,   32, 50, F32},
  {u"4D",          4, 2,  0, AverageOrbs, 28, 50, F32,   32, 50, F32},
  {u"4F",          4, 3,  0, AverageOrbs, 28, 50, F32,   32, 50, F32},
};
// clang-format on

inline OrbInfo MakeOrbInfo(const OrbitalRow& row) {
  OrbInfo info;
  info.Name = row.Name;
  info.DefaultPDFAtomRadius = row.PDFRadius;
  info.DefaultDRPDFAtomRadius = row.DRPDFRadius;
  info.DefaultPDFDotThreshold = row.PDFThreshold;
  info.DefaultDRPDFDotThreshold = row.DRPDFThreshold;
  info.n = row.n;
  info.l = row.l;
  info.M = row.M;
  info.OrbType = row.OrbType;
  info.PDFOptFactor = row.PDFOpt;
  info.DRPDFOptFactor = row.DRPDFOpt;
  return info;
}

}  // namespace wl
