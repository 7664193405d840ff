#include "analysis/Quadrature.h"

#include <cmath>
#include <numbers>

namespace wl {

QuadratureRule GaussLegendre(int n, double a, double b) {
  QuadratureRule rule{std::vector<double>(n), std::vector<double>(n)};
  for (int i = 0; i < n; ++i) {
    double t = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
    double dp = 1;
    for (int iter = 0; iter < 100; ++iter) {
      double p0 = 1, p1 = t;
      for (int k = 2; k <= n; ++k) {
        const double p2 = ((2 * k - 1) * t * p1 - (k - 1) * p0) / k;
        p0 = p1;
        p1 = p2;
      }
      dp = n * (t * p1 - p0) / (t * t - 1);
      const double dt = p1 / dp;
      t -= dt;
      if (std::abs(dt) < 1e-16) break;
    }
    rule.x[i] = a + (b - a) * (t + 1) / 2;
    rule.w[i] = (b - a) / ((1 - t * t) * dp * dp);
  }
  return rule;
}

}  // namespace wl
