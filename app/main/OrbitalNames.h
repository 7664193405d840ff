// How the orbital selector's name box shows an orbital.
#pragma once

#include <QString>
#include <string>

#include "OrbitalView.h"
#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

// The table name, with " (average)" after an averaged subshell, so that the
// averaged 2S reads "2S (average)" beside the single orbital "2S".
WLAPP_EXPORT QString SelectorName(const OrbInfo& info);

}  // namespace wl

namespace wl {

// What a calculated orbital is, for titles and captions: "2Px (2,1,1) PDF",
// "2P (2,1,all) Average DRPDF", "7S, Li²⁺ (7,0,0) PDF"; a hybrid or
// combination by its name alone: "sp³ hybrid 2 of 4 PDF".
WLAPP_EXPORT QString OrbitalDescription(const OrbitalView& view);

// A one-line refusal of CheckSetup as a message box's sentence: capital
// first letter and a full stop.
WLAPP_EXPORT QString RefusalSentence(const std::string& why);

}  // namespace wl
