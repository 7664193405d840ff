#include "modDisplay.h"

#include "main/frmMain.h"
#include "modWindows.h"

namespace wl::modDisplay {

namespace {
// The fields ChangeDisplay asks the platform to apply.
constexpr Long DM_BITSPERPEL = 0x40000;
constexpr Long DM_PELSWIDTH = 0x80000;
constexpr Long DM_PELSHEIGHT = 0x100000;
constexpr Long DM_DISPLAYFLAGS = 0x200000;
constexpr Long DM_DISPLAYFREQUENCY = 0x400000;
}  // namespace

DEVMODE GetCurrentMode() {
  return AppServices().Display->CurrentMode();
}

std::vector<DEVMODE> EnumDisplayModes() {
  std::vector<DEVMODE> modes;
  DEVMODE buffer;
  for (Long i = 0;; ++i) {
    const bool ok = AppServices().Display->EnumMode(i, buffer);
    modes.push_back(buffer);
    if (!ok) break;
  }
  return modes;
}

std::optional<DEVMODE> FindBestMode(const std::vector<DEVMODE>& Modes) {
  int Best = -1;
  Long BestFreq = 0;
  for (Long D : {32, 24, 16}) {
    if (Best != -1) break;
    for (int i = 0; i < static_cast<int>(Modes.size()); ++i) {
      const DEVMODE& m = Modes[i];
      if (m.dmPelsWidth == 800 && m.dmPelsHeight == 600 && m.dmBitsPerPel == D &&
          m.dmDisplayFrequency >= BestFreq) {
        Best = i;
        BestFreq = m.dmDisplayFrequency;
      }
    }
  }
  if (Best == -1) return std::nullopt;
  return Modes[Best];
}

Long ChangeDisplay(DEVMODE Mode) {
  Mode.dmFields =
      DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
  return AppServices().Display->ChangeMode(Mode);
}

bool SetFullScreen(frmMain& form, bool FullScreenOn) {
  form.DisplayChanged = FullScreenOn;
  if (FullScreenOn) {
    form.SavedLeft = form.x();
    form.SavedTop = form.y();
    form.FullScreenZoom(true);  // the window fills the screen's height
    if (ChangeDisplay(form.BestMode) != 0) {
      form.FullScreenZoom(false);
      return false;
    }
    form.move(AppServices().Display->Origin());
    AppServices().Display->PresentAbove(&form);
    form.raise();
    form.MoveOptionsWindowForFullScreen(true);
    modWindows::SetTaskbarTopmost(false);
    return true;
  }
  form.FullScreenZoom(false);
  if (ChangeDisplay(form.StartMode) != 0) return false;
  form.move(form.SavedLeft, form.SavedTop);
  form.MoveOptionsWindowForFullScreen(false);
  modWindows::SetTaskbarTopmost(true);
  return true;
}

double GetDpiScale() {
  const double dpi = AppServices().Display->LogPixelsX();
  return dpi > 0 ? 96.0 / dpi : 1.0;
}

}  // namespace wl::modDisplay
