// The boundary-surface mesh: its extraction from sampled fields (closed,
// outward, on the iso value, split by phase) and its four file formats read
// back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "ErrorNumber.h"
#include "JsonReader.h"
#include "MeshChecks.h"
#include "render/Phase.h"
#include "render/SurfaceMesh.h"

namespace {

using wltest::IsClosedAndConsistent;
using wltest::SignedVolume;

// ψ = z·e^(−r/2), a 2pz-like function: one positive lobe above z = 0, one
// negative below.
double TwoLobes(double x, double y, double z) {
  return z * std::exp(-std::sqrt(x * x + y * y + z * z) / 2);
}
constexpr double kIso = 0.3;  // |ψ| = 0.3 on the surface: z from 0.38 to 5.9 on the axis

template <class F>
wl::ScalarField Sampled(int n, double half, bool isSigned, F f) {
  wl::ScalarField field;
  field.N = n;
  field.Half = half;
  field.Signed = isSigned;
  const double h = field.Step();
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i)
        field.Value.push_back(static_cast<float>(f(-half + i * h, -half + j * h, -half + k * h)));
  return field;
}

// The exact volume of one lobe, |z|·e^(−r/2) >= kIso: at height z the lobe is
// the disc ρ² <= (2 ln(z / kIso))² − z².
double LobeVolume() {
  double v = 0;
  const double dz = 1e-4;
  for (double z = dz / 2; z < 12; z += dz) {
    const double l = 2 * std::log(z / kIso);
    if (l > z) v += M_PI * (l * l - z * z) * dz;
  }
  return v;
}

const float* Vertex(const wl::SurfaceMesh& m, std::uint32_t v) {
  return &m.Positions[3 * v];
}

TEST(SurfaceMesh, TwoSignedLobesAreClosedOutwardOnTheIsoValueAndSplitByPhase) {
  const wl::ScalarField field = Sampled(61, 12, true, TwoLobes);  // h = 0.4
  const wl::SurfaceMesh m = wl::ExtractSurface(field, kIso * kIso);
  ASSERT_GT(m.FaceCount(), 1000u);
  ASSERT_EQ(m.Normals.size(), m.Positions.size());
  ASSERT_EQ(m.Phase.size(), m.FaceCount());
  EXPECT_TRUE(IsClosedAndConsistent(m));

  // Each lobe wound outwards, enclosing the lobe's volume (about 0.7% less,
  // as the flat faces cut the convex lobe's rim).
  const double lobe = LobeVolume();
  EXPECT_NEAR(SignedVolume(m, 1), lobe, 0.015 * lobe);
  EXPECT_NEAR(SignedVolume(m, -1), lobe, 0.015 * lobe);

  // The phases lie on their sides of the node plane z = 0.
  for (size_t f = 0; f < m.FaceCount(); ++f) {
    ASSERT_NE(m.Phase[f], 0);
    for (int k = 0; k < 3; ++k) {
      const float z = Vertex(m, m.Triangles[3 * f + k])[2];
      ASSERT_GT(z * m.Phase[f], 0) << "face " << f << " of phase " << int(m.Phase[f]);
    }
  }

  // Vertices on the iso value of the sampled field and near that of the
  // function; unit normals pointing where |ψ| falls.
  double worstField = 0, worstFunction = 0, worstCos = 1;
  for (size_t v = 0; v < m.VertexCount(); ++v) {
    const float* p = Vertex(m, std::uint32_t(v));
    worstField = std::max(worstField, std::fabs(std::fabs(field.Sample(p[0], p[1], p[2])) - kIso));
    worstFunction =
        std::max(worstFunction, std::fabs(std::fabs(TwoLobes(p[0], p[1], p[2])) - kIso));
    const float* n = &m.Normals[3 * v];
    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1, 1e-5);
    const double e = 1e-5, s = p[2] > 0 ? 1 : -1;
    const double g[3] = {TwoLobes(p[0] + e, p[1], p[2]) - TwoLobes(p[0] - e, p[1], p[2]),
                         TwoLobes(p[0], p[1] + e, p[2]) - TwoLobes(p[0], p[1] - e, p[2]),
                         TwoLobes(p[0], p[1], p[2] + e) - TwoLobes(p[0], p[1], p[2] - e)};
    const double len = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
    worstCos = std::min(worstCos, -s * (g[0] * n[0] + g[1] * n[1] + g[2] * n[2]) / len);
  }
  EXPECT_LT(worstField, 0.05 * kIso);
  EXPECT_LT(worstFunction, 0.08 * kIso);
  EXPECT_GT(worstCos, 0.98);
}

