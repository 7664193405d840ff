#include "render/ProbabilitySampler.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

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
  auto eval = [&] { in_.Electron->GetLevels(in_.View, line.xs, line.ys, line.zs, line.n, line.out); };
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
        if (plane == 0) line.Add(sq[b], sq[a], 0);       // (b, a, 0)
        else if (plane == 1) line.Add(sq[b], 0, sq[a]);  // (b, 0, a)
        else line.Add(0, sq[b], sq[a]);                  // (0, b, a)
      }
      eval();
      for (int b = 1; b < 128; ++b) {
        const Byte v = line.out[b - 1];
        if (plane == 0) at(b, a, 0) = v;
        else if (plane == 1) at(b, 0, a) = v;
        else at(0, b, a) = v;
        freqs[v] += 4;
      }
    }
  }
}

void ProbabilitySampler::SampleInteriorSlab(int begin, int end, Histogram& freqs) {
  const auto& sq = square_;
  Line line;
  auto eval = [&] { in_.Electron->GetLevels(in_.View, line.xs, line.ys, line.zs, line.n, line.out); };
  auto at = [&](int i, int j, int k) -> Byte& { return grid_[cOrbitalObject::GridIndex(i, j, k)]; };

  for (int outer = begin; outer < end; ++outer) {
    switch (in_.Factor) {
      case F8:  // k, j, i = 1..127
        for (int j = 1; j < 128; ++j) {
          line.n = 0;
          for (int i = 1; i < 128; ++i) line.Add(sq[i], sq[j], sq[outer]);
          eval();
          for (int i = 1; i < 128; ++i) {
            at(i, j, outer) = line.out[i - 1];
            freqs[line.out[i - 1]] += 8;
          }
        }
        break;
      case F16xy:  // k, j = 1..127, i = 1..j
        for (int j = 1; j < 128; ++j) {
          line.n = 0;
          for (int i = 1; i <= j; ++i) line.Add(sq[i], sq[j], sq[outer]);
          eval();
          for (int i = 1; i <= j; ++i) {
            const Byte v = line.out[i - 1];
            at(i, j, outer) = v;
            at(j, i, outer) = v;
            freqs[v] += 16;
          }
        }
        break;
      case F16yz:  // i, j = 1..127, k = 1..j
        for (int j = 1; j < 128; ++j) {
          line.n = 0;
          for (int k = 1; k <= j; ++k) line.Add(sq[outer], sq[j], sq[k]);
          eval();
          for (int k = 1; k <= j; ++k) {
            const Byte v = line.out[k - 1];
            at(outer, j, k) = v;
            at(outer, k, j) = v;
            freqs[v] += 16;
          }
        }
        break;
      case F16xz:  // j, k = 1..127, i = 1..k
        for (int k = 1; k < 128; ++k) {
          line.n = 0;
          for (int i = 1; i <= k; ++i) line.Add(sq[i], sq[outer], sq[k]);
          eval();
          for (int i = 1; i <= k; ++i) {
            const Byte v = line.out[i - 1];
            at(i, outer, k) = v;
            at(k, outer, i) = v;
            freqs[v] += 16;
          }
        }
        break;
      case F32:  // k = 1..127, j = 1..k, i = 1..k
        for (int j = 1; j <= outer; ++j) {
          line.n = 0;
          for (int i = 1; i <= outer; ++i) line.Add(sq[i], sq[j], sq[outer]);
          eval();
          for (int i = 1; i <= outer; ++i) {
            const Byte v = line.out[i - 1];
            at(i, j, outer) = v;
            at(j, i, outer) = v;
            at(i, outer, j) = v;
            at(outer, i, j) = v;
            freqs[v] += 32;
          }
        }
        break;
      default:  // an unknown factor leaves the interior unsampled
        return;
    }
  }
}

void ProbabilitySampler::SampleAll(Histogram& freqs, unsigned threads) {
  SampleBoundary(freqs);
  threads = std::clamp(threads, 1u, 8u);
  if (threads == 1) {
    SampleInteriorSlab(1, 128, freqs);
    return;
  }
  // Workers take outer indices one at a time, from the most expensive end for
  // the triangular F32 walk, and keep histograms of their own.
  std::atomic<int> next{0};
  std::vector<Histogram> partial(threads, Histogram{});
  std::vector<std::exception_ptr> errors(threads);
  auto work = [&](unsigned w) {
    try {
      for (int n; (n = next.fetch_add(1)) < 127;) {
        const int outer = 127 - n;
        SampleInteriorSlab(outer, outer + 1, partial[w]);
      }
    } catch (...) {
      errors[w] = std::current_exception();
    }
  };
  std::vector<std::thread> pool;
  for (unsigned w = 1; w < threads; ++w) pool.emplace_back(work, w);
  work(0);
  for (auto& t : pool) t.join();
  for (auto& e : errors) {
    if (e) std::rethrow_exception(e);
  }
  for (const auto& p : partial) {
    for (int v = 0; v < 256; ++v) freqs[v] += p[v];
  }
}

}  // namespace wl
