#include "AngularChart.h"

#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "SubjectCurves.h"
#include "analysis/GraphTables.h"
#include "analysis/Radial.h"
#include "render/Phase.h"

namespace wl {

namespace {

constexpr double kDeg = 180 / std::numbers::pi;

// The chart's angle (degrees clockwise from the top) of a plane angle (from
// the first axis towards the second, which points up).
double ChartAngle(double planeAngle) {
  double a = 90 - planeAngle * kDeg;
  a = std::fmod(a, 360.0);
  return a < 0 ? a + 360 : a;
}

QColor Rgb(PhaseRgb c) {
  return QColor(c.R, c.G, c.B);
}

// Axis letters of the plane: first (right), second (up).
std::pair<QString, QString> AxisLetters(TransectDirection plane) {
  switch (plane) {
    case AlongX:
      return {QStringLiteral("y"), QStringLiteral("z")};
    case Alongz:
      return {QStringLiteral("x"), QStringLiteral("y")};
    case Alongy:
    default:
      return {QStringLiteral("x"), QStringLiteral("z")};
  }
}

}  // namespace

QString PlaneName(TransectDirection plane) {
  const auto [first, second] = AxisLetters(plane);
  return first + second;
}

double ConventionalAngle(TransectDirection plane, double angle) {
  double deg = std::fmod(angle * kDeg, 360.0);
  if (deg < 0) deg += 360;
  if (plane == Alongz) return deg;  // φ from +x towards +y
  // θ from +z: the chart's clockwise angle from the top, folded onto 0..180.
  const double a = ChartAngle(angle);
  return a <= 180 ? a : 360 - a;
}

QPolarChart* BuildAngularChart(const GraphSubject& s, int points) {
  const TransectDirection plane = s.SlicePlane;
  const auto [first, second] = AxisLetters(plane);
  auto* chart = new QPolarChart;
  const bool round = s.Terms.empty() && (s.Average || s.l == 0);
  if (s.Complex) {
    PrepareChart(chart, QStringLiteral("Size |Y| of %1 in the %2 plane")
                            .arg(s.Name, PlaneName(plane)));
  } else if (s.Terms.empty()) {
    PrepareChart(chart, QStringLiteral("Angular factor of %1 in the %2 plane")
                            .arg(s.Name, PlaneName(plane)));
  } else {
    // A combination's shape changes with r: it is drawn where P peaks.
    PrepareChart(chart, QStringLiteral("ψ of %1 around the %2 plane at r = %3 a₀")
                            .arg(s.Name, PlaneName(plane),
                                 QString::number(SubjectMostProbable(s), 'f', 2)));
  }

  // The directions around the rim: the axes by name, angles between them in
  // the plane's convention. Labels must differ, so the left half's copies of
  // the θ values carry an invisible zero-width space.
  auto* around = new QCategoryAxis;
  around->setRange(0, 360);
  around->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (int a = 30; a <= 360; a += 30) {
    QString label;
    if (a == 90)
      label = QStringLiteral("+") + first;
    else if (a == 180)
      label = QStringLiteral("−") + second;
    else if (a == 270)
      label = QStringLiteral("−") + first;
    else if (a == 360)
      label = QStringLiteral("+") + second;
    else {
      const double planeAngle = (90 - a) / kDeg;
      label = QStringLiteral("%1°").arg(std::lround(ConventionalAngle(plane, planeAngle)));
      if (plane != Alongz && a > 180) label += QChar(0x200B);
    }
    around->append(label, a);
  }
  chart->addAxis(around, QPolarChart::PolarOrientationAngular);

  // Samples at chart angles 0, 360/N, ..., 360 (N a multiple of 4, so they are
  // the engine's plane angles read the other way round).
  const int n = std::max(8, points / 4 * 4);
  const auto rows = SubjectAngularRows(s, plane, n);
  QList<QPointF> samples;  // (chart angle, signed factor)
  double high = 0;
  for (int k = 0; k <= n; ++k) {
    const int i = ((n / 4 - k) % n + n) % n;
    const double f = rows[static_cast<size_t>(i)].Factor;
    samples.append({360.0 * k / n, f});
    high = std::max(high, std::abs(f));
  }
  const bool flat = !(high > 1e-12);
  if (flat) high = 1;

  auto* radial = new QValueAxis;
  // A rim at a round value, ringed at round steps (polar charts tick evenly).
  const double step = RoundStep(high);
  const double rim = std::ceil(high * 1.04 / step) * step;
  radial->setRange(0, rim);
  radial->setTickCount(static_cast<int>(std::lround(rim / step)) + 1);
  radial->setLabelFormat("%.2g");
  radial->setLabelsColor(QColor(110, 110, 110));
  chart->addAxis(radial, QPolarChart::PolarOrientationRadial);

  if (round) {
    QList<QPointF> circle;
    for (const QPointF& p : samples) circle.append({p.x(), std::abs(p.y())});
    AddLine(chart, circle, QPen(QColor(70, 70, 80), 2.5),
            s.Average ? QStringLiteral("The subshell average is round: the same in every direction")
                      : QStringLiteral("An s orbital is round: the same in every direction"),
            around, radial);
    return chart;
  }

  if (s.Complex) {
    // A complex orbital's size |Y| is the same all round z; its phase turns
    // with φ. A colour key of the phase belongs beside this curve.
    QList<QPointF> size;
    for (const QPointF& p : samples) size.append({p.x(), std::abs(p.y())});
    AddLine(chart, size, QPen(QColor(70, 70, 80), 2.5),
            QStringLiteral("|Y|: the same all round z; the phase turns with φ"), around, radial)
        ->setObjectName(QStringLiteral("ComplexSize"));
    return chart;
  }

  if (flat) {
    radial->setLabelsVisible(false);
    AddLine(chart, {}, QPen(QColor(90, 90, 90), 1.4),
            QStringLiteral("ψ is zero all over this plane: it is a nodal plane of the orbital"),
            around, radial);
    return chart;
  }

  // Runs of one sign, each a series in its sign's colour; a run ends and the
  // next begins at the zero between two samples of opposite sign.
  const QColor colours[2] = {Rgb(PhaseColour(OrangeBlue, false)),
                             Rgb(PhaseColour(OrangeBlue, true))};
  bool named[2] = {false, false};
  QList<QPointF> run;
  int runSign = 0;
  auto flush = [&] {
    if (run.size() >= 2 && runSign != 0) {
      const int idx = runSign > 0 ? 1 : 0;
      QString name;
      if (!named[idx]) {
        name = runSign > 0 ? QStringLiteral("ψ > 0") : QStringLiteral("ψ &lt; 0");
        named[idx] = true;
      }
      AddLine(chart, run, QPen(colours[idx], 2.5), name, around, radial);
    }
    run.clear();
  };
  for (int k = 0; k < samples.size(); ++k) {
    const QPointF& p = samples[k];
    const int sign = p.y() > 0 ? 1 : (p.y() < 0 ? -1 : 0);
    if (sign != 0 && runSign != 0 && sign != runSign) {
      const QPointF& q = samples[k - 1];
      const double t = q.y() / (q.y() - p.y());
      const QPointF zero(q.x() + t * (p.x() - q.x()), 0);
      run.append(zero);
      flush();
      run.append(zero);
    }
    if (sign != 0) runSign = sign;
    run.append({p.x(), std::abs(p.y())});
  }
  flush();

  // Nodal directions: grey spokes, their angles in the legend.
  const auto nodes =
      s.Terms.empty() ? AngularNodes(s.OrbitalIndex, plane) : std::vector<double>{};
  QList<double> angles;
  for (size_t i = 0; i < nodes.size(); ++i) {
    const double a = ChartAngle(nodes[i]);
    AddLine(chart, {{a, 0}, {a, rim}}, QPen(QColor(90, 90, 90), 1.4, Qt::DashLine), {}, around,
            radial);
    const double shown = std::round(ConventionalAngle(plane, nodes[i]) * 10) / 10;
    if (!angles.contains(shown)) angles.append(shown);
  }
  if (!angles.isEmpty()) {
    std::sort(angles.begin(), angles.end());
    QStringList texts;
    for (double a : angles) {
      QString text = QString::number(a, 'f', 1);
      if (text.endsWith(QLatin1String(".0"))) text.chop(2);
      texts << text + QStringLiteral("°");
    }
    const QString from = plane == Alongz ? QStringLiteral("from +x") : QStringLiteral("from +z");
    // The legend names the spokes once, through an empty series drawn like them.
    AddLine(chart, {}, QPen(QColor(90, 90, 90), 1.4, Qt::DashLine),
            QStringLiteral("nodes at %1 %2").arg(texts.join(QStringLiteral(", ")), from), around,
            radial);
  }
  return chart;
}

}  // namespace wl
