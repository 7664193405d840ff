// The searches for the peak of the unscaled density over the first octant, or
// over the whole cube for densities without mirror symmetry (F1).
#include <algorithm>
#include <array>
#include <vector>

#include "core/Numeric.h"
#include "orbitals/OrbitalCatalog.h"
#include "render/cOrbital.h"

namespace wl {

namespace {
// The coarse pass of the radial search divides each axis into R / 3 steps; past
// twice the sampling grid's 127 steps a finer coarse grid finds nothing new but
// costs the cube of its size (a radius of 32767 would take hours), so it stops there.
constexpr int kMaxCoarseDivisions = 254;

// Passes after which a search gives up converging (never reached in practice;
// it keeps a pathological density from hanging the calculation).
constexpr int kMaxPasses = 1000;

struct Point3 {
  double x = 0, y = 0, z = 0;
};

// A search box on the three axes.
struct Box {
  double min[3], max[3];
};

// The box point ± step on each axis, pushed back inside lo to R keeping its width.
Box BoxAround(const Point3& p, const double step[3], double lo, double R) {
  const double c[3] = {p.x, p.y, p.z};
  Box b;
  for (int a = 0; a < 3; ++a) {
    b.min[a] = c[a] - step[a];
    b.max[a] = c[a] + step[a];
    if (b.min[a] < lo) {
      b.max[a] = b.max[a] + std::fabs(b.min[a] - lo);
      b.min[a] = lo;
    }
    if (b.max[a] > R) {
      b.min[a] = b.min[a] - (b.max[a] - R);
      b.max[a] = R;
    }
  }
  return b;
}

// Visits the (N + 1)³ points of a box, z outer, y middle, x inner, each axis
// advanced by adding its step; calls f(x, y, z, density(x, y, z)).
template <class Density, class F>
void ScanBox(const Box& b, int N, const double step[3], Density&& density, F&& f) {
  double z = b.min[2];
  for (int iz = 0; iz <= N; ++iz, z += step[2]) {
    double y = b.min[1];
    for (int iy = 0; iy <= N; ++iy, y += step[1]) {
      double x = b.min[0];
      for (int ix = 0; ix <= N; ++ix, x += step[0]) {
        f(x, y, z, density(x, y, z));
      }
    }
  }
}
}  // namespace

namespace {
// Shrinking-box grid search over [lo, R]³ with 14, 13, 12, ... divisions per
// axis, ending when a whole cycle of three passes brings no strict improvement.
template <class Density>
double ShrinkingBoxSearch(double lo, double R, Density&& density) {
  Box box{{lo, lo, lo}, {R, R, R}};
  double best = 0;
  Point3 bestPoint;
  int N = 12;
  std::array<double, 3> earlier = {-1, -1, 0};  // the bests three, two and one passes ago
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    N = N % 3 == 0 ? N + 2 : N - 1;
    double step[3];
    for (int a = 0; a < 3; ++a) step[a] = (box.max[a] - box.min[a]) / N;
    ScanBox(box, N, step, density, [&](double x, double y, double z, double v) {
      if (v > best) {
        best = v;
        bestPoint = {x, y, z};
      }
    });
    box = BoxAround(bestPoint, step, lo, R);
    if (best == earlier[0]) break;
    earlier = {earlier[1], earlier[2], best};
  }
  return best;
}

// Boxes of a third, a ninth ... of the radius searched again for orbitals the
// original table did not have: high shells have small dense lobes near the
// nucleus (7d's innermost at 3 Bohr radii in a cube of 86) that the first
// pass's 14 divisions step over. The original rows keep their single search,
// so their scale (and pictures) stay as they were.
constexpr int kInnerBoxes = 4;

bool BeyondTheTable(const OrbitalSetup& s) {
  return s.Hybrid != NoHybrid || s.OrbitalIndex >= kSeedOrbitalCount || s.Charge != 1 ||
         s.Complex;
}
}  // namespace

double cOrbitalPDF::FindPeakDensity() {
  const double R = SetupInfo.AtomRadius;
  const bool whole = Electron->GetInfo().PDFOptFactor == F1;
  auto density = [this](double x, double y, double z) {
    return Electron->GetNonScaledAt(PDF, {x, y, z});
  };
  double best = ShrinkingBoxSearch(whole ? -R : 0, R, density);
  if (BeyondTheTable(SetupInfo)) {
    double size = R;
    for (int k = 0; k < kInnerBoxes; ++k) {
      size /= 3;
      best = std::max(best, ShrinkingBoxSearch(whole ? -size : 0, size, density));
    }
  }
  return best;
}

namespace {
// Refines one candidate of the radial search: passes with 11, 9, 6, then
// alternately 7 and 6 divisions around the candidate, until a pass's best
// equals the previous pass's. Best is the number type the passes keep it in.
template <class Best, class Density>
Best RefineCandidate(Point3& point, double coarseStep, double lo, double R, Density&& density) {
  double step[3] = {coarseStep, coarseStep, coarseStep};
  Best previous = -1;
  Best best = 0;
  int N = 0;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    N = pass == 0 ? 11 : pass == 1 ? 9 : pass == 2 ? 6 : (N % 2 == 0 ? N + 1 : N - 1);
    const Box box = BoxAround(point, step, lo, R);
    for (int a = 0; a < 3; ++a) step[a] = (box.max[a] - box.min[a]) / N;
    best = 0;
    ScanBox(box, N, step, density, [&](double x, double y, double z, double v) {
      if (v > best) {
        best = static_cast<Best>(v);
        point = {x, y, z};
      }
    });
    if (best == previous) break;
    previous = best;
  }
  return best;
}
}  // namespace

