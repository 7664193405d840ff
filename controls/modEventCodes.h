// The numeric codes the controls pass with their mouse and key signals, and
// the mouse pointer numbers of their MousePointer properties.
//
// Button: 1 left, 2 right, 4 middle (a bit set for moves, the one button for
// presses and releases). Shift: 1 Shift, 2 Ctrl, 4 Alt. KeyCode: the
// classic virtual-key numbers (65 'A', 38 up arrow ...), 0 for keys without one.
#pragma once

#include <QCursor>
#include <QPixmap>

#include "wlctrls_export.h"

class QKeyEvent;
class QWidget;

namespace wl {

WLCTRLS_EXPORT short ButtonCode(Qt::MouseButtons buttons);
WLCTRLS_EXPORT short ShiftCode(Qt::KeyboardModifiers modifiers);
WLCTRLS_EXPORT short KeyCodeOf(const QKeyEvent* event);
// The character code of a key press (1 to 255), or 0 when the key types no such character.
WLCTRLS_EXPORT short KeyAsciiOf(const QKeyEvent* event);

// Pointer numbers: 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size,
// 6 size NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E, 10 up arrow,
// 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question
// mark, 15 size all, 99 custom (MouseIcon). Unknown numbers give the default.
WLCTRLS_EXPORT QCursor CursorFor(short mousePointer, const QPixmap& mouseIcon);
// Gives a widget the pointer of a MousePointer number; 0 restores the default.
WLCTRLS_EXPORT void ApplyMousePointer(QWidget* widget, short mousePointer,
                                      const QPixmap& mouseIcon);

}  // namespace wl
