// WL: the Wavelore program. Reads the command line, then hands over to the
// start procedure.
#include <QApplication>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "Cli.h"
#include "main/Zoom.h"
#include "main/frmMain.h"
#include "shell/modMain.h"

namespace {
const char* kHelp =
    R"(usage: WL [ORBITAL [--view pdf|drpdf] [--radius R] [--threshold T]
          [--mode M] [--theta A] [--phi A] [--transect x|y|z:N] [--phase] [--graphs]]
          [--scale F]
       WL FILE.wavelore [--scale F]

Wavelore shows the electron orbitals of the hydrogen atom.

ORBITAL, what to start the viewer with, calculated (one of --orbital, --nlm,
--hybrid and --combine):
  --orbital O      an index 0 to 167 or a name such as 2Pz, 3Dz2, 4Fz(x2-y2),
                   6Dxy or 5G (m = -4) (case, spaces and brackets do not matter;
                   superscripts may be typed as 2 and 3: 5g(m=-4), "5G m=-4")
  --nlm N,L,M      the real orbital with those quantum numbers (n 1 to 7)
  --average        the averaged subshell instead (e.g. --orbital 3D --average, or
                   --nlm 3,2 --average: the average covers every m, so no M)
  --complex        the complex orbital with definite m = M (single orbitals)
  --charge Z       nuclear charge 1 to 10: a hydrogen-like ion (He+, Li2+ ...)
  --hybrid sp|sp2|sp3|sp3d|sp3d2 --member K [--n N]
                   member K of a hybrid set made from shell N (default 2; 3 for
                   sp3d and sp3d2)
  --combine "2s:0.5,2px:0.5"
                   up to four single orbitals of one n (names or indices) with
                   real coefficients, normalised for you

Options:
  --view pdf|drpdf density to show (default pdf)
  --radius R       atom radius 1 to 32767 (default: the orbital's default)
  --threshold T    dot threshold 0 to 250 (default: the orbital's default)
  --mode M         3D mode to show it in: orthographic (ortho), perspective,
                   anaglyph, volume (volumetric) or surface (default orthographic)
  --theta A        turn the camera up or down by A radians (-6.28 to 6.28)
  --phi A          turn the camera around the vertical axis by A radians
  --transect x|y|z:N
                   the slice across the x, y or z axis at N (-127 to 127), as z:40
  --phase          colour the lobes by the sign of the wave function (single
                   orbitals; averages over m have no sign)
  --graphs         open the Graphs window (radial distribution, probability
                   within a radius, angular shape) beside the viewer
  FILE.wavelore    open a lesson file saved by File > Save View...
  --scale F        draw the whole window F times larger, 1 to 4 (e.g. 1.5 or 2:
                   1600 by 1200 pixels); at most what fits the screen. Without
                   it the zoom of the last run (Go > Zoom In, Ctrl++) is used
  -h, --help       show this text

Exit status: 0 after a normal exit, 1 when the program could not start,
2 for bad options.
)";

bool HasDesktop() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<wl::OrbitalSetup> orbital;
  std::optional<wl::RenderMode> mode;
  bool phase = false;
  bool graphs = false;
  std::optional<double> theta, phi;
  std::optional<wlcli::SlicePlace> slice;
  QString lessonFile;
  std::optional<double> scale;
  try {
    // A first word that is no option names a lesson file; only --scale may follow it.
    std::vector<std::string> words = args;
    if (!args.empty() && args[0].rfind('-', 0) != 0) {
      lessonFile = QString::fromLocal8Bit(args[0].c_str());
      words.erase(words.begin());
    }
    std::vector<std::string> valued = wlcli::OrbitalValued(), flags = wlcli::OrbitalFlags();
    valued.insert(valued.end(), {"--view", "--radius", "--threshold", "--mode", "--theta",
                                 "--phi", "--transect", "--scale"});
    flags.insert(flags.end(), {"--phase", "--graphs", "--help"});
    const wlcli::Args parsed(words, {valued, flags}, "WL");
    if (parsed.Flag("--help")) {
      std::cout << kHelp;
      return 0;
    }
    if (parsed.Has("--scale")) {
      scale = parsed.Real("--scale", 1.0);
      if (!(*scale >= wl::Zoom::kMin && *scale <= wl::Zoom::kMax))
        throw wlcli::UsageError("--scale must be a number from 1 to 4");
    }
    if (!lessonFile.isEmpty() && words.size() != (parsed.Has("--scale") ? 2u : 0u))
      throw wlcli::UsageError("a lesson file takes no other options than --scale");
    const bool chosen = parsed.Has("--orbital") || parsed.Has("--nlm") ||
                        parsed.Has("--hybrid") || parsed.Has("--combine");
    if (chosen) {
      orbital = wlcli::ReadOrbitalSetup(parsed, 250, false);
      if (const auto name = parsed.Get("--mode")) mode = wlcli::ParseMode("--mode", *name, false);
      phase = parsed.Flag("--phase");
      graphs = parsed.Flag("--graphs");
      for (auto [name, angle] : {std::pair{"--theta", &theta}, std::pair{"--phi", &phi}}) {
        if (!parsed.Has(name)) continue;
        *angle = parsed.Real(name, 0);
        if (std::abs(**angle) > 2 * std::numbers::pi)
          throw wlcli::UsageError(std::string(name) + " must be from -6.28 to 6.28 radians, not '" +
                                  *parsed.Get(name) + "'");
      }
      if (const auto place = parsed.Get("--transect"))
        slice = wlcli::ParseTransect("--transect", *place);
    } else {
      for (const char* name :
           {"--average", "--complex", "--charge", "--view", "--radius", "--threshold", "--mode",
            "--theta", "--phi", "--transect", "--phase", "--graphs"}) {
        if (parsed.Has(name)) throw wlcli::UsageError(std::string(name) + " needs --orbital");
      }
      for (const char* name : {"--member", "--n"}) {
        if (parsed.Has(name)) throw wlcli::UsageError(std::string(name) + " needs --hybrid");
      }
    }
  } catch (const wlcli::UsageError& e) {
    std::cerr << "WL: " << e.what() << "\n";
    return 2;
  }
  if (!HasDesktop()) {
    std::cerr << "WL: Wavelore needs a desktop session (no DISPLAY or WAYLAND_DISPLAY is set); "
                 "to try it without one, run: xvfb-run -s '-screen 0 1024x768x24' WL\n";
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Wavelore"));
  wl::StartOptions options;
  options.Orbital = orbital;
  options.Mode = mode;
  options.Phase = phase;
  options.Graphs = graphs;
  options.Theta = theta;
  options.Phi = phi;
  if (slice) {
    options.TransectDir = slice->Direction;
    options.TransectNo = slice->Number;
  }
  options.LessonFile = lessonFile;
  options.Scale = scale;
  wl::StartResult started = wl::modMain::Main(options);
  if (!started.Window) return started.ExitCode;
  return QApplication::exec();
}
