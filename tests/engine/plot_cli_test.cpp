// The 'plot' command of wavelore-render, run as a separate process: its CSV
// numbers against closed forms, its pictures' sizes and the options it refuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

using Result = wltest::ToolResult;
using wltest::Slurp;

std::string Tool() {
  char buf[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string self(buf, n > 0 ? static_cast<size_t>(n) : 0);
  return self.substr(0, self.rfind('/') + 1) + "wavelore-render";
}

Result RunPlot(std::vector<std::string> args) {
  args.insert(args.begin(), "plot");
  return wltest::RunProgram(Tool(), args);
}

std::string File(const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  std::remove(path.c_str());
  return path;
}

struct Table {
  std::string header;
  std::vector<std::vector<double>> rows;
};

Table ReadCsv(const std::string& path) {
  Table t;
  std::istringstream in(Slurp(path));
  std::getline(in, t.header);
  for (std::string line; std::getline(in, line);) {
    std::vector<double> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::stod(cell));
    t.rows.push_back(row);
  }
  return t;
}

TEST(CliPlot, RadialCsvOf1sFollowsTheClosedForms) {
  const std::string csv = File("wl_plot_1s.csv");
  const Result r = RunPlot({"--orbital", "1S", "--kind", "radial", "--format", "csv", "-o", csv});
  ASSERT_EQ(r.status, 0) << r.err;
  const Table t = ReadCsv(csv);
  EXPECT_EQ(t.header, "r,R,P,cumulative");
  ASSERT_GE(t.rows.size(), 200u);
  EXPECT_EQ(t.rows.front()[0], 0);
  EXPECT_GE(t.rows.back()[3], 0.999);
  for (const auto& row : t.rows) {
    ASSERT_EQ(row.size(), 4u);
    const double a = row[0];
    EXPECT_NEAR(row[1], 2 * std::exp(-a), 1e-9) << "R at r = " << a;
    EXPECT_NEAR(row[2], 4 * a * a * std::exp(-2 * a), 1e-9) << "P at r = " << a;
    EXPECT_NEAR(row[3], 1 - std::exp(-2 * a) * (1 + 2 * a + 2 * a * a), 1e-9)
        << "cumulative at r = " << a;
  }
}

