// The numbers the reference pages quote, found again in the engine's own
// densities: the most probable radii (peaks of the radial distribution along a
// ray), the mean radii (integrals over space), the radial and angular node
// positions, the DRPDF weights of the PDF & DRPDF table, and the roundness of
// the subshell averages.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/modOrbitals.h"
#include "engine/Quadrature.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Orbital indices of the engine's table (single orbitals 0 to 29, subshell
// averages 30 to 39).
enum Index : int {
  k1S = 0,
  k2S = 1,
  k2Px = 2,
  k2Pz = 4,
  k3S = 5,
  k3Px = 6,
  k3Py = 7,
  k3Pz = 8,
  k3Dz2 = 9,
  k3Dxy = 11,
  k4S = 14,
  k4Px = 15,
  k4Pz = 17,
  k4Dx2y2 = 19,
  k4Dxy = 20,
  k4Fz3 = 23,
  k4Fxz2 = 24,
  k4Fxyz = 27,
  kAv1S = 30,
  kAv2S = 31,
  kAv2P = 32,
  kAv3S = 33,
  kAv3P = 34,
  kAv3D = 35,
  kAv4S = 36,
  kAv4P = 37,
  kAv4D = 38,
  kAv4F = 39,
};

std::unique_ptr<wl::cElectron> Electron(int index) {
  auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
  if (!e) ADD_FAILURE() << "no orbital " << index;
  return e;
}

struct Dir {
  double x, y, z;
};

Dir Unit(double x, double y, double z) {
  const double n = std::sqrt(x * x + y * y + z * z);
  return {x / n, y / n, z / n};
}

wl::COORDdoubleParams At(const Dir& d, double r) {
  return {d.x * d.x * r * r, d.y * d.y * r * r, d.z * d.z * r * r};
}

// The largest value of f on [a, b]: a scan in steps of 0.01, then a golden
// section search around the best step. Returns the position.
double ArgMax(const std::function<double(double)>& f, double a, double b) {
  const double h = 0.01;
  double best = a, bestValue = f(a);
  for (double r = a; r <= b; r += h) {
    const double v = f(r);
    if (v > bestValue) {
      bestValue = v;
      best = r;
    }
  }
  double lo = std::max(a, best - h), hi = std::min(b, best + h);
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 80; ++i) {
    const double m1 = hi - g * (hi - lo), m2 = lo + g * (hi - lo);
    if (f(m1) < f(m2)) {
      lo = m1;
    } else {
      hi = m2;
    }
  }
  return (lo + hi) / 2;
}

double ArgMin(const std::function<double(double)>& f, double a, double b) {
  return ArgMax([&](double r) { return -f(r); }, a, b);
}

// ------------------------------------------------------- most probable radii

// Along a ray the angular factor is constant, so the DRPDF (of a single
// orbital off the z axis, or of an average) rises and falls like r²R².
struct Peak {
  int index;
  Dir dir;
  double expected;  // the largest peak of r²R², as the pages give it
  double tolerance;
  const char* what;
};

TEST(ReferenceNumbers, MostProbableRadiiArePeaksOfTheDrpdf) {
  const std::vector<Peak> peaks = {
      {kAv1S, Unit(1, 0, 0), 1.0, 1e-4, "1s averaged"},
      {k1S, Unit(1, 0, 0), 1.0, 1e-4, "1s"},
      {kAv2P, Unit(0, 0, 1), 4.0, 1e-4, "2p averaged, on the z axis"},
      {k2Px, Unit(1, 0, 0), 4.0, 1e-4, "2px"},
      {kAv3D, Unit(1, 2, 3), 9.0, 1e-4, "3d averaged"},
      {k3Dxy, Unit(1, 1, 0), 9.0, 1e-4, "3dxy"},
      {kAv4F, Unit(1, 1, 1), 16.0, 1e-4, "4f averaged"},
      {k4Fxyz, Unit(1, 1, 1), 16.0, 1e-4, "4fxyz"},
      {kAv2S, Unit(1, 0, 0), 3 + std::sqrt(5.0), 1e-4, "2s: 3 + sqrt 5"},
      {kAv3S, Unit(0, 1, 0), 13.07, 0.005, "3s"},
      {k3Pz, Unit(1, 0, 1), 12.0, 1e-4, "3pz off the axis"},
      {kAv4S, Unit(1, 1, 0), 24.62, 0.005, "4s"},
      {kAv4P, Unit(1, 0, 0), 23.58, 0.005, "4p"},
      {kAv4D, Unit(0, 0, 1), 14 + 2 * std::sqrt(13.0), 1e-4, "4d: 14 + 2 sqrt 13"},
  };
  for (const Peak& p : peaks) {
    auto e = Electron(p.index);
    ASSERT_TRUE(e);
    const double r = ArgMax([&](double r) { return e->GetNonScaledDRPDF(At(p.dir, r)); }, 0, 60);
    EXPECT_NEAR(r, p.expected, p.tolerance) << p.what;
  }
}