// Coarse random fields with many nodes exactly on the iso value, inside nodes
// on the cube's border and both signs side by side: still closed and wound
// outwards.
TEST(SurfaceMesh, DegenerateRandomFieldsTouchingTheBorderStayClosed) {
  std::mt19937 random(17);
  for (const bool isSigned : {false, true}) {
    std::uniform_int_distribution<int> level(isSigned ? -3 : 0, 3);
    const wl::ScalarField field =
        Sampled(9, 2, isSigned, [&](double, double, double) { return level(random) / 2.0; });
    const wl::SurfaceMesh m = wl::ExtractSurface(field, 1.0);
    EXPECT_TRUE(IsClosedAndConsistent(m)) << (isSigned ? "signed" : "unsigned");
    EXPECT_GT(SignedVolume(m), 0);
    for (std::int8_t p : m.Phase) ASSERT_EQ(p == 0, !isSigned);
    // Lobes of opposite signs on neighbouring nodes stay apart: each sign's
    // faces are closed on their own.
    for (const int phase : {1, -1}) {
      if (!isSigned) break;
      wl::SurfaceMesh lobes = m;
      lobes.Triangles.clear();
      for (size_t f = 0; f < m.FaceCount(); ++f) {
        if (m.Phase[f] == phase)
          lobes.Triangles.insert(lobes.Triangles.end(), &m.Triangles[3 * f],
                                 &m.Triangles[3 * f] + 3);
      }
      lobes.Phase.assign(lobes.Triangles.size() / 3, std::int8_t(phase));
      EXPECT_TRUE(IsClosedAndConsistent(lobes)) << "phase " << phase;
      EXPECT_GT(SignedVolume(lobes), 0) << "phase " << phase;
    }
  }
  // The whole cube inside: one closed box just beyond the border nodes.
  const wl::SurfaceMesh box =
      wl::ExtractSurface(Sampled(5, 1, false, [](auto...) { return 2.0; }), 1.0);
  EXPECT_TRUE(IsClosedAndConsistent(box));
  // It holds the nodes' cube [-1, 1]³ and lies within [-1.25, 1.25]³, halfway
  // to the outside nodes, its corners cut off by the tetrahedra.
  EXPECT_GT(SignedVolume(box), 8);
  EXPECT_LT(SignedVolume(box), 2.5 * 2.5 * 2.5);
  for (float c : box.Positions) ASSERT_LE(std::fabs(c), 1.25f);
}

TEST(SurfaceMesh, RefusesDensitiesWithoutASurface) {
  const wl::ScalarField field = Sampled(5, 1, false, [](auto...) { return 1.0; });
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ExtractSurface(field, 0); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ExtractSurface(field, -1); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ExtractSurface(field, NAN); }), 5);
  EXPECT_EQ(wltest::ErrorNumberOf([&] { wl::ExtractSurface(wl::ScalarField{}, 1); }), 5);
}

// ------------------------------------------------------------ file formats

