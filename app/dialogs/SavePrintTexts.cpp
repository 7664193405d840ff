#include "SavePrintTexts.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "Axes.h"
#include "NoFocusCont.h"
#include "PictureSizes.h"
#include "core/Numeric.h"
#include "main/Fonts.h"
#include "main/Numbers.h"
#include "main/OrbitalNames.h"
#include "main/OrbitalView.h"
#include "main/frmMain.h"

namespace wl {

namespace {

// The shortest decimal form that reads back as the same double.
QString ShortestDouble(double v) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return QString::fromLatin1(buffer, static_cast<int>(end - buffer));
}

QString AxisName(TransectDirection direction) {
  switch (direction) {
    case AlongX:
      return QStringLiteral("X");
    case Alongz:
      return QStringLiteral("Z");
    case Alongy:
      break;
  }
  return QStringLiteral("Y");
}

// "transect along Y-axis (2.5" with the rest of the bracket left to the caller.
QString TransectStart(const OrbitalView& view) {
  return QStringLiteral("transect along %1-axis (").arg(AxisName(view.TransectDir)) +
         TransectDistance(view);
}

// What one of the two views shows, for a file name: the 3D image as
// "orthographic render", the transect with its place.
QString ViewForFileName(const OrbitalView& view, bool showsTransect) {
  if (showsTransect) return TransectStart(view) + QStringLiteral(" from nucleus)");
  return ModeWord(view.Mode) + QStringLiteral(" render");
}

// Draws text with the top-left corner of its line at `topLeft`, in letters
// `scale` times the composite's own.
void DrawLine(QPainter& p, QPointF topLeft, const QString& text, bool bold, double scale) {
  const QFont font = PixelFont(11 * scale, bold);
  p.setFont(font);
  p.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent()), text);
}

// A place in the composite at `scale` times its size.
QRect ScaledPlace(const QRect& place, double scale) {
  const auto S = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
  return {S(place.x()), S(place.y()), std::max(1, S(place.width())),
          std::max(1, S(place.height()))};
}

}  // namespace

QString OrbitalCaption(const OrbitalView& view) {
  const Integer fallback =
      view.ViewMode == DRPDF ? view.Info.DefaultDRPDFAtomRadius : view.Info.DefaultPDFAtomRadius;
  return OrbitalDescription(view) + QStringLiteral(", Atom Radius = ") + ShortestSingle(view.AtomRadius) +
         QStringLiteral(" Bohr radii (default = %1)").arg(fallback);
}

QString ModeWord(RenderMode mode) {
  switch (mode) {
    case Orthographic:
      return QStringLiteral("orthographic");
    case Perspective:
      return QStringLiteral("perspective");
    case Anaglyph:
      return QStringLiteral("anaglyph");
    case Volumetric:
      return QStringLiteral("volumetric");
    case Transect:
      return QStringLiteral("transect");
    case BoundarySurface:
      return QStringLiteral("surface");
  }
  return QString();
}

QString TransectDistance(const OrbitalView& view) {
  const double distance = view.TransectNo / 127.0 * static_cast<double>(view.AtomRadius);
  // Adding zero turns a negative zero ("-0") into zero.
  return ShortestDouble(RoundHalfEven(distance * 10) / 10 + 0.0);
}

QString TransectPhrase(const OrbitalView& view) {
  return TransectStart(view) + QStringLiteral(" Bohr radii from nucleus)");
}

QString ViewsLine(const OrbitalView& view) {
  const QString solid = ModeWord(view.Mode);
  const QString slice = TransectPhrase(view);
  const bool swapped = view.Swapped == 1;
  return QStringLiteral("Main view: ") + (swapped ? slice : solid) +
         QStringLiteral(", Small view: ") + (swapped ? solid : slice);
}

QString DefaultFileName(const OrbitalView& view, int ImageMode) {
  const QString orbital =
      OrbitalDescription(view) + QStringLiteral(", radius = ") + ShortestSingle(view.AtomRadius);
  const bool swapped = view.Swapped == 1;
  switch (ImageMode) {
    case 0:
      return QStringLiteral("Axes for ") + orbital;
    case 1:
      return QStringLiteral("Main ") + ViewForFileName(view, swapped) + QStringLiteral(" of ") +
             orbital;
    case 2:
      return QStringLiteral("Small ") + ViewForFileName(view, !swapped) + QStringLiteral(" of ") +
             orbital;
    default:
      return orbital;
  }
}

QSize CompositeSize(int width) {
  if (width <= 0) return {kCompositeWidth, kCompositeHeight};
  return ScaledPlace({0, 0, kCompositeWidth, kCompositeHeight}, width / double(kCompositeWidth))
      .size();
}

QImage ComposeImage(frmMain& main, int width) {
  const double scale = width > 0 ? width / double(kCompositeWidth) : 1.0;
  const bool own = width <= 0 || width == kCompositeWidth;
  const QSize size = CompositeSize(own ? 0 : width);
  const QRect mainPlace = ScaledPlace(kCompositeMain, scale),
              nanoPlace = ScaledPlace(kCompositeNano, scale),
              axesPlace = ScaledPlace(kCompositeAxes, scale);
  const auto index = static_cast<size_t>(main.CurrentOrbital);
  const OrbitalView* view = main.CurrentOrbital >= 0 && index < main.OrbitalViews.size()
                                ? &main.OrbitalViews[index]
                                : nullptr;
  // The pictures first: the engine may refuse them before anything is drawn.
  QImage mainPicture, nanoPicture, axesPicture;
  if (own || !view) {
    mainPicture = main.eeMainView->Image();
    nanoPicture = main.eeNanoView->Image();
    axesPicture = main.eeAxes->Image();
    if (!own) {
      mainPicture = mainPicture.scaled(mainPlace.size());
      nanoPicture = nanoPicture.scaled(nanoPlace.size());
      axesPicture = axesPicture.scaled(axesPlace.size());
    }
  } else {
    mainPicture = main.ViewPicture(Main, mainPlace.width());
    nanoPicture = main.ViewPicture(Nano, nanoPlace.width());
    axesPicture = AxesPicture(*main.eeAxes, view->Mode, view->Glasses, axesPlace.width());
  }

  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::black);
  if (view) {
    DrawLine(p, QPointF(5, 5) * scale, OrbitalCaption(*view), true, scale);
    DrawLine(p, QPointF(10, 20) * scale, ViewsLine(*view), false, scale);
  }
  // A zoomed window's views hold more pixels than the composite's places:
  // they are averaged down, so that no dot is simply dropped.
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(mainPlace), mainPicture);
  p.drawImage(QRectF(nanoPlace), nanoPicture);
  p.drawImage(QRectF(axesPlace), axesPicture);
  return image;
}

}  // namespace wl
