// Draws the program's bitmaps: button faces in their resting ("OFF") and lit
// ("ON") looks, the window chrome, the page backgrounds, the splash and about
// pictures and the application icon.
//
//   wl-bitmaps <folder>
//
// Every bitmap is written as NAME.png at its size and NAME@2x.png at twice the
// size, both drawn from the same vector drawing, and wavelore.qrc lists them
// all under the prefix /bitmaps. Runs without a display (offscreen) unless
// QT_QPA_PLATFORM says otherwise.
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegion>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "render/Phase.h"

namespace {

constexpr double kPi = std::numbers::pi;

const QColor kTitleBar(40, 39, 44);
const QColor kWindow(58, 57, 62);  // window and page background
const QColor kPanel(100, 98, 104);  // the page tree
const QColor kAccent(255, 196, 80);
const QColor kCyan(92, 196, 255);
const QColor kInk(212, 212, 218);  // resting text and icons
const QColor kDim(156, 155, 164);  // helper text and captions
const QColor kGroove(30, 29, 34);  // frames around views, slider groove

QColor Alpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QFont Font(int px, bool bold = false, bool italic = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(px);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QPen Line(const QColor& c, double width = 1.5) {
  QPen pen(c, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// A rectangle's outline through pixel centres, so that 1px borders stay crisp.
QRectF Edge(const QRectF& r) { return r.adjusted(0.5, 0.5, -0.5, -0.5); }

void Text(QPainter& p, const QRectF& r, int flags, const QString& s, const QFont& font, const QColor& c) {
  p.setFont(font);
  p.setPen(c);
  p.drawText(r, flags, s);
}

// Text whose top-left corner is at (x, y).
void TextAt(QPainter& p, double x, double y, const QString& s, const QFont& font, const QColor& c) {
  Text(p, QRectF(x, y, 1000, QFontMetricsF(font).height()), Qt::AlignLeft | Qt::AlignTop, s, font, c);
}

// An open arrow head with its tip at `tip`, pointing along `dir`.
void ArrowHead(QPainter& p, QPointF tip, QPointF dir, double size) {
  const double len = std::hypot(dir.x(), dir.y());
  const QPointF u = dir / len, n(-u.y(), u.x());
  const QPointF back = tip - u * size;
  const QPointF pts[] = {back + n * size * 0.6, tip, back - n * size * 0.6};
  p.drawPolyline(pts, 3);
}

// A soft elliptic halo of `colour`, strongest in the middle.
void Glow(QPainter& p, QPointF c, double rx, double ry, const QColor& colour, int alpha) {
  p.save();
  p.translate(c);
  p.scale(1, ry / rx);
  QRadialGradient g(QPointF(0, 0), rx);
  g.setColorAt(0, Alpha(colour, alpha));
  g.setColorAt(0.4, Alpha(colour, alpha * 2 / 5));
  g.setColorAt(1, Alpha(colour, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(0, 0), rx, rx);
  p.restore();
}

// The program's emblem: a nucleus and two crossed orbits.
void Emblem(QPainter& p, QPointF c, double r, const QColor& orbit, const QColor& nucleus, double width) {
  p.save();
  p.translate(c);
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(orbit, width));
  for (double angle : {45.0, -45.0}) {
    p.save();
    p.rotate(angle);
    p.drawEllipse(QPointF(0, 0), r, r * 0.38);
    p.restore();
  }
  p.setPen(Qt::NoPen);
  p.setBrush(nucleus);
  p.drawEllipse(QPointF(0, 0), r * 0.2, r * 0.2);
  p.restore();
}

// ---------------------------------------------------------------------------
// Glyphs. Each draws in pixel units from (0, 0) within the glyph size its face
// gives it; `icon` is the glyph colour, `text` the label colour of the face.

struct Ink {
  QColor icon, text;
  bool on;
};
using Glyph = std::function<void(QPainter&, const Ink&)>;

Glyph ArrowGlyph(bool forward) {
  return [forward](QPainter& p, const Ink& ink) {
    if (forward) {
      p.translate(16, 0);
      p.scale(-1, 1);
    }
    p.setPen(Line(ink.icon, 1.7));
    p.drawLine(QPointF(3, 8), QPointF(13.5, 8));
    const QPointF head[] = {{7.5, 3.5}, {3, 8}, {7.5, 12.5}};
    p.drawPolyline(head, 3);
  };
}

Glyph BookGlyph() {
  return [](QPainter& p, const Ink& ink) {
    QPainterPath page;
    page.moveTo(8, 4.5);
    page.cubicTo(6.2, 3, 3.5, 2.6, 1, 3);
    page.lineTo(1, 13);
    page.cubicTo(3.5, 12.6, 6.2, 13, 8, 14.5);
    for (int side = 0; side < 2; ++side) {
      p.save();
      if (side == 1) {
        p.translate(16, 0);
        p.scale(-1, 1);
      }
      p.setPen(Line(ink.icon, 1.3));
      p.setBrush(Alpha(ink.icon, 45));
      p.drawPath(page);
      p.setPen(Line(Alpha(ink.icon, 150), 1));
      for (double y : {6.5, 9.0})
        p.drawLine(QPointF(3.2, y - 0.4), QPointF(6.2, y + 0.2));
      p.restore();
    }
  };
}

Glyph AtomGlyph() {
  return [](QPainter& p, const Ink& ink) { Emblem(p, QPointF(8, 8), 7.2, ink.icon, ink.icon, 1.3); };
}

Glyph HelpGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Line(ink.icon, 1.4));
    p.setBrush(Alpha(ink.icon, 35));
    p.drawEllipse(QPointF(8, 8), 7, 7);
    Text(p, QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"), Font(11, true), ink.icon);
  };
}

Glyph PlayGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Line(ink.icon, 1.8));
    p.setBrush(Alpha(ink.icon, ink.on ? 60 : 30));
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.setPen(Line(ink.icon, 1.2));
    p.setBrush(ink.icon);
    const QPointF tri[] = {{9.5, 7}, {17.5, 12}, {9.5, 17}};
    p.drawPolygon(tri, 3);
  };
}

