// Where the program's tool windows (Further Options and the like) open: beside
// the main window where the screen has room, else where they hide as little as
// possible of the area that must stay clear (the main view), always on the
// screen. Rectangles are global, in pixels, and include the window frames.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "wlapp_export.h"

namespace wl::ToolPlacement {

// The top-left corner for a tool window of size `tool` beside `main`: on the
// right, else on the left (both aligned with the main window's top), else over
// the left column and the bottom of the main window (right edge at the clear
// area's left edge, bottom at the main window's bottom). Every place is first
// moved onto `screen`; the first that covers nothing of the main window wins,
// else the one that covers least of `keepClear`, then least of the main window
// outside the column left of `keepClear` (the page tree and status line).
WLAPP_EXPORT QPoint Beside(const QRect& main, const QRect& keepClear, const QSize& tool,
                           const QRect& screen);

// `place` moved as little as possible so that a window of size `tool` there
// lies on `screen` (its top-left corner stays on the screen when it is larger).
WLAPP_EXPORT QPoint OnScreen(QPoint place, const QSize& tool, const QRect& screen);

// Places for the main window and a tool window side by side when the tool
// window finds no room beside the main window where it stands: the main
// window moved across the screen just enough for the tool window to fit on
// its right or its left (whichever moves it less), the tool window level with
// its top. None when the screen is too narrow for both.
struct SideBySide {
  QPoint Main, Tool;
};
WLAPP_EXPORT std::optional<SideBySide> MakeRoom(const QRect& main, const QSize& tool,
                                                const QRect& screen);

// When even that leaves no room (a zoomed window): the main window against
// the screen's right edge and the tool window against its left, over the
// main window's left column but clear of `keepClear` (which moves with the
// main window). None when the tool window would still reach `keepClear`.
WLAPP_EXPORT std::optional<SideBySide> OverTheLeftColumn(const QRect& main, const QRect& keepClear,
                                                         const QSize& tool, const QRect& screen);

}  // namespace wl::ToolPlacement