// The single orbitals' PDF times r² peaks at the same radius as their DRPDF.
TEST(ReferenceNumbers, PdfTimesRSquaredPeaksAtTheSameRadius) {
  auto e = Electron(k4Pz);
  ASSERT_TRUE(e);
  const Dir d = Unit(0, 0, 1);
  const double r = ArgMax([&](double r) { return r * r * e->GetNonScaledPDF(At(d, r)); }, 15, 60);
  EXPECT_NEAR(r, 23.58, 0.005);
  // And the PDF of 2pz itself is largest on the z axis 2 Bohr radii out.
  auto p = Electron(k2Pz);
  ASSERT_TRUE(p);
  EXPECT_NEAR(ArgMax([&](double r) { return p->GetNonScaledPDF(At(d, r)); }, 0, 20), 2.0, 1e-4);
}

// ---------------------------------------------------------------- mean radii

using wltest::GaussLegendre;
using wltest::Rule;

// Panels of 1 Bohr radius from 0 to 45 n, 8 points each.
Rule RadialRule(int n) {
  Rule rule;
  for (int panel = 0; panel < 45 * n; ++panel) {
    const Rule g = GaussLegendre(8, panel, panel + 1);
    rule.x.insert(rule.x.end(), g.x.begin(), g.x.end());
    rule.w.insert(rule.w.end(), g.w.begin(), g.w.end());
  }
  return rule;
}

struct Moments {
  double norm, mean;
};

// ∫ρ dV and ∫rρ dV of a single orbital, with its DRPDF as the density in r, θ
// and φ: ∫∫∫ (r) DRPDF dr dθ dφ. θ by Gauss-Legendre, φ in even steps (the
// angular factors are trigonometric polynomials of low degree).
Moments SingleMoments(wl::cElectron& e, int n) {
  const Rule radial = RadialRule(n);
  const Rule polar = GaussLegendre(16, 0, kPi);
  constexpr int kAzimuths = 16;
  Moments m{0, 0};
  for (size_t a = 0; a < polar.x.size(); ++a) {
    for (int b = 0; b < kAzimuths; ++b) {
      const double th = polar.x[a], ph = 2 * kPi * (b + 0.5) / kAzimuths;
      const Dir d{std::sin(th) * std::cos(ph), std::sin(th) * std::sin(ph), std::cos(th)};
      const double w = polar.w[a] * 2 * kPi / kAzimuths;
      for (size_t i = 0; i < radial.x.size(); ++i) {
        const double v = w * radial.w[i] * e.GetRealDRPDF(At(d, radial.x[i]));
        m.norm += v;
        m.mean += v * radial.x[i];
      }
    }
  }
  return m;
}

// The same for an average, which is round: its DRPDF ψ²r² times 4π along one ray.
Moments AverageMoments(wl::cElectron& e, int n, const Dir& d) {
  const Rule radial = RadialRule(n);
  Moments m{0, 0};
  for (size_t i = 0; i < radial.x.size(); ++i) {
    const double v = 4 * kPi * radial.w[i] * e.GetRealDRPDF(At(d, radial.x[i]));
    m.norm += v;
    m.mean += v * radial.x[i];
  }
  return m;
}

