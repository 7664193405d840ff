#include "overlays/ViewOverlays.h"

#include <QConicalGradient>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Phase.h"
#include "render/ViewGeometry.h"

namespace wl {

namespace {

const QChar kMinus(0x2212);
const QString kBohr = QStringLiteral("a\u2080");

// Light ink on a dark halo reads on black and on white pictures alike; the
// marker's magenta stays apart from the phase colours and the probability
// greens and reds.
const QColor kInk(250, 250, 250);
const QColor kHalo(0, 0, 0, 200);
const QColor kMarker(255, 90, 230);

// The picture's side, and its size over the view's own: pictures of other
// sizes carry the same overlays in proportion.
int SideOf(const RenderRequest& request) {
  const PictureFrame f = FrameOf(request);
  return f.Side > 0 ? f.Side : (request.Size == Main ? 375 : 127);
}
double ZoomOf(const RenderRequest& request) {
  const PictureFrame f = FrameOf(request);
  return f.Side > 0 ? f.Zoom : 1;
}

QFont OverlayFont(double pixels) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(std::lround(pixels)));
  return font;
}

// A number of Bohr radii without trailing zeros, with a true minus sign.
QString Number(double v) {
  QString text = QString::number(std::abs(v), 'g', 6);
  return v < 0 ? kMinus + text : text;
}

// Draws `path` in `ink` over a halo `halo` pixels wider.
void Stroke(QPainter& p, const QPainterPath& path, const QColor& ink, double width, double halo,
            Qt::PenCapStyle cap = Qt::FlatCap, const QColor& haloColour = kHalo) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(haloColour, width + halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(ink, width, Qt::SolidLine, cap, Qt::MiterJoin));
  p.drawPath(path);
}

