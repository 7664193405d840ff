// The radial graph: R(r) and P(r) = r²R² on one r axis, with the radial nodes,
// the most probable radius, ⟨r⟩ and the radius holding 90% marked and named.
#pragma once

#include "ChartKit.h"

namespace wl {

// A new chart, owned by the caller (or the view it is given to).
WLGRAPHS_EXPORT QChart* BuildRadialChart(const GraphSubject& subject,
                                         const RadialChartOptions& options = {});

}  // namespace wl
