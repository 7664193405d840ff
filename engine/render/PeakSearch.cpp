// The searches for the peak of the unscaled density over the first octant, or
// over the whole cube for densities without mirror symmetry (F1).
#include <algorithm>
#include <array>

#include "core/Numeric.h"
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

// Shrinking-box grid search with 14, 13, 12, ... divisions per axis, ending
// when a whole cycle of three passes brings no strict improvement.
double cOrbitalPDF::FindPeakDensity() {
  const double R = SetupInfo.AtomRadius;
  const bool whole = Electron->GetInfo().PDFOptFactor == F1;
  const double lo = whole ? -R : 0;
  Box box{{lo, lo, lo}, {R, R, R}};
  double best = 0;
  Point3 bestPoint;
  int N = 12;
  std::array<double, 3> earlier = {-1, -1, 0};  // the bests three, two and one passes ago
  auto density = [this, whole](double x, double y, double z) {
    return whole ? Electron->GetNonScaledAt(PDF, {x, y, z})
                 : Electron->GetNonScaledPDF(COORDdoubleParams{x * x, y * y, z * z});
  };
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

// The radially weighted density peaks on shells: a coarse grid keeps its four
// best points, each is refined, and the best of them is refined once more.
double cOrbitalDRPDF::FindPeakDensity() {
  const double R = SetupInfo.AtomRadius;
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
  auto density = [this, whole](double x, double y, double z) {
    return whole ? Electron->GetNonScaledAt(DRPDF, {x, y, z})
                 : Electron->GetNonScaledDRPDF(COORDdoubleParams{x * x, y * y, z * z});
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
