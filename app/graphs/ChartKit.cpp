#include "ChartKit.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QSvgGenerator>
#include <QValueAxis>
#include <cmath>
#include <memory>

#include "SubjectCurves.h"
#include "analysis/GraphTables.h"

namespace wl {

double ChartRMax(const GraphSubject& subject, const RadialChartOptions& options) {
  return options.RMax > 0 ? options.RMax : SubjectPlotEnd(subject);
}

QString Fixed(double v, int decimals) {
  return QString::number(v, 'f', decimals);
}

void PrepareChart(QChart* chart, const QString& title) {
  chart->setAnimationOptions(QChart::NoAnimation);
  QFont font = chart->titleFont();
  font.setPointSizeF(font.pointSizeF() * 1.05);
  font.setBold(true);
  chart->setTitleFont(font);
  chart->setTitle(title);
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(6, 4, 6, 4));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  QFont small = chart->legend()->font();
  small.setPointSizeF(small.pointSizeF() * 0.92);
  chart->legend()->setFont(small);
}

QValueAxis* AddRadiusAxes(QChart* chart, double rmax) {
  auto* bohr = new QValueAxis;
  bohr->setRange(0, rmax);
  bohr->setTickType(QValueAxis::TicksDynamic);
  bohr->setTickAnchor(0);
  bohr->setTickInterval(RoundStep(rmax));
  bohr->setLabelFormat("%g");
  bohr->setTitleText(QStringLiteral("r (Bohr radii, a₀)"));
  chart->addAxis(bohr, Qt::AlignBottom);

  const double amax = rmax * kAngstromPerBohr;
  auto* angstrom = new QValueAxis;
  angstrom->setRange(0, amax);
  angstrom->setTickType(QValueAxis::TicksDynamic);
  angstrom->setTickAnchor(0);
  angstrom->setTickInterval(RoundStep(amax));
  angstrom->setLabelFormat("%g");
  angstrom->setGridLineVisible(false);
  angstrom->setTitleText(QStringLiteral("r (Å)"));
  chart->addAxis(angstrom, Qt::AlignTop);
  return bohr;
}

QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment side, const QString& title, double lo,
                         double hi, const QColor& colour, bool grid) {
  auto* axis = new QValueAxis;
  axis->setRange(lo, hi);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(RoundStep(std::max(hi, -lo)));
  axis->setLabelFormat("%g");
  axis->setTitleText(title);
  axis->setTitleBrush(colour);
  axis->setLabelsColor(colour);
  axis->setGridLineVisible(grid);
  chart->addAxis(axis, side);
  return axis;
}

QLineSeries* AddLine(QChart* chart, const QList<QPointF>& points, const QPen& pen,
                     const QString& name, QAbstractAxis* x, QAbstractAxis* y) {
  auto* series = new QLineSeries;
  series->replace(points);
  series->setPen(pen);
  series->setName(name);
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
  if (name.isEmpty()) {
    for (auto* marker : chart->legend()->markers(series)) marker->setVisible(false);
  }
  return series;
}

bool PaintChart(QChart* chart, QSize size, QPainter& painter) {
  std::unique_ptr<QGraphicsScene> own;
  if (!chart->scene()) {
    own = std::make_unique<QGraphicsScene>();
    own->addItem(chart);
    chart->resize(size);
    QCoreApplication::sendPostedEvents();
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  chart->scene()->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), chart->sceneBoundingRect());
  if (own) own->removeItem(chart);
  return true;
}

QImage ChartImage(QChart* chart, QSize size, qreal scale, const ChartOverlay& overlay) {
  if (chart->scene()) size = chart->size().toSize();
  QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintChart(chart, size, painter);
  if (overlay) overlay(painter, size);
  painter.end();
  return image;
}

QByteArray ChartSvg(QChart* chart, QSize size, const QString& title,
                    const ChartOverlay& overlay) {
  if (chart->scene()) size = chart->size().toSize();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  PaintChart(chart, size, painter);
  if (overlay) overlay(painter, size);
  if (!painter.end()) return {};
  return buffer.data();
}

}  // namespace wl
