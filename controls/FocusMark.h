// The mark a control shows while it holds the keyboard focus: a 2-pixel
// rectangle inset by one pixel, in dashes of amber and near-black, so that it
// reads on the dark panels as well as on light pictures. It is painted over
// what the control shows on screen, never into its stored picture.
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include "wlctrls_export.h"

class QPainter;

namespace wl {

inline constexpr QRgb kFocusMarkAmber = qRgb(255, 190, 40);
inline constexpr QRgb kFocusMarkDark = qRgb(16, 16, 20);

// Paints the mark just inside area.
WLCTRLS_EXPORT void PaintFocusMark(QPainter& painter, const QRect& area);

// A child that covers its parent and shows the mark on the parent's outermost
// two pixels (over its border, leaving the inside free for small controls)
// while the watched widget holds the focus. It lets every mouse event through
// to what lies beneath.
class WLCTRLS_EXPORT FocusMarkOverlay : public QWidget {
  Q_OBJECT

 public:
  FocusMarkOverlay(QWidget* parent, QWidget* watched);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* Watched_;
};

}  // namespace wl
