// The persistent drawing surface of a picture control: an engine memory bitmap
// the size of the control, cleared to a background colour with an optional
// picture in its top-left corner. The program draws into it through its
// engine handle (`hdc`, e.g. with wl::BitBlt) or with PaintPicture; the
// control shows it when it repaints.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <memory>
#include <optional>

#include "core/Records.h"
#include "wlctrls_export.h"

namespace wl {

class cMemoryDCEx;

class WLCTRLS_EXPORT ControlSurface {
 public:
  ControlSurface();
  ~ControlSurface();
  ControlSurface(const ControlSurface&) = delete;
  ControlSurface& operator=(const ControlSurface&) = delete;

  // Gives the surface a new size, `width` by `height` pixels of the control
  // drawn at `ratio` device pixels a pixel (a zoomed window's crisp
  // pictures); what fits of the old content is kept when the ratio stays,
  // the rest shows the background. The handle changes.
  void Resize(int width, int height, double ratio = 1.0);
  // Erases everything drawn: background colour, then the picture at (0, 0).
  void Cls();

  QColor BackColor() const { return BackColor_; }
  void SetBackColor(const QColor& colour);  // also erases (Cls)
  const QPixmap& Picture() const { return Picture_; }
  void SetPicture(const QPixmap& picture);  // also erases (Cls)

  // Engine surface handle of the picture (device row 0 at the top).
  Long hdc() const;
  // The picture's size in device pixels, and device pixels a control pixel.
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  double Ratio() const { return Ratio_; }

  // The pixels wrapped without copying, carrying the ratio (so a QPainter on
  // it draws in the control's pixels); valid until the next Resize.
  QImage View();
  // A copy of the picture: what is saved and printed.
  QImage Image() const;

  // Draws picture (source rectangle X2, Y2, Width2, Height2, default the whole
  // picture) into the rectangle X1, Y1, Width1, Height1 (default the source
  // size; a negative size mirrors), in pixels. Opcode is a raster operation
  // number: &HCC0020 copy (default), &H8800C6 and, &HEE0086 or, &H660046 xor,
  // &H330008 inverted copy, &HBB0226 inverted source or destination,
  // &H550009 invert destination, &H42 black, &HFF0062 white. Other opcodes
  // raise invalid procedure call (5).
  void PaintPicture(const QPixmap& picture, float X1, float Y1,
                    std::optional<float> Width1 = std::nullopt,
                    std::optional<float> Height1 = std::nullopt,
                    std::optional<float> X2 = std::nullopt, std::optional<float> Y2 = std::nullopt,
                    std::optional<float> Width2 = std::nullopt,
                    std::optional<float> Height2 = std::nullopt,
                    std::optional<Long> Opcode = std::nullopt);

 private:
  std::unique_ptr<cMemoryDCEx> Dc_;
  int Width_ = 0;
  int Height_ = 0;
  double Ratio_ = 1.0;
  QColor BackColor_;
  QPixmap Picture_;
};

}  // namespace wl