// A box seen in parallel projection: all its edges stay parallel.
Glyph OrthoGlyph() {
  return [](QPainter& p, const Ink& ink) {
    const QRectF front(1.5, 5.5, 9, 9), back = front.translated(4, -4);
    p.setPen(Line(Alpha(ink.icon, 150), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(back);
    for (const QPointF& c : {front.topLeft(), front.topRight(), front.bottomLeft(), front.bottomRight()})
      p.drawLine(c, c + QPointF(4, -4));
    p.setPen(Line(ink.icon, 1.3));
    p.setBrush(Alpha(ink.icon, 50));
    p.drawRect(front);
  };
}

// The same box in perspective: its edges run together towards a vanishing
// point, so the far face is smaller.
Glyph PerspectiveGlyph() {
  return [](QPainter& p, const Ink& ink) {
    const QRectF front(1.5, 5.5, 9, 9);
    const QPointF vanish(16.5, 0);
    auto away = [&](QPointF c) { return c + (vanish - c) * 0.4; };
    const QPointF corners[] = {front.topLeft(), front.topRight(), front.bottomRight(), front.bottomLeft()};
    QPolygonF back;
    p.setPen(Line(Alpha(ink.icon, 150), 1.1));
    for (const QPointF& c : corners) {
      back << away(c);
      p.drawLine(c, away(c));
    }
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(back);
    p.setPen(Line(ink.icon, 1.3));
    p.setBrush(Alpha(ink.icon, 50));
    p.drawRect(front);
  };
}

// Red/green glasses.
Glyph GlassesGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Line(ink.icon, 1.2));
    p.setBrush(QColor(226, 62, 62));
    p.drawRoundedRect(QRectF(0.6, 5.6, 6.2, 5.6), 1.6, 1.6);
    p.setBrush(QColor(70, 204, 110));
    p.drawRoundedRect(QRectF(9.2, 5.6, 6.2, 5.6), 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
    QPainterPath bridge;
    bridge.moveTo(6.8, 7.2);
    bridge.quadTo(8, 5.8, 9.2, 7.2);
    p.drawPath(bridge);
    p.drawLine(QPointF(0.6, 6.4), QPointF(0.2, 4));
    p.drawLine(QPointF(15.4, 6.4), QPointF(15.8, 4));
  };
}

// A soft glowing cloud, as a volume rendering shows it.
Glyph BlobGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Qt::NoPen);
    QRadialGradient cloud(QPointF(8, 8.5), 7.8, QPointF(6.5, 7));
    cloud.setColorAt(0, Mix(ink.icon, Qt::white, 0.7));
    cloud.setColorAt(0.45, Alpha(ink.icon, 230));
    cloud.setColorAt(0.75, Alpha(ink.icon, 100));
    cloud.setColorAt(1, Alpha(ink.icon, 0));
    p.setBrush(cloud);
    p.drawEllipse(QPointF(8, 8.5), 7.8, 7.8);
  };
}

// A lit solid with two lobes, as the boundary surface of a p orbital looks:
// shaded from the upper left, with a soft highlight on each lobe.
Glyph SurfaceGlyph() {
  return [](QPainter& p, const Ink& ink) {
    for (double cy : {4.6, 11.4}) {
      QRadialGradient shade(QPointF(8, cy), 5.2, QPointF(6.4, cy - 1.8));
      shade.setColorAt(0, Mix(ink.icon, Qt::white, 0.75));
      shade.setColorAt(0.55, ink.icon);
      shade.setColorAt(1, Mix(ink.icon, Qt::black, 0.55));
      p.setPen(QPen(Mix(ink.icon, Qt::black, 0.35), 0.8));
      p.setBrush(shade);
      p.drawEllipse(QPointF(8, cy), 4.6, 4.4);
    }
  };
}

// Two lobes in the colours of the two signs of the wave function, + and -.
Glyph PhaseGlyph(bool dim) {
  return [dim](QPainter& p, const Ink& ink) {
    for (bool positive : {true, false}) {
      const wl::PhaseRgb c = wl::PhaseColour(wl::OrangeBlue, positive);
      QColor colour(c.R, c.G, c.B);
      if (dim) colour = Mix(QColor(qGray(colour.rgb()), qGray(colour.rgb()), qGray(colour.rgb())), kWindow, 0.35);
      const double cx = positive ? 4.6 : 11.4;
      QRadialGradient shade(QPointF(cx, 8), 5, QPointF(cx - 1.5, 6.4));
      shade.setColorAt(0, Mix(colour, Qt::white, 0.45));
      shade.setColorAt(1, Mix(colour, Qt::black, 0.25));
      p.setPen(QPen(Mix(colour, Qt::black, 0.4), 0.8));
      p.setBrush(shade);
      p.drawEllipse(QPointF(cx, 8), 4.3, 4.6);
      p.setPen(QPen(dim ? ink.icon : QColor(255, 255, 255, 230), 1.2));
      p.drawLine(QPointF(cx - 1.8, 8), QPointF(cx + 1.8, 8));
      if (positive) p.drawLine(QPointF(cx, 6.2), QPointF(cx, 9.8));
    }
  };
}

// A big and a small square trading places.
Glyph SwapGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Line(ink.icon, 1.3));
    p.setBrush(Alpha(ink.icon, 45));
    p.drawRect(QRectF(2.5, 10.5, 12, 12));
    p.drawRect(QRectF(22.5, 2.5, 7, 7));
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(ink.icon, 1.5));
    QPainterPath over, under;
    over.moveTo(8.5, 8);
    over.quadTo(9.5, 2.5, 19.5, 5);
    under.moveTo(26, 12);
    under.quadTo(26, 18.5, 17.5, 17.5);
    p.drawPath(over);
    p.drawPath(under);
    ArrowHead(p, QPointF(19.5, 5), QPointF(10, 2.5), 3.2);
    ArrowHead(p, QPointF(17.5, 17.5), QPointF(-8.5, -1), 3.2);
  };
}

