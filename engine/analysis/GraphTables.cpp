#include "analysis/GraphTables.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "analysis/Radial.h"
#include "core/WLError.h"

namespace wl {

namespace {

void AppendNumber(std::string& out, double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  out += buf;
}

}  // namespace

double RoundStep(double length) {
  if (!(length > 0) || !std::isfinite(length)) return 1;
  const double rough = length / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= rough * (1 - 1e-12)) return m * power;
  }
  return 10 * power;
}

double RadialPlotEnd(int n, int l) {
  const double holding = RadiusHolding(n, l, 0.999);
  const double step = RoundStep(holding);
  return std::ceil(holding / step) * step;
}

std::vector<RadialRow> RadialRows(int n, int l, double rmax, int points) {
  if (points < 2 || !(rmax > 0) || !std::isfinite(rmax)) {
    RaiseError(kInvalidCall, "radial rows need 2 or more points up to a positive radius");
  }
  std::vector<RadialRow> rows(static_cast<size_t>(points));
  for (int i = 0; i < points; ++i) {
    const double r = i == points - 1 ? rmax : rmax * i / (points - 1);
    rows[static_cast<size_t>(i)] = {r, RadialR(n, l, r), RadialP(n, l, r), CumulativeP(n, l, r)};
  }
  return rows;
}

std::vector<AngularRow> AngularRows(int orbitalIndex, TransectDirection plane, int points) {
  if (points < 4) RaiseError(kInvalidCall, "angular rows need 4 or more points");
  std::vector<AngularRow> rows(static_cast<size_t>(points));
  for (int i = 0; i < points; ++i) {
    const double angle = 2 * std::numbers::pi * i / points;
    rows[static_cast<size_t>(i)] = {angle, AngularFactor(orbitalIndex, plane, angle)};
  }
  return rows;
}

std::string RadialCsv(const std::vector<RadialRow>& rows) {
  std::string out = "r,R,P,cumulative\n";
  for (const RadialRow& row : rows) {
    for (double v : {row.r, row.R, row.P}) {
      AppendNumber(out, v);
      out += ',';
    }
    AppendNumber(out, row.Cumulative);
    out += '\n';
  }
  return out;
}

std::string AngularCsv(const std::vector<AngularRow>& rows) {
  std::string out = "angle_deg,factor\n";
  for (const AngularRow& row : rows) {
    AppendNumber(out, row.Angle * 180 / std::numbers::pi);
    out += ',';
    AppendNumber(out, row.Factor);
    out += '\n';
  }
  return out;
}

}  // namespace wl
