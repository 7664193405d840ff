#include "FocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

namespace wl {

void PaintFocusMark(QPainter& painter, const QRect& area) {
  if (area.width() < 6 || area.height() < 6) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  // A 2-pixel pen centred on the rectangle's edge between the second and the
  // third pixel rows covers rows 1 and 2 inside the area.
  const QRectF edge = QRectF(area).adjusted(2, 2, -2, -2);
  QPen dark(QColor(kFocusMarkDark), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  painter.setPen(dark);
  painter.drawRect(edge);
  QPen amber(QColor(kFocusMarkAmber), 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
  amber.setDashPattern({2, 1.5});  // in pen widths: 4 pixels amber, 3 dark
  painter.setPen(amber);
  painter.drawRect(edge);
  painter.restore();
}

FocusMarkOverlay::FocusMarkOverlay(QWidget* parent, QWidget* watched)
    : QWidget(parent), Watched_(watched) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(parent->rect());
  parent->installEventFilter(this);
  watched->installEventFilter(this);
  raise();
}

bool FocusMarkOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Resize) {
    setGeometry(parentWidget()->rect());
    raise();
  } else if (watched == Watched_ &&
             (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    update();
  }
  return QWidget::eventFilter(watched, event);
}

void FocusMarkOverlay::paintEvent(QPaintEvent*) {
  if (!Watched_->hasFocus()) return;
  QPainter p(this);
  PaintFocusMark(p, rect().adjusted(-1, -1, 1, 1));
}

}  // namespace wl
