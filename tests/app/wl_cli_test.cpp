// WL's command line, run as a separate process: the help text and its short
// form, and how the options the program does not know are refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "Cli.h"
#include "orbitals/OrbitalCatalog.h"
#include "engine/ToolRunner.h"

namespace {

wltest::ToolResult RunWL(const std::vector<std::string>& args) {
  return wltest::RunProgram(WL_EXE, args);
}

TEST(WLCommandLine, ShortHelpIsTheLongHelp) {
  const wltest::ToolResult longForm = RunWL({"--help"});
  ASSERT_EQ(longForm.status, 0) << longForm.err;
  EXPECT_NE(longForm.out.find("usage: WL"), std::string::npos);
  EXPECT_NE(longForm.out.find("-h, --help"), std::string::npos);
  const wltest::ToolResult shortForm = RunWL({"-h"});
  EXPECT_EQ(shortForm.status, 0) << shortForm.err;
  EXPECT_EQ(shortForm.out, longForm.out);
  EXPECT_EQ(shortForm.err, "");
  // Among other options it still means help, before anything is checked.
  EXPECT_EQ(RunWL({"--orbital", "2Pz", "-h"}).out, longForm.out);
  // Other short options stay unknown: one line, status 2, no window.
  const wltest::ToolResult bad = RunWL({"-x"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("unknown option -x"), std::string::npos) << bad.err;
}

// A mode, the phase or the graphs need an orbital to show; a mode must be one
// of the names both tools take. Refused before any window: one line, status 2.
TEST(WLCommandLine, ModePhaseAndGraphsNeedAnOrbitalAndAKnownMode) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--mode", "surface"}, std::vector<std::string>{"--phase"},
        std::vector<std::string>{"--graphs"}}) {
    const wltest::ToolResult r = RunWL(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("needs --orbital"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  const wltest::ToolResult bad = RunWL({"--orbital", "2Pz", "--mode", "glow"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--mode must be orthographic|ortho|perspective|anaglyph|volumetric|"
                         "volume|surface, not 'glow'"),
            std::string::npos)
      << bad.err;
}

// The zoom is a number from 1 to 4; anything else is refused before any window.
TEST(WLCommandLine, ScaleIsANumberFromOneToFour) {
  for (const char* value : {"0.5", "4.5", "two", "nan", ""}) {
    const wltest::ToolResult r = RunWL({"--scale", value});
    EXPECT_EQ(r.status, 2) << value;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--scale"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(WLCommandLine, ModeNamesAreSharedWithTheRenderTool) {
  EXPECT_EQ(wlcli::ParseMode("--mode", "ortho", false), wl::Orthographic);
  EXPECT_EQ(wlcli::ParseMode("--mode", "volume", false), wl::Volumetric);
  EXPECT_EQ(wlcli::ParseMode("--mode", "volumetric", false), wl::Volumetric);
  EXPECT_EQ(wlcli::ParseMode("--mode", "surface", true), wl::BoundarySurface);
  EXPECT_EQ(wlcli::ParseMode("--mode", "transect", true), wl::Transect);
  EXPECT_THROW(wlcli::ParseMode("--mode", "transect", false), wlcli::UsageError);
}

// The view's angles and slice: refused before any window when out of range or
// without an orbital; the slice's words read back as written.
TEST(WLCommandLine, AnglesAndSliceAreChecked) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--orbital", "2Pz", "--theta", "7"},
        std::vector<std::string>{"--orbital", "2Pz", "--phi", "x"},
        std::vector<std::string>{"--orbital", "2Pz", "--transect", "z:128"},
        std::vector<std::string>{"--orbital", "2Pz", "--transect", "w:1"},
        std::vector<std::string>{"--transect", "z:4"},
        std::vector<std::string>{"lesson.wavelore", "--orbital", "2Pz"}}) {
    const wltest::ToolResult r = RunWL(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  for (const char* text : {"x:-127", "y:0", "z:40"}) {
    EXPECT_EQ(wlcli::TransectName(wlcli::ParseTransect("--transect", text)), text);
  }
  EXPECT_EQ(wlcli::ParseTransect("--transect", "Z:+5").Number, 5);
  EXPECT_THROW(wlcli::ParseTransect("--transect", "z:"), wlcli::UsageError);
  EXPECT_THROW(wlcli::ParseTransect("--transect", "z: 5"), wlcli::UsageError);
  EXPECT_THROW(wlcli::ParseTransect("--transect", "z:5 "), wlcli::UsageError);
}

// The new ways of choosing an orbital are read by the render tool's reader:
// WL refuses bad ones with the very same line, before any window.
TEST(WLCommandLine, OrbitalChoicesAreReadAndRefusedAsByTheRenderTool) {
  const std::vector<std::vector<std::string>> bad = {
      {"--nlm", "3,3,0"},
      {"--nlm", "3,2,1", "--average"},
      {"--orbital", "2Pz", "--charge", "11"},
      {"--orbital", "3P", "--average", "--complex"},
      {"--hybrid", "sp3", "--member", "5"},
      {"--hybrid", "sp3d", "--member", "1", "--n", "2"},
      {"--hybrid", "sp5", "--member", "1"},
      {"--combine", "2s:1,3s:1"},
      {"--combine", "2s,2px,2py,2pz,2s"},
      {"--orbital", "2s", "--hybrid", "sp", "--member", "1"},
      {"--orbital", "168"},
  };
  std::vector<std::string> valued = wlcli::OrbitalValued(), flags = wlcli::OrbitalFlags();
  valued.insert(valued.end(), {"--view", "--radius", "--threshold"});
  for (const auto& args : bad) {
    std::string expected;
    try {
      wlcli::ReadOrbitalSetup(wlcli::Args(args, {valued, flags}, "WL"), 250, false);
    } catch (const wlcli::UsageError& e) {
      expected = e.what();
    }
    ASSERT_FALSE(expected.empty()) << args[0] << " " << args[1];
    const wltest::ToolResult r = RunWL(args);
    EXPECT_EQ(r.status, 2) << expected;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "WL: " + expected + "\n");
  }
  // The choice's own options need the choice.
  for (const auto& [args, says] :
       {std::pair{std::vector<std::string>{"--charge", "2"}, "--charge needs --orbital"},
        std::pair{std::vector<std::string>{"--complex"}, "--complex needs --orbital"},
        std::pair{std::vector<std::string>{"--member", "2"}, "--member needs --hybrid"}}) {
    const wltest::ToolResult r = RunWL(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
  }
  // A good choice is read into the setup the program starts with.
  const wl::OrbitalSetup s = wlcli::ReadOrbitalSetup(
      wlcli::Args({"--hybrid", "sp2", "--member", "3", "--charge", "4", "--view", "drpdf"},
                  {valued, flags}, "WL"),
      250, false);
  EXPECT_EQ(s.Hybrid, wl::HybridSp2);
  EXPECT_EQ(s.HybridMember, 3);
  EXPECT_EQ(s.HybridShell, 2);
  EXPECT_EQ(s.Charge, 4);
  EXPECT_EQ(s.OrbitalViewMode, wl::DRPDF);
  EXPECT_EQ(s.AtomRadius, wl::InfoOf(s).DefaultDRPDFAtomRadius);
}

}  // namespace
