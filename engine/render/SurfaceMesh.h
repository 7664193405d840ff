// The boundary surface as a closed triangle mesh: extraction from a sampled
// field and the file formats it is saved in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/ScalarField.h"
#include "wlengine_export.h"

namespace wl {

class cElectron;

struct SurfaceMesh {
  std::vector<float> Positions;  // x, y, z per vertex, Bohr radii, z up
  std::vector<float> Normals;    // unit outward normal per vertex
  std::vector<std::uint32_t>
      Triangles;  // three vertex indices per face, counter-clockwise seen from outside
  std::vector<std::int8_t> Phase;  // per face: +1 or -1 (the sign of ψ), 0 for subshell averages
  // Per vertex for complex wave functions: arg ψ in radians, which colours
  // the vertices by the phase wheel; empty otherwise.
  std::vector<float> PhaseAngle;

  size_t VertexCount() const { return Positions.size() / 3; }
  size_t FaceCount() const { return Triangles.size() / 3; }
};

// The surface ψ² = density of the field: closed, consistently oriented
// outwards, without holes. Marching tetrahedra on six tetrahedra per lattice
// cube; nodes with ψ >= √density count as inside the positive lobes, those
// with ψ <= -√density inside the negative ones (√ρ >= √density for unsigned
// fields), each sign's surface closed on its own. The nodes beyond the cube
// count as outside (value 0), so a surface that reaches the cube's border is
// closed by a cap just beyond it. One vertex per crossed lattice edge and
// sign, placed by linear interpolation; normals from the field's gradient.
// Raises
// invalid procedure call (5) for density <= 0 or an empty field. Reads the
// field only; may run on two threads at once.
WLENGINE_EXPORT SurfaceMesh ExtractSurface(const ScalarField& field, double density);

enum class MeshFormat { Obj, Stl, Ply, Glb };

// arg ψ at every vertex of a mesh of a complex wave function (PhaseAngle);
// leaves the mesh of a real one as it is. Positions are the electron's
// coordinates. Thread-safe.
WLENGINE_EXPORT void AddPhaseAngles(SurfaceMesh& mesh, const cElectron& electron);

// The mesh in a file format, as bytes. Coordinates are Bohr radii (1 unit =
// 1 a₀). OBJ groups the faces by phase ("g positive", "g negative";
// "g surface" for averages), z up; STL is one merged binary solid, z up; PLY
// is binary little-endian with the phase colours of the orange/blue palette
// per vertex, z up; GLB is glTF 2.0 binary with one primitive per phase, each
// with a material of its colour, turned by its node so that z points up in
// glTF's y-up world. With phase angles, PLY's vertex colours and GLB's
// COLOR_0 attribute (under a white material) are the hues of the phase wheel
// of the orange/blue palette. Thread-safe.
WLENGINE_EXPORT std::string MeshFile(const SurfaceMesh& mesh, MeshFormat format);

}  // namespace wl
