// The texts of a saved or printed picture of the viewer: the caption lines of
// the composite image and the proposed file names, all made from the viewer
// state of one orbital; and the composite image itself.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

class frmMain;
struct OrbitalView;

// The composite image: 530 by 425 pixels.
inline constexpr int kCompositeWidth = 530;
inline constexpr int kCompositeHeight = 425;
// Where the pictures of the three views sit in it, each at its own size.
inline constexpr QRect kCompositeMain{10, 40, 375, 375};
inline constexpr QRect kCompositeAxes{393, 84, 127, 127};
inline constexpr QRect kCompositeNano{393, 244, 128, 128};

// First caption line: orbital, view mode and atom radius with its default,
// e.g. "2Px (2,1,1) PDF, Atom Radius = 20 Bohr radii (default = 8)".
WLAPP_EXPORT QString OrbitalCaption(const OrbitalView& view);

// The 3D mode in words: "orthographic", "perspective", "anaglyph" or
// "volumetric".
WLAPP_EXPORT QString ModeWord(RenderMode mode);

// Distance of the transect plane from the nucleus in Bohr radii, to one
// decimal (ties to even), in its shortest form: "0", "9", "-4.5".
WLAPP_EXPORT QString TransectDistance(const OrbitalView& view);

// "transect along Y-axis (2.5 Bohr radii from nucleus)".
WLAPP_EXPORT QString TransectPhrase(const OrbitalView& view);

// Second caption line: what the main and the small view show, e.g.
// "Main view: orthographic, Small view: transect along Y-axis (0 Bohr radii
// from nucleus)".
WLAPP_EXPORT QString ViewsLine(const OrbitalView& view);

// The proposed file name, without folder or extension, for a picture of
// type ImageMode (0 axes, 1 main view, 2 small view, 3 composite).
WLAPP_EXPORT QString DefaultFileName(const OrbitalView& view, int ImageMode);

// The composite's width and height when it is `width` wide (0: its own).
WLAPP_EXPORT QSize CompositeSize(int width);

// The composite of the current orbital: both caption lines over a white
// page, the main view, the axes and the nano view beside it. With a `width`
// (other than 0 and the composite's own) everything is laid out at that
// width: the views drawn anew by the engine at their scaled sizes, the axes
// as lines, the captions in letters of the scaled size. Raises what the
// engine raises.
WLAPP_EXPORT QImage ComposeImage(frmMain& main, int width = 0);

}  // namespace wl
