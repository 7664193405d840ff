// The program's lettering: DejaVu Sans in pixel sizes, so that texts keep
// their size and fit their places at any screen density.
#pragma once

#include <QFont>

#include "wlapp_export.h"

namespace wl {

// The font at `pixels` (rounded half to even, at least 1), bold on request.
WLAPP_EXPORT QFont PixelFont(double pixels, bool bold = false);

}  // namespace wl
