// Animations of the calculated 3Dz² orbital (PDF defaults): a 120-frame turn
// of the 375-pixel dot picture written as a GIF and as an MP4, frames rendered
// and encoded; and the encoders alone on 120 prerendered frames.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "BenchOrbitals.h"
#include "animation/AnimationPlan.h"
#include "animation/AnimationWriter.h"
#include "core/cOrbitalCol.h"
#include "render/Surfaces.h"

namespace {

using namespace wl::anim;

constexpr int kFrames = 120;

wl::RenderRequest Base(wl::RenderMode mode) {
  wl::RenderRequest r;
  r.Mode = mode;
  r.Size = wl::Main;
  r.Theta = 0.5;
  return r;
}

// The picture of frame i, copied out of the engine's surface.
std::vector<std::uint8_t> Render(const wl::RenderRequest& base, int i, int& width, int& height) {
  const wl::RenderDCinfo dcs = wlbench::Calculated3Dz2().GetRender(
      0, FrameRequest(base, AnimationKind::Turn, i, kFrames));
  const wl::Surface* s = wl::LookupSurface(dcs.MainHDC);
  width = s->Width;
  height = s->Rows - 1;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(s->Pixels.data());
  return {bytes, bytes + static_cast<size_t>(width) * height * 4};
}

std::string OutPath(AnimationFormat format) {
  return (std::filesystem::temp_directory_path() /
          (format == AnimationFormat::Gif ? "wl-bench-turn.gif" : "wl-bench-turn.mp4"))
      .string();
}

void BM_TurnRenderedAndWritten(benchmark::State& state, AnimationFormat format) {
  const wl::RenderRequest base = Base(wl::Orthographic);
  const std::string path = OutPath(format);
  for (auto _ : state) {
    auto writer = AnimationWriter::Open(format, path, FrameDelay(kFrames));
    for (int i = 0; i < kFrames; ++i) {
      int w = 0, h = 0;
      const std::vector<std::uint8_t> frame = Render(base, i, w, h);
      writer->Add({frame.data(), w, h, w * 4});
    }
    writer->Finish();
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

void BM_EncodeOnly(benchmark::State& state, AnimationFormat format, wl::RenderMode mode) {
  const wl::RenderRequest base = Base(mode);
  std::vector<std::vector<std::uint8_t>> frames;
  int w = 0, h = 0;
  for (int i = 0; i < kFrames; ++i) frames.push_back(Render(base, i, w, h));
  const std::string path = OutPath(format);
  for (auto _ : state) {
    auto writer = AnimationWriter::Open(format, path, FrameDelay(kFrames));
    for (const auto& frame : frames) writer->Add({frame.data(), w, h, w * 4});
    writer->Finish();
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

BENCHMARK_CAPTURE(BM_TurnRenderedAndWritten, gif_dots_375, AnimationFormat::Gif)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TurnRenderedAndWritten, mp4_dots_375, AnimationFormat::Mp4)
    ->Unit(benchmark::kMillisecond);
// The volume's smooth shading has more than 256 colours: the GIF palette is
// cut from them frame by frame.
BENCHMARK_CAPTURE(BM_EncodeOnly, gif_volume_375, AnimationFormat::Gif, wl::Volumetric)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodeOnly, mp4_volume_375, AnimationFormat::Mp4, wl::Volumetric)
    ->Unit(benchmark::kMillisecond);

}  // namespace
