// Gauss-Legendre quadrature for the tests that integrate densities: the
// engine's rule (the tests integrate their own way, over their own regions).
#pragma once

#include "analysis/Quadrature.h"

namespace wltest {

using Rule = wl::QuadratureRule;
using wl::GaussLegendre;

}  // namespace wltest