std::uint32_t Le32(const std::string& s, size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}
float LeF32(const std::string& s, size_t at) {
  const std::uint32_t u = Le32(s, at);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

const wl::SurfaceMesh& Lobes() {
  static const wl::SurfaceMesh m = wl::ExtractSurface(Sampled(31, 12, true, TwoLobes), kIso * kIso);
  return m;
}

TEST(SurfaceMeshFile, ObjGroupsTheFacesByPhase) {
  const wl::SurfaceMesh& m = Lobes();
  const wltest::ObjFile obj = wltest::ReadObj(wl::MeshFile(m, wl::MeshFormat::Obj));
  EXPECT_EQ(obj.Groups, (std::vector<std::string>{"positive", "negative"}));
  EXPECT_EQ(obj.Mesh.Positions, m.Positions);  // shortest round-trip text
  EXPECT_EQ(obj.Mesh.Normals, m.Normals);
  EXPECT_EQ(obj.Mesh.FaceCount(), m.FaceCount());
  EXPECT_TRUE(IsClosedAndConsistent(obj.Mesh));
  EXPECT_DOUBLE_EQ(SignedVolume(obj.Mesh, 1), SignedVolume(m, 1));

  // A field without a sign: one group "surface", every phase 0.
  const wl::SurfaceMesh plain = wl::ExtractSurface(
      Sampled(21, 5, false,
              [](double x, double y, double z) { return std::exp(-std::hypot(x, y, z)); }),
      0.01);
  for (std::int8_t p : plain.Phase) ASSERT_EQ(p, 0);
  EXPECT_EQ(wltest::ReadObj(wl::MeshFile(plain, wl::MeshFormat::Obj)).Groups,
            std::vector<std::string>{"surface"});
}

TEST(SurfaceMeshFile, StlAndPlyHoldEveryFace) {
  const wl::SurfaceMesh& m = Lobes();
  const std::string stl = wl::MeshFile(m, wl::MeshFormat::Stl);
  ASSERT_EQ(stl.size(), 84 + 50 * m.FaceCount());
  EXPECT_NE(stl.compare(0, 5, "solid"), 0) << "binary STL must not look like ASCII STL";
  EXPECT_EQ(Le32(stl, 80), m.FaceCount());
  const size_t last = m.FaceCount() - 1;
  for (int a = 0; a < 3; ++a) {
    EXPECT_EQ(LeF32(stl, 84 + 50 * last + 12 + 4 * a), m.Positions[3 * m.Triangles[3 * last] + a]);
  }

  const std::string ply = wl::MeshFile(m, wl::MeshFormat::Ply);
  const size_t body = ply.find("end_header\n") + 11;
  const std::string header = ply.substr(0, body);
  EXPECT_EQ(header.rfind("ply\nformat binary_little_endian 1.0\n", 0), 0u) << header;
  EXPECT_NE(header.find("element vertex " + std::to_string(m.VertexCount()) + "\n"),
            std::string::npos);
  EXPECT_NE(header.find("element face " + std::to_string(m.FaceCount()) + "\n"), std::string::npos);
  ASSERT_EQ(ply.size(), body + 27 * m.VertexCount() + 13 * m.FaceCount());
  // The first vertex, of the positive lobe (extracted first), in orange.
  EXPECT_EQ(LeF32(ply, body + 8), m.Positions[2]);
  EXPECT_EQ(static_cast<unsigned char>(ply[body + 24]), wl::PhaseColour(wl::OrangeBlue, true).R);
  EXPECT_EQ(ply[body + 27 * m.VertexCount()], 3);  // the first face has three corners
}

double Number(const wltest::Json* j) {
  return j ? j->number : NAN;
}

TEST(SurfaceMeshFile, GlbIsGltfTwoWithOnePrimitivePerPhase) {
  const wl::SurfaceMesh& m = Lobes();
  const std::string glb = wl::MeshFile(m, wl::MeshFormat::Glb);
  ASSERT_GE(glb.size(), 20u);
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  EXPECT_EQ(Le32(glb, 4), 2u);
  EXPECT_EQ(Le32(glb, 8), glb.size());
  const std::uint32_t jsonLength = Le32(glb, 12);
  EXPECT_EQ(glb.substr(16, 4), "JSON");
  EXPECT_EQ(jsonLength % 4, 0u);
  const size_t binAt = 20 + jsonLength;
  ASSERT_EQ(glb.size(), binAt + 8 + Le32(glb, binAt));
  EXPECT_EQ(glb.substr(binAt + 4, 4), std::string("BIN\0", 4));
  const std::uint32_t binLength = Le32(glb, binAt);
  EXPECT_EQ(binLength % 4, 0u);

  using wltest::Field;
  const wltest::Json doc = wltest::ParseJson(glb.substr(20, jsonLength));
  ASSERT_TRUE(Field(doc, "asset"));
  ASSERT_TRUE(Field(*Field(doc, "asset"), "version"));
  EXPECT_EQ(Field(*Field(doc, "asset"), "version")->text, "2.0");
  const wltest::Json* buffers = Field(doc, "buffers");
  ASSERT_TRUE(buffers && buffers->items.size() == 1);
  EXPECT_LE(Number(Field(buffers->items[0], "byteLength")), binLength);
  const wltest::Json* meshes = Field(doc, "meshes");
  ASSERT_TRUE(meshes && meshes->items.size() == 1);
  const auto& primitives = Field(meshes->items[0], "primitives")->items;
  ASSERT_EQ(primitives.size(), 2u);
  const auto& views = Field(doc, "bufferViews")->items;
  const auto& accessors = Field(doc, "accessors")->items;
  const auto& materials = Field(doc, "materials")->items;

  size_t faces = 0;
  for (size_t p = 0; p < 2; ++p) {
    const wltest::Json* attributes = Field(primitives[p], "attributes");
    const auto& position = accessors.at(size_t(Number(Field(*attributes, "POSITION"))));
    const auto& normal = accessors.at(size_t(Number(Field(*attributes, "NORMAL"))));
    const auto& indices = accessors.at(size_t(Number(Field(primitives[p], "indices"))));
    EXPECT_EQ(Number(Field(indices, "componentType")), 5125);   // UNSIGNED_INT
    EXPECT_EQ(Number(Field(position, "componentType")), 5126);  // FLOAT
    const double vertices = Number(Field(position, "count"));
    EXPECT_EQ(Number(Field(normal, "count")), vertices);
    faces += size_t(Number(Field(indices, "count"))) / 3;
    // Each accessor's view lies in the BIN chunk and is as long as its data.
    std::vector<float> z;
    for (const auto* a : {&position, &normal, &indices}) {
      const auto& view = views.at(size_t(Number(Field(*a, "bufferView"))));
      const double offset = Number(Field(view, "byteOffset")),
                   length = Number(Field(view, "byteLength"));
      const int parts = Field(*a, "type")->text == "VEC3" ? 3 : 1;
      EXPECT_EQ(length, Number(Field(*a, "count")) * parts * 4);
      EXPECT_LE(offset + length, binLength);
      for (size_t v = 0; a == &position && v < vertices; ++v) {
        z.push_back(LeF32(glb, binAt + 8 + size_t(offset) + 12 * v + 8));
      }
    }
    // min and max of z as stored; the first primitive is the positive lobe,
    // coloured like it.
    EXPECT_EQ(float(Number(&Field(position, "min")->items.at(2))),
              *std::min_element(z.begin(), z.end()));
    EXPECT_EQ(float(Number(&Field(position, "max")->items.at(2))),
              *std::max_element(z.begin(), z.end()));
    EXPECT_EQ(*std::min_element(z.begin(), z.end()) > 0, p == 0);
    const auto& material = materials.at(size_t(Number(Field(primitives[p], "material"))));
    const auto& colour = Field(*Field(material, "pbrMetallicRoughness"), "baseColorFactor")->items;
    EXPECT_EQ(colour.at(0).number > colour.at(2).number, p == 0) << "orange above, blue below";
  }
  EXPECT_EQ(faces, m.FaceCount());
}

}  // namespace
