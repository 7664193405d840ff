// wavelore-render: the engine from the command line. Lists the orbitals,
// evaluates densities, calculates an orbital, renders its views to files,
// writes its boundary surface as a 3D model and plots its radial and angular
// graphs.
#include <cstdio>
#include <iostream>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "core/WLError.h"

namespace {
const char* kHelp = R"(usage: wavelore-render COMMAND [OPTIONS]

Commands:
  list [--json]          print the orbital table (index 0 to 167), tab-separated
                         columns: index, Name, n, l, M, OrbType,
                         DefaultPDFAtomRadius, DefaultPDFDotThreshold, PDFOptFactor,
                         DefaultDRPDFAtomRadius, DefaultDRPDFDotThreshold,
                         DRPDFOptFactor; --json prints a JSON array of OrbInfo records
  eval ORBITAL --x X --y Y --z Z
                         print NonScaledPDF, RealPDF, NonScaledDRPDF, RealDRPDF and
                         Psi (the signed wave function, null for averages; for
                         --complex PsiRe and PsiIm, its real and imaginary parts)
                         at the point (X, Y, Z) in Bohr radii, as JSON
  stats ORBITAL [--view pdf|drpdf] [--radius R] [--threshold T]
        [--dots D] [--seed S]
                         calculate the orbital and print its statistics as JSON
  render [stats options] [render options] -o FILE [--frames K] [--json]
                         calculate the orbital and write one view to FILE
                         (.png or .bmp); see 'wavelore-render render --help'
  mesh ORBITAL [--view pdf|drpdf] --enclose P
       [--format obj|stl|ply|glb] -o FILE
                         write the closed boundary surface enclosing the share P
                         (0.05 to 0.999) of the probability as a 3D model in Bohr
                         radii, z up; STL is one merged solid; see
                         'wavelore-render mesh --help'
  plot ORBITAL --kind radial|cumulative|angular
       --format csv|png|svg -o FILE [--rmax R] [--points N] [--plane xz|yz|xy]
       [--size WxH]
                         write the graphs of the radial functions (R, P = r²R² and
                         the probability within a radius) or of the angular factor
                         in a plane as a CSV table or a PNG or SVG picture (default
                         800x500); see 'wavelore-render plot --help'
  animate ORBITAL [--mode M] [--kind turn|sweep] [--frames N]
          [--size N] [--format gif|mp4] -o FILE
                         write a full turn of the camera or a sweep of the slice
                         in N frames as an animated GIF or an MP4 video, with a
                         progress line on stderr; see 'wavelore-render animate --help'
  help, --help           show this text

Orbital choice (ORBITAL: one of --orbital, --nlm, --hybrid, --combine):
  --orbital O   an index 0 to 167, or a name such as 2Pz, 3Dz2, 4Fz(x2-y2),
                6Dxy or 5G (m = -4) (case, spaces and brackets do not matter;
                superscripts may be typed as 2 and 3: 5g(m=-4), "5G m=-4")
  --nlm N,L,M   the real orbital with those quantum numbers (n 1 to 7; M > 0
                the cos(M phi) orbital, M < 0 the sin(|M| phi) one)
  --average     the averaged subshell instead (--orbital 3D --average, or
                --nlm N,L --average: the average covers every m, so an M is
                refused)
  --complex     the complex orbital with definite m = M (single orbitals)
  --charge Z    nuclear charge 1 to 10, a hydrogen-like ion (default 1: H)
  --hybrid sp|sp2|sp3|sp3d|sp3d2 --member K [--n N]
                member K of a hybrid set made from shell N (default 2; 3 for
                sp3d and sp3d2)
  --combine "2s:0.5,2px:0.5"
                a combination of up to four single orbitals of one n (names
                or indices) with real coefficients, normalised for you
  --charge goes with any choice; plot takes only --orbital or --nlm.

Calculation (stats, render):
  --view pdf|drpdf   density to sample (default pdf)
  --radius R         atom radius 1 to 32767 (default: the orbital's default)
  --threshold T      dot threshold 0 to 255 (default: the orbital's default)
  --dots D           dot target 0 to 32767 (default 16000)
  --seed S           fix the random seed 0 to 2147483647 (default: from the clock)

Rendering (render):
  --mode orthographic|perspective|anaglyph|volumetric|transect   (default orthographic)
  --size main|nano|N the 375 by 375 main view, the 127 by 127 nano view (default
                     main), or the main view's picture N by N pixels (16 to 4096)
  --theta A --phi A  camera angles in radians (default 0)
  --camera C --plane P --stereo S   camera, projection plane, stereo divisor
                     (defaults -300, 15, 30)
  --anaglyph red-green|red-cyan   the anaglyph's glasses (default red-green)
  --transect-no T --transect-dir x|y|z   slice -127 to 127 (default 0) and axis (default y)
  --transector       outline the slice in 3D views
  --quality Q        volume quality 0 or 5 to 10 (default 5); --final for the full image
  --prob-dots --prob-trans   probability colours on dots and transects
  --phase [--palette orange-blue|red-blue|colour-safe]   colour by the sign of the
                     wave function (single orbitals)
  --axes             labelled x, y, z arrows in a corner, turned like the picture
  -o FILE            .png or .bmp output (required); --frames K renders K times;
                     --json also prints the statistics

Exit status: 0 on success, 2 for bad input, 1 when the engine reports an error.
)";
}  // namespace

int main(int argc, char** argv) {
  using namespace wlrender;
  if (argc < 2) {
    std::cerr << "wavelore-render: missing command; try 'wavelore-render --help'\n";
    return 2;
  }
  const std::string command = argv[1];
  ArgList args(argv + 2, argv + argc);
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      std::cout << kHelp;
      return 0;
    }
    if (command == "list") return CmdList(args);
    if (command == "eval") return CmdEval(args);
    if (command == "stats") return CmdStats(args);
    if (command == "render") return CmdRender(args);
    if (command == "mesh") return CmdMesh(args);
    if (command == "plot") return CmdPlot(args);
    if (command == "animate") return CmdAnimate(args);
    throw UsageError("unknown command '" + command +
                     "'; valid commands: list, eval, stats, render, mesh, plot, animate, help");
  } catch (const UsageError& e) {
    std::cerr << "wavelore-render: " << e.what() << "\n";
    return 2;
  } catch (const wl::WLError& e) {
    std::cerr << "wavelore-render: engine error " << e.Number() << ": " << e.Description() << "\n";
    return 1;
  }
}
