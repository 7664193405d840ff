// Numbers as the program writes them in titles, captions and file names.
#pragma once

#include <QString>

#include "wlapp_export.h"

namespace wl {

// The shortest decimal form that reads back as the same single-precision
// number ("8", "2.5", "0.1").
WLAPP_EXPORT QString ShortestSingle(float v);

}  // namespace wl
