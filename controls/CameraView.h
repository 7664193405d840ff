// A 200 by 45 side view of the camera set-up: the projection plane, the
// camera and the rays through the edge of the orbital (127 units to each side
// of the origin), for the perspective or the anaglyph projection. Depth z
// maps to column Int(z q + 1000 q) with q = 31/255, so -1000 to 640 fills the
// width; the sideways scale is q too, the middle row is 22.
#pragma once

#include <QImage>
#include <QWidget>

#include "core/Records.h"
#include "wlctrls_export.h"

namespace wl {

class WLCTRLS_EXPORT CameraView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 45;
  static constexpr int kMiddleRow = 22;
  static constexpr double q = 31.0 / 255.0;

  explicit CameraView(QWidget* parent = nullptr);

  // Repaints the diagram over the background sketch. Raises division by zero
  // (11) for a camera at the origin or, in anaglyph mode, a StereoFactor of 0,
  // and overflow (6) when a ray's row leaves 32-bit range. The anaglyph's
  // left eye is green, or cyan for red/cyan glasses.
  void Draw(Long CameraPos, Long ProjectionPlane, RenderMode Mode, Long StereoFactor,
            AnaglyphGlasses Glasses = RedGreen);

  // The column of depth position z.
  static Long Column(double z);
  // The background sketch the diagram is drawn over.
  static QImage BackgroundSketch();

  double FontScale() const { return FontScale_; }
  // The diagram as last drawn (the background sketch before the first Draw).
  const QImage& Picture() const { return Picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Line(Long x1, Long y1, Long x2, Long y2, QRgb colour);

  double FontScale_ = 1;
  QImage Background_;
  QImage Picture_;
};

}  // namespace wl
