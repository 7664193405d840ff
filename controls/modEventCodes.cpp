#include "modEventCodes.h"

#include <QKeyEvent>
#include <QWidget>

namespace wl {

short ButtonCode(Qt::MouseButtons buttons) {
  short code = 0;
  if (buttons & Qt::LeftButton) code |= 1;
  if (buttons & Qt::RightButton) code |= 2;
  if (buttons & Qt::MiddleButton) code |= 4;
  return code;
}

short ShiftCode(Qt::KeyboardModifiers modifiers) {
  short code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

short KeyCodeOf(const QKeyEvent* event) {
  const int key = event->key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return static_cast<short>(key);  // the same numbers as the virtual keys
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<short>(112 + key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_NumLock:
      return 144;
    case Qt::Key_ScrollLock:
      return 145;
    default:
      return 0;
  }
}

short KeyAsciiOf(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() != 1) return 0;
  const ushort c = text.at(0).unicode();
  return (c >= 1 && c <= 255) ? static_cast<short>(c) : 0;
}

QCursor CursorFor(short mousePointer, const QPixmap& mouseIcon) {
  switch (mousePointer) {
    case 1:
      return QCursor(Qt::ArrowCursor);
    case 2:
      return QCursor(Qt::CrossCursor);
    case 3:
      return QCursor(Qt::IBeamCursor);
    case 4:
      return QCursor(Qt::ArrowCursor);
    case 5:
      return QCursor(Qt::SizeAllCursor);
    case 6:
      return QCursor(Qt::SizeBDiagCursor);
    case 7:
      return QCursor(Qt::SizeVerCursor);
    case 8:
      return QCursor(Qt::SizeFDiagCursor);
    case 9:
      return QCursor(Qt::SizeHorCursor);
    case 10:
      return QCursor(Qt::UpArrowCursor);
    case 11:
      return QCursor(Qt::WaitCursor);
    case 12:
      return QCursor(Qt::ForbiddenCursor);
    case 13:
      return QCursor(Qt::BusyCursor);
    case 14:
      return QCursor(Qt::WhatsThisCursor);
    case 15:
      return QCursor(Qt::SizeAllCursor);
    case 99:
      if (!mouseIcon.isNull()) return QCursor(mouseIcon);
      return QCursor(Qt::ArrowCursor);
    default:
      return QCursor(Qt::ArrowCursor);
  }
}

void ApplyMousePointer(QWidget* widget, short mousePointer, const QPixmap& mouseIcon) {
  if (mousePointer == 0) {
    widget->unsetCursor();
  } else {
    widget->setCursor(CursorFor(mousePointer, mouseIcon));
  }
}

}  // namespace wl
