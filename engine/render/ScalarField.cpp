#include "render/ScalarField.h"

#include <algorithm>
#include <cmath>

#include "core/WLError.h"

namespace wl {

float ScalarField::Sample(double x, double y, double z) const {
  const double h = Step();
  const double fx = (x + Half) / h, fy = (y + Half) / h, fz = (z + Half) / h;
  if (!(fx >= 0 && fy >= 0 && fz >= 0 && fx <= N - 1 && fy <= N - 1 && fz <= N - 1)) return 0;
  const int i = std::min(static_cast<int>(fx), N - 2);
  const int j = std::min(static_cast<int>(fy), N - 2);
  const int k = std::min(static_cast<int>(fz), N - 2);
  const double tx = fx - i, ty = fy - j, tz = fz - k;
  auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
  const double c00 = lerp(At(i, j, k), At(i + 1, j, k), tx);
  const double c10 = lerp(At(i, j + 1, k), At(i + 1, j + 1, k), tx);
  const double c01 = lerp(At(i, j, k + 1), At(i + 1, j, k + 1), tx);
  const double c11 = lerp(At(i, j + 1, k + 1), At(i + 1, j + 1, k + 1), tx);
  return static_cast<float>(lerp(lerp(c00, c10, ty), lerp(c01, c11, ty), tz));
}

ScalarField SampleField(const cElectron& electron, double half, int n) {
  if (n < 3 || n % 2 == 0 || !(half > 0)) RaiseError(5);
  ScalarField f;
  f.N = n;
  f.Half = half;
  f.Value.resize(static_cast<size_t>(n) * n * n);
  const double h = f.Step();
  f.Signed = !std::isnan(electron.GetPsi({0.5, 0.25, 0.125}));
  auto& e = const_cast<cElectron&>(electron);  // the density calls are not const
  for (int k = 0; k < n; ++k) {
    const double z = -half + k * h;
    for (int j = 0; j < n; ++j) {
      const double y = -half + j * h;
      for (int i = 0; i < n; ++i) {
        const double x = -half + i * h;
        double v;
        if (f.Signed) {
          v = electron.GetPsi({x, y, z});
        } else {
          v = std::sqrt(e.GetRealPDF({x * x, y * y, z * z}));
        }
        f.Value[f.Index(i, j, k)] = static_cast<float>(v);
      }
    }
  }
  return f;
}

}  // namespace wl