// Text with its baseline starting at `at`, light on a dark outline (3 pixels
// in the view's own picture, `zoom` times that in others).
void Text(QPainter& p, const QPointF& at, const QString& text, const QFont& font, double zoom = 1,
          const QColor& ink = kInk, const QColor& halo = kHalo) {
  QPainterPath path;
  path.addText(at, font, text);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(halo, 3 * zoom, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(path);
}

struct BarStyle {
  double margin, width, tick, font;
};
BarStyle StyleOf(const RenderRequest& request) {
  const double z = ZoomOf(request);
  const BarStyle st = request.Size == Main ? BarStyle{10, 2, 4, 12} : BarStyle{5, 1, 2.5, 9};
  return {st.margin * z, st.width * z, st.tick * z, st.font * z};
}

// The slice's ticks along the edges: their length, longer at the nucleus.
double EdgeTick(const RenderRequest& request, bool nucleus = false) {
  const double z = ZoomOf(request);
  if (request.Size == Main) return (nucleus ? 9 : 5) * z;
  return (nucleus ? 5 : 3) * z;
}

void DrawScaleBar(QPainter& p, const RenderRequest& request, double atomRadius,
                  double clearLeft) {
  const ScaleBar bar = ScaleBarOf(request, atomRadius, clearLeft);
  if (bar.Length <= 0) return;
  const BarStyle st = StyleOf(request);
  const double z = ZoomOf(request);
  const double right = bar.Left + bar.Length;
  QPainterPath path;
  path.moveTo(bar.Left, bar.Y - st.tick);
  path.lineTo(bar.Left, bar.Y + st.tick);
  path.moveTo(bar.Left, bar.Y);
  path.lineTo(right, bar.Y);
  path.moveTo(right, bar.Y - st.tick);
  path.lineTo(right, bar.Y + st.tick);
  Stroke(p, path, kInk, st.width, 2 * z);
  const QFont font = OverlayFont(st.font);
  const QFontMetricsF metrics(font);
  if (request.Size == Main) {
    // Centred above the bar.
    const double w = metrics.horizontalAdvance(bar.Label);
    Text(p, QPointF(bar.Left + (bar.Length - w) / 2, bar.Y - st.tick - 3 * z), bar.Label, font, z);
  } else {
    // Beside the bar, where the small picture has room.
    Text(p, QPointF(right + 4 * z, bar.Y + metrics.capHeight() / 2), bar.Label, font, z);
  }
}

// Ticks at every step from the nucleus along the four edges, longer at the
// nucleus; the main view numbers them along its top edge in Bohr radii.
void DrawSliceTicks(QPainter& p, const RenderRequest& request, double atomRadius) {
  const double step = TickStep(request, atomRadius);
  if (step <= 0) return;
  const ViewScale s = ScaleOf(request, atomRadius);
  const int side = SideOf(request);
  const bool main = request.Size == Main;
  const double z = ZoomOf(request);
  const double len = EdgeTick(request), len0 = EdgeTick(request, true);
  const double pixels = step * s.PixelsPerBohr;
  QPainterPath path;
  std::vector<std::pair<double, int>> across;  // position and multiple of the step
  const int most = static_cast<int>(side / pixels) + 1;
  for (int k = -most; k <= most; ++k) {
    const double l = k == 0 ? len0 : len;
    const double x = s.CentreX + k * pixels, y = s.CentreY + k * pixels;
    if (x >= z && x <= side - z) {
      path.moveTo(x, 0);
      path.lineTo(x, l);
      path.moveTo(x, side);
      path.lineTo(x, side - l);
      across.emplace_back(x, k);
    }
    if (y >= z && y <= side - z) {
      path.moveTo(0, y);
      path.lineTo(l, y);
      path.moveTo(side, y);
      path.lineTo(side - l, y);
    }
  }
  Stroke(p, path, kInk, (main ? 1.2 : 1) * z, 2 * z);
  if (!main) return;
  const QFont font = OverlayFont(9 * z);
  const QFontMetricsF metrics(font);
  // Every tick numbered where they lie far apart, else every second one.
  const int every = pixels >= 50 * z ? 1 : 2;
  double free = 0;  // labels left to right, none overlapping the last
  for (const auto& [x, k] : across) {
    if (k % every != 0) continue;
    const QString label = Number(k * step);
    const double w = metrics.horizontalAdvance(label);
    const double left = x - w / 2;
    if (left < free || left < 2 * z || left + w > side - 2 * z) continue;
    Text(p, QPointF(left, len0 + 2 * z + metrics.ascent()), label, font, z);
    free = left + w + 6 * z;
  }
}

void DrawMarker(QPainter& p, const RenderRequest& request, double atomRadius,
                const OverlayChoice& choice) {
  const bool slice = request.Mode == Transect;
  if (choice.MarkerRadius <= 0 || !(slice ? choice.MarkerInSlice : choice.MarkerIn3D)) return;
  const double r = SphereOutlineRadius(request, atomRadius, choice.MarkerRadius);
  if (r <= 0) return;
  const ViewScale s = ScaleOf(request, atomRadius);
  const QPointF centre(s.CentreX, s.CentreY);
  const double z = ZoomOf(request);
  const double width = (request.Size == Main ? 1.6 : 1.2) * z;
  if (slice) {
    QPainterPath circle;
    circle.addEllipse(centre, r, r);
    Stroke(p, circle, kMarker, width, 2 * z);
    return;
  }
  // A dashed outline: it reads as the sphere's edge, not as a solid ring.
  // Each dash lies on a halo dash a pixel longer at both ends (dash lengths
  // are in pen widths, so they grow with the picture).
  const double dash = 5, gap = 3, halo = width + 2 * z;
  p.setBrush(Qt::NoBrush);
  QPen under(kHalo, halo, Qt::CustomDashLine, Qt::FlatCap);
  under.setDashPattern({(dash * width + 2 * z) / halo, (gap * width - 2 * z) / halo});
  under.setDashOffset(-z / halo);
  p.setPen(under);
  p.drawEllipse(centre, r, r);
  QPen over(kMarker, width, Qt::CustomDashLine, Qt::FlatCap);
  over.setDashPattern({dash, gap});
  p.setPen(over);
  p.drawEllipse(centre, r, r);
}

// The key's size in a picture: the ring's outer radius and its labels' font
// (none in the small view, where they would not be legible).
struct WheelStyle {
  double radius, font, margin;
};
WheelStyle WheelStyleOf(const RenderRequest& request) {
  const double z = ZoomOf(request);
  const WheelStyle st = request.Size == Main ? WheelStyle{18, 10, 8} : WheelStyle{9, 0, 4};
  const double edge = request.Mode == Transect ? EdgeTick(request, true) / z : 0;
  return {st.radius * z, st.font * z, (st.margin + edge) * z};
}

const QString kArgPsi = QStringLiteral("arg \u03C8");
const QString kQuarterLabels[4] = {QStringLiteral("0"), QStringLiteral("\u03C0/2"),
                                   QStringLiteral("\u03C0"), QStringLiteral("3\u03C0/2")};

void DrawPhaseWheel(QPainter& p, const RenderRequest& request, const OverlayChoice& choice) {
  const QRectF area = PhaseWheelArea(request, choice);
  if (area.isEmpty()) return;
  const WheelStyle st = WheelStyleOf(request);
  const QRectF about = PhaseWheelBounds({0, 0}, st.radius, st.font);
  PaintPhaseWheel(p, area.topLeft() - about.topLeft(), st.radius, request.Palette, st.font);
}

}  // namespace

