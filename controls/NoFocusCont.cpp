#include "NoFocusCont.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "FocusMark.h"
#include "modEventCodes.h"

namespace wl {

namespace {
// The keys a focused view uses itself: arrows and Page Up / Page Down, with
// or without modifiers.
bool ViewKey(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}
}  // namespace

NoFocusCont::NoFocusCont(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Surface_.Resize(width(), height(), devicePixelRatioF());
}

void NoFocusCont::setBackColor(const QColor& colour) {
  Synced().SetBackColor(colour);
  update();
}

void NoFocusCont::setPicture(const QPixmap& picture) {
  Synced().SetPicture(picture);
  update();
}

void NoFocusCont::setMousePointer(short pointer) {
  MousePointer_ = pointer;
  ApplyMousePointer(this, pointer, QPixmap());
}

ControlSurface& NoFocusCont::Synced() const {
  Surface_.Resize(width(), height(), devicePixelRatioF());
  return Surface_;
}

void NoFocusCont::setFocusable(bool on) {
  setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
  if (!on && hasFocus()) clearFocus();
  update();
}

void NoFocusCont::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Synced().View());
  if (hasFocus()) PaintFocusMark(p, rect());
}

bool NoFocusCont::event(QEvent* event) {
  // A window shortcut on an arrow key would otherwise take the key first.
  if (event->type() == QEvent::ShortcutOverride && ViewKey(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void NoFocusCont::keyPressEvent(QKeyEvent* event) {
  // Keys a hosted child left unhandled are no keys of the container's own.
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  emit KeyDown(KeyCodeOf(event), ShiftCode(event->modifiers()));
  // Other keys go on to the container.
  if (!ViewKey(event)) event->ignore();
}

void NoFocusCont::focusInEvent(QFocusEvent*) {
  update();
}

void NoFocusCont::focusOutEvent(QFocusEvent*) {
  update();
}

void NoFocusCont::resizeEvent(QResizeEvent*) {
  Surface_.Resize(width(), height(), devicePixelRatioF());
}

void NoFocusCont::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
}

void NoFocusCont::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                 static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
}

void NoFocusCont::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
               static_cast<float>(pos.x()), static_cast<float>(pos.y()));
  const bool endsDoubleClick = std::exchange(InDoubleClick_, false);
  if (event->button() == Qt::LeftButton && rect().contains(pos.toPoint()) && !endsDoubleClick) {
    emit Click();
  }
}

void NoFocusCont::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  InDoubleClick_ = true;
  emit DblClick();
}

}  // namespace wl
