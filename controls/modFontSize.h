// Screen scale helpers shared by the controls.
#pragma once

#include "wlctrls_export.h"

namespace wl {

// 96 divided by the screen's logical pixels per inch along x (1 on a 96 dpi
// screen, 1 when there is no screen). Keeps sizes given in twips constant in pixels.
WLCTRLS_EXPORT double FontScaleFactor();

// Twips per screen pixel (1440 divided by the logical pixels per inch): 15 on
// a 96 dpi screen.
WLCTRLS_EXPORT double TwipsPerPixelX();
WLCTRLS_EXPORT double TwipsPerPixelY();

// A length in twips as whole screen pixels along x or y, rounded to the nearest.
WLCTRLS_EXPORT int TwipsToPixelsX(double twips);
WLCTRLS_EXPORT int TwipsToPixelsY(double twips);

}  // namespace wl
