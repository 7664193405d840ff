// Finding an orbital by what a person types: an index 0 to 167 or a display
// name. Used by the command-line tools, lessons, page links and the program's
// start options.
#pragma once

#include <string>

#include "wlengine_export.h"

namespace wl {

struct OrbitalChoice {
  int Index = -1;     // orbital index 0 to 167, or -1 when Error is set
  std::string Error;  // one line naming the valid choices
};

// `text` is an index 0 to 167 or a name of the orbital catalogue. Names are
// compared without case, spaces, brackets and plus signs, with ² and ³ typed
// as 2 and 3 and the minus sign − as '-': "5G (m = −4)" may be typed
// "5g(m=-4)" or "5G m=-4", "3Dz²" as "3dz2". With `average` the name must be
// an averaged subshell ("3D", "6H"); an index already names one orbital and
// is refused with `average`.
WLENGINE_EXPORT OrbitalChoice LookupOrbital(const std::string& text, bool average);

// UTF-8 text as it is typed: ² and ³ as 2 and 3, the minus sign − as '-'.
WLENGINE_EXPORT std::string TypedName(const std::string& utf8);

}  // namespace wl
