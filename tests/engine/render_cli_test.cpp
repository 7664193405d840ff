// The 'render' command of wavelore-render, run as a separate process: the
// image files it writes and the request values it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

TEST(CliRender, HelpListsTheRenderOptions) {
  const Result r = RunRender({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* option : {"--mode", "--transect-dir", "--quality", "--frames", "-o FILE"}) {
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
