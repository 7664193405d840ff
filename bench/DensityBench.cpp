// Density evaluation through the wave-function interface, in ns per call.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/Utf8.h"
#include "core/modOrbitals.h"

namespace {

// Points spread over the first octant of a cube of the given radius.
std::vector<wl::COORDdoubleParams> Points(double radius) {
  std::vector<wl::COORDdoubleParams> pts;
  for (int i = 0; i < 1024; ++i) {
    const double x = radius * ((i * 37) % 101) / 100.0;
    const double y = radius * ((i * 53) % 103) / 102.0;
    const double z = radius * ((i * 71) % 107) / 106.0;
    pts.push_back({x * x, y * y, z * z});
  }
  return pts;
}

void BM_Density(benchmark::State& state) {
  const auto index = static_cast<wl::Integer>(state.range(0));
  const bool drpdf = state.range(1) != 0;
  auto e = wl::modOrbitals::CreateElectron(index);
  const auto info = e->GetInfo();
  const auto pts = Points(drpdf ? info.DefaultDRPDFAtomRadius : info.DefaultPDFAtomRadius);
  size_t i = 0;
  for (auto _ : state) {
    const auto& p = pts[i++ & 1023];
    benchmark::DoNotOptimize(drpdf ? e->GetNonScaledDRPDF(p) : e->GetNonScaledPDF(p));
  }
  state.SetLabel(wl::ToUtf8(info.Name) + (drpdf ? " DRPDF" : " PDF"));
}
// 1S, 3Px, 3Dz², 4Fxyz, 4F average; PDF and DRPDF.
BENCHMARK(BM_Density)->ArgsProduct({{0, 6, 9, 27, 39}, {0, 1}});

}  // namespace
