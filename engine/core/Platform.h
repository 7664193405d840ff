// Hooks through which the engine reaches the services of its host: a
// millisecond clock, a fixed random seed, a debug sink and the about box.
// Defaults: a steady clock, the seed taken from the clock, a silent sink and
// no about box. Install hooks before using the engine from other threads;
// the hooks themselves are called on the engine's thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "wlengine_export.h"

namespace wl {

using ClockFn = std::function<std::uint32_t()>;
using DebugSinkFn = std::function<void(const std::string&)>;
using AboutBoxFn = std::function<void()>;

// Milliseconds since an arbitrary start, wrapping at 32 bits.
WLENGINE_EXPORT std::uint32_t timeGetTime();
// Replaces the clock; an empty function restores the steady clock.
WLENGINE_EXPORT void SetClockHook(ClockFn clock);

// A fixed seed for the next calculations, or none to take the seed from the clock.
WLENGINE_EXPORT void SetSeedHook(std::optional<std::int32_t> seed);
WLENGINE_EXPORT std::optional<std::int32_t> SeedHook();

// Receives the engine's debug texts; an empty function silences them.
WLENGINE_EXPORT void SetDebugSink(DebugSinkFn sink);
WLENGINE_EXPORT void DebugPrint(const std::string& text);

// Presents the engine's about box; an empty function makes About return at once.
WLENGINE_EXPORT void SetAboutBoxHook(AboutBoxFn about);
WLENGINE_EXPORT void ShowAboutBox();

}  // namespace wl
