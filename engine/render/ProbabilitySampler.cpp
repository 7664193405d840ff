#include "render/ProbabilitySampler.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "core/Workers.h"
#include "render/cOrbital.h"

namespace wl {

namespace {
// Up to 127 points of one line of the grid, evaluated in one call.
struct Line {
  double xs[128], ys[128], zs[128];
  Byte out[128];
  int n = 0;
  void Add(double x, double y, double z) {
    xs[n] = x;
    ys[n] = y;
    zs[n] = z;
    ++n;
  }
};
}  // namespace

ProbabilitySampler::ProbabilitySampler(const SamplerInput& input, std::vector<Byte>& grid)
    : in_(input), grid_(grid) {
  const double h = static_cast<double>(in_.AtomRadius) / 127;
  double c = 0;
  for (int i = 0; i < 128; ++i) {
    coord_[i] = c;
    square_[i] = c * c;
    c += h;
  }
}

void ProbabilitySampler::SampleBoundary(Histogram& freqs) {
  const auto& sq = square_;
  Line line;
  auto eval = [&] {
    in_.Electron->GetLevels(in_.View, line.xs, line.ys, line.zs, line.n, line.out);
  };
  auto at = [&](int i, int j, int k) -> Byte& { return grid_[cOrbitalObject::GridIndex(i, j, k)]; };

  line.n = 0;
  line.Add(0, 0, 0);
  eval();
  at(0, 0, 0) = line.out[0];
  freqs[line.out[0]] += 1;

  // The three axes, weight 2: (i, 0, 0), (0, i, 0), (0, 0, i).
  for (int axis = 0; axis < 3; ++axis) {
    line.n = 0;
    for (int i = 1; i < 128; ++i) {
      line.Add(axis == 0 ? sq[i] : 0, axis == 1 ? sq[i] : 0, axis == 2 ? sq[i] : 0);
    }
    eval();
    for (int i = 1; i < 128; ++i) {
      const Byte v = line.out[i - 1];
      at(axis == 0 ? i : 0, axis == 1 ? i : 0, axis == 2 ? i : 0) = v;
      freqs[v] += 2;
    }
  }

  // The three coordinate planes, weight 4: z = 0, y = 0, x = 0.
  for (int plane = 0; plane < 3; ++plane) {
    for (int a = 1; a < 128; ++a) {
      line.n = 0;
      for (int b = 1; b < 128; ++b) {
        if (plane == 0)
          line.Add(sq[b], sq[a], 0);  // (b, a, 0)
        else if (plane == 1)
          line.Add(sq[b], 0, sq[a]);  // (b, 0, a)
        else
          line.Add(0, sq[b], sq[a]);  // (0, b, a)
      }
      eval();
      for (int b = 1; b < 128; ++b) {
        const Byte v = line.out[b - 1];
        if (plane == 0)
          at(b, a, 0) = v;
        else if (plane == 1)
          at(b, 0, a) = v;
        else
          at(0, b, a) = v;
        freqs[v] += 4;
      }
    }
  }
}

namespace {
// Counts of levels, four interleaved tables so that runs of equal levels do
// not wait on one another; merged with the weight of one evaluation.
struct LevelCounts {
  std::array<std::array<std::uint32_t, 256>, 4> table{};
  void Add(const Byte* levels, int n) {
    int t = 0;
    for (; t + 4 <= n; t += 4) {
      ++table[0][levels[t]];
      ++table[1][levels[t + 1]];
      ++table[2][levels[t + 2]];
      ++table[3][levels[t + 3]];
    }
    for (; t < n; ++t) ++table[0][levels[t]];
  }
  void MergeInto(Histogram& freqs, std::int64_t weight) const {
    for (int v = 0; v < 256; ++v) {
      freqs[v] += weight * (std::int64_t{table[0][v]} + table[1][v] + table[2][v] + table[3][v]);
    }
  }
};
}  // namespace

// Every factor is walked in lines along x (i = 1 to n), so that the values of
// a line land in consecutive cells; the set of evaluated points and their
// arithmetic are those of the factor's own loop order. Cells whose value is
// the mirror of an evaluated cell are filled from it, inside the slab.
// Outer index per factor: F8, F16xy and F32: k; F16yz and F16xz: j.
// A slab writes only cells that no other slab writes, so slabs may run at once.
void ProbabilitySampler::SampleInteriorSlab(int begin, int end, Histogram& freqs) {
  const auto& sq = square_;
  Line line;
  LevelCounts counts;
  auto at = [&](int i, int j, int k) -> Byte& { return grid_[cOrbitalObject::GridIndex(i, j, k)]; };
  // Evaluates the line i = 1..n at (y², z²) = (ys, zs) into line.out.
  auto evalLine = [&](int n, double ys, double zs) {
    for (int i = 0; i < n; ++i) {
      line.ys[i] = ys;
      line.zs[i] = zs;
    }
    in_.Electron->GetLevels(in_.View, sq.data() + 1, line.ys, line.zs, n, line.out);
    counts.Add(line.out, n);
  };
  auto copyLine = [&](int n, int j, int k) { std::copy(line.out, line.out + n, &at(1, j, k)); };

  std::int64_t weight = 8;
  for (int outer = begin; outer < end; ++outer) {
    switch (in_.Factor) {
      case F8:  // (i, j, k), k outer
        for (int j = 1; j < 128; ++j) {
          evalLine(127, sq[j], sq[outer]);
          copyLine(127, j, outer);
        }
        break;
      case F16xy: {  // i <= j in the plane z = k; (j, i, k) mirrors (i, j, k)
        weight = 16;
        const int k = outer;
        for (int j = 1; j < 128; ++j) {
          evalLine(j, sq[j], sq[k]);
          copyLine(j, j, k);
        }
        for (int j = 1; j < 128; ++j) {
          for (int i = j + 1; i < 128; ++i) at(i, j, k) = at(j, i, k);
        }
        break;
      }
      case F16yz: {  // k <= j for every i; (i, k, j) mirrors (i, j, k)
        weight = 16;
        const int j = outer;
        for (int k = 1; k <= j; ++k) {
          evalLine(127, sq[j], sq[k]);
          copyLine(127, j, k);
          copyLine(127, k, j);
        }
        break;
      }
      case F16xz: {  // i <= k in the plane y = j; (k, j, i) mirrors (i, j, k)
        weight = 16;
        const int j = outer;
        for (int k = 1; k < 128; ++k) {
          evalLine(k, sq[j], sq[k]);
          copyLine(k, j, k);
        }
        for (int k = 1; k < 128; ++k) {
          for (int i = k + 1; i < 128; ++i) at(i, j, k) = at(k, j, i);
        }
        break;
      }
      case F32: {  // i, j <= k; each value goes to (i, j, k), (j, i, k), (i, k, j), (k, i, j)
        weight = 32;
        const int k = outer;
        for (int j = 1; j <= k; ++j) {
          evalLine(k, sq[j], sq[k]);
          // Within one line no two targets coincide; lines keep the walk's
          // order, so where two evaluations meet in a cell the later one wins.
          copyLine(k, j, k);
          copyLine(k, k, j);
          for (int i = 1; i <= k; ++i) {
            at(j, i, k) = line.out[i - 1];
            at(k, i, j) = line.out[i - 1];
          }
        }
        break;
      }
      default:  // an unknown factor leaves the interior unsampled
        return;
    }
  }
  counts.MergeInto(freqs, weight);
}

// Lines along x of 255 signed points; a coordinate of index -i is the
// negative of index i's, so mirror cells see mirror points exactly.
void ProbabilitySampler::SampleCubeSlab(int begin, int end, Histogram& freqs) {
  double xs[kCubeSize], ys[kCubeSize], zs[kCubeSize];
  Byte out[kCubeSize];
  LevelCounts counts;
  auto signedCoord = [&](int i) { return i < 0 ? -coord_[-i] : coord_[i]; };
  for (int i = -127; i <= 127; ++i) xs[i + 127] = signedCoord(i);
  for (int k = begin; k < end; ++k) {
    std::fill(zs, zs + kCubeSize, signedCoord(k));
    for (int j = -127; j <= 127; ++j) {
      std::fill(ys, ys + kCubeSize, signedCoord(j));
      in_.Electron->GetLevelsAt(in_.View, xs, ys, zs, kCubeSize, out);
      counts.Add(out, kCubeSize);
      std::copy(out, out + kCubeSize, &grid_[cOrbitalObject::CubeIndex(-127, j, k)]);
    }
  }
  counts.MergeInto(freqs, 1);
}

void ProbabilitySampler::SampleAll(Histogram& freqs, unsigned threads) {
  threads = std::clamp(threads, 1u, 8u);
  if (in_.Factor == F1) {
    // Slabs of one z index each, taken by the workers in turn.
    std::atomic<int> next{-127};
    std::vector<Histogram> partial(threads, Histogram{});
    RunWorkers(threads, [&](unsigned w) {
      for (int k; (k = next.fetch_add(1)) <= 127;) SampleCubeSlab(k, k + 1, partial[w]);
    });
    for (const auto& p : partial) {
      for (int v = 0; v < 256; ++v) freqs[v] += p[v];
    }
    return;
  }
  SampleBoundary(freqs);
  if (threads == 1) {
    SampleInteriorSlab(1, 128, freqs);
    return;
  }
  // Workers take outer indices one at a time, from the most expensive end for
  // the triangular F32 walk, and keep histograms of their own.
  std::atomic<int> next{0};
  std::vector<Histogram> partial(threads, Histogram{});
  RunWorkers(threads, [&](unsigned w) {
    for (int n; (n = next.fetch_add(1)) < 127;) {
      const int outer = 127 - n;  // the F32 slabs grow with k: the big ones first
      SampleInteriorSlab(outer, outer + 1, partial[w]);
    }
  });
  for (const auto& p : partial) {
    for (int v = 0; v < 256; ++v) freqs[v] += p[v];
  }
}

}  // namespace wl
