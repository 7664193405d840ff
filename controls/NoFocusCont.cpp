#include "NoFocusCont.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "modEventCodes.h"

namespace wl {

NoFocusCont::NoFocusCont(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Surface_.Resize(width(), height());
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
  Surface_.Resize(width(), height());
  return Surface_;
}

void NoFocusCont::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Synced().View());
}

void NoFocusCont::resizeEvent(QResizeEvent*) {
  Surface_.Resize(width(), height());
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
