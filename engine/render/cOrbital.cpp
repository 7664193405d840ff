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

// The seed of a calculation: fixed by the seed hook, else from the clock.
// The clock gives 0 during the first 32.8 seconds after start-up; the
// generator would then return its modulus forever and place no dot, so the
// clock's 0 is taken as 1.
Long SeedFromClock() {
  if (auto fixed = SeedHook()) return *fixed;
  const auto t = static_cast<std::int32_t>(timeGetTime());
  const Long seed = static_cast<Long>(Int(std::fabs(t / 2147483647.0 * 65536.0)));
  return seed == 0 ? 1 : seed;
}
}  // namespace

void cOrbitalObject::Setup(const OrbitalSetup& DrawCmds) {
  SetupWith(DrawCmds, modOrbitals::CreateElectron(DrawCmds.OrbitalIndex));
}

void cOrbitalObject::SetupWith(const OrbitalSetup& DrawCmds, std::unique_ptr<cElectron> electron) {
  SetupInfo = DrawCmds;
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

double cOrbitalObject::NonScaledDensity(const COORDdoubleParams& c) const {
  return View_ == PDF ? Electron->GetNonScaledPDF(c) : Electron->GetNonScaledDRPDF(c);
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
  Stats.TotalSamples = kGridCells;
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