TEST(ReferenceNumbers, MeanRadiiAreThreeNSquaredMinusLLPlusOneOverTwo) {
  struct Mean {
    int index, n, l;
    double expected;  // as the pages give it
  };
  const std::vector<Mean> singles = {
      {k1S, 1, 0, 1.5},      {k2S, 2, 0, 6.0},    {k2Pz, 2, 1, 5.0}, {k3S, 3, 0, 13.5},
      {k3Py, 3, 1, 12.5},    {k3Dz2, 3, 2, 10.5}, {k4S, 4, 0, 24.0}, {k4Px, 4, 1, 23.0},
      {k4Dx2y2, 4, 2, 21.0}, {k4Fz3, 4, 3, 18.0},
  };
  for (const Mean& s : singles) {
    ASSERT_DOUBLE_EQ(s.expected, (3.0 * s.n * s.n - s.l * (s.l + 1)) / 2);
    auto e = Electron(s.index);
    ASSERT_TRUE(e);
    const Moments m = SingleMoments(*e, s.n);
    EXPECT_NEAR(m.norm, 1.0, 1e-6)
        << "orbital " << s.index << ": the DRPDF is not the density in r, theta, phi";
    EXPECT_NEAR(m.mean, s.expected, 1e-5) << "orbital " << s.index;
  }
  const std::vector<Mean> averages = {
      {kAv1S, 1, 0, 1.5},  {kAv2P, 2, 1, 5.0},  {kAv3P, 3, 1, 12.5},
      {kAv3D, 3, 2, 10.5}, {kAv4D, 4, 2, 21.0}, {kAv4F, 4, 3, 18.0},
  };
  for (const Mean& s : averages) {
    auto e = Electron(s.index);
    ASSERT_TRUE(e);
    const Moments m = AverageMoments(*e, s.n, Unit(1, -2, 2));
    EXPECT_NEAR(m.norm, 1.0, 1e-6) << "average " << s.index;
    EXPECT_NEAR(m.mean, s.expected, 1e-5) << "average " << s.index;
  }
}

// --------------------------------------------------------------------- nodes

// A node is a zero of ψ²: the PDF has a minimum there, far below its values
// half a Bohr radius either side.
struct Node {
  int index;
  Dir dir;
  double expected;  // as the pages give it
  double tolerance;
  const char* what;
};

TEST(ReferenceNumbers, RadialNodesLieWhereThePagesSay) {
  const std::vector<Node> nodes = {
      {k2S, Unit(1, 0, 0), 2.0, 1e-5, "2s"},
      {k3S, Unit(0, 0, 1), (9 - 3 * std::sqrt(3.0)) / 2, 1e-5, "3s inner"},
      {k3S, Unit(0, 0, 1), (9 + 3 * std::sqrt(3.0)) / 2, 1e-5, "3s outer"},
      {k3Px, Unit(1, 0, 0), 6.0, 1e-5, "3px"},
      {kAv3P, Unit(1, 1, 1), 6.0, 1e-5, "3p averaged"},
      {k4S, Unit(1, 1, 0), 1.87, 0.005, "4s first"},
      {k4S, Unit(1, 1, 0), 6.61, 0.005, "4s second"},
      {k4S, Unit(1, 1, 0), 15.52, 0.005, "4s third"},
      {k4Px, Unit(1, 0, 0), 10 - 2 * std::sqrt(5.0), 1e-5, "4px inner"},
      {k4Px, Unit(1, 0, 0), 10 + 2 * std::sqrt(5.0), 1e-5, "4px outer"},
      {k4Dxy, Unit(1, 1, 0), 12.0, 1e-5, "4dxy"},
  };
  // The page's values for 3s: 1.90 and 7.10.
  EXPECT_NEAR((9 - 3 * std::sqrt(3.0)) / 2, 1.90, 0.005);
  EXPECT_NEAR((9 + 3 * std::sqrt(3.0)) / 2, 7.10, 0.005);
  for (const Node& node : nodes) {
    auto e = Electron(node.index);
    ASSERT_TRUE(e);
    auto pdf = [&](double r) { return e->GetRealPDF(At(node.dir, r)); };
    const double r = ArgMin(pdf, node.expected - 0.4, node.expected + 0.4);
    EXPECT_NEAR(r, node.expected, node.tolerance) << node.what;
    const double around = std::min(pdf(r - 0.5), pdf(r + 0.5));
    EXPECT_GT(around, 0) << node.what;
    EXPECT_LT(pdf(r), 1e-6 * around) << node.what;
  }
}

TEST(ReferenceNumbers, ConesOfTheAngularNodes) {
  struct Cone {
    int index;
    double degrees;  // angle from the z axis, as the pages give it
    double cos2;     // cos²θ of the cone
  };
  const std::vector<Cone> cones = {
      {k3Dz2, 54.7, 1.0 / 3}, {k4Fz3, 39.2, 3.0 / 5}, {k4Fxz2, 63.4, 1.0 / 5}};
  for (const Cone& c : cones) {
    EXPECT_NEAR(std::acos(std::sqrt(c.cos2)) * 180 / kPi, c.degrees, 0.05);
    auto e = Electron(c.index);
    ASSERT_TRUE(e);
    // In the xz plane at r = 10, between the z axis and the x axis; 4Fxz²
    // also vanishes on the plane x = 0, so the search keeps away from it.
    auto pdf = [&](double th) {
      return e->GetRealPDF(
          wl::COORDdoubleParams{std::pow(10 * std::sin(th), 2), 0, std::pow(10 * std::cos(th), 2)});
    };
    const double th = ArgMin(pdf, 0.2, 1.45);
    EXPECT_NEAR(th * 180 / kPi, c.degrees, 0.05) << "orbital " << c.index;
    EXPECT_LT(pdf(th), 1e-6 * std::min(pdf(th - 0.2), pdf(th + 0.2))) << "orbital " << c.index;
  }
}

