// 'render': calculates an orbital, renders one view with the request given by
// the options and writes the view's bitmap to a PNG or BMP file.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "AxisTriad.h"
#include "Calculation.h"
#include "Cli.h"
#include "Commands.h"
#include "render/Surfaces.h"

#ifdef WL_HAVE_QT_IMAGES
#include <QImage>
#include <QString>

#include "overlays/ViewOverlays.h"
#endif

namespace wlrender {

namespace {

const char* kRenderHelp =
    R"(usage: wavelore-render render --orbital O [calculation options] [render options] -o FILE

Calculates the orbital, renders one view and writes its bitmap (375 by 375
for the main view, 127 by 127 for the nano view, or the main view's picture
N by N with --size N) to FILE, a .png or .bmp file.

Render options (the fields of one render request):
  --mode M           orthographic (or ortho), perspective, anaglyph, volumetric
                     (or volume), transect or surface (default orthographic)
  --size S           main, nano or a number N, 16 to 4096: the main view's
                     picture drawn N by N pixels at that resolution (default main)
  --theta A, --phi A camera rotation angles in radians (default 0)
  --camera C         camera position on the viewing axis (default -300)
  --plane P          projection plane position (default 15)
  --stereo S         anaglyph stereo divisor, not 0 (default 30)
  --anaglyph G       the anaglyph's glasses: red-green or red-cyan (the left
                     eye cyan, the right red) (default red-green)
  --transect-no T    slice position -127 to 127 (default 0)
  --transect-dir D   slicing axis x, y or z (default y)
  --transector       draw the slice's outline over the 3D view
  --quality Q        volume samples per ray, 5 to 10, or 0 for 5 (default 5)
  --final            the final full-resolution volume or surface image instead
                     of a preview
  --enclose P        surface: the share of the probability inside it, 0.05 to
                     0.999 (default 0.9)
  --nested           surface: an opaque 50% shell inside the translucent one
  --cutaway          surface: the half facing the viewer cut away
  --prob-dots        colour dots by probability (green high, red low)
  --prob-trans       colour transects by probability; needs --prob-dots too,
                     as the slice is coloured like the dots of the other view
  --phase            colour by the sign of the wave function (single orbitals;
                     ignored for averages and in anaglyph pictures)
  --palette P        phase colours: orange-blue, red-blue or colour-safe
                     (default orange-blue)
  --axes             draw labelled x, y and z arrows in the bottom-left corner,
                     turned like the picture (a transect shows its own two axes)
  --scale-bar        draw a scale bar in Bohr radii ("5 a0", a round length about
                     a fifth of the picture wide) in the bottom-left corner, right
                     of the arrows with --axes; a transect also gets ticks in
                     Bohr radii along its edges
  --frames K         render the same request K times before writing (1 to 100000;
                     the volume preview adapts its resolution from frame to frame)
  --json             also print the statistics as 'stats' does
  -o FILE            the output file (required)

The calculation options are those of 'stats' (see 'wavelore-render --help').
)";

const std::vector<std::string> kRenderValued = {
    "--mode",        "--size",         "--theta",   "--phi", "--camera", "--plane",   "--stereo",
    "--transect-no", "--transect-dir", "--quality", "-o",    "--frames", "--enclose", "--anaglyph"};
const std::vector<std::string> kRenderFlags = {"--transector", "--final",  "--prob-dots",
                                               "--prob-trans", "--json",   "--axes",
                                               "--nested",     "--cutaway",
                                               "--scale-bar"};
// The sign of ψ.
const std::vector<std::string> kPhaseValued = {"--palette"};
const std::vector<std::string> kPhaseFlags = {"--phase"};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The image format of the output file, by its extension.
std::string FormatOf(const std::string& file) {
  const auto dot = file.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : Lower(file.substr(dot + 1));
  if (ext != "png" && ext != "bmp") {
    throw UsageError("-o needs a file name ending in .png or .bmp, not '" + file + "'");
  }
  return ext;
}

}  // namespace

