// An etched separator two pixels thick: a shadow line with a highlight line
// beside it. Wider than high it lies horizontally (its height becomes 2),
// otherwise vertically (its width becomes 2).
#pragma once

#include <QWidget>

#include "wlctrls_export.h"

namespace wl {

class WLCTRLS_EXPORT Line3D : public QWidget {
  Q_OBJECT

 public:
  explicit Line3D(QWidget* parent = nullptr);

  bool Horizontal() const { return width() >= height(); }
  QSize sizeHint() const override { return {100, 2}; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace wl
