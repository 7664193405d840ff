#include "RollOverImage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <utility>

#include "FocusMark.h"
#include "modEventCodes.h"

namespace wl {

RollOverImage::RollOverImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Surface_.Resize(width(), height(), devicePixelRatioF());
}

RollOverImage::~RollOverImage() {
  ReleaseCapture();
}

void RollOverImage::setBackColor(const QColor& colour) {
  Synced().SetBackColor(colour);
  update();
}

void RollOverImage::setBorderStyle(short style) {
  BorderStyle_ = style;
  update();
}

void RollOverImage::setMousePointer(short pointer) {
  MousePointer_ = pointer;
  ApplyMousePointer(this, pointer, MouseIcon_);
}

void RollOverImage::setMouseIcon(const QPixmap& icon) {
  MouseIcon_ = icon;
  setMousePointer(MousePointer_);
}

void RollOverImage::setPicture(const QPixmap& picture) {
  Synced().SetPicture(picture);
  update();
}

void RollOverImage::PaintPicture(const QPixmap& picture, float X1, float Y1,
                                 std::optional<float> Width1, std::optional<float> Height1,
                                 std::optional<float> X2, std::optional<float> Y2,
                                 std::optional<float> Width2, std::optional<float> Height2,
                                 std::optional<Long> Opcode) {
  Synced().PaintPicture(picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2, Opcode);
  update();
}

bool RollOverImage::HasCapture() const {
  return QWidget::mouseGrabber() == this;
}

bool RollOverImage::Inside(float X, float Y) const {
  return !(X < 0 || Y < 0 || X > width() || Y > height());
}

void RollOverImage::Capture() {
  if (HasCapture() || !isVisible() || !isEnabled()) return;
  // A capture taken while another window or a popup is in front would steal
  // that window's clicks.
  if (!isActiveWindow() || QApplication::activePopupWidget()) return;
  grabMouse();
  // While the capture is held, any other window that appears or becomes
  // active ends it (see eventFilter).
  qApp->installEventFilter(this);
}

void RollOverImage::ReleaseCapture() {
  qApp->removeEventFilter(this);
  if (HasCapture()) releaseMouse();
}

void RollOverImage::Yield() {
  if (HasCapture() || Over_) Leave();
}

void RollOverImage::Leave() {
  ReleaseCapture();
  emit MouseOut();
  Over_ = false;
}

ControlSurface& RollOverImage::Synced() const {
  Surface_.Resize(width(), height(), devicePixelRatioF());
  return Surface_;
}

void RollOverImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Synced().View());
  if (BorderStyle_ == 1) {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  if (hasFocus()) PaintFocusMark(p, rect());
}

void RollOverImage::resizeEvent(QResizeEvent*) {
  Surface_.Resize(width(), height(), devicePixelRatioF());
}

void RollOverImage::mouseMoveEvent(QMouseEvent* event) {
  const short button = ButtonCode(event->buttons());
  const short shift = ShiftCode(event->modifiers());
  const float x = static_cast<float>(event->position().x());
  const float y = static_cast<float>(event->position().y());
  if (button == 0) {
    if (!Inside(x, y)) {
      Leave();
    } else {
      Capture();
      const bool wasOver = Over_;
      Over_ = true;
      if (!wasOver) emit MouseOver();
    }
  }
  emit MouseMove(button, shift, x, y);
}

void RollOverImage::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
}

void RollOverImage::mouseReleaseEvent(QMouseEvent* event) {
  const float x = static_cast<float>(event->position().x());
  const float y = static_cast<float>(event->position().y());
  const bool inside = Inside(x, y);
  if (!inside) {
    Leave();
  } else {
    Capture();
  }
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()), x, y);
  const bool endsDoubleClick = std::exchange(InDoubleClick_, false);
  if (inside && event->button() == Qt::LeftButton && !endsDoubleClick) emit Click();
}

void RollOverImage::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is reported as DblClick instead of MouseDown.
  if (event->button() != Qt::LeftButton) return;
  InDoubleClick_ = true;
  emit DblClick();
}

void RollOverImage::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(KeyCodeOf(event), ShiftCode(event->modifiers()));
  if (const short ascii = KeyAsciiOf(event)) emit KeyPress(ascii);
  // Space, Enter and Return press the button, as a click does.
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && !event->isAutoRepeat() &&
      (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
    emit Click();
  }
}

void RollOverImage::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  emit KeyUp(KeyCodeOf(event), ShiftCode(event->modifiers()));
}

void RollOverImage::hideEvent(QHideEvent*) {
  ReleaseCapture();
}

void RollOverImage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) ReleaseCapture();
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) Yield();
  QWidget::changeEvent(event);
}

void RollOverImage::leaveEvent(QEvent*) {
  // Only a control without the capture (its window was not active when the
  // pointer came in) learns of the leave this way.
  if (Over_ && !HasCapture() && isVisible() && isEnabled()) Leave();
}

void RollOverImage::focusInEvent(QFocusEvent*) {
  update();
}

void RollOverImage::focusOutEvent(QFocusEvent*) {
  update();
}

bool RollOverImage::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::WindowActivate) {
    bool other = false;
    if (watched->isWidgetType()) {
      const auto* w = static_cast<QWidget*>(watched);
      other = w->isWindow() && w != window() && w->windowType() != Qt::ToolTip;
    } else if (watched->isWindowType()) {
      const auto* w = static_cast<QWindow*>(watched);
      other = w->isTopLevel() && w != window()->windowHandle() && w->type() != Qt::ToolTip;
    }
    if (other) Yield();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wl
