// Start-up: the splash, the checks of the page browser and the display, the
// engine and its orbital table, the main window's set-up.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "core/Records.h"
#include "wlapp_export.h"

namespace wl {

class frmMain;

struct StartOptions {
  // The folder of the program; the pages are looked for beside it, then in
  // ../share/wavelore/.
  QString ProgramFolder;
  // An orbital to calculate and show at once.
  std::optional<OrbitalSetup> Orbital;
  // The 3D mode and the phase colours that orbital is first shown with.
  std::optional<RenderMode> Mode;
  bool Phase = false;
  // Open the Graphs window beside it.
  bool Graphs = false;
  // The camera's angles (radians) and where the slice lies, when given.
  std::optional<double> Theta, Phi;
  std::optional<TransectDirection> TransectDir;
  Integer TransectNo = 0;
  // A lesson file to open instead (.wavelore).
  QString LessonFile;
  // The zoom of the whole window, 1 to 4 (none: the one kept from the last run).
  std::optional<double> Scale;
};

struct StartResult {
  std::unique_ptr<frmMain> Window;  // null when the program must end
  int ExitCode = 0;
};

// The folder that holds the pages for a program in programFolder.
WLAPP_EXPORT QString FindPagesFolder(const QString& programFolder);

namespace modMain {
// The start procedure. Shows the main window and returns it; returns no
// window (and exit code 1) when a check refuses to run.
WLAPP_EXPORT StartResult Main(const StartOptions& options);
}  // namespace modMain

// The page browser's major version (0 when it cannot be told).
WLAPP_EXPORT Long GetIEVersion();

}  // namespace wl
