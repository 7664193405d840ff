// The probability within a radius: P(r < a) rising from 0 to 1 beside P(r),
// with the marker a drawn as a vertical line, the area under P(r) up to a
// shaded and the value in the title ("P(r < 2.66 a₀) = 0.900").
#pragma once

#include <QChart>

#include "ChartKit.h"

QT_BEGIN_NAMESPACE
class QAreaSeries;
class QScatterSeries;
QT_END_NAMESPACE

namespace wl {

class WLGRAPHS_EXPORT CumulativeChart : public QChart {
 public:
  explicit CumulativeChart(const GraphSubject& subject, const RadialChartOptions& options = {});

  // The marker radius in Bohr radii; 0 (or less) shows none.
  void SetMarker(double a);
  double Marker() const { return marker_; }
  double RMax() const { return rmax_; }
  // "P(r < 2.66 a₀) = 0.900", empty without a marker.
  QString ValueText() const;
  // The series whose axes map positions to (r, P(r < a)).
  QLineSeries* CumulativeSeries() const { return cumulative_; }

 private:
  GraphSubject subject_;
  double rmax_ = 0;
  double marker_ = 0;
  QList<QPointF> pPoints_;
  QLineSeries* cumulative_ = nullptr;
  QLineSeries* shadeTop_ = nullptr;
  QLineSeries* markerLine_ = nullptr;
  QLineSeries* levelLine_ = nullptr;
  QScatterSeries* markerDot_ = nullptr;
};

}  // namespace wl
