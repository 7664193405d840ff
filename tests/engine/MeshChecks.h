// Checks of a triangle mesh shared by the mesh tests: closedness, enclosed
// volume and an OBJ reader.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/SurfaceMesh.h"

namespace wltest {

// Closed and consistently oriented: every edge a -> b of a face appears in
// exactly one face, and b -> a in exactly one other.
inline ::testing::AssertionResult IsClosedAndConsistent(const wl::SurfaceMesh& m) {
  std::unordered_map<std::uint64_t, int> directed;
  auto key = [](std::uint32_t a, std::uint32_t b) { return std::uint64_t(a) << 32 | b; };
  for (size_t f = 0; f < m.FaceCount(); ++f) {
    for (int k = 0; k < 3; ++k) {
      const std::uint32_t a = m.Triangles[3 * f + k], b = m.Triangles[3 * f + (k + 1) % 3];
      if (a == b) return ::testing::AssertionFailure() << "face " << f << " repeats a vertex";
      ++directed[key(a, b)];
    }
  }
  for (const auto& [k, n] : directed) {
    const auto a = std::uint32_t(k >> 32), b = std::uint32_t(k);
    const auto back = directed.find(key(b, a));
    if (n != 1 || back == directed.end() || back->second != 1) {
      return ::testing::AssertionFailure()
             << "edge " << a << " -> " << b << " is in " << n << " faces, its reverse in "
             << (back == directed.end() ? 0 : back->second);
    }
  }
  return ::testing::AssertionSuccess();
}

// The volume the faces enclose: positive when they are wound counter-clockwise
// seen from outside. Only faces of `phase` when phase is +1 or -1.
inline double SignedVolume(const wl::SurfaceMesh& m, int phase = 0) {
  double v = 0;
  for (size_t f = 0; f < m.FaceCount(); ++f) {
    if (phase != 0 && m.Phase[f] != phase) continue;
    const float* a = &m.Positions[3 * m.Triangles[3 * f]];
    const float* b = &m.Positions[3 * m.Triangles[3 * f + 1]];
    const float* c = &m.Positions[3 * m.Triangles[3 * f + 2]];
    v += double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) +
         double(a[1]) * (double(b[2]) * c[0] - double(b[0]) * c[2]) +
         double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]);
  }
  return v / 6;
}

// An OBJ file as written by MeshFile: vertices, normals, and faces "a//a b//b
// c//c" whose phase is their group's. The group names in order of appearance.
struct ObjFile {
  wl::SurfaceMesh Mesh;
  std::vector<std::string> Groups;
};

inline ObjFile ReadObj(const std::string& text) {
  ObjFile obj;
  std::istringstream in(text);
  int phase = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string tag;
    words >> tag;
    if (tag == "v" || tag == "vn") {
      auto& to = tag == "v" ? obj.Mesh.Positions : obj.Mesh.Normals;
      for (int a = 0; a < 3; ++a) {
        float x = 0;
        words >> x;
        to.push_back(x);
      }
    } else if (tag == "g") {
      std::string name;
      words >> name;
      obj.Groups.push_back(name);
      phase = name == "positive" ? 1 : name == "negative" ? -1 : 0;
    } else if (tag == "f") {
      for (std::string ref; words >> ref;) {  // "a//a"
        obj.Mesh.Triangles.push_back(std::uint32_t(std::stoul(ref) - 1));
      }
      obj.Mesh.Phase.push_back(std::int8_t(phase));
    }
  }
  EXPECT_EQ(obj.Mesh.Positions.size(), obj.Mesh.Normals.size());
  EXPECT_EQ(obj.Mesh.Triangles.size(), 3 * obj.Mesh.Phase.size());
  for (std::uint32_t v : obj.Mesh.Triangles) EXPECT_LT(v, obj.Mesh.VertexCount());
  return obj;
}

}  // namespace wltest
