#include "analysis/EnclosedShare.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/WLError.h"

namespace wl {

namespace {
// Bins of ψ² by the top bits of its float pattern (sign 0, 8 exponent bits,
// the first 7 mantissa bits): the order of the bins is the order of the
// values, each bin spanning less than 1% of its values. Every value lands in
// exactly one bin, so the bin holding the crossing is refined alone.
constexpr int kShift = 16;
constexpr int kBins = 1 << (31 - kShift);

inline std::uint32_t BinOf(float rho) {
  return std::bit_cast<std::uint32_t>(rho) >> kShift;
}
}  // namespace

// The nodes sorted by ψ² in descending order, summed until the share is
// reached: the histogram finds the bin of the crossing in one pass, only that
// bin's values are sorted. The result is the value the full sort would give.
EnclosedShare DensityForShare(const ScalarField& field, double share) {
  if (!(share >= 0.05 && share <= 0.999) || field.Value.empty()) RaiseError(5);
  std::vector<double> mass(kBins, 0.0);
  double total = 0;
  for (float v : field.Value) {
    const float r = v * v;
    mass[BinOf(r)] += r;
  }
  for (int b = kBins - 1; b >= 0; --b) total += mass[b];
  const double h = field.Step();
  EnclosedShare result;
  result.Total = total * h * h * h;
  const double wanted = share * total;

  double above = 0;
  int bin = kBins - 1;
  for (; bin > 0; --bin) {
    if (above + mass[bin] >= wanted) break;
    above += mass[bin];
  }
  std::vector<float> inBin;
  for (float v : field.Value) {
    const float r = v * v;
    if (static_cast<int>(BinOf(r)) == bin) inBin.push_back(r);
  }
  std::sort(inBin.begin(), inBin.end(), std::greater<>());
  double sum = above;
  for (float r : inBin) {
    sum += r;
    if (sum >= wanted) {
      result.Density = r;
      return result;
    }
  }
  result.Density = inBin.empty() ? 0 : inBin.back();
  return result;
}

}  // namespace wl
