// Physics checks of the 40 densities against an independent reference: each
// normalised density integrates to 1 over space, equals R(n,l)² Y² of the
// textbook hydrogen functions point by point, and its DRPDF carries the
// volume weight.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "ExpectedOrbitals.h"
#include "core/modOrbitals.h"
#include "engine/Quadrature.h"

namespace {

using wltest::kExpectedOrbitals;
constexpr double kPi = std::numbers::pi;

wl::COORDdoubleParams Sq(double x, double y, double z) {
  return {x * x, y * y, z * z};
}

bool IsAverage(const wltest::ExpectedOrbital& row) {
  return std::string(row.type) == "AverageOrbs";
}

// ------------------------------------------------------ reference functions

double Factorial(int n) {
  return n <= 1 ? 1.0 : n * Factorial(n - 1);
}

// Generalised Laguerre polynomial L_k^a(x).
double Laguerre(int k, int a, double x) {
  double sum = 0;
  for (int i = 0; i <= k; ++i) {
    const double binom = Factorial(k + a) / (Factorial(k - i) * Factorial(a + i));
    sum += (i % 2 ? -1.0 : 1.0) * binom * std::pow(x, i) / Factorial(i);
  }
  return sum;
}

// Hydrogen radial function R(n,l)(r), Z = 1, r in Bohr radii, normalised so
// that the integral of R² r² dr is 1.
double Radial(int n, int l, double r) {
  const double rho = 2 * r / n;
  const double norm =
      std::sqrt(std::pow(2.0 / n, 3) * Factorial(n - l - 1) / (2 * n * Factorial(n + l)));
  return norm * std::exp(-rho / 2) * std::pow(rho, l) * Laguerre(n - l - 1, 2 * l + 1, rho);
}

// Real spherical harmonics by the orbital's name without its shell digit,
// as functions of the unit vector (x, y, z).
using Angular = std::function<double(double, double, double)>;
const std::map<std::string, Angular>& Harmonics() {
  static const std::map<std::string, Angular> y = {
      {"S", [](double, double, double) { return 0.5 / std::sqrt(kPi); }},
      {"Px", [](double x, double, double) { return std::sqrt(3 / (4 * kPi)) * x; }},
      {"Py", [](double, double y, double) { return std::sqrt(3 / (4 * kPi)) * y; }},
      {"Pz", [](double, double, double z) { return std::sqrt(3 / (4 * kPi)) * z; }},
      {"Dz²", [](double, double, double z) { return 0.25 * std::sqrt(5 / kPi) * (3 * z * z - 1); }},
      {"Dx²-y²",
       [](double x, double y, double) { return 0.25 * std::sqrt(15 / kPi) * (x * x - y * y); }},
      {"Dxy", [](double x, double y, double) { return 0.5 * std::sqrt(15 / kPi) * x * y; }},
      {"Dxz", [](double x, double, double z) { return 0.5 * std::sqrt(15 / kPi) * x * z; }},
      {"Dyz", [](double, double y, double z) { return 0.5 * std::sqrt(15 / kPi) * y * z; }},
      {"Fz³",
       [](double, double, double z) { return 0.25 * std::sqrt(7 / kPi) * z * (5 * z * z - 3); }},
      {"Fxz²", [](double x, double,
                  double z) { return 0.25 * std::sqrt(21 / (2 * kPi)) * x * (5 * z * z - 1); }},
      {"Fyz²", [](double, double y,
                  double z) { return 0.25 * std::sqrt(21 / (2 * kPi)) * y * (5 * z * z - 1); }},
      {"Fz(x²-y²)", [](double x, double y,
                       double z) { return 0.25 * std::sqrt(105 / kPi) * z * (x * x - y * y); }},
      {"Fxyz", [](double x, double y, double z) { return 0.5 * std::sqrt(105 / kPi) * x * y * z; }},
      {"Fx(x²-3y²)",
       [](double x, double y, double) {
         return 0.25 * std::sqrt(35 / (2 * kPi)) * x * (x * x - 3 * y * y);
       }},
      {"Fy(3x²-y²)",
       [](double x, double y, double) {
         return 0.25 * std::sqrt(35 / (2 * kPi)) * y * (3 * x * x - y * y);
       }},
  };
  return y;
}

// The normalised density |ψ|² of an orbital; averaged subshells are
// spherical, R²/(4π).
double ReferenceDensity(const wltest::ExpectedOrbital& row, double x, double y, double z) {
  const double r = std::sqrt(x * x + y * y + z * z);
  const double R = Radial(row.n, row.l, r);
  if (IsAverage(row)) return R * R / (4 * kPi);
  const double Y = Harmonics().at(std::string(row.name).substr(1))(x / r, y / r, z / r);
  return R * R * Y * Y;
}

// ---------------------------------------------------------------- quadrature

using wltest::GaussLegendre;
using wltest::Rule;

// Composite Gauss-Legendre on [0, 100] Bohr radii, panels of 0.5.
Rule RadialRule() {
  const Rule g = GaussLegendre(10);
  Rule rule;
  const double h = 0.5;
  for (int panel = 0; panel < 200; ++panel) {
    for (size_t i = 0; i < g.x.size(); ++i) {
      rule.x.push_back(h * (panel + 0.5 * (g.x[i] + 1)));
      rule.w.push_back(0.5 * h * g.w[i]);
    }
  }
  return rule;
}

// ---------------------------------------------------------------------- tests

TEST(ReferenceFunctions, RadialFunctionsAreNormalised) {
  const Rule radial = RadialRule();
  for (int n = 1; n <= 4; ++n) {
    for (int l = 0; l < n; ++l) {
      double sum = 0;
      for (size_t i = 0; i < radial.x.size(); ++i) {
        const double R = Radial(n, l, radial.x[i]);
        sum += radial.w[i] * R * R * radial.x[i] * radial.x[i];
      }
      EXPECT_NEAR(sum, 1.0, 1e-10) << "n=" << n << " l=" << l;
    }
  }
  // Two closed forms: R(1,0) = 2 e^(-r), R(2,1) = r e^(-r/2) / (2√6).
  EXPECT_NEAR(Radial(1, 0, 0.7), 2 * std::exp(-0.7), 1e-15);
  EXPECT_NEAR(Radial(2, 1, 1.3), 1.3 * std::exp(-0.65) / (2 * std::sqrt(6.0)), 1e-15);
}

// The angular factors are polynomials of degree at most 6 in cos θ and
// trigonometric polynomials of degree at most 3 in φ (6 once squared), so 8
// Gauss-Legendre points in cos θ and 16 even steps in φ integrate them exactly.
TEST(Physics, EveryDensityIntegratesToOne) {
  const Rule radial = RadialRule();
  const Rule polar = GaussLegendre(8);
  constexpr int kAzimuths = 16;
  for (const auto& row : kExpectedOrbitals) {
    auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(row.index));
    ASSERT_TRUE(e);
    double sum = 0;
    for (size_t a = 0; a < polar.x.size(); ++a) {
      const double ct = polar.x[a], st = std::sqrt(1 - ct * ct);
      for (int b = 0; b < kAzimuths; ++b) {
        const double phi = 2 * kPi * (b + 0.5) / kAzimuths;
        const double ux = st * std::cos(phi), uy = st * std::sin(phi), uz = ct;
        double radialSum = 0;
        for (size_t i = 0; i < radial.x.size(); ++i) {
          const double r = radial.x[i];
          radialSum += radial.w[i] * r * r * e->GetRealPDF(Sq(r * ux, r * uy, r * uz));
        }
        sum += polar.w[a] * (2 * kPi / kAzimuths) * radialSum;
      }
    }
    EXPECT_NEAR(sum, 1.0, 1e-3) << "orbital " << row.index << " " << row.name;
  }
}

