// The "OV" command of the pages: a link "status:OV 3Dz2 pdf" calculates that
// orbital with its defaults and shows it in the viewer. The words after "OV":
//   NAME [average] [complex] [Z=N] [pdf|drpdf]   an orbital of the table
//                                                (name or index), its average,
//                                                its complex form, an ion
//   SET K [n=N] [Z=N] [pdf|drpdf]                member K of a hybrid set
//                                                (sp, sp2, sp3, sp3d, sp3d2)
//   combine TERMS [Z=N] [pdf|drpdf]              a custom combination, its
//                                                terms as NAME:COEFFICIENT
//                                                separated by commas
// as in "status:OV 2Pz pdf Z=2", "status:OV 2Px complex", "status:OV sp3 2",
// "status:OV combine 2s:0.71,2pz:0.71".
#pragma once

#include <QString>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

struct OrbitalLink {
  int Index = -1;      // the setup's row of the orbital table, -1 when Error is set
  bool Drpdf = false;  // the radially weighted density instead of the plain one
  OrbitalSetup Setup;  // what is calculated (row, charge, complex form, hybrid)
  QString Error;       // why the link names no orbital
};

// Reads the words after "OV". Names as LookupOrbital reads them (without
// spaces: "5g(m=-4)").
WLAPP_EXPORT OrbitalLink ParseOrbitalLink(const QString& words);

// The status line shown while the pointer is over such a link.
WLAPP_EXPORT QString OrbitalLinkHint(const OrbitalLink& link);

}  // namespace wl
