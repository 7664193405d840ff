#include "SubjectCurves.h"

#include <algorithm>
#include <cmath>

#include "analysis/Radial.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {

struct Part {
  int n, l;
  double weight;
};

// The subshells of the spherical average with their weights (Σ = 1).
std::vector<Part> PartsOf(const GraphSubject& s) {
  if (s.Terms.empty()) return {{s.n, s.l, 1.0}};
  std::vector<Part> parts;
  for (const ComboTerm& t : s.Terms) {
    const OrbitalRow& row = OrbitalRowAt(t.OrbitalIndex);
    const double w = t.Coefficient * t.Coefficient;
    auto same = std::find_if(parts.begin(), parts.end(),
                             [&](const Part& p) { return p.n == row.n && p.l == row.l; });
    if (same != parts.end())
      same->weight += w;
    else
      parts.push_back({row.n, row.l, w});
  }
  return parts;
}

double Z(const GraphSubject& s) { return std::max(1, s.Charge); }

}  // namespace

bool HasRadialFunction(const GraphSubject& s) { return PartsOf(s).size() == 1; }

double SubjectR(const GraphSubject& s, double r) {
  if (!HasRadialFunction(s)) return 0;
  const Part p = PartsOf(s).front();
  return std::pow(Z(s), 1.5) * RadialR(p.n, p.l, Z(s) * r);
}

double SubjectP(const GraphSubject& s, double r) {
  double sum = 0;
  for (const Part& p : PartsOf(s)) sum += p.weight * Z(s) * RadialP(p.n, p.l, Z(s) * r);
  return sum;
}

double SubjectCumulative(const GraphSubject& s, double a) {
  double sum = 0;
  for (const Part& p : PartsOf(s)) sum += p.weight * CumulativeP(p.n, p.l, Z(s) * a);
  return std::min(1.0, sum);
}

double SubjectPlotEnd(const GraphSubject& s) {
  double end = 0;
  for (const Part& p : PartsOf(s)) end = std::max(end, RadialPlotEnd(p.n, p.l));
  if (Z(s) == 1) return end;
  end /= Z(s);
  const double step = RoundStep(end);
  return std::ceil(end / step - 1e-9) * step;
}

std::vector<RadialRow> SubjectRows(const GraphSubject& s, double rmax, int points) {
  points = std::max(points, 2);
  std::vector<RadialRow> rows(static_cast<size_t>(points));
  for (int i = 0; i < points; ++i) {
    RadialRow& row = rows[static_cast<size_t>(i)];
    row.r = rmax * i / (points - 1);
    row.R = SubjectR(s, row.r);
    row.P = SubjectP(s, row.r);
    row.Cumulative = SubjectCumulative(s, row.r);
  }
  return rows;
}

double SubjectMostProbable(const GraphSubject& s) {
  const std::vector<Part> parts = PartsOf(s);
  if (parts.size() == 1) return MostProbableRadius(parts[0].n, parts[0].l) / Z(s);
  // A mix: the largest of a fine scan, refined by golden sections.
  const double end = SubjectPlotEnd(s);
  const int steps = 4000;
  double best = 0, bestP = -1;
  for (int i = 1; i <= steps; ++i) {
    const double r = end * i / steps, p = SubjectP(s, r);
    if (p > bestP) bestP = p, best = r;
  }
  double a = std::max(0.0, best - end / steps), b = best + end / steps;
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 80; ++i) {
    const double c = b - g * (b - a), d = a + g * (b - a);
    if (SubjectP(s, c) > SubjectP(s, d))
      b = d;
    else
      a = c;
  }
  return (a + b) / 2;
}

double SubjectMean(const GraphSubject& s) {
  double sum = 0;
  for (const Part& p : PartsOf(s)) sum += p.weight * MeanRadius(p.n, p.l);
  return sum / Z(s);
}

double SubjectHolding(const GraphSubject& s, double share) {
  const std::vector<Part> parts = PartsOf(s);
  if (parts.size() == 1) return RadiusHolding(parts[0].n, parts[0].l, share) / Z(s);
  double a = 0, b = SubjectPlotEnd(s);
  while (SubjectCumulative(s, b) < share) b *= 2;
  for (int i = 0; i < 200 && b - a > 1e-12 * b; ++i) {
    const double m = (a + b) / 2;
    (SubjectCumulative(s, m) < share ? a : b) = m;
  }
  return (a + b) / 2;
}

std::vector<double> SubjectNodes(const GraphSubject& s) {
  if (!HasRadialFunction(s)) return {};
  const Part p = PartsOf(s).front();
  std::vector<double> nodes = RadialNodes(p.n, p.l);
  for (double& r : nodes) r /= Z(s);
  return nodes;
}

std::vector<AngularRow> SubjectAngularRows(const GraphSubject& s, TransectDirection plane,
                                           int points) {
  if (s.Terms.empty() && !s.Complex) return AngularRows(s.OrbitalIndex, plane, points);
  std::vector<AngularRow> rows = AngularRows(IndexOfOrbital(1, 0, 0, false), plane, points);
  if (s.Complex) {
    // |Y_l^m|² is the mean of the squares of the real pair ±|m|.
    const OrbitalRow& row = OrbitalRowAt(s.OrbitalIndex);
    const int up = IndexOfOrbital(row.n, row.l, std::abs(row.M), false);
    const int down = IndexOfOrbital(row.n, row.l, -std::abs(row.M), false);
    for (AngularRow& a : rows) {
      const double f = AngularFactor(up, plane, a.Angle);
      const double g = row.M == 0 ? f : AngularFactor(down, plane, a.Angle);
      a.Factor = std::sqrt((f * f + g * g) / 2);
    }
    return rows;
  }
  // ψ of the combination at its most probable radius (the shape at Z = 1;
  // the charge only rescales r).
  GraphSubject hydrogen = s;
  hydrogen.Charge = 1;
  const double r0 = SubjectMostProbable(hydrogen);
  for (AngularRow& a : rows) {
    double psi = 0;
    for (const ComboTerm& t : s.Terms) {
      const OrbitalRow& row = OrbitalRowAt(t.OrbitalIndex);
      psi += t.Coefficient * RadialR(row.n, row.l, r0) * AngularFactor(t.OrbitalIndex, plane, a.Angle);
    }
    a.Factor = psi;
  }
  return rows;
}

}  // namespace wl
