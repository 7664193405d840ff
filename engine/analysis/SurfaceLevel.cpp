#include "analysis/SurfaceLevel.h"

#include <algorithm>
#include <cmath>

#include "analysis/EnclosedShare.h"
#include "core/WLError.h"

namespace wl {

namespace {
// 4-point Gauss-Legendre nodes and weights on [-1, 1].
constexpr double kGaussX[4] = {-0.8611363115940526, -0.3399810435848563, 0.3399810435848563,
                               0.8611363115940526};
constexpr double kGaussW[4] = {0.3478548451374538, 0.6521451548625461, 0.6521451548625461,
                               0.3478548451374538};
constexpr double kPi = 3.14159265358979323846;

// ∫ ψ²(r, Ω) dΩ over the sphere of radius r.
double SphereIntegral(cElectron& e, double r) {
  double sum = 0;
  for (int a = 0; a < 4; ++a) {
    const double c = kGaussX[a], s = std::sqrt(1 - c * c);
    for (int b = 0; b < 8; ++b) {
      const double phi = (b + 0.5) * kPi / 4;
      const double x = r * s * std::cos(phi), y = r * s * std::sin(phi), z = r * c;
      sum += kGaussW[a] * e.GetRealAt(PDF, {x, y, z});
    }
  }
  return sum * (kPi / 4);
}

constexpr double kBoxGrowth = 1.25;
constexpr double kOutsideAllowance = 0.02;  // of 1 - share
}  // namespace

double ProbabilityBeyond(const cElectron& electron, double r) {
  auto& e = const_cast<cElectron&>(electron);  // the density calls write nothing
  const double n = std::max(1, static_cast<int>(e.GetInfo().n));
  const int steps = 800;  // even
  const double d = 40 * n / steps;
  double sum = 0;
  for (int s = 0; s <= steps; ++s) {
    const double x = r + s * d;
    const double w = (s == 0 || s == steps) ? 1 : (s % 2 ? 4 : 2);
    sum += w * x * x * SphereIntegral(e, x);
  }
  return sum * d / 3;
}

double SurfaceBoxHalf(const cElectron& electron, double atomRadius, double share) {
  if (!(share >= 0.05 && share <= 0.999) || !(atomRadius > 0)) RaiseError(5);
  double half = atomRadius;
  for (int k = 0; k < 40; ++k) {
    if (ProbabilityBeyond(electron, half) <= kOutsideAllowance * (1 - share)) break;
    half *= kBoxGrowth;
  }
  return half;
}

std::shared_ptr<const ScalarField> SurfaceLevels::FieldFor(double half) {
  auto it = fields_.find(half);
  if (it != fields_.end()) {
    lastHalf_ = half;
    return it->second;
  }
  // Room for the new box: the boxes other than the one used last go, with
  // the levels found on them.
  for (auto f = fields_.begin(); f != fields_.end();) {
    if (f->first == lastHalf_) {
      ++f;
      continue;
    }
    const double gone = f->first;
    std::erase_if(levels_, [gone](const auto& l) { return l.second.Field->Half == gone; });
    std::erase_if(within_, [gone](const auto& l) { return l.first.first == gone; });
    f = fields_.erase(f);
  }
  lastHalf_ = half;
  auto field = std::make_shared<const ScalarField>(SampleField(electron_, half, kSurfaceNodes));
  fields_.emplace(half, field);
  return field;
}

namespace {
// Whether a node outside the cube [-r, r]³ has ψ² above t.
bool ReachesBeyond(const ScalarField& f, double r, double t) {
  const double h = f.Step();
  const int mid = f.N / 2;
  // Nodes with |i - mid|·h <= r lie inside.
  const int inside = static_cast<int>(std::floor(r / h + 1e-9));
  if (inside >= mid) return false;
  for (int k = 0; k < f.N; ++k) {
    const bool kOut = std::abs(k - mid) > inside;
    for (int j = 0; j < f.N; ++j) {
      const bool jOut = kOut || std::abs(j - mid) > inside;
      for (int i = 0; i < f.N; ++i) {
        if (!jOut && std::abs(i - mid) <= inside) continue;
        const double v = f.At(i, j, k);
        if (v * v > t) return true;
      }
    }
  }
  return false;
}

// The largest ψ² on the six faces of the cube.
double LargestOnFaces(const ScalarField& f) {
  float m = 0;
  const int last = f.N - 1;
  for (int p = 0; p < f.N; ++p) {
    for (int q = 0; q < f.N; ++q) {
      for (float v : {f.At(0, p, q), f.At(last, p, q), f.At(p, 0, q), f.At(p, last, q),
                      f.At(p, q, 0), f.At(p, q, last)}) {
        m = std::max(m, v * v);
      }
    }
  }
  return m;
}
}  // namespace

SurfaceLevel SurfaceLevels::For(double share) {
  if (!(share >= 0.05 && share <= 0.999)) RaiseError(5);
  if (auto it = levels_.find(share); it != levels_.end()) {
    lastHalf_ = it->second.Field->Half;
    return it->second;
  }
  SurfaceLevel level;
  level.Share = share;
  level.AtomRadius = radius_;
  double half = SurfaceBoxHalf(electron_, radius_, share);
  for (int k = 0;; ++k) {
    level.Field = FieldFor(half);
    level.Density = DensityForShare(*level.Field, share).Density;
    if (k >= 8 || LargestOnFaces(*level.Field) < level.Density) break;
    half *= kBoxGrowth;
  }
  level.BeyondAtomRadius = ReachesBeyond(*level.Field, radius_, level.Density);
  levels_.emplace(share, level);
  return level;
}

SurfaceLevel SurfaceLevels::Within(const SurfaceLevel& outer, double share) {
  if (!outer.Field) RaiseError(5);
  const auto key = std::make_pair(outer.Field->Half, share);
  if (auto it = within_.find(key); it != within_.end()) return it->second;
  SurfaceLevel level = outer;
  level.Share = share;
  level.Density = DensityForShare(*outer.Field, share).Density;
  level.BeyondAtomRadius = ReachesBeyond(*outer.Field, radius_, level.Density);
  within_.emplace(key, level);
  return level;
}

}  // namespace wl
