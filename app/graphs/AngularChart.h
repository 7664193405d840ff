// The angular graph: |angular factor| around the slice plane as a polar plot,
// the two signs in the phase colours and the nodal directions marked with
// their angles. The plane is drawn as the slice shows it: its second axis up
// (z, or y for the xy plane), its first axis to the right.
#pragma once

#include <QPolarChart>

#include "ChartKit.h"

namespace wl {

// The plane's name ("xz") and the angle text of a direction `angle` (radians
// in the plane, as the engine measures it): from +z for the xz and yz planes
// ("54.7°"), from +x for the xy plane.
WLGRAPHS_EXPORT QString PlaneName(TransectDirection plane);
WLGRAPHS_EXPORT double ConventionalAngle(TransectDirection plane, double angle);

// A new chart, owned by the caller; `points` samples around the circle.
WLGRAPHS_EXPORT QPolarChart* BuildAngularChart(const GraphSubject& subject, int points = 720);

}  // namespace wl
