// Sampling the probability grid and drawing the dot cloud from it.
#include <thread>

#include "core/Numeric.h"
#include "core/modRand.h"
#include "render/DotFill.h"
#include "render/Phase.h"
#include "render/ProbabilitySampler.h"
#include "render/cOrbital.h"

namespace wl {

void cOrbitalObject::SampleProbabilityGrid() {
  const OrbInfo info = Electron->GetInfo();
  const OptFactor factor = View_ == PDF ? info.PDFOptFactor : info.DRPDFOptFactor;
  WholeCube_ = factor == F1;
  ProbGrid.assign(static_cast<size_t>(WholeCube_ ? kCubeCells : kGridCells), 0);
  SamplerInput in;
  in.Electron = Electron.get();
  in.View = View_;
  in.AtomRadius = SetupInfo.AtomRadius;
  in.Factor = factor;
  ProbabilitySampler sampler(in, ProbGrid);
  Histogram freqs{};
  sampler.SampleAll(freqs, std::max(1u, std::thread::hardware_concurrency()));
  // The histogram adds to what the statistics held (a new object holds zeros).
  for (int v = 0; v < 256; ++v) Stats.ProbFreqs[v] = ToLong(Stats.ProbFreqs[v] + freqs[v]);
}

const std::vector<signed char>& cOrbitalObject::DotPhases() {
  if (DotSigns.size() != Dots.size()) {
    const double h = GridStep();
    DotSigns.resize(Dots.size());
    for (size_t i = 0; i < Dots.size(); ++i) {
      const PointArray& d = Dots[i];
      DotSigns[i] = static_cast<signed char>(Electron->GetPsiSign({d.X * h, d.Y * h, d.Z * h}));
    }
  }
  return DotSigns;
}

const std::vector<Byte>& cOrbitalObject::DotAngles() {
  if (DotArgs.size() != Dots.size()) {
    const double h = GridStep();
    DotArgs.resize(Dots.size());
    for (size_t i = 0; i < Dots.size(); ++i) {
      const PointArray& d = Dots[i];
      const double angle = std::arg(Electron->GetPsiComplex({d.X * h, d.Y * h, d.Z * h}));
      DotArgs[i] = static_cast<Byte>(PhaseWheel::StepOf(angle));
    }
  }
  return DotArgs;
}

void cOrbitalObject::FillDotMatrix() {
  DotSigns.clear();
  DotArgs.clear();
  const Integer D = SetupInfo.DotTarget;
  const Byte T = SetupInfo.DotThreshold;
  auto singleCentreDot = [this] {
    Dots.assign(1, PointArray{});
    DotLast = 0;
  };
  if (D == 0) return singleCentreDot();

  double S = 0;
  for (int p = T; p <= 255; ++p) S += static_cast<double>(Stats.ProbFreqs[p]) * p;
  if (S == 0) return singleCentreDot();

  std::array<Long, 256> chance{};
  for (int p = T; p <= 255; ++p) {
    const double c = p / S * D;
    chance[p] = c <= 1 ? CLng(c * 2147483647) : 2147483647;
  }

  // The generator continues from where it stood, as if the walk drew one
  // number after another; a fill that places no dot keeps the previous cloud.
  std::vector<PointArray> cloud;
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  const Long last = WholeCube_
                        ? CubeDotFill(ProbGrid.data(), T, chance)
                              .FillAll(modRand::CurrentSeed(), threads, cloud)
                        : DotFill(ProbGrid.data(), T, chance)
                              .FillAll(modRand::CurrentSeed(), threads, cloud);
  modRand::SetSeed(last);
  if (!cloud.empty()) Dots = std::move(cloud);

  DotLast = static_cast<Long>(Dots.size()) - 1;
  Long farthest = 0;  // squares summed in 32 bits: a corner dot reaches 3 · 127²
  for (const PointArray& d : Dots) {
    const Long r2 = Long{d.X} * d.X + Long{d.Y} * d.Y + Long{d.Z} * d.Z;
    if (r2 > farthest) farthest = r2;
  }
  // A cloud whose dots all lie at the centre keeps a finite scale; the centre's
  // shade is 128 whatever the scale.
  DotScale = farthest == 0 ? 127.0 : 127.0 / std::sqrt(static_cast<double>(farthest));
}

}  // namespace wl
