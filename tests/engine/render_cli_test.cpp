// The 'render' command of wavelore-render, run as a separate process: the
// image files it writes and the request values it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

using Result = wltest::ToolResult;
using wltest::Slurp;

// The tool is built into the same folder as this test.
std::string Tool() {
  char buf[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string self(buf, n > 0 ? static_cast<size_t>(n) : 0);
  return self.substr(0, self.rfind('/') + 1) + "wavelore-render";
}

Result RunRender(std::vector<std::string> args) {
  args.insert(args.begin(), "render");
  return wltest::RunProgram(Tool(), args);
}

std::string File(const std::string& name) {
  return ::testing::TempDir() + name;
}

unsigned Be32(const std::string& s, size_t at) {
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}
int Le32(const std::string& s, size_t at) {
  unsigned v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return static_cast<int>(v);
}

const std::vector<std::string> kOrbital = {"--orbital", "2Pz", "--seed", "3"};

std::vector<std::string> With(std::vector<std::string> rest) {
  rest.insert(rest.begin(), kOrbital.begin(), kOrbital.end());
  return rest;
}

#if !WL_TOOL_WRITES_IMAGES
// A tool built without Qt (the cross builds) has no image writer and says so.
TEST(CliRender, WithoutAnImageWriterRefusesClearly) {
  const Result r = RunRender(With({"-o", File("wl_none.png")}));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no image writer"), std::string::npos) << r.err;
}
#define WL_NEEDS_IMAGE_WRITER() GTEST_SKIP() << "this build of the tool writes no images"
#else
#define WL_NEEDS_IMAGE_WRITER() (void)0
#endif

TEST(CliRender, WritesPngAndBmpOfTheViewsSize) {
  WL_NEEDS_IMAGE_WRITER();
  const std::string png = File("wl_view.png"), bmp = File("wl_view.BMP");
  std::remove(png.c_str());
  std::remove(bmp.c_str());
  Result r =
      RunRender(With({"--mode", "perspective", "--theta", "0.3", "--transector", "-o", png}));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string p = Slurp(png);
  ASSERT_GT(p.size(), 24u);
  EXPECT_EQ(p.substr(1, 3), "PNG");
  EXPECT_EQ(Be32(p, 16), 375u);
  EXPECT_EQ(Be32(p, 20), 375u);

  r = RunRender(With({"--mode", "volumetric", "--size", "nano", "--final", "-o", bmp}));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string b = Slurp(bmp);
  ASSERT_GT(b.size(), 26u);
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(Le32(b, 18), 127);
  EXPECT_EQ(std::abs(Le32(b, 22)), 127);
}

TEST(CliRender, FramesAndJsonReportTheFramesRendered) {
  WL_NEEDS_IMAGE_WRITER();
  const Result r = RunRender(
      With({"--mode", "volumetric", "--frames", "3", "--json", "-o", File("wl_frames.png")}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"FramesRendered\": 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"ProbFreqs\""), std::string::npos);
}

TEST(CliRender, RefusesBadRequestsWithOneLine) {
  const std::string png = File("wl_bad.png");
  const std::vector<std::vector<std::string>> bad = {
      {"--mode", "sideways", "-o", png},
      {"--size", "huge", "-o", png},
      {"--quality", "11", "-o", png},
      {"--quality", "3", "-o", png},
      {"--quality", "-1", "-o", png},
      {"--transect-no", "128", "-o", png},
      {"--transect-no", "-128", "-o", png},
      {"--transect-dir", "w", "-o", png},
      {"--theta", "north", "-o", png},
      {"--camera", "40000", "-o", png},
      {"--mode", "anaglyph", "--stereo", "0", "-o", png},
      {"--mode", "anaglyph", "--camera", "-30000", "--plane", "30000", "-o", png},
      {"--frames", "0", "-o", png},
      {"-o", File("wl_bad.gif")},
      {"--mode", "transect"},
      {"--final", "yes", "-o", png},
      {"--mode", "surface", "--enclose", "1", "-o", png},
      {"--mode", "surface", "--enclose", "0.04", "-o", png},
      {"--mode", "surface", "--enclose", "most", "-o", png},
      {"--mode", "surfaces", "-o", png},
      {"--phase", "--palette", "green", "-o", png},
      {"--size", "15", "-o", png},
      {"--size", "4097", "-o", png},
      {"--size", "2k", "-o", png},
      {"--mode", "anaglyph", "--anaglyph", "red-blue", "-o", png},
  };
  for (const auto& args : bad) {
    const Result r = RunRender(With(args));
    std::string joined;
    for (const auto& a : args) joined += " " + a;
    EXPECT_EQ(r.status, 2) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << ": " << r.err;
  }
}

// A .bmp file the tool wrote, as 0xRRGGBB pixels with row 0 at the top.
struct Bitmap {
  int width = 0, height = 0;
  std::vector<unsigned> rgb;
  unsigned At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Bitmap ReadBmp(const std::string& path) {
  const std::string b = Slurp(path);
  Bitmap m;
  if (b.size() < 54 || b.substr(0, 2) != "BM") return m;
  const int offset = Le32(b, 10), height = Le32(b, 22);
  const int bits = static_cast<unsigned char>(b[28]) | static_cast<unsigned char>(b[29]) << 8;
  if (bits != 24 && bits != 32) return m;
  m.width = Le32(b, 18);
  m.height = std::abs(height);
  const size_t stride = (static_cast<size_t>(m.width) * bits + 31) / 32 * 4;
  if (b.size() < offset + stride * m.height) return Bitmap{};
  m.rgb.resize(static_cast<size_t>(m.width) * m.height);
  for (int y = 0; y < m.height; ++y) {
    const size_t row = offset + stride * (height > 0 ? m.height - 1 - y : y);
    for (int x = 0; x < m.width; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(b.data() + row + x * bits / 8);
      m.rgb[static_cast<size_t>(y) * m.width + x] = unsigned{p[2]} << 16 | unsigned{p[1]} << 8 | p[0];
    }
  }
  return m;
}

Bitmap RenderBmp(const std::vector<std::string>& args, const std::string& name) {
  const std::string bmp = File(name);
  std::remove(bmp.c_str());
  std::vector<std::string> all = With({"--size", "nano", "-o", bmp});
  all.insert(all.end(), args.begin(), args.end());
  const Result r = RunRender(all);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  return ReadBmp(bmp);
}

// Where the triad's ink of one axis lies, from the triad's centre: the mean
// offset of the pixels that --axes changed to that colour (x red, y green,
// z blue), and how many there are.
struct Ink {
  double dx = 0, dy = 0;
  int count = 0;
};
enum class Axis { X, Y, Z };

Ink InkOf(const Bitmap& plain, const Bitmap& axes, Axis axis) {
  const int box = 46;  // 36% of the nano view's 127 pixels
  const double cx = box / 2.0, cy = plain.height - box / 2.0;
  Ink ink;
  for (int y = 0; y < plain.height; ++y) {
    for (int x = 0; x < plain.width; ++x) {
      const unsigned v = axes.At(x, y);
      if (v == plain.At(x, y)) continue;
      const int r = v >> 16, g = v >> 8 & 255, b = v & 255;
      const bool match = axis == Axis::X   ? r > 150 && g < 120 && b < 120
                         : axis == Axis::Y ? g > 150 && r < 130 && b < 130
                                           : b > 150 && r < 150;
      if (!match) continue;
      ink.dx += x + 0.5 - cx;
      ink.dy += y + 0.5 - cy;
      ++ink.count;
    }
  }
  if (ink.count > 0) {
    ink.dx /= ink.count;
    ink.dy /= ink.count;
  }
  return ink;
}

TEST(CliRender, AxesDrawALabelledTriadInTheCornerOnly) {
  WL_NEEDS_IMAGE_WRITER();
  const std::vector<std::string> view = {"--theta", "-0.45", "--phi", "-0.6"};
  const Bitmap plain = RenderBmp(view, "wl_plain.bmp");
  std::vector<std::string> withAxes = view;
  withAxes.push_back("--axes");
  const Bitmap axes = RenderBmp(withAxes, "wl_axes.bmp");
  ASSERT_EQ(plain.width, 127);
  ASSERT_EQ(axes.width, 127);
  ASSERT_EQ(axes.height, 127);

  // The same seed gives the same cloud; only the bottom-left corner changes.
  int changed = 0;
  for (int y = 0; y < 127; ++y) {
    for (int x = 0; x < 127; ++x) {
      if (plain.At(x, y) == axes.At(x, y)) continue;
      ++changed;
      EXPECT_TRUE(x < 46 && y >= 127 - 46) << "pixel (" << x << ", " << y << ") changed";
    }
  }
  EXPECT_GT(changed, 40);
  for (const Axis a : {Axis::X, Axis::Y, Axis::Z}) {
    EXPECT_GT(InkOf(plain, axes, a).count, 5) << "axis " << static_cast<int>(a);
  }
}

TEST(CliRender, ScaleBarChangesOnlyItsCornerAndTheSlicesEdges) {
  WL_NEEDS_IMAGE_WRITER();
  // The bar's box at the bottom left (right of the arrows' 46-pixel square
  // with --axes); a slice also gets ticks along its edges.
  const std::vector<std::string> views[] = {
      {"--theta", "0.3"}, {"--mode", "transect", "--transect-no", "30"}, {"--axes"}};
  for (int k = 0; k < 3; ++k) {
    const int left = k == 2 ? 46 : 0;
    std::vector<std::string> withBar = views[k];
    withBar.push_back("--scale-bar");
    const Bitmap plain = RenderBmp(views[k], "wl_plain" + std::to_string(k) + ".bmp");
    const Bitmap bar = RenderBmp(withBar, "wl_bar" + std::to_string(k) + ".bmp");
    ASSERT_EQ(bar.width, 127);
    int light = 0;
    for (int y = 0; y < 127; ++y) {
      for (int x = 0; x < 127; ++x) {
        if (plain.At(x, y) == bar.At(x, y)) continue;
        const bool inBox = x >= left && x < left + 80 && y >= 127 - 25;
        const bool edge = k == 1 && (x < 8 || y < 8 || x >= 119 || y >= 119);
        EXPECT_TRUE(inBox || edge) << k << ": pixel (" << x << ", " << y << ") changed";
        light += inBox && (bar.At(x, y) & 0xff) > 220;
      }
    }
    EXPECT_GT(light, 30) << k;  // the bar and its label in light ink
  }
}

TEST(CliRender, AxesTurnWithTheCameraAndFollowTheSlice) {
  WL_NEEDS_IMAGE_WRITER();
  const auto inks = [](std::vector<std::string> view, const std::string& name) {
    const Bitmap plain = RenderBmp(view, name + "_plain.bmp");
    view.push_back("--axes");
    const Bitmap axes = RenderBmp(view, name + "_axes.bmp");
    return std::array<Ink, 3>{InkOf(plain, axes, Axis::X), InkOf(plain, axes, Axis::Y),
                              InkOf(plain, axes, Axis::Z)};
  };
  // Straight on: x to the right, z up, y away from the viewer (a ring at the centre).
  auto a = inks({"--theta", "0", "--phi", "0"}, "wl_front");
  EXPECT_GT(a[0].dx, 4);
  EXPECT_LT(std::abs(a[0].dy), 2.5);
  EXPECT_LT(a[2].dy, -4);
  EXPECT_LT(std::abs(a[1].dx), a[0].dx / 2);
  // Turned half way round about the vertical: x points left.
  a = inks({"--theta", "0", "--phi", "3.14159"}, "wl_back");
  EXPECT_LT(a[0].dx, -4);
  // A quarter turn: y points right (or left) and x along the line of sight.
  a = inks({"--theta", "0", "--phi", "1.5708"}, "wl_side");
  EXPECT_GT(std::abs(a[1].dx), 4);
  EXPECT_LT(std::abs(a[0].dx), std::abs(a[1].dx) / 2);
  // Looking down from above (theta < 0): y turns up the picture and z shortens.
  a = inks({"--theta", "-1.2", "--phi", "0"}, "wl_top");
  EXPECT_LT(a[1].dy, -4);
  EXPECT_GT(a[2].dy, a[1].dy);
  // A slice across x shows y across and z upward, whatever the camera.
  a = inks({"--mode", "transect", "--transect-dir", "x", "--theta", "0.7", "--phi", "0.4"},
           "wl_slice");
  EXPECT_GT(a[1].dx, 4);
  EXPECT_LT(std::abs(a[1].dy), 2.5);
  EXPECT_LT(a[2].dy, -4);
  EXPECT_LT(std::abs(a[0].dx), a[1].dx / 2);
}

// Short mode names draw what the long ones do; the surface's options change its picture.
TEST(CliRender, ModeNamesAndTheSurfaceOptions) {
  WL_NEEDS_IMAGE_WRITER();
  EXPECT_EQ(RenderBmp({"--mode", "volume", "--final"}, "wl_vol_a.bmp").rgb,
            RenderBmp({"--mode", "volumetric", "--final"}, "wl_vol_b.bmp").rgb);
  EXPECT_EQ(RenderBmp({"--mode", "ortho"}, "wl_ortho_a.bmp").rgb,
            RenderBmp({"--mode", "orthographic"}, "wl_ortho_b.bmp").rgb);
  auto lit = [](const Bitmap& m) {
    return std::count_if(m.rgb.begin(), m.rgb.end(), [](unsigned v) { return v != 0; });
  };
  const Bitmap surface = RenderBmp({"--mode", "surface", "--final"}, "wl_surface.bmp");
  const Bitmap half =
      RenderBmp({"--mode", "surface", "--final", "--enclose", "0.5"}, "wl_half.bmp");
  const Bitmap nested = RenderBmp({"--mode", "surface", "--final", "--nested"}, "wl_nested.bmp");
  const Bitmap cut = RenderBmp({"--mode", "surface", "--final", "--cutaway"}, "wl_cut.bmp");
  ASSERT_EQ(surface.width, 127);
  EXPECT_GT(lit(surface), lit(half));
  EXPECT_NE(nested.rgb, surface.rgb);
  EXPECT_NE(cut.rgb, surface.rgb);
}

TEST(CliRender, PhaseColoursTheLobesInThePaletteAsked) {
  WL_NEEDS_IMAGE_WRITER();
  // Green over red of each palette's positive colour.
  const std::pair<const char*, double> palettes[] = {
      {"orange-blue", 140.0 / 255}, {"red-blue", 40.0 / 220}, {"colour-safe", 159.0 / 230}};
  for (const char* mode : {"orthographic", "transect"}) {
    for (const auto& [palette, greenOverRed] : palettes) {
      SCOPED_TRACE(std::string(mode) + " " + palette);
      const Bitmap m = RenderBmp({"--mode", mode, "--phase", "--palette", palette},
                                 std::string("wl_phase_") + mode + palette + ".bmp");
      ASSERT_EQ(m.width, 127);
      // 2Pz: the positive lobe above the middle row, the negative below.
      double red = 0, green = 0;
      int above = 0, wrong = 0;
      for (int y = 0; y < 127; ++y) {
        for (int x = 0; x < 127; ++x) {
          const unsigned p = m.At(x, y);
          const int r = p >> 16 & 255, b = p & 255;
          if (r == b) continue;
          if (y < 63 && r > b) {
            ++above;
            red += r;
            green += p >> 8 & 255;
          }
          wrong += (y < 63) != (r > b) && y != 63;
        }
      }
      EXPECT_GT(above, 300);
      EXPECT_LE(wrong, above / 50);
      EXPECT_NEAR(green / red, greenOverRed, 0.06);
    }
  }
}

// --size N draws the main view's picture N pixels a side; --anaglyph red-cyan
// the left eye in cyan: green never without as much blue.
TEST(CliRender, SizeAndRedCyanGlasses) {
  WL_NEEDS_IMAGE_WRITER();
  const std::string bmp = File("wl_cyan.bmp");
  std::remove(bmp.c_str());
  const Result r = RunRender(With({"--mode", "anaglyph", "--size", "600", "--anaglyph", "red-cyan",
                                   "--theta", "0.5", "--dots", "4000", "-o", bmp}));
  ASSERT_EQ(r.status, 0) << r.err;
  const Bitmap m = ReadBmp(bmp);
  ASSERT_EQ(m.width, 600);
  ASSERT_EQ(m.height, 600);
  int cyan = 0, red = 0;
  for (unsigned v : m.rgb) {
    const unsigned g = v >> 8 & 255, b = v & 255;
    ASSERT_EQ(g, b);
    cyan += g > 0 && (v >> 16) == 0;
    red += g == 0 && (v >> 16) > 0;
  }
  EXPECT_GT(cyan, 100);
  EXPECT_GT(red, 100);
}

TEST(CliRender, ComplexOrbitalsPhasePictureCarriesTheColourWheel) {
  WL_NEEDS_IMAGE_WRITER();
  // The key is measured and drawn with fonts, which the tool makes only for
  // its overlays; the picture's bottom right corner holds the coloured ring.
  const std::string bmp = File("wl_complex.bmp");
  std::remove(bmp.c_str());
  const Result r = RunRender({"--nlm", "2,1,1", "--complex", "--phase", "--seed", "3", "--size",
                              "nano", "-o", bmp});
  ASSERT_EQ(r.status, 0) << r.err;
  const Bitmap b = ReadBmp(bmp);
  ASSERT_EQ(b.width, 127);
  int coloured = 0;
  for (int y = 96; y < 127; ++y) {
    for (int x = 96; x < 127; ++x) {
      const unsigned c = b.At(x, y);
      const int red = static_cast<int>(c >> 16 & 0xff), green = static_cast<int>(c >> 8 & 0xff),
                blue = static_cast<int>(c & 0xff);
      coloured += std::max({red, green, blue}) - std::min({red, green, blue}) > 40;
    }
  }
  EXPECT_GT(coloured, 20);
}

TEST(CliRender, HelpListsTheRenderOptions) {
  const Result r = RunRender({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* option :
       {"--mode", "--transect-dir", "--quality", "--frames", "--axes", "--scale-bar", "--enclose",
        "--nested", "--cutaway", "--phase", "--palette", "--anaglyph", "-o FILE"}) {
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
