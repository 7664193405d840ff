// P(r) of several orbitals on the same axes, each in its own colour and named
// in the legend: the shells growing from 1s to 3s.
#pragma once

#include <vector>

#include "ChartKit.h"

namespace wl {

// The colour of the i-th overlaid orbital.
WLGRAPHS_EXPORT QColor CompareColour(size_t i);

// A new chart, owned by the caller. `options.RMax` 0 reaches the largest of
// the subjects' ends.
WLGRAPHS_EXPORT QChart* BuildCompareChart(const std::vector<GraphSubject>& subjects,
                                          const RadialChartOptions& options = {});

}  // namespace wl