// ----------------------------------------------------------- PDF and DRPDF

TEST(ReferenceNumbers, DrpdfWeightsOfThePdfPage) {
  auto single = Electron(k1S);
  auto average = Electron(kAv1S);
  ASSERT_TRUE(single && average);
  const wl::COORDdoubleParams nucleus{0, 0, 0}, onX{4, 0, 0}, onZ{0, 0, 4};
  // The table of 1s: 0.318, 0.00583, 0.0233.
  EXPECT_NEAR(single->GetRealPDF(nucleus), 0.318, 0.0005);
  EXPECT_NEAR(single->GetRealPDF(onX), 0.00583, 0.000005);
  EXPECT_NEAR(single->GetRealPDF(onZ), 0.00583, 0.000005);
  EXPECT_NEAR(single->GetRealDRPDF(onX), 0.0233, 0.00005);
  EXPECT_NEAR(average->GetRealDRPDF(onX), 0.0233, 0.00005);
  EXPECT_NEAR(average->GetRealDRPDF(onZ), 0.0233, 0.00005);
  // Empty at the nucleus; on the z axis for the single orbital only.
  EXPECT_EQ(single->GetRealDRPDF(nucleus), 0);
  EXPECT_EQ(average->GetRealDRPDF(nucleus), 0);
  EXPECT_EQ(single->GetRealDRPDF(onZ), 0);
  // Off the axes the single weight is r times the distance from the z axis.
  const double x = 1, y = 2, z = 3;
  const wl::COORDdoubleParams p{x * x, y * y, z * z};
  const double r = std::sqrt(x * x + y * y + z * z), rho = std::sqrt(x * x + y * y);
  EXPECT_NEAR(single->GetRealDRPDF(p), single->GetRealPDF(p) * r * rho, 1e-15);
  EXPECT_NEAR(average->GetRealDRPDF(p), average->GetRealPDF(p) * r * r, 1e-15);
}

// The DRPDF of 2pz peaks off the axis, at r = 4 and tan²θ = 1/2 (35.3°).
TEST(ReferenceNumbers, DrpdfOf2pzPeaksOnARing) {
  auto e = Electron(k2Pz);
  ASSERT_TRUE(e);
  const double th0 = std::atan(std::sqrt(0.5));
  EXPECT_NEAR(th0 * 180 / kPi, 35.3, 0.05);
  auto atAngle = [&](double th) {
    return e->GetRealDRPDF(
        wl::COORDdoubleParams{std::pow(4 * std::sin(th), 2), 0, std::pow(4 * std::cos(th), 2)});
  };
  EXPECT_NEAR(ArgMax(atAngle, 0, kPi / 2), th0, 1e-4);
}

// ----------------------------------------------------------------- averages

// Unsöld: the average is the mean of the subshell's orbitals and is the same
// in every direction.
TEST(ReferenceNumbers, AveragesAreTheMeanOfTheSubshellAndRound) {
  struct Subshell {
    int average, first, count;
  };
  const std::vector<Subshell> subshells = {{kAv2P, 2, 3}, {kAv3D, 9, 5}, {kAv4F, 23, 7}};
  const std::vector<Dir> dirs = {Unit(1, 0, 0), Unit(0, 0, 1), Unit(1, 1, 1), Unit(-2, 0.5, 3)};
  for (const Subshell& s : subshells) {
    auto avg = Electron(s.average);
    ASSERT_TRUE(avg);
    std::vector<std::unique_ptr<wl::cElectron>> orbitals;
    for (int i = 0; i < s.count; ++i) orbitals.push_back(Electron(s.first + i));
    const double reference = avg->GetRealPDF(At(dirs[0], 7.5));
    ASSERT_GT(reference, 0);
    for (const Dir& d : dirs) {
      const wl::COORDdoubleParams p = At(d, 7.5);
      double sum = 0;
      for (auto& o : orbitals) sum += o->GetRealPDF(p);
      EXPECT_NEAR(sum / s.count, avg->GetRealPDF(p), 1e-12 * reference) << "average " << s.average;
      EXPECT_NEAR(avg->GetRealPDF(p), reference, 1e-12 * reference) << "average " << s.average;
    }
  }
}

}  // namespace
