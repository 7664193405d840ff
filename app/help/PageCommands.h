// The "OV" command of the pages: a link "status:OV 3Dz2 pdf" (name, then
// optionally "average" and "pdf" or "drpdf") calculates that orbital with its
// defaults and shows it in the viewer.
#pragma once

#include <QString>

#include "wlapp_export.h"

namespace wl {

struct OrbitalLink {
  int Index = -1;      // orbital index 0 to 39, -1 when Error is set
  bool Drpdf = false;  // the radially weighted density instead of the plain one
  QString Error;       // why the link names no orbital
};

// Reads the words after "OV". Names as in the orbital table (case-insensitive,
// ² and ³ may be typed as 2 and 3).
WLAPP_EXPORT OrbitalLink ParseOrbitalLink(const QString& words);

// The status line shown while the pointer is over such a link.
WLAPP_EXPORT QString OrbitalLinkHint(const OrbitalLink& link);

}  // namespace wl
