#include "orbitals/WaveFunctions.h"

#include <algorithm>
#include <limits>

#include "core/modOrbitals.h"
#include "orbitals/Hybrids.h"
#include "orbitals/Hydrogenic.h"

namespace wl {

cElectron::~cElectron() = default;

double cElectron::GetPsi(const COORDdouble&) const {
  return std::numeric_limits<double>::quiet_NaN();
}

int cElectron::GetPsiSign(const COORDdouble&) const {
  return 0;
}

void cElectron::GetLevelsAt(ViewMode Mode, const double* X, const double* Y, const double* Z, int n,
                            Byte* Out) const {
  constexpr int kChunk = 128;
  double xs[kChunk], ys[kChunk], zs[kChunk];
  for (int start = 0; start < n; start += kChunk) {
    const int m = std::min(kChunk, n - start);
    for (int i = 0; i < m; ++i) {
      xs[i] = X[start + i] * X[start + i];
      ys[i] = Y[start + i] * Y[start + i];
      zs[i] = Z[start + i] * Z[start + i];
    }
    GetLevels(Mode, xs, ys, zs, m, Out + start);
  }
}

double cElectron::GetNonScaledAt(ViewMode Mode, const COORDdouble& p) {
  const COORDdoubleParams c{p.X * p.X, p.Y * p.Y, p.Z * p.Z};
  return Mode == DRPDF ? GetNonScaledDRPDF(c) : GetNonScaledPDF(c);
}

double cElectron::GetRealAt(ViewMode Mode, const COORDdouble& p) {
  const COORDdoubleParams c{p.X * p.X, p.Y * p.Y, p.Z * p.Z};
  return Mode == DRPDF ? GetRealDRPDF(c) : GetRealPDF(c);
}

namespace modOrbitals {

std::unique_ptr<cElectron> CreateElectron(Integer Index) {
  switch (Index) {
#define WL_CREATE_CASE(Class) \
  case Class::kIndex:         \
    return std::make_unique<Class>();
    WL_FOR_EACH_WAVE_FUNCTION(WL_CREATE_CASE)
#undef WL_CREATE_CASE
    default:
      break;
  }
  if (Index < 0 || Index >= kOrbitalCount) return nullptr;
  OrbitalSetup setup;
  setup.OrbitalIndex = Index;
  return CreateHydrogenic(setup);
}

std::unique_ptr<cElectron> CreateElectron(const OrbitalSetup& setup) {
  if (!CheckSetup(setup).empty()) return nullptr;
  if (setup.Hybrid != NoHybrid) return CreateCombination(setup);
  if (setup.Charge == 1 && !setup.Complex && setup.OrbitalIndex < kSeedOrbitalCount)
    return CreateElectron(setup.OrbitalIndex);
  return CreateHydrogenic(setup);
}

}  // namespace modOrbitals
}  // namespace wl
