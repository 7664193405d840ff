#include "Line3D.h"

#include <QPainter>

namespace wl {

Line3D::Line3D(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  resize(100, 2);
}

void Line3D::resizeEvent(QResizeEvent*) {
  if (Horizontal()) {
    if (height() != 2) resize(width(), 2);
  } else if (width() != 2) {
    resize(2, height());
  }
}

void Line3D::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor shadow = palette().color(QPalette::Dark);
  const QColor highlight = palette().color(QPalette::Light);
  const int w = width(), h = height();
  if (Horizontal()) {
    p.fillRect(0, 0, w - 1, 1, shadow);     // Line3: (0, 0) to (W - 1, 0)
    p.fillRect(0, 1, w, 1, highlight);      // Line1: (0, 1) to (W, 1)
    p.fillRect(w - 1, 0, 1, 2, highlight);  // Line2: closes the right end
  } else {
    p.fillRect(0, 0, 1, h - 1, shadow);     // shadow down column 0
    p.fillRect(1, 0, 1, h, highlight);      // highlight down column 1
    p.fillRect(0, h - 1, 2, 1, highlight);  // closes the bottom end
  }
}

}  // namespace wl
