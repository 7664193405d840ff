// The axis triad of 'render --axes': short labelled x, y and z arrows in the
// bottom-left corner of a rendered view, turned with the picture's camera so
// that a reader can tell which way the orbital points.
#pragma once

#include <array>
#include <functional>

#include "core/Records.h"

#ifdef WL_HAVE_QT_IMAGES
class QImage;
#endif

namespace wlrender {

// One arrow of the triad: the axis' unit vector seen on screen. dx grows to
// the right, dy downwards (image rows), depth away from the viewer.
struct TriadArrow {
  char label = 'x';
  double dx = 0, dy = 0, depth = 0;
};

// The three arrows for a request, farthest first (the drawing order). Dot
// views and volumes use the camera's rotation; a transect shows the two axes
// of its plane as the slice is drawn (x or y across, z or y upward) and the
// slicing axis with zero length.
std::array<TriadArrow, 3> TriadArrows(const wl::RenderRequest& request);

#ifdef WL_HAVE_QT_IMAGES
// Runs `paint` where text can be drawn: with the program's application
// object, or else with an off-screen one made for the while.
void WithFonts(const std::function<void()>& paint);

// Draws the triad into the bottom-left corner of image, a square of about a
// third of its width; pixels outside that square are left as they are.
void DrawAxisTriad(QImage& image, const wl::RenderRequest& request);
#endif

}  // namespace wlrender