TEST(CliPlot, RadialCsvReachesNearlyAllTheProbabilityOrTheAskedRadius) {
  for (const std::vector<std::string>& orbital : {std::vector<std::string>{"--orbital", "3S"},
                                                  {"--orbital", "4F", "--average"},
                                                  {"--orbital", "3Dz2"}}) {
    const std::string csv = File("wl_plot_reach.csv");
    std::vector<std::string> args = orbital;
    args.insert(args.end(), {"--kind", "cumulative", "-o", csv});
    const Result r = RunPlot(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const Table t = ReadCsv(csv);
    ASSERT_GE(t.rows.size(), 200u) << orbital[1];
    EXPECT_GE(t.rows.back()[3], 0.999) << orbital[1];
    for (size_t i = 1; i < t.rows.size(); ++i) {
      ASSERT_GE(t.rows[i][3], t.rows[i - 1][3]) << orbital[1] << " row " << i;
    }
  }
  // A shorter range and more points, as asked.
  const std::string csv = File("wl_plot_asked.csv");
  const Result r =
      RunPlot({"--orbital", "2S", "--kind", "radial", "--rmax", "3", "--points", "301", "-o", csv});
  ASSERT_EQ(r.status, 0) << r.err;
  const Table t = ReadCsv(csv);
  ASSERT_EQ(t.rows.size(), 301u);
  EXPECT_DOUBLE_EQ(t.rows.back()[0], 3);
  EXPECT_NEAR(t.rows[200][0], 2, 1e-12);  // 2s has its node at r = 2
  EXPECT_NEAR(t.rows[200][1], 0, 1e-9);
}

TEST(CliPlot, AngularCsvGivesTheSignedFactorAroundThePlane) {
  // 2Pz is √(3/4π) cos θ: in the xz plane, measured from +x towards +z, that
  // is √(3/4π) sin(angle), positive towards +z.
  const std::string csv = File("wl_plot_2pz.csv");
  Result r = RunPlot(
      {"--orbital", "2Pz", "--kind", "angular", "--plane", "xz", "--points", "360", "-o", csv});
  ASSERT_EQ(r.status, 0) << r.err;
  Table t = ReadCsv(csv);
  EXPECT_EQ(t.header, "angle_deg,factor");
  ASSERT_EQ(t.rows.size(), 360u);
  const double k = std::sqrt(3 / (4 * std::numbers::pi));
  for (const auto& row : t.rows) {
    EXPECT_NEAR(row[1], k * std::sin(row[0] * std::numbers::pi / 180), 1e-9)
        << "at " << row[0] << " degrees";
  }
  // The xy plane is a nodal plane of 2Pz: zero all round.
  r = RunPlot({"--orbital", "2Pz", "--kind", "angular", "--plane", "xy", "-o", csv});
  ASSERT_EQ(r.status, 0) << r.err;
  t = ReadCsv(csv);
  ASSERT_EQ(t.rows.size(), 720u);
  for (const auto& row : t.rows) EXPECT_NEAR(row[1], 0, 1e-12);
}

#if !WL_TOOL_WRITES_IMAGES
TEST(CliPlot, WithoutAnImageWriterRefusesPictures) {
  const std::string png = File("wl_plot_none.png");
  const Result r = RunPlot({"--orbital", "1S", "--kind", "radial", "-o", png});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no image writer"), std::string::npos) << r.err;
  EXPECT_TRUE(Slurp(png).empty());
}
#else
unsigned Be32(const std::string& s, size_t at) {
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

TEST(CliPlot, PicturesHaveTheAskedSize) {
  const std::string png = File("wl_plot.png");
  Result r = RunPlot({"--orbital", "3S", "--kind", "radial", "--format", "png", "-o", png});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  std::string p = Slurp(png);
  ASSERT_GT(p.size(), 24u);
  ASSERT_EQ(p.substr(1, 3), "PNG");
  EXPECT_EQ(Be32(p, 16), 800u);
  EXPECT_EQ(Be32(p, 20), 500u);

  r = RunPlot({"--orbital", "3Dz2", "--kind", "angular", "--size", "640x480", "-o", png});
  ASSERT_EQ(r.status, 0) << r.err;
  p = Slurp(png);
  ASSERT_GT(p.size(), 24u);
  EXPECT_EQ(Be32(p, 16), 640u);
  EXPECT_EQ(Be32(p, 20), 480u);

  const std::string svg = File("wl_plot.svg");
  r = RunPlot(
      {"--orbital", "2S", "--kind", "cumulative", "--marker", "5", "--size", "600x400", "-o", svg});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string s = Slurp(svg);
  EXPECT_EQ(s.rfind("<?xml", 0), 0u);
  EXPECT_NE(s.find("viewBox=\"0 0 600 400\""), std::string::npos);
  EXPECT_NE(s.find("</svg>"), std::string::npos);
  // The title gives the probability within the marker: for 2s,
  // 1 - e^(-a)(1 + a + a²/2 + a⁴/8).
  const double a = 5;
  char value[64];
  std::snprintf(value, sizeof value, "P(r &lt; 5.00 a₀) = %.3f</text>",
                1 - std::exp(-a) * (1 + a + a * a / 2 + a * a * a * a / 8));
  EXPECT_NE(s.find(value), std::string::npos) << value;
}
#endif

TEST(CliPlot, RefusesBadOptionsWithoutWritingAFile) {
  const std::string out = File("wl_plot_refused.csv");
  const std::vector<std::vector<std::string>> bad = {
      {"--orbital", "1S", "-o", out},  // no --kind
      {"--orbital", "1S", "--kind", "spiral", "-o", out},
      {"--orbital", "1S", "--kind", "radial"},  // no -o
      {"--orbital", "1S", "--kind", "radial", "--format", "gif", "-o", out},
      {"--orbital", "1S", "--kind", "radial", "-o", ::testing::TempDir() + "wl_plot.txt"},
      {"--orbital", "1S", "--kind", "radial", "--rmax", "-1", "-o", out},
      {"--orbital", "1S", "--kind", "radial", "--points", "1", "-o", out},
      {"--orbital", "1S", "--kind", "radial", "--plane", "xz", "-o", out},
      {"--orbital", "1S", "--kind", "angular", "--plane", "zz", "-o", out},
      {"--orbital", "1S", "--kind", "radial", "--size", "10x10", "--format", "png", "-o", out},
      {"--orbital", "1S", "--kind", "radial", "--size", "800x500", "-o", out},  // CSV has no size
      {"--orbital", "9Q", "--kind", "radial", "-o", out},
  };
  for (const auto& args : bad) {
    const Result r = RunPlot(args);
    std::string line;
    for (const auto& a : args) line += a + " ";
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_NE(r.err.find("wavelore-render: "), std::string::npos) << line;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << line << r.err;
    EXPECT_TRUE(Slurp(out).empty()) << line;
  }
}

}  // namespace
