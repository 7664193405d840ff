// Gauss-Legendre quadrature: the rule the engine's integrals (and the tests
// that integrate densities) use.
#pragma once

#include <vector>

#include "wlengine_export.h"

namespace wl {

struct QuadratureRule {
  std::vector<double> x, w;  // nodes and weights
};

// The n-point Gauss-Legendre rule on [a, b] (Newton's method on the Legendre
// polynomial from the usual first guesses). Exact for polynomials of degree
// below 2n. Safe to call from several threads.
WLENGINE_EXPORT QuadratureRule GaussLegendre(int n, double a = -1, double b = 1);

}  // namespace wl
