// WL's command line, run as a separate process: the help text and its short
// form, and how the options the program does not know are refused.
#include <gtest/gtest.h>

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

}  // namespace
