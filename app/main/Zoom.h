// The zoom of the whole program: every window drawn at a factor of device
// pixels a pixel (Qt's own high-density scaling, set per screen at run time).
// The program keeps working in the pixels of its 800 by 600 window (layout,
// pointer, drags); text and the twice-size bitmaps are drawn at the device's
// resolution and the views ask the engine for pictures of their device size.
#pragma once

#include <array>
#include <optional>

#include "wlapp_export.h"

class QScreen;

namespace wl::Zoom {

inline constexpr double kMin = 1.0;
inline constexpr double kMax = 4.0;
// The steps of Zoom In and Zoom Out.
inline constexpr std::array<double, 7> kSteps = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};

// The factor within kMin..kMax (kMin for a number that is none).
WLAPP_EXPORT double Clamp(double factor);
// Zoom In from `current`: the next step, or `fit` where the next step does
// not fit but `fit` is still larger; `current` when there is no larger one.
WLAPP_EXPORT double StepIn(double current, double fit);
// Zoom Out from `current`: the step below it, kMin at least.
WLAPP_EXPORT double StepOut(double current);

// The factor in use (1 until one is set).
WLAPP_EXPORT double Factor();
// Draws every screen at `factor` (within kMin..kMax). Windows already shown
// keep their old device size until their geometry is set again.
WLAPP_EXPORT void SetFactor(double factor);
// The largest factor (within kMin..kMax) at which the 800 by 600 window fits
// the screen: its whole area (full screen) or the part left by panels.
WLAPP_EXPORT double Fit(const QScreen* screen, bool wholeScreen);

// The zoom kept between runs (1 when none was kept), and keeping one.
WLAPP_EXPORT double Saved();
WLAPP_EXPORT void Save(double factor);

// At start, before any window opens: the factor asked for on the command
// line, else the one kept, within what fits the primary screen. Returns the
// factor set.
WLAPP_EXPORT double ApplyAtStart(std::optional<double> asked);

}  // namespace wl::Zoom
