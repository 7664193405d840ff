// The radial and angular curves of whatever the Graphs window shows: one
// orbital of hydrogen or of a hydrogen-like ion (R_Z(r) = Z^(3/2) R(Z r),
// P_Z(r) = Z P(Z r), every radius divided by Z), a complex orbital (the
// radial curves of its (n, l), the angular size |Y| round about z), and a
// hybrid or combination of one shell (radially the spherical average
// Σ c_i² P_{n,l_i}(r), exact since the angular parts are orthonormal;
// angularly ψ itself around the slice plane at its most probable radius).
#pragma once

#include <vector>

#include "GraphSubject.h"
#include "analysis/GraphTables.h"
#include "wlgraphs_export.h"

namespace wl {

// Whether R(r) is one function (one orbital), not a mix of subshells.
WLGRAPHS_EXPORT bool HasRadialFunction(const GraphSubject& s);
// R(r) of one orbital (0 for mixes), P(r) and the probability within a.
WLGRAPHS_EXPORT double SubjectR(const GraphSubject& s, double r);
WLGRAPHS_EXPORT double SubjectP(const GraphSubject& s, double r);
WLGRAPHS_EXPORT double SubjectCumulative(const GraphSubject& s, double a);
// The end of the radial axis: a round radius holding 99.9% or more.
WLGRAPHS_EXPORT double SubjectPlotEnd(const GraphSubject& s);
WLGRAPHS_EXPORT std::vector<RadialRow> SubjectRows(const GraphSubject& s, double rmax, int points);
WLGRAPHS_EXPORT double SubjectMostProbable(const GraphSubject& s);
WLGRAPHS_EXPORT double SubjectMean(const GraphSubject& s);
WLGRAPHS_EXPORT double SubjectHolding(const GraphSubject& s, double share);
// The radii where R changes sign (none for mixes: their P never reaches 0).
WLGRAPHS_EXPORT std::vector<double> SubjectNodes(const GraphSubject& s);
// The angular curve around `plane` (AngularRows' angles): the signed factor
// of a real orbital, |Y| of a complex one, ψ at the most probable radius of a
// hybrid or combination.
WLGRAPHS_EXPORT std::vector<AngularRow> SubjectAngularRows(const GraphSubject& s,
                                                           TransectDirection plane, int points);

}  // namespace wl