wl::RenderRequest ReadRequest(const Args& args) {
  wl::RenderRequest r;
  // The mode names are the program's own (WL --mode), with the slice besides.
  const auto mode = args.Get("--mode");
  r.Mode = mode ? wlcli::ParseMode("--mode", *mode, true) : wl::Orthographic;
  // --size N: the main view's picture, N pixels a side.
  const auto size = args.Get("--size");
  if (size && !size->empty() && std::isdigit(static_cast<unsigned char>((*size)[0]))) {
    r.Size = wl::Main;
    r.Pixels = static_cast<wl::Integer>(args.Integer("--size", 16, 4096, 375));
  } else {
    r.Size =
        Choice<wl::RenderSize>(args, "--size", {{"main", wl::Main}, {"nano", wl::Nano}}, wl::Main);
  }
  r.Glasses = Choice<wl::AnaglyphGlasses>(
      args, "--anaglyph", {{"red-green", wl::RedGreen}, {"red-cyan", wl::RedCyan}}, wl::RedGreen);
  r.Theta = args.Real("--theta", 0);
  r.Phi = args.Real("--phi", 0);
  r.CameraPos = static_cast<wl::Integer>(args.Integer("--camera", -32768, 32767, -300));
  r.ProjectionPlane = static_cast<wl::Integer>(args.Integer("--plane", -32768, 32767, 15));
  r.StereoFactor = static_cast<wl::Integer>(args.Integer("--stereo", -32768, 32767, 30));
  r.TransectNo = static_cast<wl::Integer>(args.Integer("--transect-no", -127, 127, 0));
  r.TransectDir = Choice<wl::TransectDirection>(
      args, "--transect-dir", {{"x", wl::AlongX}, {"y", wl::Alongy}, {"z", wl::Alongz}},
      wl::Alongy);
  r.Transector = wl::ToBoolean(args.Flag("--transector"));
  r.VolQuality = static_cast<wl::Integer>(args.Integer("--quality", 0, 10, 5));
  if (r.VolQuality >= 1 && r.VolQuality <= 4) {
    throw UsageError("--quality must be 0 (meaning 5) or 5 to 10, not " +
                     std::to_string(r.VolQuality));
  }
  r.VolFinal = wl::ToBoolean(args.Flag("--final"));
  r.ShowProbLevelOnDots = wl::ToBoolean(args.Flag("--prob-dots"));
  r.ShowProbLevelOnTrans = wl::ToBoolean(args.Flag("--prob-trans"));
  r.EnclosedShare = args.Real("--enclose", 0.9);
  if (!(r.EnclosedShare >= 0.05 && r.EnclosedShare <= 0.999)) {
    throw UsageError("--enclose must lie within 0.05 to 0.999, not '" + *args.Get("--enclose") +
                     "'");
  }
  r.SurfaceNested = wl::ToBoolean(args.Flag("--nested"));
  r.SurfaceCutaway = wl::ToBoolean(args.Flag("--cutaway"));
  r.ShowPhase = wl::ToBoolean(args.Flag("--phase"));
  r.Palette = Choice<wl::PhasePalette>(
      args, "--palette",
      {{"orange-blue", wl::OrangeBlue}, {"red-blue", wl::RedBlue}, {"colour-safe", wl::ColourSafe}},
      wl::OrangeBlue);

  // The anaglyph eye offset divides the camera-to-plane distance (a 16-bit
  // number) by the stereo setting.
  if (r.Mode == wl::Anaglyph) {
    if (r.StereoFactor == 0) throw UsageError("--stereo must not be 0 for anaglyph pictures");
    if (std::abs(r.ProjectionPlane - r.CameraPos) > 32767) {
      throw UsageError(
          "--plane minus --camera must lie within -32767 to 32767 for anaglyph pictures");
    }
  }
  return r;
}

