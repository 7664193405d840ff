#include "analysis/EnclosedShare.h"

#include <algorithm>
#include <functional>

#include "core/WLError.h"

namespace wl {

EnclosedShare DensityForShare(const ScalarField& field, double share) {
  if (!(share >= 0.05 && share <= 0.999) || field.Value.empty()) RaiseError(5);
  std::vector<float> rho(field.Value.size());
  std::transform(field.Value.begin(), field.Value.end(), rho.begin(),
                 [](float v) { return v * v; });
  std::sort(rho.begin(), rho.end(), std::greater<>());
  const double h = field.Step();
  const double cell = h * h * h;
  double total = 0;
  for (float r : rho) total += r;
  EnclosedShare result;
  result.Total = total * cell;
  const double wanted = share * total;
  double sum = 0;
  for (float r : rho) {
    sum += r;
    if (sum >= wanted) {
      result.Density = r;
      break;
    }
  }
  return result;
}

}  // namespace wl
