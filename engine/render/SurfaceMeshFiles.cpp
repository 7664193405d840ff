// The boundary-surface mesh as OBJ, binary STL, binary PLY and glTF binary.
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/WLError.h"
#include "orbitals/cElectron.h"
#include "render/Phase.h"
#include "render/SurfaceMesh.h"

namespace wl {

namespace {

// Little-endian writers, whatever the processor's order.
void PutU16(std::string& s, std::uint16_t v) {
  s += char(v & 0xff);
  s += char(v >> 8);
}
void PutU32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char(v >> (8 * i) & 0xff);
}
void PutF32(std::string& s, float v) {
  PutU32(s, std::bit_cast<std::uint32_t>(v));
}

// The shortest text that reads back as the same float.
void PutNumber(std::string& s, float v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  s.append(buf, r.ptr);
}

PhaseRgb ColourOf(int phase) {
  return phase == 0 ? kUnsignedSurface : PhaseColour(OrangeBlue, phase > 0);
}

const char* GroupOf(int phase) {
  return phase > 0 ? "positive" : phase < 0 ? "negative" : "surface";
}

// The phases present, in file order: positive, negative, unsigned.
std::vector<int> PhasesOf(const SurfaceMesh& mesh) {
  bool has[3] = {};
  for (std::int8_t p : mesh.Phase) has[p > 0 ? 0 : p < 0 ? 1 : 2] = true;
  std::vector<int> phases;
  if (has[0]) phases.push_back(1);
  if (has[1]) phases.push_back(-1);
  if (has[2]) phases.push_back(0);
  return phases;
}

std::string Obj(const SurfaceMesh& mesh) {
  std::string s = "# Boundary surface from Wavelore: 1 unit = 1 Bohr radius, z up\n";
  s.reserve(mesh.Positions.size() * 20 + mesh.Triangles.size() * 12);
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    s += "v";
    for (int a = 0; a < 3; ++a) s += ' ', PutNumber(s, mesh.Positions[3 * v + a]);
    s += "\n";
  }
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    s += "vn";
    for (int a = 0; a < 3; ++a) s += ' ', PutNumber(s, mesh.Normals[3 * v + a]);
    s += "\n";
  }
  for (int phase : PhasesOf(mesh)) {
    s += "g ";
    s += GroupOf(phase);
    s += "\n";
    for (size_t f = 0; f < mesh.FaceCount(); ++f) {
      if (mesh.Phase[f] != phase) continue;
      s += "f";
      for (int k = 0; k < 3; ++k) {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, mesh.Triangles[3 * f + k] + 1);
        s += ' ';
        s.append(buf, r.ptr);
        s += "//";
        s.append(buf, r.ptr);
      }
      s += "\n";
    }
  }
  return s;
}

std::array<float, 3> FaceNormal(const SurfaceMesh& mesh, size_t f) {
  const float* p[3];
  for (int k = 0; k < 3; ++k) p[k] = &mesh.Positions[3 * mesh.Triangles[3 * f + k]];
  const double u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
  const double w[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
  const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                       u[0] * w[1] - u[1] * w[0]};
  const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (!(len > 0)) return {0, 0, 0};
  return {float(n[0] / len), float(n[1] / len), float(n[2] / len)};
}

std::string Stl(const SurfaceMesh& mesh) {
  std::string s = "Wavelore boundary surface, one merged solid, 1 unit = 1 Bohr radius, z up";
  s.resize(80, ' ');
  s.reserve(84 + 50 * mesh.FaceCount());
  PutU32(s, static_cast<std::uint32_t>(mesh.FaceCount()));
  for (size_t f = 0; f < mesh.FaceCount(); ++f) {
    for (float c : FaceNormal(mesh, f)) PutF32(s, c);
    for (int k = 0; k < 3; ++k) {
      for (int a = 0; a < 3; ++a) PutF32(s, mesh.Positions[3 * mesh.Triangles[3 * f + k] + a]);
    }
    PutU16(s, 0);
  }
  return s;
}

// The phase of each vertex: that of the faces around it.
std::vector<std::int8_t> VertexPhases(const SurfaceMesh& mesh) {
  std::vector<std::int8_t> phase(mesh.VertexCount(), 0);
  for (size_t i = 0; i < mesh.Triangles.size(); ++i) phase[mesh.Triangles[i]] = mesh.Phase[i / 3];
  return phase;
}

