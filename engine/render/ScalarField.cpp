#include "render/ScalarField.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

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

namespace {

// The sign ψ takes when one coordinate changes sign: +1 (even) or -1 (odd)
// per axis, found at a few points in general position. Every orbital here is
// a Cartesian polynomial of definite parity in each axis times a radial
// factor; anything else (or ψ vanishing at all test points) gives false and
// the whole cube is sampled.
bool FindParity(const cElectron& e, double half, int parity[3]) {
  const COORDdouble probes[] = {{0.31, 0.47, 0.59}, {0.53, 0.29, 0.41}, {0.23, 0.61, 0.37}};
  bool found = false;
  for (const COORDdouble& p0 : probes) {
    const COORDdouble p{p0.X * half, p0.Y * half, p0.Z * half};
    const double v = e.GetPsi(p);
    if (!(std::abs(v) > 1e-30)) continue;
    const double mirrored[3] = {e.GetPsi({-p.X, p.Y, p.Z}), e.GetPsi({p.X, -p.Y, p.Z}),
                                e.GetPsi({p.X, p.Y, -p.Z})};
    for (int a = 0; a < 3; ++a) {
      const double r = mirrored[a] / v;
      const int s = std::abs(r - 1) < 1e-9 ? 1 : std::abs(r + 1) < 1e-9 ? -1 : 0;
      if (s == 0 || (found && s != parity[a])) return false;
      parity[a] = s;
    }
    found = true;
  }
  return found;
}

}  // namespace

// Only the octant of non-negative coordinates is evaluated; the other seven
// are its mirror images, times the parity of ψ in each mirrored axis (|ψ| is
// even in every axis). Coordinates are (i - mid)·h, so mirrored nodes have
// exactly opposite coordinates. Slabs of k run on up to two threads; each
// node is computed the same way whichever thread takes it.
ScalarField SampleField(const cElectron& electron, double half, int n) {
  if (n < 3 || n % 2 == 0 || !(half > 0)) RaiseError(5);
  ScalarField f;
  f.N = n;
  f.Half = half;
  f.Value.resize(static_cast<size_t>(n) * n * n);
  const double h = f.Step();
  const int mid = n / 2;
  f.Signed = !std::isnan(electron.GetPsi({0.5, 0.25, 0.125}));
  int parity[3] = {1, 1, 1};
  const bool mirrored = !f.Signed || FindParity(electron, half, parity);
  const int first = mirrored ? mid : 0;
  auto& e = const_cast<cElectron&>(electron);  // the density calls are not const, but write nothing

  auto slab = [&](int k) {
    const double z = (k - mid) * h;
    for (int j = first; j < n; ++j) {
      const double y = (j - mid) * h;
      for (int i = first; i < n; ++i) {
        const double x = (i - mid) * h;
        const double v =
            f.Signed ? electron.GetPsi({x, y, z}) : std::sqrt(e.GetRealPDF({x * x, y * y, z * z}));
        const auto fv = static_cast<float>(v);
        f.Value[f.Index(i, j, k)] = fv;
        if (!mirrored) continue;
        const int mi = 2 * mid - i, mj = 2 * mid - j, mk = 2 * mid - k;
        const float px = static_cast<float>(parity[0]), py = static_cast<float>(parity[1]),
                    pz = static_cast<float>(parity[2]);
        f.Value[f.Index(mi, j, k)] = fv * px;
        f.Value[f.Index(i, mj, k)] = fv * py;
        f.Value[f.Index(mi, mj, k)] = fv * px * py;
        f.Value[f.Index(i, j, mk)] = fv * pz;
        f.Value[f.Index(mi, j, mk)] = fv * px * pz;
        f.Value[f.Index(i, mj, mk)] = fv * py * pz;
        f.Value[f.Index(mi, mj, mk)] = fv * px * py * pz;
      }
    }
  };

  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
  std::atomic<int> next{first};
  std::exception_ptr error;
  auto work = [&](bool mainThread) {
    try {
      for (int k; (k = next.fetch_add(1)) < n;) slab(k);
    } catch (...) {
      if (!mainThread)
        error = std::current_exception();
      else
        throw;
    }
  };
  if (threads > 1) {
    std::thread helper(work, false);
    try {
      work(true);
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (error) std::rethrow_exception(error);
  } else {
    work(true);
  }
  // Odd axes: the nodes of the mirror plane are exact zeros.
  for (int a = 0; a < 3 && mirrored; ++a) {
    if (parity[a] > 0) continue;
    for (int p = 0; p < n; ++p) {
      for (int q = 0; q < n; ++q) {
        const size_t idx = a == 0   ? f.Index(mid, p, q)
                           : a == 1 ? f.Index(p, mid, q)
                                    : f.Index(p, q, mid);
        f.Value[idx] = 0;
      }
    }
  }
  return f;
}

}  // namespace wl
