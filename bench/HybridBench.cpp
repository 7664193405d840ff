// The calculation of a hybrid member over the whole cube: a whole Add of sp³
// member 1 (n = 2) at the set's default radius and threshold, PDF and DRPDF.
#include <benchmark/benchmark.h>

#include "core/Platform.h"
#include "core/cOrbitalCol.h"
#include "orbitals/OrbitalCatalog.h"

namespace {

void BM_AddSp3(benchmark::State& state) {
  const bool drpdf = state.range(0) != 0;
  wl::OrbitalSetup s;
  s.Hybrid = wl::HybridSp3;
  s.HybridMember = 1;
  s.HybridShell = 2;
  s.OrbitalViewMode = drpdf ? wl::DRPDF : wl::PDF;
  const wl::OrbInfo info = wl::InfoOf(s);
  s.AtomRadius = drpdf ? info.DefaultDRPDFAtomRadius : info.DefaultPDFAtomRadius;
  s.DotThreshold =
      static_cast<wl::Byte>(drpdf ? info.DefaultDRPDFDotThreshold : info.DefaultPDFDotThreshold);
  s.DotTarget = 16000;
  wl::SetSeedHook(1);
  wl::cOrbitalCol col;
  for (auto _ : state) {
    const wl::Integer i = col.Add(s);
    benchmark::DoNotOptimize(i);
    col.Delete(i);
  }
  wl::SetSeedHook(std::nullopt);
  state.SetLabel(drpdf ? "sp3 member 1 DRPDF" : "sp3 member 1 PDF");
}
BENCHMARK(BM_AddSp3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
