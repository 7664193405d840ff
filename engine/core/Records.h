// The engine's public vocabulary: enumerations and plain value records shared by
// the engine, the control library and the program. Fields are in their fixed
// order with their fixed widths; records are copied whole by whoever receives them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace wl {

using Integer = std::int16_t;  // 16-bit signed
using Long = std::int32_t;     // 32-bit signed
using Byte = std::uint8_t;     // 8-bit unsigned
using Boolean = std::int16_t;  // 16-bit, true is -1

inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;
inline constexpr Boolean ToBoolean(bool b) {
  return b ? kTrue : kFalse;
}

enum RenderMode : std::int32_t {
  Orthographic = 0,
  Perspective = 1,
  Anaglyph = 2,
  Volumetric = 3,
  Transect = 4,
  BoundarySurface = 5,  // the lit surface that holds a share of the probability ("Surface")
};

// Colours of the two signs of ψ.
enum PhasePalette : std::int32_t {
  OrangeBlue = 0,  // the default
  RedBlue = 1,
  ColourSafe = 2,  // told apart by readers who confuse red and green
};

// Used as numbers: the main view is 375 by 375 pixels, the nano view 127 by 127.
enum RenderSize : std::int32_t {
  Main = 375,
  Nano = 128,
};

// The glasses an anaglyph is drawn for: the left eye's filter colour second.
enum AnaglyphGlasses : std::int32_t {
  RedGreen = 0,  // the default: red filter on the right eye, green on the left
  RedCyan = 1,   // most classroom glasses: red right, cyan left
};

enum TransectDirection : std::int32_t {
  AlongX = 0,
  Alongy = 1,
  Alongz = 2,
};

enum OrbitalType : std::int32_t {
  SingleOrb = 0,
  AverageOrbs = 1,
};

enum ViewMode : std::int32_t {
  PDF = 0,
  DRPDF = 1,
};

// Symmetry of a density that the sampler may exploit.
enum OptFactor : std::int32_t {
  F8 = 0,     // even in x, y and z
  F16xy = 1,  // and unchanged when x and y are exchanged
  F16yz = 2,
  F16xz = 3,
  F32 = 4,  // and unchanged under every exchange of coordinates
  F1 = 5,   // no mirror symmetry (hybrids, combinations): the whole cube is sampled
};

// Hybrid orbital sets, and the custom combination of up to four orbitals.
enum HybridSet : std::int32_t {
  NoHybrid = 0,
  HybridSp = 1,     // 2 members along +z and -z
  HybridSp2 = 2,    // 3 members in the xy plane at 120 degrees, the first along +x
  HybridSp3 = 3,    // 4 members along (1,1,1), (1,-1,-1), (-1,1,-1), (-1,-1,1)
  HybridSp3d = 4,   // 5 members: +z, -z, then three in the xy plane as sp2
  HybridSp3d2 = 5,  // 6 members along +x, -x, +y, -y, +z, -z
  CustomCombination = 6,
};

// One term of a custom combination: a single real orbital (a row of the
// orbital table) and its real coefficient before normalisation.
struct ComboTerm {
  Integer OrbitalIndex = 0;
  double Coefficient = 0;

  bool operator==(const ComboTerm&) const = default;
};

struct OrbInfo {
  std::u16string Name;  // display name, with the characters ² and ³
  Integer DefaultPDFAtomRadius = 0;
  Integer DefaultDRPDFAtomRadius = 0;
  Integer DefaultPDFDotThreshold = 0;
  Integer DefaultDRPDFDotThreshold = 0;
  Integer n = 0;
  Integer l = 0;
  Integer M = 0;
  OrbitalType OrbType = SingleOrb;
  OptFactor PDFOptFactor = F8;
  OptFactor DRPDFOptFactor = F8;
};

struct OrbitalSetup {
  Integer AtomRadius = 0;  // half-width of the sampled cube, Bohr radii
  Integer DotTarget = 0;
  Byte DotThreshold = 0;
  Integer OrbitalIndex = 0;  // a row of the orbital table, 0 to kOrbitalCount - 1
  ViewMode OrbitalViewMode = PDF;
  // Beyond hydrogen's real orbitals; the defaults give the table's orbital.
  Integer Charge = 1;           // nuclear charge Z, 1 to 10: psi_Z(r) = Z^(3/2) psi_1(Z r)
  Boolean Complex = kFalse;     // the complex orbital with definite m = the row's M (single rows)
  HybridSet Hybrid = NoHybrid;  // a hybrid set's member or the custom combination;
                                // OrbitalIndex is then not used
  Integer HybridMember = 1;     // 1 to the set's size
  Integer HybridShell = 2;      // n of the set's orbitals
  std::array<ComboTerm, 4> Terms{};  // CustomCombination: the first TermCount terms, one n
  Integer TermCount = 0;
};

struct RenderRequest {
  double Theta = 0;
  double Phi = 0;
  Integer CameraPos = 0;
  Integer ProjectionPlane = 0;
  Integer TransectNo = 0;
  Boolean Transector = kFalse;
  TransectDirection TransectDir = AlongX;
  RenderSize Size = Main;
  RenderMode Mode = Orthographic;
  Integer VolQuality = 0;
  Boolean VolFinal = kFalse;
  Boolean ShowProbLevelOnDots = kFalse;
  Boolean ShowProbLevelOnTrans = kFalse;
  Boolean UseColouredTransector = kFalse;
  Integer StereoFactor = 0;
  // The sign of ψ and the boundary surface. The defaults give the pictures of
  // a request without them.
  Boolean ShowPhase = kFalse;       // colour by the sign of ψ (single orbitals only)
  PhasePalette Palette = OrangeBlue;
  double EnclosedShare = 0.9;       // Surface: share of the probability inside, 0.05 to 0.999
  Boolean SurfaceNested = kFalse;   // Surface: an opaque 50% shell inside a translucent outer one
  Boolean SurfaceCutaway = kFalse;  // Surface: the half facing the viewer removed
  // Any-size pictures: the picture of `Size` drawn `Pixels` pixels a side
  // (16 to 4096) with the same content (the same dots, shading and slice),
  // every position scaled; 0 keeps the Size's own 375 or 128.
  Integer Pixels = 0;
  AnaglyphGlasses Glasses = RedGreen;
};

struct RenderDCinfo {
  Long MainHDC = 0;
  Long NanoHDC = 0;
};

struct OrbitalStats {
  Long FramesRendered = 0;
  std::array<Long, 256> ProbFreqs{};
  Long TotalSamples = 0;
  Byte Mode = 0;
  Long CalcTime = 0;
  Long CalcRate = 0;
  Long DotTarget = 0;
  Long DotTotal = 0;
  Long DotTime = 0;
};

struct COORDdouble {
  double X = 0, Y = 0, Z = 0;
};

// Squares of a point's coordinates, in Bohr radii squared.
struct COORDdoubleParams {
  double Xs = 0, Ys = 0, Zs = 0;
};

struct COORDlong {
  Long X = 0, Y = 0, Z = 0;
};

// One dot of a dot cloud: grid position (-127 to 127 each) and probability level.
struct PointArray {
  Integer X = 0, Y = 0, Z = 0;
  Byte P = 0;
};

// One pixel of a 32-bit bitmap in memory order.
struct RGBA {
  Byte B = 0, G = 0, R = 0, A = 0;
  friend bool operator==(const RGBA&, const RGBA&) = default;
};
static_assert(sizeof(RGBA) == 4);

}  // namespace wl
