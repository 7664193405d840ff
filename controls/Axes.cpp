#include "Axes.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Numeric.h"
#include "modFontSize.h"
#include "render/Surfaces.h"
#include "render/cMemoryDCEx.h"

namespace wl {

namespace {
constexpr Integer kCentre = 63;

// A label font whose character cell (ascent plus descent) is 16 pixels high,
// the way the platform's font height counts. Tahoma is rarely installed on
// Linux; DejaVu Sans is the closest free sans that is.
QFont MakeLabelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::Normal);
  font.setPixelSize(16);
  const double cell = QFontMetricsF(font).ascent() + QFontMetricsF(font).descent();
  if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(16 * 16 / cell))));
  return font;
}

Integer Abs16(Integer v) {
  return ToInteger(std::llabs(static_cast<long long>(v)));
}
Integer Sign(Integer v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}
}  // namespace

Axes::Axes(QWidget* parent)
    : QWidget(parent),
      AxisEnds_{COORDlong{50, 0, 0}, COORDlong{0, 50, 0}, COORDlong{0, 0, 50}},
      Pixels_(kSize, kSize),
      Surface_(std::make_unique<cMemoryDCEx>()),
      LabelFont_(MakeLabelFont()) {
  Surface_->Create(kSize, kSize);
  // The size is fixed: 127 screen pixels each way.
  setFixedSize(TwipsToPixelsX(kSize * TwipsPerPixelX()), TwipsToPixelsY(kSize * TwipsPerPixelY()));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

Axes::~Axes() = default;

Long Axes::hdc() const {
  return Surface_->hdc();
}

void Axes::AddPers(const COORDlong& CamPos, const COORDdouble& InputCoord, COORDlong& OutPutCoord,
                   Integer Plane) const {
  const double depth = InputCoord.Y - CamPos.Y;
  if (Int(depth) == 0) return;
  const float s = static_cast<float>((Plane - CamPos.Y) / depth);
  OutPutCoord.X = CLng(CamPos.X + (InputCoord.X - CamPos.X) * s);
  OutPutCoord.Z = CLng(CamPos.Z + s * (InputCoord.Z - CamPos.Z));
  OutPutCoord.Y = CLng(InputCoord.Y);
}

void Axes::Rotate(double theta, double phi) {
  const double cT = std::cos(theta), sT = std::sin(theta);
  const double cP = std::cos(phi), sP = std::sin(phi);
  for (int a = 0; a < 3; ++a) {
    const double x = AxisEnds_[a].X, y = AxisEnds_[a].Y, z = AxisEnds_[a].Z;
    Rotated_[a].X = x * cP + y * sP * cT + z * sP * sT;
    Rotated_[a].Y = -x * sP + y * cP * cT + z * cP * sT;
    Rotated_[a].Z = z * cT - y * sT;
  }
}

void Axes::SortByDepth() {
  // Farthest (largest depth) first; ties between axes 0 and 1 put axis 0 first.
  const double a = Rotated_[0].Y, b = Rotated_[1].Y, c = Rotated_[2].Y;
  if (a >= b) {
    if (b <= c) {
      DrawOrder_ = a >= c ? std::array<Integer, 3>{0, 2, 1} : std::array<Integer, 3>{2, 0, 1};
    } else {
      DrawOrder_ = {0, 1, 2};
    }
  } else {
    if (a <= c) {
      DrawOrder_ = b >= c ? std::array<Integer, 3>{1, 2, 0} : std::array<Integer, 3>{2, 1, 0};
    } else {
      DrawOrder_ = {1, 0, 2};
    }
  }
}

void Axes::Draw(double theta, double phi, RenderMode Mode, Integer Plane, Integer Camera,
                Integer StereoFactor) {
  Pixels_.Clear();
  Rotate(theta, phi);
  SortByDepth();

  if (Mode == Perspective) {
    CamPos_ = {0, Camera, 0};
    for (const Integer a : DrawOrder_) {
      AddPers(CamPos_, Rotated_[a], EndB_[a], Plane);
      EndA_[a] = {AddI32(EndB_[a].X, 63), CLng(Int(128 - EndB_[a].Y * k)), SubI32(63, EndB_[a].Z)};
      DrawLine(EndA_[a], Ink::Grey);
    }
  } else if (Mode == Anaglyph) {
    CamPos_.Y = Camera;
    const Integer d = Abs16(SubI16(Plane, Camera));
    CamPos_.X = -IDiv<Integer>(d, StereoFactor);
    for (const Integer a : DrawOrder_) {
      AddPers(CamPos_, Rotated_[a], Proj_[a], Plane);
      EndB_[a] = {AddI32(Proj_[a].X, 63), CLng(Int(128 - Proj_[a].Y * k)), SubI32(63, Proj_[a].Z)};
      DrawLine(EndB_[a], Ink::Green);
    }
    CamPos_.X = -CamPos_.X;
    for (const Integer a : DrawOrder_) {
      AddPers(CamPos_, Rotated_[a], Proj_[a], Plane);
      EndA_[a] = {AddI32(Proj_[a].X, 63), CLng(Int(128 - Proj_[a].Y * k)), SubI32(63, Proj_[a].Z)};
      DrawLine(EndA_[a], Ink::Red);
    }
  } else {
    for (const Integer a : DrawOrder_) {
      const COORDdouble& r = Rotated_[a];
      EndA_[a] = {AddI32(CLng(Int(r.X)), 63), CLng(Int(128 - r.Y * k)), SubI32(63, CLng(Int(r.Z)))};
      DrawLine(EndA_[a], Ink::Grey);
    }
  }

  Surface_->SetAllBits(Pixels_);
  DrawLabels(Mode);
  LastMode_ = Mode;
  Drawn_ = true;
  update();
}

void Axes::Plot(Integer column, Integer bufferRow, Integer brightness, Ink ink) {
  if (column < 0 || column >= kSize || bufferRow < 0 || bufferRow >= kSize) return;
  RGBA& px = Pixels_(column, bufferRow);
  const Byte b = ToByte(brightness);
  switch (ink) {
    case Ink::Grey:
      px = RGBA{b, b, b, 0};
      break;
    case Ink::Green:
      px.G = b;
      break;
    case Ink::Red:
      px.R = b;
      break;
  }
}

// From the centre (63, 63) with brightness 128 to the end point (column X,
// picture row Z, brightness Y), in buffer rows (126 - picture row), with
// checked 16-bit arithmetic.
void Axes::DrawLine(const COORDlong& end, Ink ink) {
  const Integer endColumn = ToInteger(end.X);
  const Integer endRow = SubI16(kSize - 1, ToInteger(end.Z));
  const Integer endBrightness = ToInteger(end.Y);
  Integer dx = SubI16(endColumn, kCentre);
  Integer dy = SubI16(endRow, kCentre);
  Integer dB = SubI16(endBrightness, 128);
  if (dx == 0 && dy == 0) return;

  const bool alongRows = Abs16(dx) < Abs16(dy);
  Integer col = kCentre, row = kCentre, bright = 128;
  // Walk towards increasing step coordinate: start at the end point if it
  // lies below or left of the centre.
  if ((alongRows && dy < 0) || (!alongRows && dx < 0)) {
    col = endColumn;
    row = endRow;
    bright = endBrightness;
    dx = SubI16(0, dx);
    dy = SubI16(0, dy);
    dB = SubI16(0, dB);
  }
  const Integer length = alongRows ? dy : dx;  // positive
  const Integer cross = Abs16(alongRows ? dx : dy);
  const Integer crossStep = Sign(alongRows ? dx : dy);
  const Integer absB = Abs16(dB);
  const Integer brightStep = Sign(dB);
  Integer error = IDiv<Integer>(length, 2);
  Integer brightError = 0;

  for (Integer i = 0;; i = AddI16(i, 1)) {
    Plot(col, row, bright, ink);
    if (i == length) break;
    if (alongRows) {
      row = AddI16(row, 1);
    } else {
      col = AddI16(col, 1);
    }
    error = AddI16(error, cross);
    if (error >= length) {
      if (alongRows) {
        col = AddI16(col, crossStep);
      } else {
        row = AddI16(row, crossStep);
      }
      error = SubI16(error, length);
    }
    brightError = AddI16(brightError, absB);
    if (brightError >= length) {
      bright = AddI16(bright, MulI16(IDiv<Integer>(brightError, length), brightStep));
      brightError = static_cast<Integer>(brightError % length);
    }
  }
}

void Axes::DrawLabels(RenderMode Mode) {
  Surface* s = LookupSurface(Surface_->hdc());
  if (!s) return;
  QImage view(reinterpret_cast<uchar*>(s->Pixels.data()), kSize, kSize, kSize * 4,
              QImage::Format_RGB32);
  QPainter p(&view);
  p.setFont(LabelFont_);
  const double ascent = QFontMetricsF(LabelFont_).ascent();
  // Text is placed by the top-left corner of its character cell.
  const auto label = [&](Long column, Long row, const QColor& colour, const QString& text) {
    p.setPen(colour);
    p.drawText(QPointF(column, row + ascent), text);
  };
  static const QString names[3] = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
  for (int a = 0; a < 3; ++a) {
    const int b = std::clamp<Long>(EndA_[a].Y, 0, 255);
    const Long row = SubI32(EndA_[a].Z, 8);
    if (Mode == Anaglyph) {
      if (EndA_[a].X == EndB_[a].X && EndA_[a].Z == EndB_[a].Z) {
        label(EndA_[a].X, row, QColor(b, b, 0), names[a]);
      } else {
        label(EndA_[a].X, row, QColor(b, 0, 0), names[a]);
        label(EndB_[a].X, row, QColor(0, b, 0), names[a]);
      }
    } else {
      label(EndA_[a].X, row, QColor(b, b, b), names[a]);
    }
  }
}

QImage Axes::Image() const {
  const Surface* s = LookupSurface(Surface_->hdc());
  if (!s) return {};
  return QImage(reinterpret_cast<const uchar*>(s->Pixels.data()), kSize, kSize, kSize * 4,
                QImage::Format_RGB32)
      .copy();
}

void Axes::PaintVector(QPainter& p) const {
  p.fillRect(QRectF(0, 0, kSize, kSize), Qt::black);
  p.setRenderHint(QPainter::Antialiasing);
  // The anaglyph's eyes add like the pixel picture's, where red over green makes yellow.
  if (LastMode_ == Anaglyph) p.setCompositionMode(QPainter::CompositionMode_Plus);
  const auto colour = [](int b, int channels) {
    b = std::clamp(b, 0, 255);
    return QColor(channels & 1 ? b : 0, channels & 2 ? b : 0, channels & 4 ? b : 0);
  };
  const QPointF centre(kCentre + 0.5, kCentre + 0.5);
  // Each line runs from the centre at brightness 128 to its end's brightness.
  const auto line = [&](const COORDlong& end, int channels) {
    const QPointF to(end.X + 0.5, end.Z + 0.5);
    QLinearGradient shade(centre, to);
    shade.setColorAt(0, colour(128, channels));
    shade.setColorAt(1, colour(end.Y, channels));
    p.setPen(QPen(QBrush(shade), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, to);
  };
  constexpr int grey = 7, red = 1, green = 2;
  for (const Integer a : DrawOrder_) {
    if (LastMode_ == Anaglyph) line(EndB_[a], green);
  }
  for (const Integer a : DrawOrder_) line(EndA_[a], LastMode_ == Anaglyph ? red : grey);

  p.setFont(LabelFont_);
  const double ascent = QFontMetricsF(LabelFont_).ascent();
  static const QString names[3] = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
  for (int a = 0; a < 3; ++a) {
    const int b = std::clamp<Long>(EndA_[a].Y, 0, 255);
    const double row = EndA_[a].Z - 8 + ascent;
    const auto label = [&](Long column, int channels) {
      p.setPen(colour(b, channels));
      p.drawText(QPointF(column, row), names[a]);
    };
    if (LastMode_ != Anaglyph) {
      label(EndA_[a].X, grey);
    } else if (EndA_[a].X == EndB_[a].X && EndA_[a].Z == EndB_[a].Z) {
      label(EndA_[a].X, red | green);
    } else {
      label(EndA_[a].X, red);
      label(EndB_[a].X, green);
    }
  }
}

QImage Axes::SharpImage(double ratio) const {
  const int side = static_cast<int>(std::lround(kSize * ratio));
  QImage image(side, side, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  QPainter p(&image);
  PaintVector(p);
  return image;
}

void Axes::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // Above one device pixel per pixel the picture is drawn anew at the
  // device's density instead of enlarging its pixels.
  if (Drawn_ && devicePixelRatioF() > 1.0) {
    PaintVector(p);
  } else {
    p.drawImage(0, 0, Image());
  }
}

}  // namespace wl
