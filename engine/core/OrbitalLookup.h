// Finding an orbital by what a person types: an index 0 to 167 or a display
// name. Used by the command-line tools, lessons, page links and the program's
// start options.
#pragma once

#include <string>

#include "core/Records.h"
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

// What reading a combination's text found wrong: nothing (Error empty), the
// text's form (Form: not up to four terms NAME:COEFFICIENT separated by
// commas), or a name (Error says which and the valid ones).
struct CombinationReading {
  std::string Error;
  bool Form = false;
};

// Reads a custom combination as typed, "2s:0.5,2px:0.5": terms separated by
// commas, each a name as LookupOrbital reads it and a coefficient after the
// last colon (1 without one). Sets `s` to the combination of those terms
// (a subshell's name gives its average, which the setup's check refuses as a
// term; more than four terms likewise). Spaces around names and numbers are
// ignored.
WLENGINE_EXPORT CombinationReading ReadCombination(const std::string& text, OrbitalSetup& s);

// The text ReadCombination reads back: typed names, coefficients exact.
WLENGINE_EXPORT std::string CombinationText(const OrbitalSetup& s);

// UTF-8 text as it is typed: ² and ³ as 2 and 3, the minus sign − as '-'.
WLENGINE_EXPORT std::string TypedName(const std::string& utf8);

}  // namespace wl
