// The boundary surface as a closed triangle mesh: extraction from a sampled
// field and the file formats it is saved in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/ScalarField.h"
#include "wlengine_export.h"

namespace wl {

struct SurfaceMesh {
  std::vector<float> Positions;       // x, y, z per vertex, Bohr radii, z up
  std::vector<float> Normals;         // unit outward normal per vertex
  std::vector<std::uint32_t> Triangles;  // three vertex indices per face, counter-clockwise seen from outside
  std::vector<std::int8_t> Phase;     // per face: +1 or -1 (the sign of ψ), 0 for subshell averages
};

// The surface ψ² = density of the field: closed, consistently oriented
// outwards, without holes. Raises invalid procedure call (5) for density <= 0.
WLENGINE_EXPORT SurfaceMesh ExtractSurface(const ScalarField& field, double density);

enum class MeshFormat { Obj, Stl, Ply, Glb };

// The mesh in a file format, as bytes. OBJ groups the faces by phase
// ("g positive", "g negative"; "g surface" for averages); STL is one merged
// binary solid; PLY carries the phase colours per vertex; GLB is glTF 2.0 binary.
WLENGINE_EXPORT std::string MeshFile(const SurfaceMesh& mesh, MeshFormat format);

}  // namespace wl
