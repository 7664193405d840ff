// The boundary-surface mesh of 3Dz² enclosing 90% of the probability, cut
// from a field of 129³ nodes (128³ cells) over 1.5 times the orbital's
// default atom radius: the extraction, and the mesh written as glTF binary
// and OBJ. The label gives the mesh's size.
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/EnclosedShare.h"
#include "core/modOrbitals.h"
#include "render/SurfaceMesh.h"

namespace {

constexpr wl::Integer k3Dz2 = 9;

struct Surface {
  wl::ScalarField Field;
  double Density = 0;
};

const Surface& Dz2() {
  static const Surface s = [] {
    const auto e = wl::modOrbitals::CreateElectron(k3Dz2);
    Surface r;
    r.Field = wl::SampleField(*e, 1.5 * e->GetInfo().DefaultPDFAtomRadius, 129);
    r.Density = wl::DensityForShare(r.Field, 0.9).Density;
    return r;
  }();
  return s;
}

std::string SizeLabel(const wl::SurfaceMesh& m) {
  return std::to_string(m.VertexCount()) + " vertices, " + std::to_string(m.FaceCount()) + " faces";
}

void BM_ExtractSurface(benchmark::State& state) {
  const Surface& s = Dz2();
  wl::SurfaceMesh m;
  for (auto _ : state) {
    m = wl::ExtractSurface(s.Field, s.Density);
    benchmark::DoNotOptimize(m.Triangles.data());
  }
  state.SetLabel("3Dz2 90%, 128^3 cells: " + SizeLabel(m));
}
BENCHMARK(BM_ExtractSurface)->Unit(benchmark::kMillisecond);

void BM_MeshFile(benchmark::State& state) {
  const Surface& s = Dz2();
  const wl::SurfaceMesh m = wl::ExtractSurface(s.Field, s.Density);
  const auto format = static_cast<wl::MeshFormat>(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string file = wl::MeshFile(m, format);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  static const char* names[] = {"obj", "stl", "ply", "glb"};
  state.SetLabel(std::string(names[state.range(0)]) + ", " + std::to_string(bytes >> 10) + " KiB");
}
BENCHMARK(BM_MeshFile)
    ->Arg(int(wl::MeshFormat::Obj))
    ->Arg(int(wl::MeshFormat::Glb))
    ->Unit(benchmark::kMillisecond);

}  // namespace
