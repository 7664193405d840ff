// Sampling the probability grid and drawing the dot cloud from it.
#include <thread>

#include "core/Numeric.h"
#include "core/modRand.h"
#include "render/ProbabilitySampler.h"
#include "render/RowScan.h"
#include "render/cOrbital.h"

namespace wl {

void cOrbitalObject::SampleProbabilityGrid() {
  ProbGrid.assign(static_cast<size_t>(kGridCells), 0);
  const OrbInfo info = Electron->GetInfo();
  SamplerInput in;
  in.Electron = Electron.get();
  in.View = View_;
  in.AtomRadius = SetupInfo.AtomRadius;
  in.Factor = View_ == PDF ? info.PDFOptFactor : info.DRPDFOptFactor;
  ProbabilitySampler sampler(in, ProbGrid);
  Histogram freqs{};
  sampler.SampleAll(freqs, std::max(1u, std::thread::hardware_concurrency()));
  // The histogram adds to what the statistics held (a new object holds zeros).
  for (int v = 0; v < 256; ++v) Stats.ProbFreqs[v] = ToLong(Stats.ProbFreqs[v] + freqs[v]);
}

namespace {
// Candidate dots of one cell in their fixed order of mirror images.
struct Mirror {
  signed char x, y, z;
};
constexpr Mirror kInteriorMirrors[8] = {{1, 1, 1},   {-1, 1, 1},  {1, -1, 1},  {1, 1, -1},
                                        {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}, {-1, -1, -1}};
constexpr Mirror kPlaneMirrors[4] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}};

}  // namespace

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

void cOrbitalObject::FillDotMatrix() {
  DotSigns.clear();
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

  bool placed = false;
  auto place = [&](int x, int y, int z, Byte v) {
    if (modRand::NextRandom() < chance[v]) {
      if (!placed) {
        Dots.clear();
        placed = true;
      }
      Dots.push_back(
          PointArray{static_cast<Integer>(x), static_cast<Integer>(y), static_cast<Integer>(z), v});
    }
  };
  auto cell = [&](int i, int j, int k) { return ProbGrid[GridIndex(i, j, k)]; };

  // The origin, then the axes (positive index first).
  if (Byte v = cell(0, 0, 0); v > T) place(0, 0, 0, v);
  for (int axis = 0; axis < 3; ++axis) {
    for (int i = 1; i < 128; ++i) {
      const int x = axis == 0 ? i : 0, y = axis == 1 ? i : 0, z = axis == 2 ? i : 0;
      const Byte v = cell(x, y, z);
      if (v <= T) continue;
      place(x, y, z, v);
      place(-x, -y, -z, v);
    }
  }
  // The planes z = 0, y = 0, x = 0; signs of the two free indices ++, -+, +-, --.
  for (int plane = 0; plane < 3; ++plane) {
    for (int a = 1; a < 128; ++a) {
      for (int b = 1; b < 128; ++b) {
        const int x = plane == 2 ? 0 : b;
        const int y = plane == 0 ? a : plane == 2 ? b : 0;
        const int z = plane == 0 ? 0 : a;
        const Byte v = cell(x, y, z);
        if (v <= T) continue;
        for (const Mirror& m : kPlaneMirrors) {
          // The first free index takes m.x's sign, the second m.y's.
          if (plane == 0)
            place(m.x * x, m.y * y, 0, v);
          else if (plane == 1)
            place(m.x * x, 0, m.y * z, v);
          else
            place(0, m.x * y, m.y * z, v);
        }
      }
    }
  }
  // The interior, k, j, i each 1 to 127.
  for (int k = 1; k < 128; ++k) {
    for (int j = 1; j < 128; ++j) {
      const Byte* row = &ProbGrid[GridIndex(0, j, k)];
      ForEachAbove(row, T, [&](int i) {
        for (const Mirror& m : kInteriorMirrors) place(m.x * i, m.y * j, m.z * k, row[i]);
      });
    }
  }

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