// An axis letter with a small arrow along the axis.
Glyph AxisGlyph(QChar letter) {
  return [letter](QPainter& p, const Ink& ink) {
    Text(p, QRectF(0, -1, 18, 24), Qt::AlignCenter, QString(letter), Font(20, true, true), ink.text);
    p.setPen(Line(ink.icon, 1.5));
    QPointF from, to;
    if (letter == 'x') from = {18.5, 16.5}, to = {27, 16.5};
    if (letter == 'y') from = {23, 20}, to = {23, 9};
    if (letter == 'z') from = {19, 20}, to = {26.5, 11.5};
    p.drawLine(from, to);
    ArrowHead(p, to, to - from, 3.2);
  };
}

// A plane cutting a cube.
Glyph SliceGlyph() {
  return [](QPainter& p, const Ink& ink) {
    const QRectF front(1.5, 5.5, 10, 10), back = front.translated(4.5, -4.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(Alpha(ink.icon, 140), 1.1));
    p.drawRect(back);
    for (const QPointF& c : {front.topLeft(), front.topRight(), front.bottomLeft(), front.bottomRight()})
      p.drawLine(c, c + QPointF(4.5, -4.5));
    p.drawRect(front);
    const QPointF plane[] = {{0, 11}, {12.5, 11}, {17.5, 6}, {5, 6}};
    p.setPen(Line(ink.icon, 1.3));
    p.setBrush(Alpha(ink.icon, ink.on ? 130 : 100));
    p.drawPolygon(plane, 4);
  };
}

Glyph RotateGlyph() {
  return [](QPainter& p, const Ink& ink) {
    const QRectF circle(2, 2, 12, 12);
    const double start = 100, span = -290, end = (start + span) * kPi / 180;
    QPainterPath arc;
    arc.arcMoveTo(circle, start);
    arc.arcTo(circle, start, span);
    p.setPen(Line(ink.icon, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const QPointF tip(8 + 6 * std::cos(end), 8 - 6 * std::sin(end));
    ArrowHead(p, tip, QPointF(std::sin(end), std::cos(end)), 3.4);
  };
}

// Three sliders, standing for settings.
Glyph OptionsGlyph() {
  return [](QPainter& p, const Ink& ink) {
    const double knobs[] = {10.5, 4.5, 8.5};
    for (int i = 0; i < 3; ++i) {
      const double y = 3 + i * 5;
      p.setPen(Line(Alpha(ink.icon, 160), 1.2));
      p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
      p.setPen(Line(ink.icon, 1.3));
      p.setBrush(Mix(ink.icon, kWindow, 0.55));
      p.drawEllipse(QPointF(knobs[i], y), 2.1, 2.1);
    }
  };
}

// A cloud of dots: probability per volume.
Glyph DensityGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Qt::NoPen);
    constexpr int kDots = 30;
    for (int i = 0; i < kDots; ++i) {
      const double r = 8 * std::sqrt((i + 0.5) / kDots), a = i * 2.39996;
      p.setBrush(Alpha(ink.icon, static_cast<int>(255 - 17 * r)));
      p.drawEllipse(QPointF(9 + r * std::cos(a), 9 + r * std::sin(a)), 1.25 - 0.07 * r, 1.25 - 0.07 * r);
    }
  };
}