QRectF PhaseWheelBounds(const QPointF& centre, double radius, double fontPixels) {
  const double tick = radius * 0.25;
  double left = radius + tick + 1, up = left, right = left, down = left;
  if (fontPixels > 0) {
    const QFontMetricsF m(OverlayFont(fontPixels));
    const double gap = tick + fontPixels * 0.3;
    const double line = m.ascent() + m.descent();
    left = radius + gap + m.horizontalAdvance(kQuarterLabels[2]) + 2;
    right = radius + gap + m.horizontalAdvance(kQuarterLabels[0]) + 2;
    up = radius + gap + 2 * line + 2;
    down = radius + gap + line + 2;
  }
  return QRectF(centre.x() - left, centre.y() - up, left + right, up + down);
}

void PaintPhaseWheel(QPainter& p, const QPointF& centre, double radius, PhasePalette palette,
                     double fontPixels, bool darkInk) {
  // Light ink on a dark halo over pictures; dark ink on a light halo over
  // light backgrounds.
  const QColor ink = darkInk ? QColor(30, 30, 30) : kInk;
  const QColor halo = darkInk ? QColor(255, 255, 255, 220) : kHalo;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const double inner = radius * 0.55, tick = radius * 0.25;
  const double haloWidth = std::max(1.5, radius / 9);
  QPainterPath ring;
  ring.addEllipse(centre, radius, radius);
  ring.addEllipse(centre, inner, inner);  // odd-even fill: the hole stays clear
  // The hues around the ring: Qt's conical gradient also runs anticlockwise
  // from the right, as the angle does.
  const PhaseWheel wheel(palette);
  QConicalGradient hues(centre, 0);
  for (int k = 0; k <= PhaseWheel::kSteps; k += 4) {
    const PhaseRgb& c = wheel.Step(k);
    hues.setColorAt(static_cast<double>(k) / PhaseWheel::kSteps, QColor(c.R, c.G, c.B));
  }
  p.setPen(QPen(halo, haloWidth));
  p.setBrush(Qt::NoBrush);
  p.drawPath(ring);
  p.setPen(Qt::NoPen);
  p.setBrush(hues);
  p.drawPath(ring);
  // Marks at the quarters, from the ring's edge outwards (screen y grows downwards).
  QPainterPath marks;
  for (int q = 0; q < 4; ++q) {
    const QPointF d(q == 0 ? 1 : q == 2 ? -1 : 0, q == 1 ? -1 : q == 3 ? 1 : 0);
    marks.moveTo(centre + (radius + 0.5) * d);
    marks.lineTo(centre + (radius + tick) * d);
  }
  Stroke(p, marks, ink, std::max(1.0, radius / 14), haloWidth, Qt::FlatCap, halo);
  if (fontPixels > 0) {
    const QFont font = OverlayFont(fontPixels);
    const QFontMetricsF m(font);
    const double gap = tick + fontPixels * 0.3, zoom = fontPixels / 10;
    const double mid = (m.ascent() - m.descent()) / 2;  // from the baseline to the text's middle
    auto width = [&](const QString& t) { return m.horizontalAdvance(t); };
    const QPointF c = centre;
    Text(p, QPointF(c.x() + radius + gap, c.y() + mid), kQuarterLabels[0], font, zoom, ink, halo);
    Text(p, QPointF(c.x() - width(kQuarterLabels[1]) / 2, c.y() - radius - gap - m.descent()),
         kQuarterLabels[1], font, zoom, ink, halo);
    Text(p, QPointF(c.x() - radius - gap - width(kQuarterLabels[2]), c.y() + mid),
         kQuarterLabels[2], font, zoom, ink, halo);
    Text(p, QPointF(c.x() - width(kQuarterLabels[3]) / 2, c.y() + radius + gap + m.ascent()),
         kQuarterLabels[3], font, zoom, ink, halo);
    const double line = m.ascent() + m.descent();
    Text(p, QPointF(c.x() - width(kArgPsi) / 2, c.y() - radius - gap - line - m.descent()), kArgPsi,
         font, zoom, ink, halo);
  }
  p.restore();
}