std::string Ply(const SurfaceMesh& mesh) {
  std::string s =
      "ply\n"
      "format binary_little_endian 1.0\n"
      "comment Wavelore boundary surface: 1 unit = 1 Bohr radius, z up\n"
      "element vertex " +
      std::to_string(mesh.VertexCount()) +
      "\n"
      "property float x\nproperty float y\nproperty float z\n"
      "property float nx\nproperty float ny\nproperty float nz\n"
      "property uchar red\nproperty uchar green\nproperty uchar blue\n"
      "element face " +
      std::to_string(mesh.FaceCount()) +
      "\n"
      "property list uchar uint vertex_indices\n"
      "end_header\n";
  s.reserve(s.size() + 27 * mesh.VertexCount() + 13 * mesh.FaceCount());
  const auto phase = VertexPhases(mesh);
  const PhaseWheel wheel(OrangeBlue);
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    for (int a = 0; a < 3; ++a) PutF32(s, mesh.Positions[3 * v + a]);
    for (int a = 0; a < 3; ++a) PutF32(s, mesh.Normals[3 * v + a]);
    const PhaseRgb c = mesh.PhaseAngle.empty() ? ColourOf(phase[v]) : wheel(mesh.PhaseAngle[v]);
    s += char(c.R), s += char(c.G), s += char(c.B);
  }
  for (size_t f = 0; f < mesh.FaceCount(); ++f) {
    s += char(3);
    for (int k = 0; k < 3; ++k) PutU32(s, mesh.Triangles[3 * f + k]);
  }
  return s;
}

