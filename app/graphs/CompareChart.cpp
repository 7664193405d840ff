#include "CompareChart.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

#include "SubjectCurves.h"
#include "analysis/GraphTables.h"

namespace wl {

QColor CompareColour(size_t i) {
  // Told apart also by readers who confuse red and green.
  static const QColor colours[] = {{0, 114, 178}, {213, 94, 0},   {0, 158, 115}, {204, 121, 167},
                                   {230, 159, 0}, {86, 180, 233}, {0, 0, 0},     {150, 150, 40}};
  return colours[i % (sizeof colours / sizeof colours[0])];
}

QChart* BuildCompareChart(const std::vector<GraphSubject>& subjects,
                          const RadialChartOptions& options) {
  double rmax = options.RMax;
  if (!(rmax > 0)) {
    for (const GraphSubject& s : subjects) rmax = std::max(rmax, SubjectPlotEnd(s));
  }
  if (!(rmax > 0)) rmax = 10;

  std::vector<QList<QPointF>> curves;
  double high = 0;
  for (const GraphSubject& s : subjects) {
    QList<QPointF> points;
    for (const RadialRow& row : SubjectRows(s, rmax, std::max(options.Points, 2))) {
      points.append({row.r, row.P});
      high = std::max(high, row.P);
    }
    curves.push_back(points);
  }
  if (!(high > 0)) high = 1;

  auto* chart = new QChart;
  PrepareChart(chart, QStringLiteral("P(r) = r²R² compared"));
  QValueAxis* rAxis = AddRadiusAxes(chart, rmax);
  QValueAxis* axisP = AddValueAxis(chart, Qt::AlignLeft, QStringLiteral("P(r) per a₀"), 0,
                                   high * 1.1, Qt::black, true);
  for (size_t i = 0; i < subjects.size(); ++i) {
    AddLine(chart, curves[i], QPen(CompareColour(i), 2.5), subjects[i].Name, rAxis, axisP);
  }
  return chart;
}

}  // namespace wl
