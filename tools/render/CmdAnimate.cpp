// 'animate': calculates an orbital and writes a full turn of the camera, or a
// sweep of the slice, as an animated GIF or an MP4 video, telling its
// progress on stderr.
#include <iostream>

#include "Calculation.h"
#include "Cli.h"
#include "Commands.h"
#include "render/Surfaces.h"

#ifdef WL_HAVE_ANIMATION
#include "animation/AnimationPlan.h"
#include "animation/AnimationWriter.h"
#endif

namespace wlrender {

namespace {

const char* kAnimateHelp =
    R"(usage: wavelore-render animate --orbital O [--average] [--mode M] [--kind turn|sweep]
       [--frames N] [--size N] [--format gif|mp4] -o FILE

Calculates the orbital and writes an animation of one of its pictures: a full
turn of the camera round the picture's vertical axis, or a sweep of the slice
from one side of the picture to the other. A turn or sweep lasts about six
seconds and a GIF repeats forever. Each frame is the finished picture
(volumes and surfaces at their final quality).

  --kind K           turn (default; needs a 3D mode) or sweep (the slice; in a
                     3D mode its outline moves through the picture)
  --mode M           orthographic (default), perspective, anaglyph, volumetric,
                     surface or transect (default transect for a sweep)
  --frames N         frames of the whole turn or sweep, 2 to 1000 (default 120)
  --size N           pixels a side, 16 to 4096 (default 375); MP4 sizes are
                     made even by repeating the last column or row
  --format F         gif or mp4 (default: by the extension of FILE)
  -o FILE            the output file (required); it appears only once complete

The calculation options are those of 'stats', the picture options those of
'render' (--theta, --phi, --transect-dir, --phase, --prob-dots, ...).
)";

const std::vector<std::string> kAnimateValued = {
    "--mode",  "--theta", "--phi",      "--camera",  "--plane",   "--stereo", "--transect-dir",
    "--quality", "--enclose", "--palette", "--kind", "--frames", "--size", "--format", "-o"};
const std::vector<std::string> kAnimateFlags = {"--transector", "--prob-dots", "--prob-trans",
                                                "--nested",     "--cutaway",   "--phase"};

}  // namespace

int CmdAnimate(const ArgList& argv) {
  for (const std::string& a : argv) {
    if (a == "--help" || a == "-h") {
      std::cout << kAnimateHelp;
      return 0;
    }
  }
  std::vector<std::string> valued = kCalcValued, flags = kCalcFlags;
  valued.insert(valued.end(), kAnimateValued.begin(), kAnimateValued.end());
  flags.insert(flags.end(), kAnimateFlags.begin(), kAnimateFlags.end());
  const Args args(argv, {valued, flags}, "animate");
#ifdef WL_HAVE_ANIMATION
  using namespace wl::anim;
  // Everything is checked before the calculation starts.
  const auto file = args.Get("-o");
  if (!file || file->empty()) throw UsageError("-o FILE is required (a .gif or .mp4 file)");
  AnimationFormat format;
  if (const auto name = args.Get("--format")) {
    if (*name == "gif") {
      format = AnimationFormat::Gif;
    } else if (*name == "mp4") {
      format = AnimationFormat::Mp4;
    } else {
      throw UsageError("--format must be gif|mp4, not '" + *name + "'");
    }
    const auto byName = FormatOfFile(*file);
    if (byName && *byName != format) {
      throw UsageError("-o names a " + std::string(FormatName(*byName)) + " file but --format is " +
                       *name);
    }
  } else if (const auto byName = FormatOfFile(*file)) {
    format = *byName;
  } else {
    throw UsageError("-o needs a file name ending in .gif or .mp4 (or give --format), not '" +
                     *file + "'");
  }
  if (!FormatAvailable(format)) throw UsageError(FormatMissing(format));
  const auto kindName = args.Get("--kind").value_or("turn");
  if (kindName != "turn" && kindName != "sweep") {
    throw UsageError("--kind must be turn|sweep, not '" + kindName + "'");
  }
  const AnimationKind kind = kindName == "turn" ? AnimationKind::Turn : AnimationKind::Sweep;
  const int frames = static_cast<int>(args.Integer("--frames", 2, 1000, 120));
  const int size = static_cast<int>(args.Integer("--size", 16, 4096, 375));
  // The picture options are render's; its --size (main|nano) is not one of them.
  ArgList pictureArgs;
  for (size_t i = 0; i < argv.size(); ++i) {
    if (argv[i] == "--size") {
      ++i;
    } else if (argv[i].rfind("--size=", 0) != 0) {
      pictureArgs.push_back(argv[i]);
    }
  }
  wl::RenderRequest base = ReadRequest(Args(pictureArgs, {valued, flags}, "animate"));
  if (!args.Get("--mode") && kind == AnimationKind::Sweep) base.Mode = wl::Transect;
  if (!KindFitsMode(kind, base.Mode)) {
    throw UsageError("--kind turn needs a 3D mode: a slice does not turn (try --kind sweep)");
  }
  base.Size = wl::Main;
  base.Pixels = static_cast<wl::Integer>(size == wl::Main ? 0 : size);

  auto calc = Calculate(args);
  try {
    auto writer = AnimationWriter::Open(format, *file, FrameDelay(frames));
    for (int i = 0; i < frames; ++i) {
      const wl::RenderDCinfo dcs =
          calc->engine.Orbitals().GetRender(calc->index, FrameRequest(base, kind, i, frames));
      const wl::Surface* s = wl::LookupSurface(dcs.MainHDC);
      if (!s) throw AnimationError("the picture has no bitmap");
      writer->Add({reinterpret_cast<const std::uint8_t*>(s->Pixels.data()), s->Width, s->Rows - 1,
                   s->Width * 4});
      std::cerr << "\rwavelore-render: frame " << i + 1 << " of " << frames << std::flush;
    }
    writer->Finish();
    std::cerr << "\n";
  } catch (const AnimationError& e) {
    std::cerr << "\nwavelore-render: " << e.what() << "\n";
    return 1;
  }
  return 0;
#else
  (void)args;
  throw UsageError("this build of wavelore-render writes no animations (giflib and FFmpeg missing)");
#endif
}

}  // namespace wlrender