// A curve rising and falling with distance: the radial probability.
Glyph RadialGlyph() {
  return [](QPainter& p, const Ink& ink) {
    p.setPen(Line(Alpha(ink.icon, 150), 1.1));
    const QPointF axes[] = {{1.5, 1.5}, {1.5, 16.5}, {17, 16.5}};
    p.drawPolyline(axes, 3);
    QPainterPath curve;
    for (int i = 0; i <= 40; ++i) {
      const double r = i * 9.0 / 40, f = r * r * std::exp(2 - r) / 4;
      const QPointF pt(1.5 + r * 15.5 / 9, 16.5 - 13.5 * f);
      i == 0 ? curve.moveTo(pt) : curve.lineTo(pt);
    }
    p.setPen(Line(ink.icon, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
  };
}

// ---------------------------------------------------------------------------
// Button faces

struct Face {
  QString label{};
  Glyph glyph{};            // may be empty
  QSizeF glyphSize{16, 16};
  int labelPx = 12;
  bool bold = false;
  QString note{};           // a smaller second line under the label
  bool stacked = false;     // glyph above the label instead of left of it
  bool accentFill = false;  // lit face filled with the accent colour
  QBrush back{kWindow};     // what shows beyond the rounded corners
};

// `font`, or if `text` does not fit into `room` pixels, its condensed cut and
// then smaller sizes of that.
QFont Fit(QFont font, const QString& text, double room) {
  auto fits = [&] { return QFontMetricsF(font).horizontalAdvance(text) <= room; };
  if (!fits()) font.setStretch(QFont::SemiCondensed);
  while (!fits() && font.pixelSize() > 9) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

void DrawFace(QPainter& p, const QSizeF& size, bool on, const Face& f) {
  const double w = size.width(), h = size.height(), radius = 4;
  p.fillRect(QRectF(0, 0, w, h), f.back);
  QLinearGradient fill(0, 0, 0, h);
  QColor border;
  Ink ink{QColor(200, 200, 207), kInk, on};
  QColor note(166, 165, 174);
  if (!on) {
    fill.setColorAt(0, QColor(94, 92, 99));
    fill.setColorAt(1, QColor(78, 77, 83));
    border = QColor(112, 110, 118);
  } else if (f.accentFill) {
    fill.setColorAt(0, QColor(255, 214, 124));
    fill.setColorAt(1, QColor(238, 166, 52));
    border = QColor(255, 230, 168);
    ink = {QColor(70, 44, 8), QColor(52, 34, 8), on};
    note = QColor(96, 64, 18);
  } else {
    fill.setColorAt(0, Mix(QColor(124, 122, 130), kAccent, 0.08));
    fill.setColorAt(1, Mix(QColor(98, 96, 104), kAccent, 0.05));
    border = kAccent;
    ink = {kAccent, Qt::white, on};
    note = QColor(240, 228, 206);
  }
  p.setPen(QPen(border, 1));
  p.setBrush(fill);
  p.drawRoundedRect(Edge(QRectF(0, 0, w, h)), radius, radius);
  p.setPen(QPen(Alpha(Qt::white, on ? 70 : 26), 1));  // light catching the top edge
  p.drawLine(QPointF(radius, 1.5), QPointF(w - radius, 1.5));

  const double gw = f.glyph ? f.glyphSize.width() : 0, gh = f.glyph ? f.glyphSize.height() : 0;
  const double gap = f.glyph && !f.label.isEmpty() && !f.stacked ? 4 : 0;
  const QFont label = Fit(Font(f.labelPx, f.bold), f.label, w - 6 - (f.stacked ? 0 : gw + gap));
  const QFont small = Font(10);
  const QFontMetricsF lm(label), nm(small);
  auto drawGlyph = [&](double x, double y) {
    if (!f.glyph) return;
    p.save();
    p.translate(std::round(x), std::round(y));
    f.glyph(p, ink);
    p.restore();
  };
  if (f.stacked) {
    const double y = std::round((h - gh - lm.height()) / 2);
    drawGlyph((w - gw) / 2, y);
    Text(p, QRectF(0, y + gh, w, lm.height()), Qt::AlignHCenter | Qt::AlignTop, f.label, label, ink.text);
    return;
  }
  const double textW = std::max(lm.horizontalAdvance(f.label), f.note.isEmpty() ? 0.0 : nm.horizontalAdvance(f.note));
  const double x = std::round((w - gw - gap - textW) / 2);
  drawGlyph(x, (h - gh) / 2);
  const double blockH = lm.height() + (f.note.isEmpty() ? 0 : nm.height() - 1);
  const double y = std::round((h - blockH) / 2);
  Text(p, QRectF(x + gw + gap, y, textW + 4, lm.height()), Qt::AlignLeft | Qt::AlignVCenter, f.label, label,
       ink.text);
  if (!f.note.isEmpty())
    Text(p, QRectF(x + gw + gap, y + lm.height() - 1, textW + 4, nm.height()), Qt::AlignLeft | Qt::AlignVCenter,
         f.note, small, note);
}

// The title bar buttons: a bare glyph at rest, a lit tile under the pointer.
void DrawChrome(QPainter& p, bool on, bool close, const std::function<void(QPainter&)>& glyph) {
  p.fillRect(QRectF(0, 0, 22, 20), kTitleBar);
  QColor ink(178, 178, 186);
  if (on) {
    p.setPen(QPen(close ? QColor(238, 104, 96) : Alpha(kAccent, 210), 1));
    p.setBrush(close ? QColor(206, 50, 46) : QColor(74, 72, 80));
    p.drawRoundedRect(Edge(QRectF(0, 0, 22, 20)), 3, 3);
    ink = Qt::white;
  }
  p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  glyph(p);
}

// The trackball: a shaded sphere with latitude and longitude lines.
void DrawTrackball(QPainter& p, bool on) {
  p.fillRect(QRectF(0, 0, 56, 56), kWindow);
  const QPointF c(28, 28);
  const double r = 26;
  QRadialGradient shade(c, r, c + QPointF(-8, -9));
  shade.setColorAt(0, on ? QColor(246, 244, 240) : QColor(196, 196, 204));
  shade.setColorAt(0.5, on ? QColor(160, 156, 156) : QColor(116, 115, 125));
  shade.setColorAt(1, on ? QColor(60, 56, 56) : QColor(42, 41, 48));
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawEllipse(c, r, r);

  // Grid lines on the front half of a sphere turned a little towards the viewer.
  const double tilt = 0.45, spin = 0.35;
  auto project = [&](double lat, double lon, double* depth) {
    const double x = std::cos(lat) * std::sin(lon), y = std::sin(lat), z = std::cos(lat) * std::cos(lon);
    const double x1 = x * std::cos(spin) + z * std::sin(spin), z1 = -x * std::sin(spin) + z * std::cos(spin);
    const double y2 = y * std::cos(tilt) - z1 * std::sin(tilt);
    *depth = y * std::sin(tilt) + z1 * std::cos(tilt);
    return c + QPointF(x1, -y2) * (r - 0.5);
  };
  auto trace = [&](const std::function<QPointF(double, double*)>& at) {
    QPainterPath path;
    bool drawing = false;
    for (int i = 0; i <= 96; ++i) {
      double depth;
      const QPointF pt = at(i / 96.0, &depth);
      if (depth < 0) {
        drawing = false;
      } else if (drawing) {
        path.lineTo(pt);
      } else {
        path.moveTo(pt);
        drawing = true;
      }
    }
    p.drawPath(path);
  };
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(on ? QColor(70, 52, 30, 120) : QColor(24, 24, 30, 110), 0.9));
  for (int lat = -60; lat <= 60; lat += 30)
    trace([&](double t, double* d) { return project(lat * kPi / 180, t * 2 * kPi, d); });
  for (int lon = 0; lon < 180; lon += 30)
    trace([&](double t, double* d) { return project((t - 0.5) * 2 * kPi, lon * kPi / 180, d); });

  Glow(p, c + QPointF(-9, -10), 9, 6, Qt::white, on ? 150 : 90);
  p.setPen(QPen(on ? kAccent : QColor(30, 30, 34), on ? 1.6 : 1));
  p.drawEllipse(c, r - (on ? 0.3 : 0), r - (on ? 0.3 : 0));
}

// The thumb of the slice slider: a vertical grip.
void DrawThumb(QPainter& p, bool on) {
  p.fillRect(QRectF(0, 0, 16, 30), kWindow);
  QLinearGradient fill(0, 0, 16, 0);
  fill.setColorAt(0, on ? QColor(255, 220, 140) : QColor(166, 164, 174));
  fill.setColorAt(1, on ? QColor(232, 160, 48) : QColor(116, 114, 124));
  p.setPen(QPen(on ? QColor(130, 84, 20) : QColor(28, 28, 32), 1));
  p.setBrush(fill);
  p.drawRoundedRect(Edge(QRectF(0, 0, 16, 30)), 3, 3);
  p.setPen(QPen(Alpha(Qt::white, on ? 120 : 60), 1));
  p.drawLine(QPointF(3, 1.5), QPointF(13, 1.5));
  for (int i = 0; i < 3; ++i) {
    const double y = 11.5 + i * 3;
    p.setPen(QPen(on ? QColor(120, 76, 16) : QColor(52, 51, 58), 1));
    p.drawLine(QPointF(4, y), QPointF(12, y));
    p.setPen(QPen(Alpha(Qt::white, on ? 130 : 70), 1));
    p.drawLine(QPointF(4, y + 1), QPointF(12, y + 1));
  }
}

// ---------------------------------------------------------------------------
// Orbital artwork

// A hydrogen wave function, up to a constant, at (x, y, z) in Bohr radii.
using Psi = std::function<double(double, double, double)>;

// The 3d orbital with m = 0: two lobes along z and a ring around them of the
// opposite sign.
double Psi3dz2(double x, double y, double z) {
  const double r2 = x * x + y * y + z * z;
  return (3 * z * z - r2) * std::exp(-std::sqrt(r2) / 3);
}

struct CloudStyle {
  QPointF centre;            // where the nucleus is drawn
  double scale;              // pixels per Bohr radius
  double extent;             // half the side of the sampled cube, Bohr radii
  double elevation;          // how far the viewer looks down on the xy plane
  int dots;
  double dotRadius;
  int alpha;                 // of a dot at the front
  std::uint32_t seed;
  QColor positive = kCyan;   // colour where the wave function is positive
  QColor negative = QColor(255, 172, 64);
};

// Scatters dots with the orbital's probability density |psi|^2 (rejection
// sampling from a seeded generator, so the picture is the same every time)
// and adds them up, so that dense regions glow.
void Cloud(QPainter& p, const Psi& psi, const CloudStyle& s) {
  double peak = 0;
  constexpr int kGrid = 48;
  for (int i = 0; i <= kGrid; ++i)
    for (int j = 0; j <= kGrid; ++j)
      for (int k = 0; k <= kGrid; ++k) {
        const double v = psi((2.0 * i / kGrid - 1) * s.extent, (2.0 * j / kGrid - 1) * s.extent,
                             (2.0 * k / kGrid - 1) * s.extent);
        peak = std::max(peak, v * v);
      }
  peak *= 1.1;
  std::mt19937 gen(s.seed);
  auto uniform = [&gen] { return gen() / 4294967296.0; };
  const double ce = std::cos(s.elevation), se = std::sin(s.elevation);
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  p.setPen(Qt::NoPen);
  for (int n = 0; n < s.dots;) {
    const double x = (2 * uniform() - 1) * s.extent, y = (2 * uniform() - 1) * s.extent,
                 z = (2 * uniform() - 1) * s.extent;
    const double v = psi(x, y, z), accept = uniform();
    if (accept * peak > v * v) continue;
    ++n;
    const double depth = (-y * ce + z * se) / s.extent;  // -1 far .. 1 near
    const double near = std::clamp(0.5 + 0.5 * depth, 0.0, 1.0);
    const QPointF at = s.centre + QPointF(x, -(z * ce + y * se)) * s.scale;
    p.setBrush(Alpha(v >= 0 ? s.positive : s.negative, static_cast<int>(s.alpha * (0.45 + 0.55 * near))));
    const double radius = s.dotRadius * (0.8 + 0.4 * near);
    p.drawEllipse(at, radius, radius);
  }
  p.restore();
}

// The 3d z² orbital glowing on a dark background, with its nucleus.
void OrbitalArt(QPainter& p, QPointF c, double scale, int dots, std::uint32_t seed) {
  const double elevation = 0.5;
  const double lobe = 7.5 * scale, ring = 6.5 * scale;
  Glow(p, c + QPointF(0, -lobe), 6 * scale, 7 * scale, kCyan, 46);
  Glow(p, c + QPointF(0, lobe), 6 * scale, 7 * scale, kCyan, 46);
  Glow(p, c, ring * 1.7, ring * 0.6, QColor(255, 172, 64), 30);
  Cloud(p, Psi3dz2,
        {c, scale, 21, elevation, dots, 0.75, 34, seed, QColor(80, 180, 255), QColor(255, 160, 60)});
  Glow(p, c, 2.6 * scale, 2.6 * scale, QColor(255, 226, 170), 150);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 250, 236));
  p.drawEllipse(c, 2.2, 2.2);
}

