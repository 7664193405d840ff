// Writing a whole file so that it is either complete or not there at all.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "wlapp_export.h"

namespace wl {

// Writes `bytes` to `path` through a temporary file in the same folder that
// takes the name only once every byte is on disk; a failure (a full disk, a
// folder that cannot be written) leaves whatever was under the name before.
// Returns "Cannot write <path>: <reason>", or none.
WLAPP_EXPORT std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes);

// "Cannot write <path>: <reason>", the path in the platform's form.
WLAPP_EXPORT QString CannotWrite(const QString& path, const QString& reason);

}  // namespace wl
