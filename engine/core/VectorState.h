// The upper halves of the 256-bit vector registers. Host code (the GUI
// libraries among it) may return with them still in use; every scalar SSE
// instruction of the engine then pays a state-transition penalty (a volume
// preview measured eight times slower). The engine's entry points clear them.
#pragma once

#include "wlengine_export.h"

namespace wl {

// Clears the upper vector state on processors with AVX; nothing elsewhere.
// Cheap; safe from any thread (the state is per thread).
WLENGINE_EXPORT void ClearUpperVectorState();

}  // namespace wl
