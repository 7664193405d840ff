// Window-level services: the owner window and its activation hook, topmost
// windows, the taskbar's stacking order and the page tree's colours.
#pragma once

#include <QWidget>

#include "wlapp_export.h"

class QTreeWidget;

namespace wl {

class frmMain;

namespace modWindows {

// The top-level window that owns `form` (on our desktops: its own window).
WLAPP_EXPORT QWidget* FindOwnerWindow(QWidget* form);
// Gives the owner window the program's icon; returns the owner.
WLAPP_EXPORT QWidget* SetAppIcon(QWidget* form);
// Reports the application's activation and deactivation to the main window.
WLAPP_EXPORT void HookOwner(frmMain& form);
WLAPP_EXPORT void UnhookOwner(frmMain& form);
// Keeps a window above all others, or lets it go.
WLAPP_EXPORT void SetWindowTopMost(QWidget* window, bool OnTop);
// Desktop panels need no reordering on our desktops: nothing to do.
WLAPP_EXPORT void SetTaskbarTopmost(bool OnTop);
// The page tree's colours: dark grey background, white text.
WLAPP_EXPORT void SetTreeColours(QTreeWidget* tree);

}  // namespace modWindows
}  // namespace wl