// A dark backdrop with faint rings around the orbital.
void NightSky(QPainter& p, const QSizeF& size, QPointF c, double scale) {
  QRadialGradient sky(c, std::max(size.width(), size.height()));
  sky.setColorAt(0, QColor(36, 38, 52));
  sky.setColorAt(0.6, QColor(22, 22, 30));
  sky.setColorAt(1, QColor(14, 14, 18));
  p.fillRect(QRectF(QPointF(0, 0), size), sky);
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 5; ++i) {
    p.setPen(QPen(Alpha(kCyan, 24 - 3 * i), 1));
    p.drawEllipse(c, i * 4.2 * scale, i * 4.2 * scale * 0.32);
  }
}

// Big text filled with a gentle vertical gradient.
void Title(QPainter& p, QPointF baseline, const QString& text, const QFont& font) {
  QPainterPath path;
  path.addText(baseline, font, text);
  const QRectF box = path.boundingRect();
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, QColor(255, 255, 255));
  fill.setColorAt(1, QColor(214, 222, 240));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

// The program's name with an accent bar above it and the tagline under it;
// `at` is the left end of the name's baseline.
void Masthead(QPainter& p, QPointF at, int titlePx) {
  p.fillRect(QRectF(at.x() + 4, at.y() - titlePx * 1.25, titlePx * 0.7, 3), kAccent);
  Title(p, at, QStringLiteral("Wavelore"), Font(titlePx, true));
  TextAt(p, at.x() + 3, at.y() + titlePx * 0.32, QStringLiteral("Orbitals of the hydrogen atom"),
         Font(std::lround(titlePx * 0.33)), QColor(196, 204, 222));
}

