// The navigation history: back and forward through pages and orbitals. The
// entries live in the main window; these procedures keep them and open them
// through the main window's SetMode.
#pragma once

#include <QString>
#include <vector>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

class frmMain;

struct HistoryEntry {
  Long Mode = 0;         // 1 page, 2 selector, 3 viewer
  QString Page;          // page key (mode 1)
  QString Anchor;        // anchor in the page, empty for none
  Integer OrbIndex = 0;  // engine index (mode 3)
  friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

struct HistoryState {
  std::vector<HistoryEntry> History;
  Integer HistoryPos = 0;
  bool CanGoBack = false;
  bool CanGoForward = false;
};

namespace modHistory {

// The history becomes the one entry of the start page.
WLAPP_EXPORT void HistoryInit(frmMain& form, const QString& StartPage);
// Adds an entry after the current one, dropping every forward entry.
WLAPP_EXPORT void HistoryAdd(frmMain& form, Long Mode, const QString& Page, const QString& Anchor,
                             Integer OrbIndex);
WLAPP_EXPORT void HistoryBack(frmMain& form);
WLAPP_EXPORT void HistoryForward(frmMain& form);
// Drops every entry of a deleted orbital and opens the entry now current.
WLAPP_EXPORT void HistoryRemoveOrbital(frmMain& form, Integer OrbIndex);
// Back and Forward follow the position: the flags and the Go menu's entries.
WLAPP_EXPORT void UpdateHistoryMenus(frmMain& form);

}  // namespace modHistory
}  // namespace wl