// glTF's material and vertex colours are linear, ours are sRGB.
double Linear(std::uint8_t c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

std::string Num(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}
std::string Num(float v) {
  std::string s;
  PutNumber(s, v);
  return s;
}

// One primitive's own vertices (renumbered) and faces.
struct Part {
  int Phase;
  std::vector<float> Positions, Normals;
  std::vector<float> Colours;  // linear RGB per vertex, for meshes with phase angles
  std::vector<std::uint32_t> Indices;
};

std::vector<Part> SplitByPhase(const SurfaceMesh& mesh) {
  std::vector<Part> parts;
  std::vector<std::uint32_t> renumber(mesh.VertexCount());
  const PhaseWheel wheel(OrangeBlue);
  for (int phase : PhasesOf(mesh)) {
    Part part{phase, {}, {}, {}, {}};
    std::fill(renumber.begin(), renumber.end(), std::uint32_t(-1));
    for (size_t f = 0; f < mesh.FaceCount(); ++f) {
      if (mesh.Phase[f] != phase) continue;
      for (int k = 0; k < 3; ++k) {
        const std::uint32_t v = mesh.Triangles[3 * f + k];
        if (renumber[v] == std::uint32_t(-1)) {
          renumber[v] = static_cast<std::uint32_t>(part.Positions.size() / 3);
          part.Positions.insert(part.Positions.end(), &mesh.Positions[3 * v],
                                &mesh.Positions[3 * v] + 3);
          part.Normals.insert(part.Normals.end(), &mesh.Normals[3 * v], &mesh.Normals[3 * v] + 3);
          if (!mesh.PhaseAngle.empty()) {
            const PhaseRgb c = wheel(mesh.PhaseAngle[v]);
            for (std::uint8_t channel : {c.R, c.G, c.B})
              part.Colours.push_back(static_cast<float>(Linear(channel)));
          }
        }
        part.Indices.push_back(renumber[v]);
      }
    }
    parts.push_back(std::move(part));
  }
  return parts;
}

std::string Glb(const SurfaceMesh& mesh) {
  const std::vector<Part> parts = SplitByPhase(mesh);
  std::string bin, views, accessors, primitives, materials;
  // Each accessor has a buffer view of its own, little-endian as glTF wants.
  auto addView = [&](const std::string& bytes, int target) {
    if (!views.empty()) views += ",";
    views += "{\"buffer\":0,\"byteOffset\":" + std::to_string(bin.size()) +
             ",\"byteLength\":" + std::to_string(bytes.size()) +
             ",\"target\":" + std::to_string(target) + "}";
    bin += bytes;
  };
  int view = 0;
  auto addAccessor = [&](const std::string& body) {
    if (!accessors.empty()) accessors += ",";
    accessors += "{\"bufferView\":" + std::to_string(view++) + "," + body + "}";
  };
  auto vec3 = [&](const std::vector<float>& v) {
    std::array<float, 3> lo{v[0], v[1], v[2]}, hi = lo;
    std::string bytes;
    bytes.reserve(v.size() * 4);
    for (size_t i = 0; i < v.size(); ++i) {
      lo[i % 3] = std::min(lo[i % 3], v[i]);
      hi[i % 3] = std::max(hi[i % 3], v[i]);
      PutF32(bytes, v[i]);
    }
    addView(bytes, 34962);
    addAccessor("\"componentType\":5126,\"count\":" + std::to_string(v.size() / 3) +
                ",\"type\":\"VEC3\",\"min\":[" + Num(lo[0]) + "," + Num(lo[1]) + "," + Num(lo[2]) +
                "],\"max\":[" + Num(hi[0]) + "," + Num(hi[1]) + "," + Num(hi[2]) + "]");
  };
  for (size_t p = 0; p < parts.size(); ++p) {
    const Part& part = parts[p];
    const int first = view;
    vec3(part.Positions);
    vec3(part.Normals);
    const bool coloured = !part.Colours.empty();
    if (coloured) vec3(part.Colours);
    const int indexAccessor = view;
    std::string indices;
    indices.reserve(part.Indices.size() * 4);
    for (std::uint32_t i : part.Indices) PutU32(indices, i);
    addView(indices, 34963);
    addAccessor("\"componentType\":5125,\"count\":" + std::to_string(part.Indices.size()) +
                ",\"type\":\"SCALAR\"");
    if (p) primitives += ",", materials += ",";
    primitives += "{\"attributes\":{\"POSITION\":" + std::to_string(first) +
                  ",\"NORMAL\":" + std::to_string(first + 1) +
                  (coloured ? ",\"COLOR_0\":" + std::to_string(first + 2) : std::string()) +
                  "},\"indices\":" + std::to_string(indexAccessor) +
                  ",\"material\":" + std::to_string(p) + ",\"mode\":4}";
    // Vertex colours multiply the base colour, which is then white.
    const PhaseRgb c = coloured ? PhaseRgb{255, 255, 255} : ColourOf(part.Phase);
    materials += "{\"name\":\"" + std::string(GroupOf(part.Phase)) +
                 "\",\"pbrMetallicRoughness\":{\"baseColorFactor\":[" + Num(Linear(c.R)) + "," +
                 Num(Linear(c.G)) + "," + Num(Linear(c.B)) +
                 ",1],\"metallicFactor\":0,\"roughnessFactor\":0.5}}";
  }

  // z up in the mesh; glTF's up is y: the node turns the model by -90°
  // about x, taking (x, y, z) to (x, z, -y).
  std::string json =
      "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Wavelore\","
      "\"extras\":{\"units\":\"1 unit = 1 Bohr radius\"}},"
      "\"scene\":0,\"scenes\":[{\"nodes\":[0]}],";
  const std::string rotation = "\"rotation\":[-0.7071067811865476,0,0,0.7071067811865476]";
  if (parts.empty()) {
    json += "\"nodes\":[{\"name\":\"boundary surface\"," + rotation + "}]}";
  } else {
    json += "\"nodes\":[{\"name\":\"boundary surface\",\"mesh\":0," + rotation +
            "}],\"meshes\":[{\"name\":\"boundary surface\",\"primitives\":[" + primitives +
            "]}],\"materials\":[" + materials +
            "],\"buffers\":[{\"byteLength\":" + std::to_string(bin.size()) +
            "}],\"bufferViews\":[" + views + "],\"accessors\":[" + accessors + "]}";
  }
  json.resize((json.size() + 3) / 4 * 4, ' ');
  bin.resize((bin.size() + 3) / 4 * 4, '\0');

  std::string s;
  const size_t total = 12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size());
  s.reserve(total);
  s += "glTF";
  PutU32(s, 2);
  PutU32(s, static_cast<std::uint32_t>(total));
  PutU32(s, static_cast<std::uint32_t>(json.size()));
  s += "JSON";
  s += json;
  if (!bin.empty()) {
    PutU32(s, static_cast<std::uint32_t>(bin.size()));
    s += std::string("BIN\0", 4);
    s += bin;
  }
  return s;
}

}  // namespace

void AddPhaseAngles(SurfaceMesh& mesh, const cElectron& electron) {
  if (!electron.IsComplex()) return;
  mesh.PhaseAngle.resize(mesh.VertexCount());
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    const float* p = &mesh.Positions[3 * v];
    mesh.PhaseAngle[v] = static_cast<float>(std::arg(electron.GetPsiComplex({p[0], p[1], p[2]})));
  }
}

std::string MeshFile(const SurfaceMesh& mesh, MeshFormat format) {
  if (mesh.Positions.size() != mesh.Normals.size() || mesh.Positions.size() % 3 ||
      mesh.Triangles.size() != 3 * mesh.Phase.size() ||
      (!mesh.PhaseAngle.empty() && mesh.PhaseAngle.size() != mesh.VertexCount())) {
    RaiseError(5);
  }
  switch (format) {
    case MeshFormat::Obj:
      return Obj(mesh);
    case MeshFormat::Stl:
      return Stl(mesh);
    case MeshFormat::Ply:
      return Ply(mesh);
    case MeshFormat::Glb:
      return Glb(mesh);
  }
  RaiseError(5);
}

}  // namespace wl
