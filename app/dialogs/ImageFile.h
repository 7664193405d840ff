// Writing a picture to a file.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

#include "wlapp_export.h"

namespace wl {

// Writes `image` to `path`: a PNG file when the name ends in ".png" (in any
// case), otherwise a Windows bitmap. The data goes to a temporary file in the
// same folder that takes the name only once it is complete, so a failed write
// leaves nothing under the name. Returns what went wrong, or none.
WLAPP_EXPORT std::optional<QString> WriteImageFile(const QImage& image, const QString& path);

}  // namespace wl
