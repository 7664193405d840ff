// A 127 by 127 picture of the x, y and z axes, turned by the orbital's two
// angles and projected like the main view (orthographic, perspective or
// red/green anaglyph). The lines are drawn into a pixel array that is handed
// to an engine memory bitmap in one call; only the three labels go through
// text drawing.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

#include "core/Records.h"
#include "render/PixelArray.h"
#include "wlctrls_export.h"

class QPainter;

namespace wl {

class cMemoryDCEx;

class WLCTRLS_EXPORT Axes : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 127;
  // Brightness slope: an end point at depth Y' gets brightness Int(128 - Y' k).
  static constexpr double k = 2.01599933599961;

  explicit Axes(QWidget* parent = nullptr);
  ~Axes() override;

  // Redraws the picture for the angles theta and phi (radians). Plane and
  // Camera are the projection plane and camera positions on the depth axis,
  // StereoFactor sets the anaglyph eye offset. Raises overflow (6) when a
  // projected end point leaves 16-bit range, division by zero (11) for an
  // anaglyph StereoFactor of 0.
  void Draw(double theta, double phi, RenderMode Mode, Integer Plane, Integer Camera,
            Integer StereoFactor);

  // Perspective projection of one point onto the plane at depth Plane, seen
  // from CamPos. A point at the camera's depth (Int of the depth difference
  // 0) leaves OutPutCoord as it was.
  void AddPers(const COORDlong& CamPos, const COORDdouble& InputCoord, COORDlong& OutPutCoord,
               Integer Plane = 0) const;

  // What was last drawn: lines and labels, 127 by 127.
  QImage Image() const;
  // The same picture drawn anew at `ratio` device pixels per pixel (smooth
  // lines and sharp labels rather than enlarged pixels), for zoomed windows.
  QImage SharpImage(double ratio) const;
  // The engine surface handle of the picture.
  Long hdc() const;

  // Projected end points of the last Draw: X column, Z row, Y brightness.
  const std::array<COORDlong, 3>& EndA() const { return EndA_; }
  const std::array<COORDlong, 3>& EndB() const { return EndB_; }
  const std::array<Integer, 3>& DrawOrder() const { return DrawOrder_; }
  const COORDlong& CamPos() const { return CamPos_; }
  const QFont& LabelFont() const { return LabelFont_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  enum class Ink { Grey, Green, Red };

  void Rotate(double theta, double phi);
  void SortByDepth();
  void DrawLine(const COORDlong& end, Ink ink);
  void Plot(Integer column, Integer bufferRow, Integer brightness, Ink ink);
  void DrawLabels(RenderMode Mode);
  // The lines and labels of the last Draw through a painter in picture units.
  void PaintVector(QPainter& p) const;
  RenderMode LastMode_ = Orthographic;
  bool Drawn_ = false;

  std::array<COORDlong, 3> AxisEnds_;
  std::array<COORDdouble, 3> Rotated_{};
  std::array<Integer, 3> DrawOrder_{0, 1, 2};
  std::array<COORDlong, 3> EndA_{};
  std::array<COORDlong, 3> EndB_{};
  std::array<COORDlong, 3> Proj_{};
  COORDlong CamPos_{};
  PixelArray Pixels_;
  std::unique_ptr<cMemoryDCEx> Surface_;
  QFont LabelFont_;
};

}  // namespace wl
