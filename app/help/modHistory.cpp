#include "modHistory.h"

#include <QAction>
#include <algorithm>

#include "core/Numeric.h"
#include "frmMenus.h"
#include "main/frmMain.h"

namespace wl::modHistory {

namespace {
void Open(frmMain& form, const HistoryEntry& e) {
  form.SetMode(e.Mode, e.Page, e.Anchor, e.OrbIndex, false, true);
}
}  // namespace

void HistoryInit(frmMain& form, const QString& StartPage) {
  HistoryState& h = form.History;
  h.History = {HistoryEntry{1, StartPage, QString(), 0}};
  UpdateHistoryMenus(form);
}

void HistoryAdd(frmMain& form, Long Mode, const QString& Page, const QString& Anchor,
                Integer OrbIndex) {
  HistoryState& h = form.History;
  h.HistoryPos = AddI16(h.HistoryPos, 1);
  h.History.resize(static_cast<size_t>(h.HistoryPos) + 1);
  h.History[h.HistoryPos] = HistoryEntry{Mode, Page, Anchor, OrbIndex};
  UpdateHistoryMenus(form);
}

void HistoryBack(frmMain& form) {
  HistoryState& h = form.History;
  if (h.HistoryPos > 0) {
    h.HistoryPos--;
    Open(form, h.History[h.HistoryPos]);
    UpdateHistoryMenus(form);
  } else {
    h.CanGoBack = false;
  }
}

void HistoryForward(frmMain& form) {
  HistoryState& h = form.History;
  if (h.HistoryPos < static_cast<Integer>(h.History.size()) - 1) {
    h.HistoryPos++;
    Open(form, h.History[h.HistoryPos]);
    UpdateHistoryMenus(form);
  } else {
    h.CanGoForward = false;
  }
}

void HistoryRemoveOrbital(frmMain& form, Integer OrbIndex) {
  HistoryState& h = form.History;
  std::vector<HistoryEntry> kept;
  Integer pos = h.HistoryPos;
  for (size_t i = 0; i < h.History.size(); ++i) {
    const HistoryEntry& e = h.History[i];
    if (e.Mode == 3 && e.OrbIndex == OrbIndex) {
      if (static_cast<Integer>(i) <= h.HistoryPos) pos--;
    } else {
      kept.push_back(e);
    }
  }
  // The home page entry is never an orbital's, so something is always left;
  // the position stays on the list all the same.
  if (kept.empty()) kept.push_back(HistoryEntry{1, form.HomePage, QString(), 0});
  h.History = std::move(kept);
  h.HistoryPos = std::clamp<Integer>(pos, 0, static_cast<Integer>(h.History.size() - 1));
  Open(form, h.History[h.HistoryPos]);
  UpdateHistoryMenus(form);
}

void UpdateHistoryMenus(frmMain& form) {
  HistoryState& h = form.History;
  h.CanGoBack = h.HistoryPos > 0;
  h.CanGoForward = h.HistoryPos < static_cast<Integer>(h.History.size()) - 1;
  form.Menus->mnuGoBack->setEnabled(h.CanGoBack);
  form.Menus->mnuGoForward->setEnabled(h.CanGoForward);
}

}  // namespace wl::modHistory
