// The program's named bitmaps, compiled in from resources/ and loaded by name
// ("EEVOLON"). On high-density screens the twice-size drawing is used.
#pragma once

#include <QPixmap>
#include <QString>

#include "wlapp_export.h"

namespace wl::Bitmaps {

// The bitmap of that name; a null pixmap when there is none.
WLAPP_EXPORT QPixmap Get(const QString& name);

}  // namespace wl::Bitmaps