// ---------------------------------------------------------------------------
// Window and page backgrounds

// The toolbar band's gradient, for a face whose top is at window y `top`.
QLinearGradient ToolbarBand(double top) {
  QLinearGradient band(0, 52 - top, 0, 94 - top);
  band.setColorAt(0, QColor(72, 71, 77));
  band.setColorAt(1, QColor(60, 59, 65));
  return band;
}

// A 1px dark frame just outside `inner`, with a faint light edge beyond it at
// the bottom and right, so that the inside looks sunk.
void Well(QPainter& p, const QRectF& inner, bool bevel = true) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGroove, 1));
  p.drawRect(Edge(inner.adjusted(-1, -1, 1, 1)));
  if (!bevel) return;
  p.setPen(QPen(QColor(84, 83, 90), 1));
  const QRectF o = Edge(inner.adjusted(-2, -2, 2, 2));
  p.drawLine(o.bottomLeft(), o.bottomRight());
  p.drawLine(o.topRight(), o.bottomRight());
}

void DrawWindow(QPainter& p) {
  QLinearGradient body(0, 94, 0, 574);
  body.setColorAt(0, QColor(62, 61, 66));
  body.setColorAt(1, QColor(54, 53, 58));
  p.fillRect(QRectF(0, 0, 800, 600), body);

  p.fillRect(QRectF(0, 0, 800, 28), kTitleBar);
  Emblem(p, QPointF(16, 14), 7.2, kCyan, kAccent, 1.3);
  const QFont name = Font(14, true), tagline = Font(13);
  const double nameW = QFontMetricsF(name).horizontalAdvance(QStringLiteral("Wavelore"));
  Text(p, QRectF(30, 0, 300, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wavelore"), name, Qt::white);
  Text(p, QRectF(30 + nameW, 0, 400, 28), Qt::AlignLeft | Qt::AlignVCenter,
       QStringLiteral("  Orbitals of the hydrogen atom"), tagline, QColor(150, 150, 160));

  p.fillRect(QRectF(0, 28, 800, 24), QColor(50, 49, 55));
  p.fillRect(QRectF(0, 51, 800, 1), QColor(42, 41, 46));
  p.fillRect(QRectF(0, 52, 800, 42), ToolbarBand(0));
  p.fillRect(QRectF(0, 52, 800, 1), QColor(84, 83, 90));
  p.fillRect(QRectF(0, 93, 800, 1), QColor(40, 39, 44));

  p.fillRect(QRectF(8, 98, 196, 472), kPanel);
  Well(p, QRectF(8, 98, 196, 472), false);
  Well(p, QRectF(210, 98, 582, 472), false);

  QLinearGradient status(0, 574, 0, 600);
  status.setColorAt(0, QColor(50, 49, 55));
  status.setColorAt(1, QColor(44, 43, 48));
  p.fillRect(QRectF(0, 574, 800, 26), status);
  p.fillRect(QRectF(0, 574, 800, 1), QColor(82, 81, 88));
}

// A step heading: an amber disc with the step's number, then the title.
void Heading(QPainter& p, double x, double y, int step, const QString& title) {
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(x + 8, y + 9), 8, 8);
  Text(p, QRectF(x, y + 1, 16, 16), Qt::AlignCenter, QString::number(step), Font(11, true), QColor(52, 36, 10));
  Text(p, QRectF(x + 22, y, 400, 18), Qt::AlignLeft | Qt::AlignVCenter, title, Font(13, true), Qt::white);
}

void DrawSetupPage(QPainter& p) {
  p.fillRect(QRectF(0, 0, 582, 472), kWindow);

  Heading(p, 16, 8, 1, QStringLiteral("Energy level n"));
  Heading(p, 160, 8, 2, QStringLiteral("Subshell l"));
  Heading(p, 364, 8, 3, QStringLiteral("Orbital m"));
  Text(p, QRectF(16, 158, 400, 18), Qt::AlignLeft | Qt::AlignVCenter,
       QStringLiteral("\u2026or pick an orbital by name"), Font(12, true), QColor(226, 226, 232));
  const QFont label = Font(11);
  TextAt(p, 16, 230, QStringLiteral("Atom radius (Bohr radii)"), label, kInk);
  TextAt(p, 160, 230, QStringLiteral("Dot threshold (0 to 250)"), label, kInk);
  Heading(p, 16, 292, 4, QStringLiteral("What to show"));
  const QFont help = Font(11);
  TextAt(p, 16, 364, QStringLiteral("PDF: probability per volume."), help, kDim);
  TextAt(p, 16, 379, QStringLiteral("DRPDF: probability at each distance from the nucleus."), help, kDim);
  Heading(p, 364, 360, 5, QStringLiteral("Calculate"));

  // The atom and the form of the orbital, right of the name box and spins.
  Text(p, QRectF(364, 158, 210, 18), Qt::AlignLeft | Qt::AlignVCenter,
       QStringLiteral("Nuclear charge Z"), Font(12, true), QColor(226, 226, 232));
  TextAt(p, 364, 230, QStringLiteral("Real or complex (definite m)"), label, kInk);
  // Hybrids: instead of one orbital of the lists.
  Text(p, QRectF(16, 398, 340, 18), Qt::AlignLeft | Qt::AlignVCenter,
       QStringLiteral("\u2026or a hybrid orbital"), Font(12, true), QColor(226, 226, 232));
  TextAt(p, 16, 418, QStringLiteral("Set"), label, kInk);
  TextAt(p, 160, 418, QStringLiteral("Member"), label, kInk);
  TextAt(p, 256, 418, QStringLiteral("Shell n"), label, kInk);
}

void DrawViewerPage(QPainter& p) {
  p.fillRect(QRectF(0, 0, 582, 472), kWindow);
  Well(p, QRectF(4, 4, 375, 375));
  Well(p, QRectF(390, 4, 128, 128));
  Well(p, QRectF(390, 142, 127, 127));
  const QFont caption = Font(11);
  Text(p, QRectF(390, 272, 127, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Axes"), caption, kDim);
  Text(p, QRectF(515, 200, 72, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Trackball"), caption, kDim);

  // The slice slider's groove, with ticks at its ends and in the middle.
  p.setPen(QPen(QColor(20, 20, 24), 1));
  p.setBrush(kGroove);
  p.drawRoundedRect(Edge(QRectF(285, 445, 201, 6)), 3, 3);
  p.setPen(QPen(QColor(86, 85, 92), 1));
  p.drawLine(QPointF(288, 451.5), QPointF(483, 451.5));
  for (double x : {285.5, 385.5, 485.5}) {
    p.setPen(QPen(x == 385.5 ? kDim : QColor(120, 119, 128), 1));
    p.drawLine(QPointF(x, 464), QPointF(x, x == 385.5 ? 470 : 469));
  }
  TextAt(p, 490, 440, QStringLiteral("Slice position"), Font(10), kDim);
}

void DrawIcon(QPainter& p) {
  const QRectF tile(2, 2, 60, 60);
  QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
  fill.setColorAt(0, QColor(70, 68, 82));
  fill.setColorAt(1, QColor(26, 26, 32));
  p.setPen(QPen(QColor(14, 14, 18), 1));
  p.setBrush(fill);
  p.drawRoundedRect(Edge(tile), 12, 12);
  p.setPen(QPen(Alpha(Qt::white, 40), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(Edge(tile.adjusted(1, 1, -1, -1)), 11, 11);
  const QPointF c(32, 32);
  Glow(p, c, 26, 26, kCyan, 60);
  Emblem(p, c, 22, kCyan, kAccent, 3.2);
  Glow(p, c, 10, 10, QColor(255, 220, 150), 170);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 248, 230));
  p.drawEllipse(c, 2.2, 2.2);
}

// ---------------------------------------------------------------------------

struct Bitmap {
  QString name;
  QSize size;
  std::function<void(QPainter&)> paint;
  bool transparent = false;
};

std::vector<Bitmap> AllBitmaps() {
  std::vector<Bitmap> out;
  auto pair = [&out](const QString& name, QSize size, const std::function<void(QPainter&, bool)>& paint) {
    out.push_back({name + "ON", size, [paint](QPainter& p) { paint(p, true); }});
    out.push_back({name + "OFF", size, [paint](QPainter& p) { paint(p, false); }});
  };
  auto face = [&pair](const QString& name, QSize size, const Face& f) {
    pair(name, size, [f, size](QPainter& p, bool on) { DrawFace(p, size, on, f); });
  };

  // Window chrome.
  auto chrome = [&pair](const QString& name, bool close, std::function<void(QPainter&)> glyph) {
    pair(name, QSize(22, 20), [close, glyph](QPainter& p, bool on) { DrawChrome(p, on, close, glyph); });
  };
  chrome("CBMIN", false, [](QPainter& p) { p.fillRect(QRectF(6, 13, 10, 1), p.pen().color()); });
  chrome("CBFULLSCREEN", false, [](QPainter& p) {
    const double l = 6.5, t = 5.5, r = 15.5, b = 14.5, arm = 3;
    const QPointF tl[] = {{l, t + arm}, {l, t}, {l + arm, t}};
    const QPointF tr[] = {{r - arm, t}, {r, t}, {r, t + arm}};
    const QPointF bl[] = {{l, b - arm}, {l, b}, {l + arm, b}};
    const QPointF br[] = {{r - arm, b}, {r, b}, {r, b - arm}};
    for (const QPointF* corner : {tl, tr, bl, br}) p.drawPolyline(corner, 3);
  });
  chrome("CBRESTORE", false, [](QPainter& p) {
    const QPointF back[] = {{8.5, 7.5}, {8.5, 5.5}, {15.5, 5.5}, {15.5, 12.5}, {13.5, 12.5}};
    p.drawPolyline(back, 5);
    p.drawRect(QRectF(6.5, 7.5, 7, 7));
  });
  chrome("CBCLOSE", true, [](QPainter& p) {
    p.setPen(Line(p.pen().color(), 1.25));
    p.drawLine(QPointF(7, 6), QPointF(15, 14));
    p.drawLine(QPointF(15, 6), QPointF(7, 14));
  });

  // Toolbar.
  const QSize toolbar(76, 36);
  const QBrush band(ToolbarBand(54));
  face("TBBACK", toolbar, {.label = "Back", .glyph = ArrowGlyph(false), .labelPx = 11, .back = band});
  face("TBFORWARD", toolbar, {.label = "Forward", .glyph = ArrowGlyph(true), .labelPx = 11, .back = band});
  face("TBREF", toolbar, {.label = "Reference", .glyph = BookGlyph(), .labelPx = 11, .back = band});
  face("TBELEC", toolbar, {.label = "Orbitals", .glyph = AtomGlyph(), .labelPx = 11, .back = band});
  face("TBHELP", toolbar, {.label = "Help", .glyph = HelpGlyph(), .labelPx = 11, .back = band});

  // Orbital selector page.
  face("OSPDF", QSize(124, 40),
       {.label = "PDF", .glyph = DensityGlyph(), .glyphSize = {18, 18}, .labelPx = 13, .bold = true,
        .note = QStringLiteral("density |\u03C8|\u00B2")});
  face("OSDRPDF", QSize(124, 40),
       {.label = "DRPDF", .glyph = RadialGlyph(), .glyphSize = {18, 18}, .labelPx = 13, .bold = true,
        .note = QStringLiteral("radially weighted")});
  face("OSCALC", QSize(200, 56),
       {.label = "Calculate", .glyph = PlayGlyph(), .glyphSize = {24, 24}, .labelPx = 20, .bold = true,
        .accentFill = true});

  // Orbital viewer page.
  // Five modes share the row under the main view: the glyph above the label.
  const QSize mode(72, 36);
  const auto modeFace = [](const QString& label, Glyph glyph) {
    return Face{.label = label, .glyph = std::move(glyph), .labelPx = 11, .stacked = true};
  };
  face("EEORTHO", mode, modeFace("Ortho", OrthoGlyph()));
  face("EEPERS", mode, modeFace("Perspective", PerspectiveGlyph()));
  face("EEANA", mode, modeFace("Anaglyph", GlassesGlyph()));
  face("EEVOL", mode, modeFace("Volume", BlobGlyph()));
  face("EESURF", mode, modeFace("Surface", SurfaceGlyph()));
  face("EE3D", QSize(50, 30), {.label = "3D", .labelPx = 13, .bold = true});
  face("EE2D", QSize(50, 30), {.label = "2D", .labelPx = 13, .bold = true});
  face("EESWAP", QSize(50, 60), {.label = "Swap", .glyph = SwapGlyph(), .glyphSize = {32, 24}, .labelPx = 11,
                                 .stacked = true});
  for (QChar axis : {'x', 'y', 'z'})
    face("EETDIR" + QString(axis).toUpper(), QSize(40, 36), {.glyph = AxisGlyph(axis), .glyphSize = {28, 24}});
  face("EETRANS", QSize(136, 36), {.label = "Show slice", .glyph = SliceGlyph(), .glyphSize = {18, 16}});
  pair("EEBALL", QSize(56, 56), DrawTrackball);
  face("EEAUTOROTATE", QSize(92, 36), {.label = "Rotate", .glyph = RotateGlyph()});
  face("EEFURTHER", QSize(92, 36), {.label = "Options", .glyph = OptionsGlyph()});
  face("EEPHASE", QSize(92, 36), {.label = "Phase", .glyph = PhaseGlyph(false)});
  face("EEGRAPHS", QSize(92, 36), {.label = "Graphs", .glyph = RadialGlyph(), .glyphSize = {18, 18}});
  // The phase toggle where it does not apply (subshell averages): greyed.
  out.push_back({"EEPHASEDIS", QSize(92, 36), [](QPainter& p) {
                   DrawFace(p, QSizeF(92, 36), false, {.label = "Phase", .glyph = PhaseGlyph(true)});
                   p.fillRect(QRectF(0, 0, 92, 36), Alpha(kWindow, 110));
                 }});
  pair("EETSLIDER", QSize(16, 30), DrawThumb);

  // Big pictures.
  out.push_back({"SPLASH", QSize(640, 480), [](QPainter& p) {
                   const QPointF c(196, 212);
                   NightSky(p, QSizeF(640, 480), c, 8.4);
                   // The program writes its progress into the strip at y 404..424.
                   p.setClipRegion(QRegion(0, 0, 640, 480) - QRegion(160, 396, 320, 40));
                   OrbitalArt(p, c, 8.4, 60000, 1);
                   p.setClipping(false);
                   Text(p, QRectF(20, 360, 352, 16), Qt::AlignHCenter | Qt::AlignTop,
                        QStringLiteral("3d z\u00B2   n = 3   l = 2   m = 0"), Font(11), QColor(120, 134, 156));
                   Masthead(p, QPointF(368, 212), 46);
                 }});
  out.push_back({"WLABOUT", QSize(566, 346), [](QPainter& p) {
                   const QPointF c(150, 172);
                   NightSky(p, QSizeF(566, 346), c, 6.4);
                   OrbitalArt(p, c, 6.4, 36000, 2);
                   Masthead(p, QPointF(300, 150), 42);
                   TextAt(p, 303, 196, QStringLiteral("Version 0.1"), Font(12), QColor(255, 206, 110));
                 }});
  out.push_back({"WLBG", QSize(800, 600), DrawWindow});
  out.push_back({"WLMAINVIEW", QSize(582, 472), [](QPainter& p) { p.fillRect(QRect(0, 0, 582, 472), kWindow); }});
  out.push_back({"WLORBSETUP", QSize(582, 472), DrawSetupPage});
  out.push_back({"WLORBVIEWER", QSize(582, 472), DrawViewerPage});
  out.push_back({"WLICON", QSize(64, 64), DrawIcon, true});
  return out;
}

QImage Render(const Bitmap& b, int scale) {
  QImage image(b.size * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
  p.scale(scale, scale);
  b.paint(p);
  p.end();
  return image.convertToFormat(b.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

bool WriteQrc(const QDir& folder, std::vector<QString> files) {
  std::sort(files.begin(), files.end());
  QFile qrc(folder.filePath(QStringLiteral("wavelore.qrc")));
  if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream out(&qrc);
  out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/bitmaps\">\n";
  for (const QString& f : files) out << "    <file>" << f << "</file>\n";
  out << "</qresource>\n</RCC>\n";
  return out.status() == QTextStream::Ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: wl-bitmaps <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "wl-bitmaps: cannot create %s\n", argv[1]);
    return 1;
  }
  std::vector<QString> written;
  int failures = 0;
  for (const Bitmap& b : AllBitmaps()) {
    for (int scale : {1, 2}) {
      const QString file = b.name + (scale == 2 ? "@2x.png" : ".png");
      if (Render(b, scale).save(folder.filePath(file))) {
        written.push_back(file);
      } else {
        std::fprintf(stderr, "wl-bitmaps: could not write %s\n", qPrintable(folder.filePath(file)));
        ++failures;
      }
    }
  }
  // The desktop's 256-pixel icon, installed beside the program (not compiled in).
  for (const Bitmap& b : AllBitmaps()) {
    if (b.name == QLatin1String("WLICON") &&
        !Render(b, 4).save(folder.filePath(QStringLiteral("WLICON@4x.png")))) {
      std::fprintf(stderr, "wl-bitmaps: could not write the 256-pixel icon\n");
      ++failures;
    }
  }
  if (!WriteQrc(folder, written)) {
    std::fprintf(stderr, "wl-bitmaps: could not write wavelore.qrc\n");
    ++failures;
  }
  std::printf("wl-bitmaps: wrote %zu pictures and wavelore.qrc to %s\n", written.size(), qPrintable(folder.path()));
  return failures == 0 ? 0 : 1;
}
