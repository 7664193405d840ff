#include "PictureSizes.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "Axes.h"
#include "NoFocusCont.h"
#include "SavePrintTexts.h"
#include "main/frmMain.h"

namespace wl {

namespace {

// The axes picture's centre and the height of a label's cell above its end
// point, in the control's own 127-pixel units.
constexpr double kCentre = 63;
constexpr double kLabelRise = 8;

const OrbitalView* ShownView(const frmMain& main) {
  const auto index = static_cast<size_t>(main.CurrentOrbital);
  if (main.CurrentOrbital < 0 || index >= main.OrbitalViews.size()) return nullptr;
  return &main.OrbitalViews[index];
}

}  // namespace

QList<int> PresetPictureSizes() {
  return {kScreenSize, 1024, 2048, 4096};
}

QImage AxesPicture(const Axes& axes, RenderMode mode, AnaglyphGlasses glasses, int side) {
  const double s = side / double(Axes::kSize);
  // A pixel of the small picture is the square [x, x + 1) scaled: lines run
  // through the middle of the pixels they joined.
  const auto at = [s](double column, double row) {
    return QPointF((column + 0.5) * s, (row + 0.5) * s);
  };
  const QPointF centre = at(kCentre, kCentre);
  const double width = std::max(1.0, s);
  QFont font = axes.LabelFont();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * s))));
  const double ascent = QFontMetricsF(font).ascent();
  static const QString names[3] = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};

  // One eye's lines and labels in one colour; brightness runs from 128 at the
  // centre to the end point's own, as the small picture's lines do.
  const auto drawEye = [&](QPainter& p, const std::array<COORDlong, 3>& ends, QRgb ink) {
    const auto shade = [ink](int b) {
      return QColor(qRed(ink) * b / 255, qGreen(ink) * b / 255, qBlue(ink) * b / 255);
    };
    p.setRenderHint(QPainter::Antialiasing);
    for (const Integer a : axes.DrawOrder()) {
      const COORDlong& end = ends[static_cast<size_t>(a)];
      const QPointF tip = at(end.X, end.Z);
      if (tip == centre) continue;
      QLinearGradient gradient(centre, tip);
      gradient.setColorAt(0, shade(128));
      gradient.setColorAt(1, shade(std::clamp<Long>(end.Y, 0, 255)));
      p.setPen(QPen(QBrush(gradient), width, Qt::SolidLine, Qt::SquareCap));
      p.drawLine(centre, tip);
    }
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int a = 0; a < 3; ++a) {
      const COORDlong& end = ends[static_cast<size_t>(a)];
      // The labels take their brightness from the right eye's end points.
      p.setPen(shade(std::clamp<Long>(axes.EndA()[static_cast<size_t>(a)].Y, 0, 255)));
      p.drawText(QPointF(end.X * s, (end.Z - kLabelRise) * s + ascent), names[a]);
    }
  };

  QImage picture(side, side, QImage::Format_RGB32);
  picture.fill(Qt::black);
  if (mode != Anaglyph) {
    QPainter p(&picture);
    drawEye(p, axes.EndA(), qRgb(255, 255, 255));
    return picture;
  }
  // Each eye on black of its own, then added: where the eyes' lines cross,
  // both colours show, as in the small picture.
  const QRgb left = glasses == RedCyan ? qRgb(0, 255, 255) : qRgb(0, 255, 0);
  QPainter p(&picture);
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  const std::pair<const std::array<COORDlong, 3>*, QRgb> eyes[2] = {
      {&axes.EndB(), left}, {&axes.EndA(), qRgb(255, 0, 0)}};
  for (const auto& [ends, ink] : eyes) {
    QImage eye(side, side, QImage::Format_RGB32);
    eye.fill(Qt::black);
    QPainter e(&eye);
    drawEye(e, *ends, ink);
    e.end();
    p.drawImage(0, 0, eye);
  }
  return picture;
}

QSize PictureDimensions(frmMain& main, int imageMode, int size) {
  if (imageMode == 3) return CompositeSize(size);
  if (size != kScreenSize) return {size, size};
  switch (imageMode) {
    case 0:
      return main.eeAxes->Image().size();
    case 1:
      return main.eeMainView->Image().size();
    default:
      return main.eeNanoView->Image().size();
  }
}

QImage PictureAtSize(frmMain& main, int imageMode, int size) {
  switch (imageMode) {
    case 0: {
      if (size == kScreenSize) return main.eeAxes->Image();
      const OrbitalView* view = ShownView(main);
      return AxesPicture(*main.eeAxes, view ? view->Mode : Orthographic,
                         view ? view->Glasses : RedGreen, size);
    }
    case 1:
      if (size == kScreenSize || !ShownView(main)) return main.eeMainView->Image();
      return main.ViewPicture(Main, size);
    case 2:
      if (size == kScreenSize || !ShownView(main)) return main.eeNanoView->Image();
      return main.ViewPicture(Nano, size);
    default:
      return ComposeImage(main, size);
  }
}

}  // namespace wl
