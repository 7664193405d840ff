// The boundary surface on a calculated 3Dz² orbital (PDF, default radius):
// the final image and the preview in both views, with and without nested
// shells, a drag step (the main view's preview at a new angle), and the
// volume mode's preview and final image on the same orbital for comparison;
// then the field's sampling and the enclosed share on it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchOrbitals.h"
#include "analysis/EnclosedShare.h"
#include "analysis/SurfaceLevel.h"
#include "core/Platform.h"
#include "core/modOrbitals.h"

namespace {

using wlbench::k3Dz2;

// The shared 3Dz², its 90% surface's field sampled before the first case.
wl::cOrbitalCol& Orbitals() {
  static wl::cOrbitalCol& col = [&]() -> wl::cOrbitalCol& {
    wl::cOrbitalCol& c = wlbench::Calculated3Dz2();
    c.SurfaceFor(0, 0.9);
    return c;
  }();
  return col;
}

wl::RenderRequest Base(wl::RenderMode mode, wl::RenderSize size, bool final) {
  wl::RenderRequest r;
  r.Mode = mode;
  r.Size = size;
  r.VolQuality = mode == wl::Volumetric && final ? 10 : 5;
  r.VolFinal = wl::ToBoolean(final);
  r.Theta = 0.4;
  r.Phi = 0.6;
  return r;
}

// Arguments: mode, size, final (0 or 1), nested (0 or 1).
void BM_SurfaceAndVolume(benchmark::State& state) {
  const auto mode = static_cast<wl::RenderMode>(state.range(0));
  const auto size = static_cast<wl::RenderSize>(state.range(1));
  wl::RenderRequest r = Base(mode, size, state.range(2) != 0);
  r.SurfaceNested = wl::ToBoolean(state.range(3) != 0);
  wl::cOrbitalCol& col = Orbitals();
  for (auto _ : state) {
    r.Theta += 0.01;  // a new angle every frame: nothing is served from the kept image
    r.Phi += 0.013;
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  state.SetLabel(std::string(mode == wl::Volumetric ? "volume" : "surface") +
                 (r.VolFinal ? " final" : " preview") + (size == wl::Main ? " main" : " nano") +
                 (r.SurfaceNested ? " nested" : ""));
}
BENCHMARK(BM_SurfaceAndVolume)
    ->ArgsProduct({{wl::BoundarySurface}, {wl::Main, wl::Nano}, {0, 1}, {0, 1}})
    ->ArgsProduct({{wl::Volumetric}, {wl::Main, wl::Nano}, {0, 1}, {0}})
    ->Unit(benchmark::kMillisecond);

// One step of a drag: the main view's preview at the next angle, as the
// viewer renders it for each mouse move.
void BM_SurfaceDragStep(benchmark::State& state) {
  wl::RenderRequest r = Base(wl::BoundarySurface, wl::Main, false);
  wl::cOrbitalCol& col = Orbitals();
  for (auto _ : state) {
    r.Theta += 0.02;
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
}
BENCHMARK(BM_SurfaceDragStep)->Unit(benchmark::kMillisecond);

void BM_SampleField(benchmark::State& state) {
  auto e = wl::modOrbitals::CreateElectron(k3Dz2);
  for (auto _ : state) benchmark::DoNotOptimize(wl::SampleField(*e, 35.0, wl::kSurfaceNodes));
}
BENCHMARK(BM_SampleField)->Unit(benchmark::kMillisecond);

void BM_DensityForShare(benchmark::State& state) {
  const wl::SurfaceLevel level = Orbitals().SurfaceFor(0, 0.9);
  for (auto _ : state) benchmark::DoNotOptimize(wl::DensityForShare(*level.Field, 0.9));
}
BENCHMARK(BM_DensityForShare)->Unit(benchmark::kMillisecond);

}  // namespace
