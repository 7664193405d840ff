#include "CumulativeChart.h"

#include <QAreaSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "SubjectCurves.h"
#include "analysis/GraphTables.h"
#include "analysis/Radial.h"

namespace wl {

CumulativeChart::CumulativeChart(const GraphSubject& subject, const RadialChartOptions& options)
    : subject_(subject), rmax_(ChartRMax(subject, options)) {
  const auto rows = SubjectRows(subject, rmax_, std::max(options.Points, 2));
  QList<QPointF> cPoints;
  double pHigh = 0;
  for (const RadialRow& row : rows) {
    cPoints.append({row.r, row.Cumulative});
    pPoints_.append({row.r, row.P});
    pHigh = std::max(pHigh, row.P);
  }

  PrepareChart(this, {});
  QValueAxis* rAxis = AddRadiusAxes(this, rmax_);
  QValueAxis* axisC = AddValueAxis(this, Qt::AlignLeft, QStringLiteral("P(r &lt; a)"), 0, 1.0001,
                                   kColourCumulative, true);
  axisC->setTickInterval(0.2);
  QValueAxis* axisP = AddValueAxis(this, Qt::AlignRight, QStringLiteral("P(r) per a₀"), 0,
                                   pHigh * 1.1, kColourP, false);

  // The shaded area under P(r) from 0 to a; its upper edge follows the marker.
  shadeTop_ = new QLineSeries(this);
  auto* shade = new QAreaSeries(shadeTop_);
  QColor fill = kColourP;
  fill.setAlpha(70);
  shade->setBrush(fill);
  shade->setPen(QPen(fill.darker(150), 0.8));
  shade->setName(QStringLiteral("shaded: inside a"));
  addSeries(shade);
  shade->attachAxis(rAxis);
  shade->attachAxis(axisP);

  AddLine(this, pPoints_, QPen(kColourP, 1.8), QStringLiteral("P(r) = r²R²"), rAxis, axisP);
  cumulative_ = AddLine(this, cPoints, QPen(kColourCumulative, 2.5), QStringLiteral("P(r &lt; a)"),
                        rAxis, axisC);

  QPen markerPen(Qt::black, 1.8);
  markerLine_ = AddLine(this, {}, markerPen, QStringLiteral("marker a (drag it)"), rAxis, axisC);
  levelLine_ = AddLine(this, {}, QPen(kColourCumulative, 1.2, Qt::DashLine), {}, rAxis, axisC);
  markerDot_ = new QScatterSeries;
  markerDot_->setMarkerSize(9);
  markerDot_->setColor(kColourCumulative);
  markerDot_->setBorderColor(Qt::black);
  addSeries(markerDot_);
  markerDot_->attachAxis(rAxis);
  markerDot_->attachAxis(axisC);
  for (auto* m : legend()->markers(markerDot_)) m->setVisible(false);

  SetMarker(0);
}

QString CumulativeChart::ValueText() const {
  if (!(marker_ > 0)) return {};
  return QStringLiteral("P(r < %1 a₀) = %2")
      .arg(Fixed(marker_), Fixed(SubjectCumulative(subject_, marker_), 3));
}

void CumulativeChart::SetMarker(double a) {
  marker_ = a > 0 ? a : 0;
  if (marker_ == 0) {
    shadeTop_->clear();
    markerLine_->clear();
    levelLine_->clear();
    markerDot_->clear();
    setTitle(QStringLiteral("%1: drag on the graph to set a radius a")
                 .arg(subject_.Name)
                 .toHtmlEscaped());
    return;
  }
  const double c = SubjectCumulative(subject_, marker_);
  QList<QPointF> top;
  for (const QPointF& p : pPoints_) {
    if (p.x() >= marker_) break;
    top.append(p);
  }
  top.append({marker_, SubjectP(subject_, marker_)});
  top.prepend({0, 0});
  shadeTop_->replace(top);
  markerLine_->replace({{marker_, 0}, {marker_, 1}});
  levelLine_->replace({{0, c}, {marker_, c}});
  markerDot_->replace({{marker_, c}});
  setTitle(QStringLiteral("%1: %2").arg(subject_.Name, ValueText()).toHtmlEscaped());
}

}  // namespace wl
