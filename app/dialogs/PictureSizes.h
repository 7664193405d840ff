// Pictures of the viewer at a size chosen for slides and worksheets: the
// sizes offered, the axes drawn as lines at any size, and the picture of each
// type (axes, main view, nano view, composite) at a chosen size.
#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

class Axes;
class frmMain;

// The sizes a picture can be saved at: 0 is the picture as the screen shows
// it; the others are pixels along the picture's longer side.
inline constexpr int kScreenSize = 0;
inline constexpr int kSmallestPicture = 128;
inline constexpr int kLargestPicture = 4096;
WLAPP_EXPORT QList<int> PresetPictureSizes();  // 0, 1024, 2048, 4096

// The picture of type `imageMode` (0 axes, 1 main view, 2 nano view,
// 3 composite) at `size` (kScreenSize, or kSmallestPicture to
// kLargestPicture pixels along its longer side). The views are drawn anew by
// the engine at that size, the axes as lines, the composite laid out with its
// text at that size. Raises what the engine raises.
WLAPP_EXPORT QImage PictureAtSize(frmMain& main, int imageMode, int size);

// The width and height of that picture, for telling the user before saving.
WLAPP_EXPORT QSize PictureDimensions(frmMain& main, int imageMode, int size);

// The axes as `axes` last drew them (mode `mode`, anaglyphs for `glasses`),
// drawn as lines `side` pixels square: the same end points, shading and
// labels, every length scaled, lines and letters as thick as the scale makes
// them.
WLAPP_EXPORT QImage AxesPicture(const Axes& axes, RenderMode mode, AnaglyphGlasses glasses,
                                int side);

}  // namespace wl