namespace {

// What is drawn over a copy of the view's bitmap before it is written (the
// view itself stays as the engine left it).
struct Drawn {
  bool axes = false, scaleBar = false;
  double atomRadius = 0;
  bool complex = false;  // a complex orbital: its phase pictures carry the colour wheel key
};

// Writes the view's bitmap with what `drawn` asks for over it.
void WriteImage(wl::Long hdc, const std::string& file, const std::string& format,
                const wl::RenderRequest& request, const Drawn& drawn) {
  const wl::Surface* s = wl::LookupSurface(hdc);
  if (!s) throw std::runtime_error("the view has no bitmap");
#ifdef WL_HAVE_QT_IMAGES
  // The first Rows - 1 rows are the picture; the surface's layout is RGB32's.
  QImage image(reinterpret_cast<const uchar*>(s->Pixels.data()), s->Width, s->Rows - 1,
               s->Width * 4, QImage::Format_RGB32);
  if (drawn.axes || drawn.scaleBar || drawn.complex) {
    image = image.copy();
    // The key's area is measured with the fonts, so inside WithFonts too.
    WithFonts([&] {
      wl::OverlayChoice wheelOnly;
      wheelOnly.ComplexPhase = drawn.complex;
      const bool wheel = !wl::PhaseWheelArea(request, wheelOnly).isEmpty();
      if (drawn.axes) DrawAxisTriad(image, request);
      if (drawn.scaleBar || wheel) {
        wl::OverlayChoice choice;
        choice.ScaleBar = drawn.scaleBar;
        choice.ComplexPhase = drawn.complex;
        // Beside the triad's square (36% of the picture), not over it.
        if (drawn.axes) choice.ClearLeft = std::lround(image.width() * 0.36);
        wl::DrawOverlays(image, request, drawn.atomRadius, choice);
      }
    });
  }
  if (!image.save(QString::fromStdString(file), format == "png" ? "PNG" : "BMP")) {
    throw std::runtime_error("cannot write '" + file + "'");
  }
#else
  (void)file;
  (void)format;
  (void)request;
  (void)drawn;
  throw UsageError("this build of wavelore-render has no image writer (built without Qt)");
#endif
}

}  // namespace

int CmdRender(const ArgList& argv) {
  for (const std::string& a : argv) {
    if (a == "--help" || a == "-h") {
      std::cout << kRenderHelp;
      return 0;
    }
  }
  std::vector<std::string> valued = kCalcValued, flags = kCalcFlags;
  valued.insert(valued.end(), kRenderValued.begin(), kRenderValued.end());
  flags.insert(flags.end(), kRenderFlags.begin(), kRenderFlags.end());
  valued.insert(valued.end(), kPhaseValued.begin(), kPhaseValued.end());
  flags.insert(flags.end(), kPhaseFlags.begin(), kPhaseFlags.end());
  Args args(argv, {valued, flags}, "render");

  // Everything is checked before the calculation starts.
  const auto file = args.Get("-o");
  if (!file || file->empty()) throw UsageError("-o FILE is required (a .png or .bmp file)");
  const std::string format = FormatOf(*file);
  const wl::RenderRequest request = ReadRequest(args);
  const long long frames = args.Integer("--frames", 1, 100000, 1);

  auto calc = Calculate(args);
  wl::RenderDCinfo dcs{};
  for (long long i = 0; i < frames; ++i)
    dcs = calc->engine.Orbitals().GetRender(calc->index, request);
  try {
    const Drawn drawn{args.Flag("--axes"), args.Flag("--scale-bar"),
                      static_cast<double>(calc->setup.AtomRadius),
                      calc->setup.Complex != wl::kFalse};
    WriteImage(request.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC, *file, format, request,
               drawn);
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const UsageError*>(&e)) throw;
    std::cerr << "wavelore-render: " << e.what() << "\n";
    return 1;
  }
  if (args.Flag("--json")) std::cout << StatsJson(*calc) << "\n";
  return 0;
}

}  // namespace wlrender
