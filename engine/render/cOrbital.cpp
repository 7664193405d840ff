#include "render/cOrbital.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/Numeric.h"
#include "core/Platform.h"
#include "core/modOrbitals.h"
#include "core/modRand.h"

namespace wl {

cOrbital::~cOrbital() = default;

cOrbitalObject::cOrbitalObject(ViewMode view) : View_(view) {}

cOrbitalPDF::~cOrbitalPDF() {
  DebugPrint("ORB pdf Terminate");
}
cOrbitalDRPDF::~cOrbitalDRPDF() {
  DebugPrint("ORB DRPDF Terminate");
}

namespace {
// Milliseconds between two readings of the 32-bit clock.
Long Elapsed(std::uint32_t t0) {
  return static_cast<Long>(timeGetTime() - t0);
}

// The seed of a calculation: fixed by the seed hook, else the millisecond
// clock itself, so that calculations in different milliseconds draw different
// clouds. It is kept within 1 to 2147483646: the generator would repeat its
// modulus forever from 0 or 2147483647 and place no dot.
Long SeedFromClock() {
  if (auto fixed = SeedHook()) return *fixed;
  return static_cast<Long>(timeGetTime() % 2147483646u) + 1;
}
}  // namespace

void cOrbitalObject::Setup(const OrbitalSetup& DrawCmds) {
  SetupWith(DrawCmds, modOrbitals::CreateElectron(DrawCmds));
}

void cOrbitalObject::SetupWith(const OrbitalSetup& DrawCmds, std::unique_ptr<cElectron> electron) {
  SetupInfo = DrawCmds;
  Surface_.reset();  // its levels refer to the old wave function
  Electron = std::move(electron);
  if (!Electron) {
    RaiseError(kObjectNotSet, "no orbital with index " + std::to_string(DrawCmds.OrbitalIndex));
  }
  Peak_ = FindPeakDensity();
  const double scale = FDiv(255.0, Peak_);
  if (View_ == PDF) {
    Electron->SetPDFScaleFactor(scale);
  } else {
    Electron->SetDRPDFScaleFactor(scale);
  }
  Seed_ = SeedFromClock();
  modRand::SetSeed(Seed_);

  std::uint32_t t0 = timeGetTime();
  SampleProbabilityGrid();
  Long calcTime = Elapsed(t0);

  t0 = timeGetTime();
  FillDotMatrix();
  const Long dotTime = Elapsed(t0);

  UpdateStats(calcTime, dotTime);
}

Long cOrbitalObject::ReFillDotMatrix(Long TargetNum, Byte ProbThreshHold) {
  SetupInfo.DotTarget = ToInteger(TargetNum);
  SetupInfo.DotThreshold = ProbThreshHold;
  const std::uint32_t t0 = timeGetTime();
  FillDotMatrix();
  const Long dotTime = Elapsed(t0);
  Long calcTime = Stats.CalcTime;
  UpdateStats(calcTime, dotTime);
  return 0;
}

void cOrbitalObject::UpdateStats(Long& calcTime, Long dotTime) {
  Stats.TotalSamples = WholeCube_ ? kCubeCells : kGridCells;
  if (calcTime == 0) calcTime = 1;
  Stats.CalcRate = CLng(static_cast<double>(Stats.TotalSamples) / calcTime);
  Stats.CalcTime = calcTime;
  Stats.DotTime = dotTime;
  Stats.DotTarget = SetupInfo.DotTarget;
  Stats.DotTotal = DotLast + 1;
  Long best = 0;
  for (int p = 0; p < 256; ++p) {
    if (Stats.ProbFreqs[p] > best) {
      best = Stats.ProbFreqs[p];
      Stats.Mode = static_cast<Byte>(p);
    }
  }
}

}  // namespace wl
