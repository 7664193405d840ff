#include "AxisTriad.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "render/DotRotation.h"

#ifdef WL_HAVE_QT_IMAGES
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#endif

namespace wlrender {

std::array<TriadArrow, 3> TriadArrows(const wl::RenderRequest& request) {
  std::array<TriadArrow, 3> arrows{TriadArrow{'x'}, TriadArrow{'y'}, TriadArrow{'z'}};
  if (request.Mode == wl::Transect) {
    // The slice is drawn with its first axis across and its second upward;
    // the slicing axis points out of the picture.
    const int across = request.TransectDir == wl::AlongX ? 1 : 0;
    const int up = request.TransectDir == wl::Alongz ? 1 : 2;
    arrows[across].dx = 1;
    arrows[up].dy = -1;
    const int out = 3 - across - up;
    arrows[out].depth = -1;
  } else {
    // The rotation the dot renderer turns every dot with: u across, v up, w depth.
    const wl::DotRotation rotate(request.Theta, request.Phi);
    for (int a = 0; a < 3; ++a) {
      const wl::RotatedPoint r = rotate(a == 0, a == 1, a == 2);
      arrows[a].dx = r.u;
      arrows[a].dy = -r.v;
      arrows[a].depth = r.w;
    }
  }
  std::stable_sort(arrows.begin(), arrows.end(),
                   [](const TriadArrow& a, const TriadArrow& b) { return a.depth > b.depth; });
  return arrows;
}

#ifdef WL_HAVE_QT_IMAGES
namespace {

QColor InkOf(char label) {
  switch (label) {
    case 'x':
      return QColor(255, 86, 86);
    case 'y':
      return QColor(88, 216, 88);
    default:
      return QColor(100, 150, 255);
  }
}

// Paints the triad; needs an application object for the font.
void PaintTriad(QImage& image, const wl::RenderRequest& request) {
  const int box = static_cast<int>(std::lround(image.width() * 0.36));
  const double half = box / 2.0;
  const QPointF origin(half, image.height() - half);
  const double fontPixels = std::max(9.0, box / 7.0);
  const double length = half - fontPixels * 1.1;

  QPainter p(&image);
  p.setClipRect(QRect(0, image.height() - box, box, box));
  p.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  font.setPixelSize(static_cast<int>(std::lround(fontPixels)));
  p.setFont(font);
  const double pen = std::max(1.0, box / 60.0);

  for (const TriadArrow& a : TriadArrows(request)) {
    // Each arrow is drawn twice: first a black halo a pixel wider all round,
    // so the arrow stays legible over the dots, then in its own colour.
    const double across = std::hypot(a.dx, a.dy);
    const QPointF dir = across < 0.2 ? QPointF() : QPointF(a.dx / across, a.dy / across);
    const QPointF tip = origin + QPointF(a.dx, a.dy) * length;
    const double ring = fontPixels * 0.25;
    // The label's centre sits just beyond the tip (or beside the ring).
    const QPointF labelAt = across < 0.2 ? origin + QPointF(ring + 1, -ring - 1)
                                         : tip + dir * (fontPixels * 0.55);
    const QRectF cell(labelAt.x() - fontPixels * 0.5, labelAt.y() - fontPixels * 0.5, fontPixels,
                      fontPixels);
    const QString label(QLatin1Char(a.label));

    const auto draw = [&](const QColor& colour, double width) {
      p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      if (across < 0.2) {
        // Pointing almost straight at or away from the viewer: a small ring.
        p.drawEllipse(origin, ring, ring);
        return;
      }
      p.drawLine(origin, tip);
      // Arrow head: two strokes back from the tip, 25 degrees off the shaft.
      const double head = fontPixels * 0.45;
      for (const double turn : {0.44, -0.44}) {
        const double c = std::cos(turn), s = std::sin(turn);
        const QPointF back(-(dir.x() * c - dir.y() * s), -(dir.x() * s + dir.y() * c));
        p.drawLine(tip, tip + back * head);
      }
    };
    draw(Qt::black, pen + 2);
    p.setPen(Qt::black);
    for (const QPointF shift : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
      p.drawText(cell.translated(shift), Qt::AlignCenter, label);
    const QColor ink = InkOf(a.label);
    draw(ink, pen);
    p.setPen(ink);
    p.drawText(cell, Qt::AlignCenter, label);
  }
}

}  // namespace

void WithFonts(const std::function<void()>& paint) {
  if (QGuiApplication::instance()) return paint();
  // Labels need the font database, which needs an application object; the
  // tool never shows a window, so the off-screen platform serves everywhere.
  // Its notes about the missing desktop session (no runtime folder) are noise
  // for a command-line tool and stay unprinted while it lives.
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
      });
  qputenv("QT_QPA_PLATFORM", "offscreen");
  {
    static int argc = 1;
    static char name[] = "wavelore-render";
    static char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    paint();
  }
  qInstallMessageHandler(previous);
}

void DrawAxisTriad(QImage& image, const wl::RenderRequest& request) {
  WithFonts([&] { PaintTriad(image, request); });
}
#endif

}  // namespace wlrender
