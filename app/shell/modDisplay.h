// Display modes: the current mode, the list of modes, the choice of the best
// 800 by 600 mode, switching, full-screen use and the screen's scale.
#pragma once

#include <optional>
#include <vector>

#include "Services.h"
#include "wlapp_export.h"

namespace wl {

class frmMain;

namespace modDisplay {

// The mode the display shows now.
WLAPP_EXPORT DEVMODE GetCurrentMode();

// Modes 0, 1, 2 ... as the back end lists them. The list ends with one more
// record, stored after the first failing call: what the buffer held then.
WLAPP_EXPORT std::vector<DEVMODE> EnumDisplayModes();

// The 800 by 600 mode to use: the deepest colour of 32, 24 and 16 bits, and
// among those the highest refresh rate (the later mode on a tie). None when
// the list holds no such mode.
WLAPP_EXPORT std::optional<DEVMODE> FindBestMode(const std::vector<DEVMODE>& Modes);

// Switches the display to Mode; 0 on success.
WLAPP_EXPORT Long ChangeDisplay(DEVMODE Mode);

// Switches to the best mode (true) or back to the start mode (false), moving
// the main window and the options window with it. True on success.
WLAPP_EXPORT bool SetFullScreen(frmMain& form, bool FullScreenOn);

// 96 divided by the desktop's logical pixels per inch.
WLAPP_EXPORT double GetDpiScale();

}  // namespace modDisplay
}  // namespace wl
