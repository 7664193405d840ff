// The sampler of the probability grid: the byte density of every cell of the
// first octant, each evaluated cell written to the cells its symmetry gives,
// and the histogram of levels weighted by the cells of the whole cube that
// each evaluation stands for.
//
// A density without mirror symmetry (F1) is sampled over the whole cube
// instead: 255³ cells indexed -127 to 127 (cOrbitalObject::CubeIndex), each
// evaluated at its own signed point and counted once.
//
// The interior is sampled in slabs of its outermost loop index. Slabs are
// independent and may run on several threads at once; the grid and the
// histogram do not depend on how the slabs are split or in which order they run.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "wlengine_export.h"

namespace wl {

using Histogram = std::array<std::int64_t, 256>;

struct SamplerInput {
  const cElectron* Electron = nullptr;  // scale factor already set
  ViewMode View = PDF;
  Integer AtomRadius = 0;
  OptFactor Factor = F8;
};

class WLENGINE_EXPORT ProbabilitySampler {
 public:
  // grid: 128³ cells, x fastest (cell (i, j, k) at i + 128 (j + 128 k));
  // for F1 255³ cells laid out as cOrbitalObject::CubeIndex says.
  ProbabilitySampler(const SamplerInput& input, std::vector<Byte>& grid);

  // The origin, the three axes and the three coordinate planes.
  void SampleBoundary(Histogram& freqs);
  // The interior cells whose outer loop index lies in [begin, end), 1 <= begin <= end <= 128.
  void SampleInteriorSlab(int begin, int end, Histogram& freqs);
  // Whole cube (F1): the cells whose z index lies in [begin, end), -127 <= begin <= end <= 128.
  void SampleCubeSlab(int begin, int end, Histogram& freqs);
  // Everything, on up to `threads` threads.
  void SampleAll(Histogram& freqs, unsigned threads);

  // The coordinate of index i: h added i times to 0.
  double Coordinate(int i) const { return coord_[i]; }

 private:
  SamplerInput in_;
  std::vector<Byte>& grid_;
  std::array<double, 128> coord_{};
  std::array<double, 128> square_{};
};

}  // namespace wl
