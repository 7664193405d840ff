// The program's dark look for its own dialogs: the palette of the panels and
// the flat buttons that light up like the menus.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include "wlapp_export.h"

namespace wl {

inline const QColor kDarkWindow(58, 57, 62);
inline const QColor kDarkText(232, 232, 236);
inline const QColor kDarkAccent(255, 196, 80);

// `base` with the dark panel's colours: light captions, the accent for the
// mark of a chosen option (Text) and for highlights, greyed captions on
// disabled controls.
WLAPP_EXPORT QPalette DarkPalette(QPalette base);

// The style sheet of the flat buttons, with `padding` pixels left and right
// of the caption.
WLAPP_EXPORT QString DarkButtonStyle(int padding);

}  // namespace wl
