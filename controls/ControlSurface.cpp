#include "ControlSurface.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "core/WLError.h"
#include "render/Surfaces.h"
#include "render/cMemoryDCEx.h"

namespace wl {

namespace {
QImage Wrap(Surface* s, int width, int height, double ratio) {
  if (!s || width <= 0 || height <= 0) return {};
  QImage image(reinterpret_cast<uchar*>(s->Pixels.data()), width, height, width * 4,
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  return image;
}
}  // namespace

ControlSurface::ControlSurface()
    : Dc_(std::make_unique<cMemoryDCEx>()), BackColor_(QPalette().color(QPalette::Button)) {
  Dc_->Create(0, 0);
}

ControlSurface::~ControlSurface() = default;

void ControlSurface::Resize(int width, int height, double ratio) {
  if (!(ratio > 0)) ratio = 1.0;
  width = std::max(static_cast<int>(std::lround(width * ratio)), 0);
  height = std::max(static_cast<int>(std::lround(height * ratio)), 0);
  if (width == Width_ && height == Height_ && ratio == Ratio_) return;
  // Pixels drawn at another ratio would show at the wrong scale: only the
  // background and the picture are drawn again.
  const bool keep = ratio == Ratio_;
  Ratio_ = ratio;
  auto next = std::make_unique<cMemoryDCEx>();
  next->Create(width, height);
  std::swap(Dc_, next);
  const int oldWidth = Width_, oldHeight = Height_;
  Width_ = width;
  Height_ = height;
  Cls();
  if (keep) {
    BitBlt(Dc_->hdc(), 0, 0, std::min(oldWidth, width), std::min(oldHeight, height), next->hdc(),
           0, 0);
  }
}

void ControlSurface::Cls() {
  QImage view = View();
  if (view.isNull()) return;
  QPainter p(&view);
  p.fillRect(view.rect(), BackColor_);
  // A picture drawn for another density is scaled smoothly rather than blocky.
  if (Picture_.devicePixelRatio() != Ratio_) p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!Picture_.isNull()) p.drawPixmap(0, 0, Picture_);
}

void ControlSurface::SetBackColor(const QColor& colour) {
  BackColor_ = colour;
  Cls();
}

void ControlSurface::SetPicture(const QPixmap& picture) {
  Picture_ = picture;
  Cls();
}

Long ControlSurface::hdc() const {
  return Dc_->hdc();
}

QImage ControlSurface::View() {
  return Wrap(LookupSurface(Dc_->hdc()), Width_, Height_, Ratio_);
}

QImage ControlSurface::Image() const {
  return Wrap(LookupSurface(Dc_->hdc()), Width_, Height_, Ratio_).copy();
}

void ControlSurface::PaintPicture(const QPixmap& picture, float X1, float Y1,
                                  std::optional<float> Width1, std::optional<float> Height1,
                                  std::optional<float> X2, std::optional<float> Y2,
                                  std::optional<float> Width2, std::optional<float> Height2,
                                  std::optional<Long> Opcode) {
  const Long op = Opcode.value_or(0xCC0020);
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  enum class Fill { None, Black, White, Invert } fill = Fill::None;
  switch (op) {
    case 0xCC0020:
      mode = QPainter::CompositionMode_Source;
      break;
    case 0x8800C6:
      mode = QPainter::RasterOp_SourceAndDestination;
      break;
    case 0xEE0086:
      mode = QPainter::RasterOp_SourceOrDestination;
      break;
    case 0x660046:
      mode = QPainter::RasterOp_SourceXorDestination;
      break;
    case 0x330008:
      mode = QPainter::RasterOp_NotSource;
      break;
    case 0xBB0226:
      mode = QPainter::RasterOp_NotSourceOrDestination;
      break;
    case 0x550009:
      fill = Fill::Invert;
      break;
    case 0x000042:
      fill = Fill::Black;
      break;
    case 0xFF0062:
      fill = Fill::White;
      break;
    default:
      RaiseError(kInvalidCall, "PaintPicture opcode");
  }
  const QRectF source(X2.value_or(0), Y2.value_or(0), std::abs(Width2.value_or(picture.width())),
                      std::abs(Height2.value_or(picture.height())));
  const float w = Width1.value_or(static_cast<float>(source.width()));
  const float h = Height1.value_or(static_cast<float>(source.height()));
  QImage view = View();
  if (view.isNull() || w == 0 || h == 0) return;

  QPainter p(&view);
  p.translate(X1, Y1);
  p.scale(w < 0 ? -1 : 1, h < 0 ? -1 : 1);
  const QRectF target(0, 0, std::abs(w), std::abs(h));
  switch (fill) {
    case Fill::Black:
      p.fillRect(target, Qt::black);
      return;
    case Fill::White:
      p.fillRect(target, Qt::white);
      return;
    case Fill::Invert:
      p.setCompositionMode(QPainter::RasterOp_NotDestination);
      p.fillRect(target, Qt::black);
      return;
    case Fill::None:
      break;
  }
  p.setCompositionMode(mode);
  p.drawPixmap(target, picture, source);
}

}  // namespace wl