QRectF PhaseWheelArea(const RenderRequest& request, const OverlayChoice& choice) {
  if (!choice.ComplexPhase || request.ShowPhase == kFalse || request.Mode == Anaglyph) return {};
  const WheelStyle st = WheelStyleOf(request);
  const QRectF about = PhaseWheelBounds({0, 0}, st.radius, st.font);
  const int side = SideOf(request);
  return about.translated(side - st.margin - about.right(), side - st.margin - about.bottom());
}

double RoundLength(double pixelsPerBohr, double wanted) {
  if (!(pixelsPerBohr > 0) || !(wanted > 0)) return 0;
  const double ideal = wanted / pixelsPerBohr;
  const double decade = std::pow(10.0, std::floor(std::log10(ideal)));
  double best = 0, bestMiss = 0;
  for (double power : {decade / 10, decade, decade * 10}) {
    for (double m : {1.0, 2.0, 5.0}) {
      const double miss = std::abs(std::log(m * power / ideal));
      if (best == 0 || miss < bestMiss) {
        best = m * power;
        bestMiss = miss;
      }
    }
  }
  // Powers of ten below one carry rounding noise: 0.1 * 2 is not 0.2.
  return QString::number(best, 'g', 6).toDouble();
}

QString BohrLength(double bohr) {
  return Number(bohr) + QLatin1Char(' ') + kBohr;
}

QString SlicePosition(TransectDirection direction, Integer transectNo, double atomRadius) {
  const char axis = direction == AlongX ? 'x' : direction == Alongy ? 'y' : 'z';
  const double at = std::round(transectNo * atomRadius / 127 * 10) / 10;
  QString value = QString::number(std::abs(at), 'f', 1);
  if (at > 0) value.prepend(QLatin1Char('+'));
  if (at < 0) value.prepend(kMinus);
  return QStringLiteral("slice at %1 = %2 ").arg(QLatin1Char(axis)).arg(value) + kBohr;
}

ScaleBar ScaleBarOf(const RenderRequest& request, double atomRadius, double clearLeft) {
  ScaleBar bar;
  const ViewScale s = ScaleOf(request, atomRadius);
  const int side = SideOf(request);
  bar.Bohr = RoundLength(s.PixelsPerBohr, side / 5.0);
  if (bar.Bohr <= 0) return bar;
  const BarStyle st = StyleOf(request);
  bar.Label = BohrLength(bar.Bohr);
  bar.Length = bar.Bohr * s.PixelsPerBohr;
  // Lines of whole pixels: a 2-pixel line on a pixel edge, a 1-pixel one
  // through pixel centres. A slice's bar stands clear of its edge ticks.
  const double z = ZoomOf(request);
  const double align = z != 1 ? 0 : st.width == 1 ? 0.5 : 0;
  bar.Left = std::round(std::max(0.0, clearLeft) + st.margin) + align;
  bar.Y = side - st.margin - (request.Mode == Transect ? EdgeTick(request) : 0) - align;
  const QFontMetricsF metrics(OverlayFont(st.font));
  const double label = metrics.horizontalAdvance(bar.Label);
  if (request.Size == Main) {
    const double top = bar.Y - st.tick - 3 * z - metrics.ascent() - 2 * z;
    const double left = std::min(bar.Left, bar.Left + (bar.Length - label) / 2) - 2 * z;
    const double right =
        std::max(bar.Left + bar.Length, bar.Left + (bar.Length + label) / 2) + 2 * z;
    bar.Area = QRectF(left, top, right - left, bar.Y + st.tick + 2 * z - top);
  } else {
    const double top = bar.Y - std::max(st.tick, metrics.ascent()) - 2 * z;
    bar.Area = QRectF(bar.Left - 2 * z, top, bar.Length + 4 * z + label + 4 * z,
                      bar.Y + st.tick + 2 * z - top);
  }
  return bar;
}

double TickStep(const RenderRequest& request, double atomRadius) {
  if (request.Mode != Transect) return 0;
  return RoundLength(ScaleOf(request, atomRadius).PixelsPerBohr, SideOf(request) / 8.0);
}

void DrawOverlays(QImage& image, const RenderRequest& request, double atomRadius,
                  const OverlayChoice& choice) {
  const int side = SideOf(request);
  if (image.isNull() || image.width() < side || image.height() < side) return;
  QPainter p(&image);
  p.setClipRect(QRect(0, 0, side, side));
  p.setRenderHint(QPainter::Antialiasing);
  DrawMarker(p, request, atomRadius, choice);
  DrawPhaseWheel(p, request, choice);
  if (choice.ScaleBar) {
    DrawSliceTicks(p, request, atomRadius);
    DrawScaleBar(p, request, atomRadius, choice.ClearLeft);
  }
}

}  // namespace wl
