// Page titles and opening outside documents.
#pragma once

#include <QString>

#include "wlapp_export.h"

namespace wl::modHTML {

// The text of the page's TITLE element: from the first line that, trimmed and
// compared in upper case, begins with "<TITLE>", up to "</TITLE>" on the same
// line, with every "&amp;" (any case) turned into "&". Empty when the file
// is missing or has no such line in its first megabyte; a line without the
// closing tag gives the rest of the line. `Path` is a key-form path (see cFileSys).
WLAPP_EXPORT QString GetHTMLTitle(const QString& Path);

// Hands a file name or address to the desktop's default program.
WLAPP_EXPORT bool OpenDocument(const QString& Target);

}  // namespace wl::modHTML