const std::vector<std::array<double, 3>> kPoints = {
    {0.3, 0.4, -0.5},  {1.1, -0.7, 0.9}, {-2.3, 1.9, 3.1},
    {4.0, -3.3, -1.2}, {-6.1, 5.2, 7.4}, {9.5, -8.8, 3.6},
};

TEST(Physics, DensityIsRadialTimesHarmonicSquared) {
  for (const auto& row : kExpectedOrbitals) {
    auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(row.index));
    ASSERT_TRUE(e);
    for (const auto& [x, y, z] : kPoints) {
      const double want = ReferenceDensity(row, x, y, z);
      ASSERT_GT(want, 1e-30);
      EXPECT_NEAR(e->GetRealPDF(Sq(x, y, z)), want, 1e-9 * want)
          << "orbital " << row.index << " " << row.name << " at (" << x << ", " << y << ", " << z
          << ")";
    }
  }
}

// Unsöld: the mean over a subshell's real orbitals is spherical.
TEST(Physics, SubshellAverageIsTheMeanOfItsOrbitals) {
  for (const auto& avg : kExpectedOrbitals) {
    if (!IsAverage(avg)) continue;
    auto ea = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(avg.index));
    for (const auto& [x, y, z] : kPoints) {
      double sum = 0;
      int count = 0;
      for (const auto& row : kExpectedOrbitals) {
        if (IsAverage(row) || row.n != avg.n || row.l != avg.l) continue;
        sum += wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(row.index))
                   ->GetRealPDF(Sq(x, y, z));
        ++count;
      }
      ASSERT_EQ(count, 2 * avg.l + 1);
      const double want = sum / count;
      EXPECT_NEAR(ea->GetRealPDF(Sq(x, y, z)), want, 1e-12 * want) << "subshell " << avg.index;
    }
  }
}

TEST(Physics, DRPDFIsTheDensityTimesTheVolumeWeight) {
  for (const auto& row : kExpectedOrbitals) {
    auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(row.index));
    for (const auto& [x, y, z] : kPoints) {
      const double r = std::sqrt(x * x + y * y + z * z);
      // r² sin θ for single orbitals, r² for averaged subshells.
      const double w = IsAverage(row) ? r * r : r * std::sqrt(x * x + y * y);
      const auto c = Sq(x, y, z);
      const double real = e->GetRealPDF(c) * w, plain = e->GetNonScaledPDF(c) * w;
      EXPECT_NEAR(e->GetRealDRPDF(c), real, 1e-13 * real) << "orbital " << row.index;
      EXPECT_NEAR(e->GetNonScaledDRPDF(c), plain, 1e-13 * plain) << "orbital " << row.index;
    }
  }
}

}  // namespace
