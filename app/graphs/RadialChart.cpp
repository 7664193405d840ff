#include "RadialChart.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "SubjectCurves.h"
#include "analysis/GraphTables.h"
#include "analysis/Radial.h"

namespace wl {

QChart* BuildRadialChart(const GraphSubject& s, const RadialChartOptions& options) {
  const double rmax = ChartRMax(s, options);
  const auto rows = SubjectRows(s, rmax, std::max(options.Points, 2));
  const bool single = HasRadialFunction(s);

  QList<QPointF> rPoints, pPoints;
  double rLow = 0, rHigh = 0, pHigh = 0;
  for (const RadialRow& row : rows) {
    rPoints.append({row.r, row.R});
    pPoints.append({row.r, row.P});
    rLow = std::min(rLow, row.R);
    rHigh = std::max(rHigh, row.R);
    pHigh = std::max(pHigh, row.P);
  }

  if (!single) rHigh = 1;  // a mix of subshells has no one R: its axis is only a frame
  auto* chart = new QChart;
  PrepareChart(chart, single ? QStringLiteral("R(r) and P(r) = r²R² of %1").arg(s.Name)
                             : QStringLiteral("P(r) averaged over directions, of %1").arg(s.Name));
  QValueAxis* rAxis = AddRadiusAxes(chart, rmax);

  // R on the left with its grid; P on the right, scaled so both zeros meet.
  const double rStep = RoundStep(std::max(rHigh, -rLow));
  const double top = std::ceil(rHigh / rStep * 1.02) * rStep;
  const double bottom = rLow < 0 ? std::floor(rLow / rStep * 1.02) * rStep : 0;
  QValueAxis* axisR =
      AddValueAxis(chart, Qt::AlignLeft, QStringLiteral("R(r) in a₀<sup>−3/2</sup>"), bottom, top,
                   kColourR, true);
  const double pTop = pHigh * 1.1;
  QValueAxis* axisP = AddValueAxis(chart, Qt::AlignRight, QStringLiteral("P(r) per a₀"),
                                   pTop * bottom / top, pTop, kColourP, false);

  AddLine(chart, {{0, 0}, {rmax, 0}}, QPen(QColor(120, 120, 120), 1), {}, rAxis, axisR);
  // The curves are named by their axes, in their colours; the legend names the marks.
  if (single) {
    AddLine(chart, rPoints, QPen(kColourR, 2.5), {}, rAxis, axisR)
        ->setObjectName(QStringLiteral("R"));
  } else {
    axisR->setVisible(false);
  }
  AddLine(chart, pPoints, QPen(kColourP, 2.5), {}, rAxis, axisP)
      ->setObjectName(QStringLiteral("P"));

  // The marked radii, named with their values in the legend.
  const double mostProbable = SubjectMostProbable(s);
  const double mean = SubjectMean(s);
  const double ninety = SubjectHolding(s, 0.9);
  auto vertical = [&](double r, const QColor& colour, Qt::PenStyle style, const QString& name) {
    QPen pen(colour, 1.8, style);
    AddLine(chart, {{r, 0}, {r, pTop}}, pen, name, rAxis, axisP);
  };
  vertical(mostProbable, kColourP, Qt::DashLine,
           QStringLiteral("most probable %1 a₀").arg(Fixed(mostProbable)));
  vertical(mean, kColourMean, Qt::DashDotLine, QStringLiteral("⟨r⟩ %1 a₀").arg(Fixed(mean)));
  vertical(ninety, kColour90, Qt::DotLine, QStringLiteral("90% inside %1 a₀").arg(Fixed(ninety)));

  const auto nodes = SubjectNodes(s);
  if (!nodes.empty()) {
    auto* marks = new QScatterSeries;
    QStringList radii;
    for (double r : nodes) {
      marks->append(r, 0);
      radii << Fixed(r);
    }
    marks->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    marks->setMarkerSize(10);
    marks->setColor(Qt::white);
    marks->setBorderColor(Qt::black);
    marks->setName(
        (nodes.size() == 1 ? QStringLiteral("node %1 a₀") : QStringLiteral("nodes %1 a₀"))
            .arg(radii.join(QStringLiteral(", "))));
    chart->addSeries(marks);
    marks->attachAxis(rAxis);
    marks->attachAxis(axisR);
  }
  return chart;
}

}  // namespace wl
