// Finding an orbital by what a person types: an index 0 to 39 or a display
// name. Used by the command-line tool and the program's start options.
#pragma once

#include <string>

#include "wlengine_export.h"

namespace wl {

struct OrbitalChoice {
  int Index = -1;     // orbital index 0 to 39, or -1 when Error is set
  std::string Error;  // one line naming the valid choices
};

// `text` is an index 0 to 39 or a name (case-insensitive; ² and ³ may be typed
// as 2 and 3). With `average` the name must be an averaged subshell ("3D");
// an index already names one orbital and is refused with `average`.
WLENGINE_EXPORT OrbitalChoice LookupOrbital(const std::string& text, bool average);

}  // namespace wl
