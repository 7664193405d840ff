// The peak searches against a brute-force maximum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/modOrbitals.h"
#include "orbitals/OrbitalTable.h"
#include "render/cOrbital.h"

namespace wl {
namespace {

struct Max {
  double value = -1;
  double x = 0, y = 0, z = 0;
};

// The largest density over a box grid of n + 1 points per axis from lo to hi.
template <class F>
Max GridMax(F&& density, const double lo[3], const double hi[3], int n) {
  Max m;
  for (int k = 0; k <= n; ++k) {
    const double z = lo[2] + (hi[2] - lo[2]) * k / n;
    for (int j = 0; j <= n; ++j) {
      const double y = lo[1] + (hi[1] - lo[1]) * j / n;
      for (int i = 0; i <= n; ++i) {
        const double x = lo[0] + (hi[0] - lo[0]) * i / n;
        const double v = density(COORDdoubleParams{x * x, y * y, z * z});
        if (v > m.value) m = {v, x, y, z};
      }
    }
  }
  return m;
}

// For every orbital at its default radius, PDF and DRPDF: the peak found lies
// within 1e-3 of the maximum of a brute-force search (the sampling grid, then
// a fine grid around its best point), and no grid sample exceeds it by so
// much that its level would round above 255.
TEST(PeakSearch, MatchesBruteForceForAllOrbitals) {
  for (int index = 0; index < 40; ++index) {
    for (ViewMode view : {PDF, DRPDF}) {
      const OrbitalRow& row = kOrbitalTable[index];
      const double R = view == PDF ? row.PDFRadius : row.DRPDFRadius;
      auto e = modOrbitals::CreateElectron(static_cast<Integer>(index));
      auto density = [&](const COORDdoubleParams& c) {
        return view == PDF ? e->GetNonScaledPDF(c) : e->GetNonScaledDRPDF(c);
      };
      const double lo[3] = {0, 0, 0}, hi[3] = {R, R, R};
      const Max coarse = GridMax(density, lo, hi, 127);
      const double h = R / 127;
      const double flo[3] = {std::max(0.0, coarse.x - h), std::max(0.0, coarse.y - h),
                             std::max(0.0, coarse.z - h)};
      const double fhi[3] = {std::min(R, coarse.x + h), std::min(R, coarse.y + h),
                             std::min(R, coarse.z + h)};
      const Max fine = GridMax(density, flo, fhi, 40);

      std::unique_ptr<cOrbitalObject> o;
      if (view == PDF)
        o = std::make_unique<cOrbitalPDF>();
      else
        o = std::make_unique<cOrbitalDRPDF>();
      OrbitalSetup s;
      s.OrbitalIndex = static_cast<Integer>(index);
      s.OrbitalViewMode = view;
      s.AtomRadius = static_cast<Integer>(R);
      s.DotTarget = 0;
      o->Setup(s);

      const std::string what =
          "orbital " + std::to_string(index) + (view == PDF ? " PDF" : " DRPDF");
      EXPECT_NEAR(o->Peak() / fine.value, 1.0, 1e-3) << what;
      EXPECT_LT(coarse.value * 255 / o->Peak(), 255.5) << what;
    }
  }
}

}  // namespace
}  // namespace wl
