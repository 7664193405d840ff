// 'mesh': the boundary surface of an orbital as a closed triangle mesh in a
// 3D model file (OBJ, STL, PLY or glTF binary).
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>

#include "Calculation.h"
#include "Cli.h"
#include "Commands.h"
#include "core/modOrbitals.h"
#include "render/SurfaceMesh.h"

namespace wlrender {

namespace {

const char* kMeshHelp =
    R"(usage: wavelore-render mesh --orbital O [--average] [--view pdf|drpdf]
                           --enclose P [--format obj|stl|ply|glb] -o FILE

Writes the orbital's boundary surface, the surface of constant probability
density that encloses the share P of the probability, as a closed triangle
mesh. Coordinates are in Bohr radii (1 unit = 1 Bohr radius), z up. The
surface is always one of the probability density, also with --view drpdf.

  --enclose P   the enclosed share, 0.05 to 0.999 (0.9 for the 90% surface)
  --format F    obj:  Wavefront OBJ with normals; the faces of each sign of the
                      wave function follow a line 'g positive' or 'g negative'
                      ('g surface' for a subshell average, which has no sign)
                stl:  binary STL for 3D printing: one merged solid of all lobes
                ply:  binary PLY with normals and the lobes' colours per vertex
                glb:  glTF 2.0 binary, one primitive with its own colour per
                      sign; turned so that z points up in glTF's y-up world
                A complex orbital (--complex) has one surface; PLY and glTF
                colour its vertices by the phase arg psi, as the views do.
                (default: from the extension of FILE)
  -o FILE       the output file (required)
)";

std::vector<std::string> MeshValued() {
  std::vector<std::string> v = OrbitalValued();
  v.insert(v.end(), {"--view", "--enclose", "--format", "-o"});
  return v;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

wl::MeshFormat ReadFormat(const Args& args, const std::string& file) {
  std::string name;
  if (const auto f = args.Get("--format")) {
    name = *f;
  } else {
    const auto dot = file.rfind('.');
    name = dot == std::string::npos ? "" : Lower(file.substr(dot + 1));
    if (name != "obj" && name != "stl" && name != "ply" && name != "glb") {
      throw UsageError("--format obj|stl|ply|glb is required when FILE ends in none of them");
    }
  }
  if (name == "obj") return wl::MeshFormat::Obj;
  if (name == "stl") return wl::MeshFormat::Stl;
  if (name == "ply") return wl::MeshFormat::Ply;
  if (name == "glb") return wl::MeshFormat::Glb;
  throw UsageError("--format must be obj|stl|ply|glb, not '" + name + "'");
}

}  // namespace

int CmdMesh(const ArgList& argv) {
  for (const std::string& a : argv) {
    if (a == "--help" || a == "-h") {
      std::cout << kMeshHelp;
      return 0;
    }
  }
  Args args(argv, {MeshValued(), OrbitalFlags()}, "mesh");

  // Everything is checked before the calculation starts.
  const auto file = args.Get("-o");
  if (!file || file->empty()) throw UsageError("-o FILE is required (.obj, .stl, .ply or .glb)");
  const wl::MeshFormat format = ReadFormat(args, *file);
  if (!args.Has("--enclose")) throw UsageError("--enclose P is required (0.05 to 0.999)");
  const double share = args.Real("--enclose", 0.9);
  if (!(share >= 0.05 && share <= 0.999)) {
    throw UsageError("--enclose must be a share from 0.05 to 0.999, not '" +
                     *args.Get("--enclose") + "'");
  }

  auto calc = Calculate(args);
  // The surface the viewer draws: the orbital's own field and level, in a
  // box enlarged beyond the atom radius where the surface needs it.
  const std::string bytes =
      wl::MeshFile(calc->engine.Orbitals().SurfaceMeshFor(calc->index, share), format);

  std::ofstream out(*file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "wavelore-render: cannot write '" << *file << "'\n";
    return 1;
  }
  return 0;
}

}  // namespace wlrender
