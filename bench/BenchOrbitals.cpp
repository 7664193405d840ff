#include "BenchOrbitals.h"

#include <memory>

#include "core/Platform.h"
#include "core/modOrbitals.h"

namespace wlbench {

wl::OrbitalSetup DefaultSetup(wl::Integer index, bool drpdf) {
  const auto info = wl::modOrbitals::CreateElectron(index)->GetInfo();
  wl::OrbitalSetup s;
  s.OrbitalIndex = index;
  s.OrbitalViewMode = drpdf ? wl::DRPDF : wl::PDF;
  s.AtomRadius = drpdf ? info.DefaultDRPDFAtomRadius : info.DefaultPDFAtomRadius;
  s.DotThreshold =
      static_cast<wl::Byte>(drpdf ? info.DefaultDRPDFDotThreshold : info.DefaultPDFDotThreshold);
  s.DotTarget = 16000;
  return s;
}

wl::cOrbitalCol& Calculated3Dz2() {
  static std::unique_ptr<wl::cOrbitalCol> col = [] {
    auto c = std::make_unique<wl::cOrbitalCol>();
    wl::SetSeedHook(1);
    c->Add(DefaultSetup(k3Dz2, false));
    wl::SetSeedHook(std::nullopt);
    return c;
  }();
  return *col;
}

}  // namespace wlbench
