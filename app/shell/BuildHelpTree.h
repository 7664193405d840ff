// The page tree: the fixed nodes, then every page and folder below the
// reference and help folders, breadth first, with the page titles as texts.
#pragma once

#include <QString>

#include "wlapp_export.h"

class QTreeWidget;

namespace wl {

class frmMain;

// Sets the program folder and the help page paths of `form` from
// `pagesFolder` (a real path) and fills Tree. Page keys are upper-case
// key-form paths (see cFileSys); the real file of each page is recorded in
// form.PageFiles.
WLAPP_EXPORT void BuildHelpTree(frmMain& form, QTreeWidget* Tree, const QString& pagesFolder);

}  // namespace wl