namespace {
// The radial search of orbitals beyond the original table: their weighted
// densities have many lobes of nearly equal height (6h has seven along θ), and
// an ion's lobes are Z times smaller. The coarse grid steps 3 Bohr radii of
// the scaled orbital (3 / Z), at most 128 divisions; every local maximum of
// it (no higher axis neighbour) is a lobe, and the highest kLobeCandidates
// lobes are refined, each once, so that neighbouring points of one lobe do not
// crowd out the others.
constexpr int kLobeCandidates = 8;
constexpr int kMaxLobeDivisions = 128;

template <class Density>
double LobeSearch(double R, int charge, Density&& density) {
  int N0 = static_cast<int>(Int(R * charge / 3));
  N0 = std::clamp(N0, 6, kMaxLobeDivisions);
  const double coarse = R / N0;
  const int side = N0 + 1;
  std::vector<double> values;
  values.reserve(static_cast<size_t>(side) * side * side);
  const double step[3] = {coarse, coarse, coarse};
  ScanBox(Box{{0, 0, 0}, {R, R, R}}, N0, step, density,
          [&](double, double, double, double v) { values.push_back(v); });
  auto at = [&](int i, int j, int k) { return values[static_cast<size_t>((k * side + j) * side + i)]; };

  struct Candidate {
    double value = 0;
    Point3 point;
  };
  std::vector<Candidate> lobes;
  for (int k = 0; k < side; ++k) {
    for (int j = 0; j < side; ++j) {
      for (int i = 0; i < side; ++i) {
        const double v = at(i, j, k);
        if (!(v > 0)) continue;
        const bool top = (i == 0 || at(i - 1, j, k) <= v) && (i == N0 || at(i + 1, j, k) <= v) &&
                         (j == 0 || at(i, j - 1, k) <= v) && (j == N0 || at(i, j + 1, k) <= v) &&
                         (k == 0 || at(i, j, k - 1) <= v) && (k == N0 || at(i, j, k + 1) <= v);
        if (top) lobes.push_back({v, {i * coarse, j * coarse, k * coarse}});
      }
    }
  }
  std::sort(lobes.begin(), lobes.end(),
            [](const Candidate& a, const Candidate& b) { return a.value > b.value; });
  if (lobes.size() > kLobeCandidates) lobes.resize(kLobeCandidates);
  double best = 0;
  for (Candidate& c : lobes) best = std::max(best, RefineCandidate<double>(c.point, coarse, 0, R, density));
  return best;
}
}  // namespace

// The radially weighted density peaks on shells: a coarse grid keeps its four
// best points, each is refined, and the best of them is refined once more
// (the original rows and the whole cube; other orbitals search their lobes as above).
double cOrbitalDRPDF::FindPeakDensity() {
  const double R = SetupInfo.AtomRadius;
  if (BeyondTheTable(SetupInfo) && Electron->GetInfo().DRPDFOptFactor != F1) {
    return LobeSearch(R, SetupInfo.Charge, [this](double x, double y, double z) {
      return Electron->GetNonScaledAt(DRPDF, {x, y, z});
    });
  }
  int N0 = static_cast<int>(Int(R / 3));
  if (N0 < 6) N0 = 6;
  if (N0 > kMaxCoarseDivisions) N0 = kMaxCoarseDivisions;
  double coarse = R / N0;
  const bool whole = Electron->GetInfo().DRPDFOptFactor == F1;
  const double lo = whole ? -R : 0;
  int divisions = N0;
  if (whole) {  // the whole cube's width 2R at the same step, within the same cap
    divisions = std::min(2 * N0, kMaxCoarseDivisions);
    coarse = 2 * R / divisions;
  }
  auto density = [this](double x, double y, double z) {
    return Electron->GetNonScaledAt(DRPDF, {x, y, z});
  };

  struct Candidate {
    double value = 0;
    Point3 point;
  };
  std::array<Candidate, 4> list{};
  const double step[3] = {coarse, coarse, coarse};
  ScanBox(Box{{lo, lo, lo}, {R, R, R}}, divisions, step, density,
          [&](double x, double y, double z, double v) {
            for (size_t k = 0; k < list.size(); ++k) {
              if (v > list[k].value) {
                for (size_t m = list.size() - 1; m > k; --m) list[m] = list[m - 1];
                list[k] = {v, {x, y, z}};
                break;
              }
            }
          });

  std::array<float, 4> refined{};
  for (size_t k = 0; k < list.size(); ++k) {
    refined[k] = RefineCandidate<float>(list[k].point, coarse, lo, R, density);
  }
  size_t winner = 0;
  for (size_t k = 1; k < refined.size(); ++k) {
    if (refined[k] > refined[winner]) winner = k;
  }
  return RefineCandidate<double>(list[winner].point, coarse, lo, R, density);
}

}  // namespace wl
