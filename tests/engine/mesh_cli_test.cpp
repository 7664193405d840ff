// The 'mesh' command of wavelore-render, run as a separate process: the
// surface it writes in each format and the values it refuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "JsonReader.h"
#include "MeshChecks.h"
#include "ToolRunner.h"
#include "core/modOrbitals.h"
#include "render/Phase.h"

namespace {

using wltest::Slurp;

// The tool is built into the same folder as this test.
std::string Tool() {
  char buf[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string self(buf, n > 0 ? static_cast<size_t>(n) : 0);
  return self.substr(0, self.rfind('/') + 1) + "wavelore-render";
}

wltest::ToolResult RunMesh(std::vector<std::string> args) {
  args.insert(args.begin(), "mesh");
  return wltest::RunProgram(Tool(), args);
}

std::string File(const std::string& name) {
  return ::testing::TempDir() + name;
}

std::uint32_t Le32(const std::string& s, size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

// 2pz in every format: one closed surface, split into its two lobes when the
// engine knows the sign of ψ.
TEST(CliMesh, WritesTheSameClosedSurfaceInEachFormat) {
  const std::string obj = File("wl_2pz.obj"), stl = File("wl_2pz.stl"), ply = File("wl_2pz.data"),
                    glb = File("wl_2pz.GLB");
  for (const auto& f : {obj, stl, ply, glb}) std::remove(f.c_str());
  const std::vector<std::string> orbital = {"--orbital", "2Pz", "--enclose", "0.9"};
  auto run = [&](std::vector<std::string> rest) {
    rest.insert(rest.begin(), orbital.begin(), orbital.end());
    const auto r = RunMesh(rest);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
  };
  run({"-o", obj});  // formats from the extension
  run({"--format", "stl", "-o", stl});
  run({"--format", "ply", "-o", ply});
  run({"-o", glb});

  const wltest::ObjFile o = wltest::ReadObj(Slurp(obj));
  const wl::SurfaceMesh& m = o.Mesh;
  ASSERT_GT(m.FaceCount(), 10000u);
  EXPECT_TRUE(wltest::IsClosedAndConsistent(m));
  EXPECT_GT(wltest::SignedVolume(m), 0);
  const bool hasSign = !std::isnan(wl::modOrbitals::CreateElectron(4)->GetPsi({0, 0, 1}));
  if (hasSign) {
    EXPECT_EQ(o.Groups, (std::vector<std::string>{"positive", "negative"}));
    for (size_t f = 0; f < m.FaceCount(); ++f) {
      ASSERT_GT(m.Positions[3 * m.Triangles[3 * f] + 2] * m.Phase[f], 0) << "face " << f;
    }
  } else {
    EXPECT_EQ(o.Groups, std::vector<std::string>{"surface"});
  }

  EXPECT_EQ(Slurp(stl).size(), 84 + 50 * m.FaceCount());
  const std::string p = Slurp(ply);
  EXPECT_NE(p.find("element vertex " + std::to_string(m.VertexCount()) + "\n"), std::string::npos);
  EXPECT_NE(p.find("element face " + std::to_string(m.FaceCount()) + "\n"), std::string::npos);
  const std::string g = Slurp(glb);
  ASSERT_GT(g.size(), 12u);
  EXPECT_EQ(g.substr(0, 4), "glTF");
  EXPECT_EQ(Le32(g, 8), g.size());
}

// The 90% surface of 1s is the sphere r = 2.661 a₀; a subshell average has no
// sign.
TEST(CliMesh, OneSAtNinetyPercentIsTheSphereOfTheExactIntegral) {
  const std::string obj = File("wl_1s.obj");
  const auto r = RunMesh({"--orbital", "1s", "--average", "--enclose", "0.9", "-o", obj});
  ASSERT_EQ(r.status, 0) << r.err;
  const wltest::ObjFile o = wltest::ReadObj(Slurp(obj));
  EXPECT_EQ(o.Groups, std::vector<std::string>{"surface"});
  ASSERT_GT(o.Mesh.VertexCount(), 0u);
  for (size_t v = 0; v < o.Mesh.VertexCount(); ++v) {
    const float* p = &o.Mesh.Positions[3 * v];
    ASSERT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 2.661, 0.01);
  }
}

float LeF32(const std::string& s, size_t at) {
  const std::uint32_t v = Le32(s, at);
  float f;
  std::memcpy(&f, &v, 4);
  return f;
}

// The complex 2p m=+1 is a ring round z with arg ψ = φ + π. PLY colours each
// vertex by that phase's hue, the hue the views use, so the colours run once
// round the wheel; glTF carries them as COLOR_0 under a white material.
TEST(CliMesh, ComplexOrbitalsColourTheirVerticesByPhase) {
  const std::string ply = File("wl_2p1c.ply"), glb = File("wl_2p1c.glb");
  for (const auto& f : {ply, glb}) {
    const auto r = RunMesh({"--nlm", "2,1,1", "--complex", "--enclose", "0.9", "-o", f});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  const std::string p = Slurp(ply);
  const size_t body = p.find("end_header\n") + 11;
  const size_t at = p.find("element vertex ");
  ASSERT_NE(at, std::string::npos);
  const size_t vertices = std::stoul(p.substr(at + 15));
  ASSERT_GT(vertices, 1000u);
  const wl::PhaseWheel wheel(wl::OrangeBlue);
  std::vector<bool> seen(wl::PhaseWheel::kSteps, false);
  for (size_t v = 0; v < vertices; ++v) {
    const size_t base = body + 27 * v;
    const double phi = std::atan2(LeF32(p, base + 4), LeF32(p, base));
    const int want = wl::PhaseWheel::StepOf(phi + M_PI);
    const wl::PhaseRgb got{static_cast<std::uint8_t>(p[base + 24]),
                           static_cast<std::uint8_t>(p[base + 25]),
                           static_cast<std::uint8_t>(p[base + 26])};
    // Steps beside the exact one: φ from the stored floats may round across a step.
    bool near = false;
    for (int k = want - 1; k <= want + 1; ++k) {
      const wl::PhaseRgb c = wheel.Step((k + wl::PhaseWheel::kSteps) % wl::PhaseWheel::kSteps);
      near = near || (c.R == got.R && c.G == got.G && c.B == got.B);
    }
    ASSERT_TRUE(near) << "vertex " << v << " at phi " << phi;
    seen[static_cast<size_t>(want)] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), wl::PhaseWheel::kSteps);

  using wltest::Field;
  const std::string g = Slurp(glb);
  const wltest::Json doc = wltest::ParseJson(g.substr(20, Le32(g, 12)));
  const auto& primitives = Field(Field(doc, "meshes")->items.at(0), "primitives")->items;
  ASSERT_EQ(primitives.size(), 1u);  // |ψ| has no sign: one surface
  const wltest::Json* attributes = Field(primitives[0], "attributes");
  ASSERT_TRUE(Field(*attributes, "COLOR_0"));
  const auto& accessors = Field(doc, "accessors")->items;
  const auto& colour = accessors.at(size_t(Field(*attributes, "COLOR_0")->number));
  EXPECT_EQ(Field(colour, "count")->number, double(vertices));
  EXPECT_EQ(Field(colour, "type")->text, "VEC3");
  const auto& material = Field(doc, "materials")->items.at(0);
  for (const auto& c : Field(*Field(material, "pbrMetallicRoughness"), "baseColorFactor")->items)
    EXPECT_EQ(c.number, 1.0);
}

TEST(CliMesh, RefusesBadValuesWithOneLine) {
  const std::string out = File("wl_bad.obj");
  const std::vector<std::vector<std::string>> bad = {
      {"--orbital", "2Pz", "--enclose", "0.9"},              // no -o
      {"--orbital", "2Pz", "-o", out},                       // no --enclose
      {"--orbital", "2Pz", "--enclose", "90", "-o", out},    // a percentage
      {"--orbital", "2Pz", "--enclose", "0.01", "-o", out},  // below 0.05
      {"--orbital", "2Pz", "--enclose", "x", "-o", out},     // not a number
      {"--orbital", "2Pz", "--enclose", "0.9", "--format", "3ds", "-o", out},
      {"--orbital", "2Pz", "--enclose", "0.9", "-o", File("wl_bad.txt")},  // format unknown
      {"--orbital", "9Q", "--enclose", "0.9", "-o", out},
      {"--orbital", "2Pz", "--enclose", "0.9", "--view", "x", "-o", out},
      {"--orbital", "2Pz", "--enclose", "0.9", "--radius", "5", "-o", out},  // not a mesh option
  };
  for (const auto& args : bad) {
    const auto r = RunMesh(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << ": " << r.err;
  }
}

}  // namespace
