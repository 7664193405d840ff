#include "CameraView.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdlib>

#include "core/Numeric.h"
#include "modFontSize.h"
#include "render/LineWalk.h"

namespace wl {

CameraView::CameraView(QWidget* parent)
    : QWidget(parent), FontScale_(FontScaleFactor()), Background_(BackgroundSketch()) {
  Picture_ = Background_;
  // 3000 by 675 twips times the font scale: 200 by 45 pixels on any screen.
  setFixedSize(TwipsToPixelsX(3000 * FontScale_), TwipsToPixelsY(675 * FontScale_));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

Long CameraView::Column(double z) {
  return CLng(Int(z * q + 1000 * q));
}

QImage CameraView::BackgroundSketch() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  const QColor faint(70, 70, 70), grey(120, 120, 120);
  // The depth axis with a tick every 100 units.
  p.setPen(faint);
  p.drawLine(0, kMiddleRow, kWidth - 1, kMiddleRow);
  for (int z = -1000; z <= 600; z += 100) {
    const int x = static_cast<int>(std::floor(z * q + 1000 * q));
    p.drawLine(x, kMiddleRow - (z == 0 ? 3 : 1), x, kMiddleRow + (z == 0 ? 3 : 1));
  }
  // The orbital, seen from the side: a two-lobed cloud about the origin,
  // reaching 127 units (about 15 pixels) to each side.
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF origin(std::floor(1000 * q) + 0.5, kMiddleRow + 0.5);
  const double reach = 127 * q;
  p.setPen(QPen(grey, 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(origin, reach, reach);
  p.setPen(QPen(faint, 1));
  p.drawEllipse(QPointF(origin.x() - reach * 0.45, origin.y()), reach * 0.42, reach * 0.3);
  p.drawEllipse(QPointF(origin.x() + reach * 0.45, origin.y()), reach * 0.42, reach * 0.3);
  return image;
}

// A one-pixel line including both end points; pixels off the picture are skipped.
void CameraView::Line(Long x1, Long y1, Long x2, Long y2, QRgb colour) {
  WalkLine(x1, y1, x2, y2, Picture_.width() - 1, Picture_.height() - 1,
           [&](Long x, Long y, long long, long long) { Picture_.setPixel(x, y, colour); });
}

void CameraView::Draw(Long CameraPos, Long ProjectionPlane, RenderMode Mode, Long StereoFactor,
                      AnaglyphGlasses Glasses) {
  Picture_ = Background_;
  const Long cx = Column(CameraPos), px = Column(ProjectionPlane);
  const QRgb white = qRgb(255, 255, 255);
  Line(px, 0, px, kHeight, white);
  Line(cx, 0, cx, kHeight, white);
  const Long end = AddI32(px, 1);
  const double D = static_cast<double>(ProjectionPlane) - CameraPos;
  const double R = -static_cast<double>(CameraPos);
  const auto row = [](double v) { return CLng(v); };

  if (Mode == Anaglyph) {
    const double e = FDiv(D, StereoFactor);
    const Long greenEye = row(kMiddleRow - e * q), redEye = row(kMiddleRow + e * q);
    const double u = (e + FDiv(D * (127 - e), R)) * q;
    const double v = (e - FDiv(D * (e + 127), R)) * q;
    const QRgb green = Glasses == RedCyan ? qRgb(0, 255, 255) : qRgb(0, 255, 0);
    const QRgb red = qRgb(255, 0, 0);
    Line(cx, greenEye, end, row(kMiddleRow - v), green);
    Line(cx, greenEye, end, row(kMiddleRow - u), green);
    Line(cx, redEye, end, row(kMiddleRow + v), red);
    Line(cx, redEye, end, row(kMiddleRow + u), red);
  } else {
    const double w = FDiv(D * 127, R) * q;
    Line(cx, kMiddleRow, end, row(kMiddleRow - w), white);
    Line(cx, kMiddleRow, end, row(kMiddleRow + w), white);
  }
  update();
}

void CameraView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Picture_);
}

}  // namespace wl
