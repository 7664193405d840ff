// How the orbital selector's name box shows an orbital.
#pragma once

#include <QString>
#include <string>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

// The table name, with " (average)" after an averaged subshell, so that the
// averaged 2S reads "2S (average)" beside the single orbital "2S".
WLAPP_EXPORT QString SelectorName(const OrbInfo& info);

}  // namespace wl

namespace wl {

// A one-line refusal of CheckSetup as a message box's sentence: capital
// first letter and a full stop.
WLAPP_EXPORT QString RefusalSentence(const std::string& why);

}  // namespace wl
