// The renderers on a calculated 3Dz² orbital (PDF, default radius and
// threshold, 16000 dots): each mode in the main and the nano view, the volume
// preview at quality 5 and the final image at quality 10, and one frame of the
// auto-rotation (a 3D main view and a nano transect). The angle changes every
// frame, as while the view turns, so no final image is served from the cache.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchOrbitals.h"
#include "core/Platform.h"
#include "core/cOrbitalCol.h"
#include "core/modOrbitals.h"

namespace {

using wlbench::k3Dz2;

wl::cOrbitalCol& Orbitals() {
  return wlbench::Calculated3Dz2();
}

wl::RenderRequest BaseRequest(wl::RenderMode mode, wl::RenderSize size) {
  wl::RenderRequest r;
  r.Mode = mode;
  r.Size = size;
  r.CameraPos = -300;
  r.ProjectionPlane = 15;
  r.StereoFactor = 30;
  r.TransectDir = wl::Alongy;
  r.VolQuality = 5;
  r.Theta = 0.4;
  r.Phi = 0.6;
  return r;
}

void Turn(wl::RenderRequest& r) {
  r.Theta += 0.01;
  r.Phi += 0.013;
}

void BM_Render(benchmark::State& state) {
  const auto mode = static_cast<wl::RenderMode>(state.range(0));
  const auto size = static_cast<wl::RenderSize>(state.range(1));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(mode, size);
  for (auto _ : state) {
    Turn(r);
    r.TransectNo = static_cast<wl::Integer>((r.TransectNo + 7) % 128);
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  static const char* names[] = {"orthographic", "perspective", "anaglyph", "volumetric",
                                "transect"};
  state.SetLabel(std::string(names[mode]) + (size == wl::Main ? " main" : " nano"));
}
BENCHMARK(BM_Render)
    ->ArgsProduct({{wl::Orthographic, wl::Perspective, wl::Anaglyph, wl::Transect},
                   {wl::Main, wl::Nano}})
    ->Unit(benchmark::kMicrosecond);

// The volume preview steers its resolution towards 50 ms a frame; the label
// gives the resolution it settled on.
void BM_VolumePreview(benchmark::State& state) {
  const auto size = static_cast<wl::RenderSize>(state.range(0));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(wl::Volumetric, size);
  r.VolQuality = 5;
  for (auto _ : state) {
    Turn(r);
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  state.SetLabel(std::string("q=5 preview ") + (size == wl::Main ? "main" : "nano"));
}
BENCHMARK(BM_VolumePreview)->Arg(wl::Main)->Arg(wl::Nano)->Unit(benchmark::kMillisecond);

void BM_VolumeFinal(benchmark::State& state) {
  const auto size = static_cast<wl::RenderSize>(state.range(0));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(wl::Volumetric, size);
  r.VolQuality = 10;
  r.VolFinal = wl::kTrue;
  for (auto _ : state) {
    Turn(r);
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  state.SetLabel(std::string("q=10 final ") + (size == wl::Main ? "main" : "nano"));
}
BENCHMARK(BM_VolumeFinal)->Arg(wl::Main)->Arg(wl::Nano)->Unit(benchmark::kMillisecond);

// Pictures of other sizes: the dots of a view twice its size (750), and as
// exported the dots at 2048 pixels a side, the final volume, the slice and
// the final surface at 1024.
void BM_BigPicture(benchmark::State& state) {
  const auto mode = static_cast<wl::RenderMode>(state.range(0));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(mode, wl::Main);
  r.Pixels = static_cast<wl::Integer>(state.range(1));
  r.VolQuality = 10;
  r.VolFinal = wl::kTrue;
  for (auto _ : state) {
    Turn(r);
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  static const char* names[] = {"orthographic",          "perspective", "anaglyph",
                                "volumetric q=10 final", "transect",    "surface final"};
  state.SetLabel(std::string(names[mode]) + " " + std::to_string(r.Pixels));
}
BENCHMARK(BM_BigPicture)
    ->Args({wl::Orthographic, 750})
    ->Args({wl::Orthographic, 2048})
    ->Args({wl::Anaglyph, 2048})
    ->Args({wl::Volumetric, 1024})
    ->Args({wl::Transect, 1024})
    ->Args({wl::BoundarySurface, 1024})
    ->Unit(benchmark::kMillisecond);

// A final image shown again unchanged, with the transector switched on and off.
void BM_VolumeFinalReuse(benchmark::State& state) {
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(wl::Volumetric, wl::Main);
  r.VolQuality = 10;
  r.VolFinal = wl::kTrue;
  r.Theta = 1.234;
  col.GetRender(0, r);
  for (auto _ : state) {
    r.Transector = r.Transector ? wl::kFalse : wl::kTrue;
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
}
BENCHMARK(BM_VolumeFinalReuse)->Unit(benchmark::kMicrosecond);

// Each mode in the main view with the phase colours of ψ: the dots' signs are
// taken once per cloud, the transect's per render, the volume's per sample.
void BM_PhaseRender(benchmark::State& state) {
  const auto mode = static_cast<wl::RenderMode>(state.range(0));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest r = BaseRequest(mode, wl::Main);
  r.ShowPhase = wl::kTrue;
  r.VolQuality = 10;
  r.VolFinal = wl::ToBoolean(state.range(1) != 0);
  for (auto _ : state) {
    Turn(r);
    r.TransectNo = static_cast<wl::Integer>((r.TransectNo + 7) % 128);
    benchmark::DoNotOptimize(col.GetRender(0, r));
  }
  static const char* names[] = {"orthographic", "perspective", "anaglyph", "volumetric",
                                "transect"};
  state.SetLabel(std::string(names[mode]) + " main phase" +
                 (mode == wl::Volumetric ? (r.VolFinal ? " q=10 final" : " q=10 preview") : ""));
}
BENCHMARK(BM_PhaseRender)
    ->Args({wl::Orthographic, 0})
    ->Args({wl::Perspective, 0})
    ->Args({wl::Transect, 0})
    ->Args({wl::Volumetric, 0})
    ->Args({wl::Volumetric, 1})
    ->Unit(benchmark::kMicrosecond);

// The caption's shares of the probability: above the dot threshold and in the box.
void BM_Shares(benchmark::State& state) {
  wl::cOrbitalCol& col = Orbitals();
  for (auto _ : state) benchmark::DoNotOptimize(col.GetShares(0));
}
BENCHMARK(BM_Shares)->Unit(benchmark::kMillisecond);

// One auto-rotation step: the main view's 3D frame (with the transector) and the nano transect.
void BM_AutoRotationFrame(benchmark::State& state) {
  const auto mode = static_cast<wl::RenderMode>(state.range(0));
  wl::cOrbitalCol& col = Orbitals();
  wl::RenderRequest main = BaseRequest(mode, wl::Main);
  main.Transector = wl::kTrue;
  main.TransectNo = 20;
  wl::RenderRequest nano = BaseRequest(wl::Transect, wl::Nano);
  nano.TransectNo = 20;
  for (auto _ : state) {
    Turn(main);
    benchmark::DoNotOptimize(col.GetRender(0, main));
    benchmark::DoNotOptimize(col.GetRender(0, nano));
  }
  static const char* names[] = {"orthographic", "perspective", "anaglyph"};
  state.SetLabel(std::string(names[mode]) + " main + transect nano");
}
BENCHMARK(BM_AutoRotationFrame)
    ->Arg(wl::Orthographic)
    ->Arg(wl::Perspective)
    ->Arg(wl::Anaglyph)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
