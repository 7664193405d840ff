// The calculation of an orbital: a whole Add (peak search, sampling, dot
// fill), the dot fill alone, the sampler alone, and the machine's limit for the exponential.
#include <benchmark/benchmark.h>

#include <cmath>
#include <thread>
#include <vector>

#include "BenchOrbitals.h"
#include "core/Platform.h"
#include "core/Utf8.h"
#include "core/cOrbitalCol.h"
#include "core/modOrbitals.h"
#include "orbitals/OrbitalCatalog.h"
#include "render/ProbabilitySampler.h"

namespace {

void BM_Add(benchmark::State& state) {
  const auto index = static_cast<wl::Integer>(state.range(0));
  const bool drpdf = state.range(1) != 0;
  const wl::OrbitalSetup s = wlbench::DefaultSetup(index, drpdf);
  wl::SetSeedHook(1);
  wl::cOrbitalCol col;
  for (auto _ : state) {
    const wl::Integer i = col.Add(s);
    benchmark::DoNotOptimize(i);
    col.Delete(i);
  }
  wl::SetSeedHook(std::nullopt);
  const auto info = wl::modOrbitals::CreateElectron(index)->GetInfo();
  state.SetLabel(wl::ToUtf8(info.Name) + (drpdf ? " DRPDF" : " PDF"));
}
// Every orbital of the table at its default radius, PDF and DRPDF.
BENCHMARK(BM_Add)->ArgsProduct({benchmark::CreateDenseRange(0, 39, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);
// Rows of the higher shells (ordered by n, l, m): 5G (m = 0), 6H (m = 0), 7S, 7I (m = 0).
constexpr wl::Integer k5g = 60, k6h = 95, k7s = 101, k7i = 143;
BENCHMARK(BM_Add)->ArgsProduct({{k5g, k6h, k7s, k7i}, {0, 1}})->Unit(benchmark::kMillisecond);

// The dot fill alone: a new cloud of 16000 dots drawn from the orbital's grid
// at its default threshold (1S, 3Dz², 4F average, PDF and DRPDF).
void BM_DotFill(benchmark::State& state) {
  const auto index = static_cast<wl::Integer>(state.range(0));
  const bool drpdf = state.range(1) != 0;
  const wl::OrbitalSetup s = wlbench::DefaultSetup(index, drpdf);
  wl::SetSeedHook(1);
  wl::cOrbitalCol col;
  const wl::Integer i = col.Add(s);
  wl::SetSeedHook(std::nullopt);
  for (auto _ : state) {
    benchmark::DoNotOptimize(col.ReFillDotMatrix(i, s.DotThreshold, s.DotTarget));
  }
  state.counters["dots"] = static_cast<double>(col.GetStats(i).DotTotal);
  const auto info = wl::modOrbitals::CreateElectron(index)->GetInfo();
  state.SetLabel(wl::ToUtf8(info.Name) + (drpdf ? " DRPDF" : " PDF"));
}
BENCHMARK(BM_DotFill)->ArgsProduct({{0, 9, 39}, {0, 1}})->Unit(benchmark::kMillisecond);

// The sampler alone: 3Px PDF at radius 18 on 1 and 2 threads.
void BM_Sampler3Px(benchmark::State& state) {
  auto e = wl::modOrbitals::CreateElectron(6);
  e->SetPDFScaleFactor(255.0 / 17.226061947089004);
  std::vector<wl::Byte> grid(wl::kGridCells);
  wl::SamplerInput in{e.get(), wl::PDF, 18, wl::F16yz};
  for (auto _ : state) {
    wl::Histogram freqs{};
    wl::ProbabilitySampler sampler(in, grid);
    sampler.SampleAll(freqs, static_cast<unsigned>(state.range(0)));
    benchmark::DoNotOptimize(freqs);
  }
}
BENCHMARK(BM_Sampler3Px)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The sampler alone for the shells n >= 6 on the grid they are sampled on
// (kGridSize a side): 6H and 7I (m = 0) PDF at their default radius, scaled by
// their own peak, on 2 threads.
void BM_SamplerHighN(benchmark::State& state) {
  const auto index = static_cast<wl::Integer>(state.range(0));
  const wl::OrbitalSetup s = wlbench::DefaultSetup(index, false);
  wl::SetSeedHook(1);
  wl::cOrbitalCol col;
  const wl::Integer i = col.Add(s);
  wl::SetSeedHook(std::nullopt);
  const double peak = dynamic_cast<const wl::cOrbitalObject&>(col.At(i)).Peak();
  auto e = wl::modOrbitals::CreateElectron(index);
  e->SetPDFScaleFactor(255.0 / peak);
  const wl::OrbitalRow& row = wl::OrbitalRowAt(index);
  std::vector<wl::Byte> grid(wl::kGridCells);
  wl::SamplerInput in{e.get(), wl::PDF, s.AtomRadius, row.PDFOpt};
  for (auto _ : state) {
    wl::Histogram freqs{};
    wl::ProbabilitySampler sampler(in, grid);
    sampler.SampleAll(freqs, 2);
    benchmark::DoNotOptimize(freqs);
  }
  state.counters["grid"] = wl::kGridSize;
  state.SetLabel(wl::ToUtf8(row.Name) + " PDF");
}
BENCHMARK(BM_SamplerHighN)->Arg(k6h)->Arg(k7i)->Unit(benchmark::kMillisecond)->UseRealTime();

// The machine's limit: std::exp over an array of the sampler's size for 3Px
// (about 1.08 million evaluations), on one thread.
void BM_ExpLoop(benchmark::State& state) {
  std::vector<double> in(1081344), out(in.size());
  for (size_t i = 0; i < in.size(); ++i) in[i] = -0.6666666666666666 * (i % 5000) * 0.0061;
  for (auto _ : state) {
    for (size_t i = 0; i < in.size(); ++i) out[i] = std::exp(in[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ExpLoop)->Unit(benchmark::kMillisecond);

}  // namespace
