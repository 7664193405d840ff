#include "analysis/Shares.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "analysis/Quadrature.h"
#include "core/WLError.h"
#include "core/modOrbitals.h"

namespace wl {

namespace {

// The orbital's wave function, fresh (the density calls keep intermediates).
std::unique_ptr<cElectron> ElectronOf(const cOrbitalObject& orbital) {
  if (orbital.GetSetup().AtomRadius <= 0 || !orbital.HasGrid()) {
    RaiseError(kObjectNotSet, "the orbital was never calculated");
  }
  auto e = modOrbitals::CreateElectron(orbital.GetSetup());
  if (!e) RaiseError(kObjectNotSet, "no wave function");
  return e;
}

using Rule = QuadratureRule;

// `panels` copies of a rule side by side on [0, 1].
Rule Composite(const Rule& g, int panels) {
  Rule r;
  for (int p = 0; p < panels; ++p) {
    for (size_t i = 0; i < g.x.size(); ++i) {
      r.x.push_back((p + g.x[i]) / panels);
      r.w.push_back(g.w[i] / panels);
    }
  }
  return r;
}

}  // namespace

double ShareAboveThreshold(const cOrbitalObject& orbital) {
  auto e = ElectronOf(orbital);
  const OrbitalSetup& s = orbital.GetSetup();
  const double h = static_cast<double>(s.AtomRadius) / 127;
  const Byte T = s.DotThreshold;
  if (orbital.WholeCube()) {
    // Every cell of the cube at its own point.
    double sum = 0;
    for (int k = -127; k <= 127; ++k) {
      for (int j = -127; j <= 127; ++j) {
        for (int i = -127; i <= 127; ++i) {
          if (orbital.CellAt(i, j, k) <= T) continue;
          sum += e->GetRealAt(PDF, {i * h, j * h, k * h});
        }
      }
    }
    return sum * h * h * h;
  }
  double sq[kGridSize];
  for (int i = 0; i < kGridSize; ++i) sq[i] = (i * h) * (i * h);
  double sum = 0;
  for (int k = 0; k < kGridSize; ++k) {
    for (int j = 0; j < kGridSize; ++j) {
      const double weight = (k > 0 ? 2 : 1) * (j > 0 ? 2 : 1);
      double row = 0;
      for (int i = 0; i < kGridSize; ++i) {
        if (orbital.GridAt(i, j, k) <= T) continue;
        row += (i > 0 ? 2 : 1) * e->GetRealPDF({sq[i], sq[j], sq[k]});
      }
      sum += weight * row;
    }
  }
  return sum * h * h * h;
}

double ShareInBox(const cOrbitalObject& orbital) {
  auto e = ElectronOf(orbital);
  const double R = orbital.GetSetup().AtomRadius;
  const double n = e->GetInfo().n;
  // Beyond 25 n Bohr radii less than 1e-12 of any orbital's probability lies.
  const double cut = 25 * n;
  const Rule across = GaussLegendre(16, 0, 1);
  const Rule along = GaussLegendre(24, 0, 1);
  std::vector<Rule> rays(4);  // composite rules by their number of panels (at most 3)
  for (int panels = 1; panels < 4; ++panels) rays[panels] = Composite(along, panels);
  // The pyramid over the face x = R of the octant cube [0, R]³ is the set of
  // points t·(R, u, v), t in [0, 1], u and v in [0, R]: volume element t² R du dv dt.
  // Without mirror symmetry the six pyramids over the faces of the whole cube
  // [-R, R]³ are integrated the same way (u and v in [-R, R]), with ψ².
  const bool whole = orbital.WholeCube();
  auto density = [&](double x, double y, double z) { return e->GetRealAt(PDF, {x, y, z}); };
  double sum = 0;
  for (int face = 0; face < (whole ? 6 : 3); ++face) {
    for (size_t a = 0; a < across.x.size(); ++a) {
      for (size_t b = 0; b < across.x.size(); ++b) {
        double p[3];
        const int axis = face % 3;
        p[axis] = face < 3 ? R : -R;
        p[(axis + 1) % 3] = whole ? (2 * across.x[a] - 1) * R : across.x[a] * R;
        p[(axis + 2) % 3] = whole ? (2 * across.x[b] - 1) * R : across.x[b] * R;
        const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        const double tmax = std::min(1.0, cut / length);
        // About one 24-point panel per 12 n Bohr radii of the ray.
        const int panels = std::clamp(static_cast<int>(std::ceil(tmax * length / (12 * n))), 1, 3);
        const Rule& t = rays[panels];
        double ray = 0;
        for (size_t k = 0; k < t.x.size(); ++k) {
          const double s = t.x[k] * tmax;
          const double x = s * p[0], y = s * p[1], z = s * p[2];
          ray += t.w[k] * s * s * density(x, y, z);
        }
        sum += across.w[a] * across.w[b] * R * R * R * tmax * ray;
      }
    }
  }
  return whole ? 4 * sum : 8 * sum;
}

ProbabilityShares GetShares(const cOrbitalObject& orbital) {
  return {ShareAboveThreshold(orbital), ShareInBox(orbital)};
}

}  // namespace wl
