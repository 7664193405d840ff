// What the chart builders share: the radius axes in Bohr radii and Ångström,
// value axes with a tick at zero, marker lines, colours, and the pictures of a
// chart view (PNG at any scale, SVG).
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <functional>

#include "GraphSubject.h"
#include "wlgraphs_export.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QValueAxis;
class QLineSeries;
class QAbstractAxis;
class QPen;
class QPainter;
QT_END_NAMESPACE

namespace wl {

inline constexpr double kAngstromPerBohr = 0.529177;

// How far and how finely the radial graphs are drawn.
struct RadialChartOptions {
  double RMax = 0;   // end of the r axis in Bohr radii; 0: where 99.9% is held, rounded
  int Points = 400;  // samples along r
};

// The end of the r axis for a subject.
WLGRAPHS_EXPORT double ChartRMax(const GraphSubject& subject, const RadialChartOptions& options);

// A number with a fixed count of decimals ("2.66").
WLGRAPHS_EXPORT QString Fixed(double v, int decimals = 2);

// Title, fonts and margins every chart shares; no animations.
void PrepareChart(QChart* chart, const QString& title);

// The r axis at the bottom in Bohr radii and its twin at the top in Ångström,
// both over [0, rmax]. Returns the bottom one, which the series use.
QValueAxis* AddRadiusAxes(QChart* chart, double rmax);

// A value axis over [lo, hi] with ticks every round step anchored at zero.
QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment side, const QString& title, double lo,
                         double hi, const QColor& colour, bool grid);

// A line series of `points` drawn with `pen` on the two axes; `name` empty
// keeps it out of the legend.
QLineSeries* AddLine(QChart* chart, const QList<QPointF>& points, const QPen& pen,
                     const QString& name, QAbstractAxis* x, QAbstractAxis* y);

// The colours of the radial graphs.
inline const QColor kColourR{40, 90, 200};
inline const QColor kColourP{200, 50, 50};
inline const QColor kColourCumulative{20, 130, 70};
inline const QColor kColourMean{90, 90, 90};
inline const QColor kColour90{150, 60, 170};

// What a picture of a chart adds over it (a key the view shows), painted in
// the chart's coordinates on a picture of `size`.
using ChartOverlay = std::function<void(QPainter&, QSize size)>;

// The chart's picture at `scale` times its size in pixels (white behind). A
// chart in no view or scene is laid out at `size` first (a chart in a view
// keeps the view's size).
WLGRAPHS_EXPORT QImage ChartImage(QChart* chart, QSize size, qreal scale,
                                  const ChartOverlay& overlay = {});
// Paints the chart onto `painter` over (0, 0, size) in the painter's
// coordinates, as vectors where the device keeps them (PDF, SVG); a chart in
// no scene is laid out at `size` in one of its own for the while.
WLGRAPHS_EXPORT bool PaintChart(QChart* chart, QSize size, QPainter& painter);
// The chart's picture as an SVG document; empty when it cannot be made.
WLGRAPHS_EXPORT QByteArray ChartSvg(QChart* chart, QSize size, const QString& title,
                                    const ChartOverlay& overlay = {});

}  // namespace wl
