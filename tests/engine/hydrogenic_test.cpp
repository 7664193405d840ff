// The general hydrogen-like orbital: normalisation and orthogonality by
// quadrature, agreement with the 40 exact closed forms, the charge scaling,
// the complex orbitals against their real pairs, and the sampler's levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Quadrature.h"
#include "analysis/Radial.h"
#include "core/Utf8.h"
#include "core/modOrbitals.h"
#include "orbitals/Hydrogenic.h"
#include "orbitals/OrbitalCatalog.h"
#include "render/cOrbital.h"

namespace {

using wl::COORDdouble;
using wl::COORDdoubleParams;
using wltest::GaussLegendre;

constexpr double kPi = 3.14159265358979323846;

std::unique_ptr<wl::cElectron> General(int index, int Z = 1, bool complex = false) {
  wl::OrbitalSetup s;
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.Charge = static_cast<wl::Integer>(Z);
  s.Complex = complex ? wl::kTrue : wl::kFalse;
  auto e = wl::CreateHydrogenic(s);
  if (!e) ADD_FAILURE() << "no general orbital for row " << index;
  return e;
}

COORDdoubleParams Sq(const COORDdouble& p) {
  return {p.X * p.X, p.Y * p.Y, p.Z * p.Z};
}

std::string Name(int index) {
  return wl::ToUtf8(wl::OrbitalRowAt(index).Name) + " (row " + std::to_string(index) + ")";
}

// A product rule over all space, exact for the products of two harmonics of
// l <= 6: Gauss-Legendre in cos θ, the trapezoid rule in φ; along r
// Gauss-Legendre panels of width n out to 40n (the tail beyond holds < 1e-17).
struct SphereRule {
  std::vector<COORDdouble> points;
  std::vector<double> weights;
  SphereRule(int n, double Z = 1) {
    const wltest::Rule polar = GaussLegendre(8);
    const int phis = 14;
    const wltest::Rule radial = GaussLegendre(16, 0, 1);
    const double outer = 40.0 * n / Z, width = n / Z;
    for (double a = 0; a < outer; a += width) {
      for (size_t i = 0; i < radial.x.size(); ++i) {
        const double r = a + radial.x[i] * width;
        for (size_t j = 0; j < polar.x.size(); ++j) {
          const double c = polar.x[j], s = std::sqrt(1 - c * c);
          for (int k = 0; k < phis; ++k) {
            const double phi = 2 * kPi * k / phis;
            points.push_back({r * s * std::cos(phi), r * s * std::sin(phi), r * c});
            weights.push_back(radial.w[i] * width * r * r * polar.w[j] * 2 * kPi / phis);
          }
        }
      }
    }
  }
};

// Points of the cube [-R, R]³ with a fixed seed.
std::vector<COORDdouble> CubePoints(double R, int count, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-R, R);
  std::vector<COORDdouble> p;
  for (int i = 0; i < count; ++i) p.push_back({u(gen), u(gen), u(gen)});
  return p;
}

// ------------------------------------------------------------ normalisation

// Every row of the table (the seed's rows too, from the general formula) has
// ∫ρ = 1; for hydrogen and, every fifth row, for Z = 7.
TEST(Hydrogenic, EveryRowIsNormalised) {
  for (int Z : {1, 7}) {
    for (int n = 1; n <= 7; ++n) {
      const SphereRule rule(n, Z);
      for (int index = 0; index < wl::kOrbitalCount; ++index) {
        if (wl::OrbitalRowAt(index).n != n || (Z != 1 && index % 5 != 0)) continue;
        auto e = General(index, Z);
        double total = 0;
        for (size_t i = 0; i < rule.points.size(); ++i)
          total += rule.weights[i] * e->GetRealPDF(Sq(rule.points[i]));
        EXPECT_NEAR(total, 1.0, 1e-10) << Name(index) << " Z = " << Z;
      }
    }
  }
}

// ⟨a|b⟩ = δ_ab over every pair of single orbitals of a shell, among them
// orbitals of equal m and different l (orthogonal through the radial part) and
// equal l and different m (through the angular part).
TEST(Hydrogenic, ShellsAreOrthonormal) {
  for (int n : {3, 5, 7}) {
    const SphereRule rule(n);
    std::vector<int> rows;
    for (int index = 0; index < wl::kOrbitalCount; ++index) {
      const wl::OrbitalRow& row = wl::OrbitalRowAt(index);
      if (row.n == n && row.OrbType == wl::SingleOrb) rows.push_back(index);
    }
    ASSERT_EQ(rows.size(), static_cast<size_t>(n * n));
    std::vector<std::vector<double>> psi;
    for (int index : rows) {
      auto e = General(index);
      std::vector<double> v(rule.points.size());
      for (size_t i = 0; i < v.size(); ++i) v[i] = e->GetPsi(rule.points[i]);
      psi.push_back(std::move(v));
    }
    for (size_t a = 0; a < rows.size(); ++a) {
      for (size_t b = a; b < rows.size(); ++b) {
        double overlap = 0;
        for (size_t i = 0; i < rule.points.size(); ++i)
          overlap += rule.weights[i] * psi[a][i] * psi[b][i];
        EXPECT_NEAR(overlap, a == b ? 1.0 : 0.0, 1e-10) << Name(rows[a]) << " · " << Name(rows[b]);
      }
    }
  }
}

// ------------------------------------------------------------ against the exact forms

// The general formula equals the 40 closed forms: real densities (PDF and
// DRPDF), ψ and its sign, at scattered points of each default cube. Points
// where ψ² is below 1e-4 of the largest sample (beside nodes, where both
// forms lose digits to cancellation) are compared absolutely at that level.
TEST(Hydrogenic, EqualsTheExactFormsOfTheSeedRows) {
  for (int index = 0; index < wl::kSeedOrbitalCount; ++index) {
    auto exact = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
    auto general = General(index);
    const wl::OrbitalRow& row = wl::OrbitalRowAt(index);
    const auto points = CubePoints(row.DRPDFRadius, 400, 77u + static_cast<unsigned>(index));
    double top = 0, topDr = 0;
    for (const auto& p : points) {
      top = std::max(top, exact->GetRealPDF(Sq(p)));
      topDr = std::max(topDr, exact->GetRealDRPDF(Sq(p)));
    }
    int compared = 0;
    for (const auto& p : points) {
      const double a = exact->GetRealPDF(Sq(p)), b = general->GetRealPDF(Sq(p));
      const double floor = 1e-4 * top;
      EXPECT_LE(std::fabs(a - b), 1e-12 * std::max(a, floor)) << Name(index);
      const double ad = exact->GetRealDRPDF(Sq(p)), bd = general->GetRealDRPDF(Sq(p));
      EXPECT_LE(std::fabs(ad - bd), 1e-12 * std::max(ad, 1e-4 * topDr)) << Name(index);
      compared += a > floor;
      if (row.OrbType == wl::AverageOrbs) {
        EXPECT_TRUE(std::isnan(general->GetPsi(p)));
        EXPECT_EQ(general->GetPsiSign(p), 0);
        continue;
      }
      const double pa = exact->GetPsi(p), pb = general->GetPsi(p);
      EXPECT_LE(std::fabs(pa - pb), 1e-12 * std::max(std::fabs(pa), std::sqrt(floor)))
          << Name(index) << " at " << p.X << ", " << p.Y << ", " << p.Z;
      if (a > floor) {
        EXPECT_EQ(general->GetPsiSign(p), exact->GetPsiSign(p)) << Name(index);
      }
    }
    EXPECT_GT(compared, 100) << Name(index);
  }
}

// ψ_Z(r) = Z^(3/2) ψ_1(Z r): densities Z³ ρ_1(Z r), the radial weight in the
// unscaled distances, ψ with its sign. (Z r rounds differently from r scaled
// inside: a few 1e-12 apart, more beside nodes, hence the floor.)
TEST(Hydrogenic, ChargeScalesTheHydrogenOrbital) {
  for (int index : {1, 9, 28, 39, 41, 100, 149, 167}) {
    auto h = General(index);
    for (int Z : {2, 5, 10}) {
      auto ion = General(index, Z);
      const int n = wl::OrbitalRowAt(index).n;
      const auto points = CubePoints(2.0 * n * n / Z, 60, 5u + static_cast<unsigned>(Z));
      double top = 0;
      for (const auto& p : points) top = std::max(top, ion->GetRealPDF(Sq(p)));
      for (const auto& p : points) {
        const COORDdouble q{p.X * Z, p.Y * Z, p.Z * Z};
        const double want = Z * Z * Z * h->GetRealPDF(Sq(q));
        const double tolerance = 1e-11 * std::max(want, 1e-4 * top);
        EXPECT_NEAR(ion->GetRealPDF(Sq(p)), want, tolerance) << Name(index);
        const double weight = wl::OrbitalRowAt(index).OrbType == wl::AverageOrbs
                                  ? p.X * p.X + p.Y * p.Y + p.Z * p.Z
                                  : std::hypot(p.X, p.Y) * std::hypot(p.X, p.Y, p.Z);
        EXPECT_NEAR(ion->GetRealDRPDF(Sq(p)), want * weight, tolerance * weight) << Name(index);
        if (wl::OrbitalRowAt(index).OrbType == wl::SingleOrb) {
          const double psi = std::pow(Z, 1.5) * h->GetPsi(q);
          EXPECT_NEAR(ion->GetPsi(p), psi, 1e-11 * std::max(std::fabs(psi), std::sqrt(1e-4 * top)))
              << Name(index);
        }
      }
    }
  }
}

// ------------------------------------------------------------ complex orbitals

// For every (n, l, m > 0) up to n = 7: the real pair is (-1)^m √2 Re and Im of
// ψ_+m, ψ_-m = (-1)^m conj ψ_+m, so |ψ_±m|² = (ψ_cos² + ψ_sin²)/2; arg ψ_+m
// is mφ (+π for odd m, Condon–Shortley) where the rest R·P is positive.
TEST(Hydrogenic, ComplexOrbitalsAgreeWithTheirRealPairs) {
  for (int n = 2; n <= 7; ++n) {
    for (int l = 1; l < n; ++l) {
      for (int m = 1; m <= l; ++m) {
        auto plus = General(wl::IndexOfOrbital(n, l, m, false), 1, true);
        auto minus = General(wl::IndexOfOrbital(n, l, -m, false), 1, true);
        auto cosine = General(wl::IndexOfOrbital(n, l, m, false));
        auto sine = General(wl::IndexOfOrbital(n, l, -m, false));
        const std::string what = std::to_string(n) + " " + std::to_string(l) + " " + std::to_string(m);
        ASSERT_TRUE(plus->IsComplex());
        EXPECT_FALSE(cosine->IsComplex());
        const double cs = m % 2 ? -1.0 : 1.0;
        int phases = 0;
        for (const auto& p : CubePoints(3.0 * n * n, 40, static_cast<unsigned>(n * 100 + l * 10 + m))) {
          const std::complex<double> a = plus->GetPsiComplex(p), b = minus->GetPsiComplex(p);
          const double c = cosine->GetPsi(p), s = sine->GetPsi(p);
          const double size = std::hypot(c, s) + 1e-300;
          EXPECT_NEAR(cs * std::sqrt(2.0) * a.real(), c, 1e-12 * size) << what;
          EXPECT_NEAR(cs * std::sqrt(2.0) * a.imag(), s, 1e-12 * size) << what;
          EXPECT_NEAR(std::abs(b - cs * std::conj(a)), 0.0, 1e-12 * size) << what;
          const double rho = plus->GetRealPDF(Sq(p));
          EXPECT_NEAR(rho, (c * c + s * s) / 2, 1e-12 * rho) << what;
          EXPECT_NEAR(minus->GetRealPDF(Sq(p)), rho, 1e-12 * rho) << what;
          EXPECT_TRUE(std::isnan(plus->GetPsi(p)));
          EXPECT_EQ(plus->GetPsiSign(p), 0);
          // The rest R·P: ψ_+m e^(-imφ) (-1)^m is real; where positive, arg ψ = mφ.
          const double phi = std::atan2(p.Y, p.X);
          const double rest = (a * std::polar(cs, -m * phi)).real();
          if (std::fabs(rest) < 1e-9 * size) continue;
          const double want = rest > 0 ? m * phi + (m % 2 ? kPi : 0) : m * phi + (m % 2 ? 0 : kPi);
          EXPECT_NEAR(std::remainder(std::arg(a) - want, 2 * kPi), 0.0, 1e-9) << what;
          ++phases;
        }
        EXPECT_GT(phases, 20) << what;
      }
    }
  }
}

// ------------------------------------------------------------ sampler levels

// GetLevels equals the byte operations point by point (the vector kernel and
// the scalar path alike), saturates at 255 where the byte form overflows, and
// writes exactly n levels; for new rows, ions and complex orbitals.
TEST(Hydrogenic, LevelsEqualTheByteOperations) {
  struct Case {
    int index, Z;
    bool complex;
  };
  for (const Case c : {Case{40, 1, false}, Case{60, 1, false}, Case{99, 1, false},
                       Case{149, 1, false}, Case{167, 1, false}, Case{9, 3, false},
                       Case{130, 1, true}, Case{38, 10, false}}) {
    auto e = General(c.index, c.Z, c.complex);
    const wl::OrbitalRow& row = wl::OrbitalRowAt(c.index);
    for (wl::ViewMode mode : {wl::PDF, wl::DRPDF}) {
      const int count = 1001;
      const auto points = CubePoints((mode == wl::PDF ? row.PDFRadius : row.DRPDFRadius) / double(c.Z),
                                     count, 9u + static_cast<unsigned>(c.index));
      std::vector<double> xs, ys, zs, values;
      for (const auto& p : points) {
        xs.push_back(p.X * p.X);
        ys.push_back(p.Y * p.Y);
        zs.push_back(p.Z * p.Z);
        values.push_back(mode == wl::PDF ? e->GetNonScaledPDF(Sq(p)) : e->GetNonScaledDRPDF(Sq(p)));
      }
      std::vector<double> sorted = values;
      std::sort(sorted.begin(), sorted.end());
      for (double ref : {sorted.back(), sorted[count * 4 / 5]}) {
        const double scale = 255 / ref;
        mode == wl::PDF ? e->SetPDFScaleFactor(scale) : e->SetDRPDFScaleFactor(scale);
        std::vector<wl::Byte> out(count + 1, 77);
        e->GetLevels(mode, xs.data(), ys.data(), zs.data(), count, out.data());
        EXPECT_EQ(out[count], 77);
        int mismatches = 0;
        for (int i = 0; i < count; ++i) {
          int want = 255;
          if (values[i] * scale < 255.5)
            want = mode == wl::PDF ? e->GetPDF(Sq(points[i])) : e->GetDRPDF(Sq(points[i]));
          mismatches += out[i] != want;
        }
        EXPECT_EQ(mismatches, 0) << Name(c.index) << " Z = " << c.Z;
      }
    }
  }
}

// ------------------------------------------------------------ peaks and defaults

std::unique_ptr<wl::cOrbitalObject> Calculated(const wl::OrbitalSetup& s) {
  std::unique_ptr<wl::cOrbitalObject> o;
  if (s.OrbitalViewMode == wl::PDF)
    o = std::make_unique<wl::cOrbitalPDF>();
  else
    o = std::make_unique<wl::cOrbitalDRPDF>();
  o->Setup(s);
  return o;
}

wl::OrbitalSetup DefaultSetup(int index, wl::ViewMode view, int Z = 1, bool complex = false) {
  wl::OrbitalSetup s;
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.OrbitalViewMode = view;
  s.Charge = static_cast<wl::Integer>(Z);
  s.Complex = complex ? wl::kTrue : wl::kFalse;
  const wl::OrbInfo info = wl::InfoOf(s);
  s.AtomRadius = view == wl::PDF ? info.DefaultPDFAtomRadius : info.DefaultDRPDFAtomRadius;
  s.DotThreshold = static_cast<wl::Byte>(view == wl::PDF ? info.DefaultPDFDotThreshold
                                                          : info.DefaultDRPDFDotThreshold);
  s.DotTarget = 0;
  return s;
}

// The peak search finds the true peak (within 1e-3 of a brute-force search;
// the sampler's levels saturate otherwise), also for small inner lobes (6p,
// and 7d of N⁶⁺, in PDF), many lobes of nearly equal height (6h m = 0 in
// DRPDF) and an ion's small lobes (6h m = 1, Z = 3).
TEST(Hydrogenic, PeakSearchFindsThePeakOfNewOrbitals) {
  struct Case {
    int index;
    wl::ViewMode view;
    int Z;
    bool complex;
  };
  for (const Case c : {Case{68, wl::PDF, 1, false}, Case{105, wl::PDF, 7, false},
                       Case{95, wl::DRPDF, 1, false}, Case{96, wl::DRPDF, 3, false},
                       Case{95, wl::DRPDF, 1, true}, Case{136, wl::DRPDF, 10, false}}) {
    const wl::OrbitalSetup s = DefaultSetup(c.index, c.view, c.Z, c.complex);
    auto o = Calculated(s);
    auto e = General(c.index, c.Z, c.complex);
    auto density = [&](double x, double y, double z) {
      const COORDdoubleParams q{x * x, y * y, z * z};
      return c.view == wl::PDF ? e->GetNonScaledPDF(q) : e->GetNonScaledDRPDF(q);
    };
    // The sampling grid's best point, then a fine grid of ±1 cell around it.
    const double h = s.AtomRadius / 127.0;
    double top = 0, bx = 0, by = 0, bz = 0;
    for (int k = 0; k < 128; ++k)
      for (int j = 0; j < 128; ++j)
        for (int i = 0; i < 128; ++i) {
          const double v = density(i * h, j * h, k * h);
          if (v > top) top = v, bx = i * h, by = j * h, bz = k * h;
        }
    double fine = top;
    for (int k = -20; k <= 20; ++k)
      for (int j = -20; j <= 20; ++j)
        for (int i = -20; i <= 20; ++i)
          fine = std::max(fine, density(bx + i * h / 20, by + j * h / 20, bz + k * h / 20));
    EXPECT_NEAR(o->Peak() / fine, 1.0, 1e-3) << Name(c.index) << " Z = " << c.Z;
    EXPECT_LT(top * 255 / o->Peak(), 255.5) << Name(c.index) << " Z = " << c.Z;
  }
}

// The defaults of the new rows show the outermost shell of the cloud: at least
// a quarter of its probability lies in cells above the dot threshold, in both
// views (thresholds of 30 and 50 left 5d's, 6d's and 7p's outer shells in the
// PDF view without a dot).
TEST(Hydrogenic, DefaultsShowTheOuterShell) {
  for (int index : {44, 71, 104, 113, 121, 143, 95, 157}) {
    const wl::OrbitalRow& row = wl::OrbitalRowAt(index);
    const std::vector<double> nodes = wl::RadialNodes(row.n, row.l);
    const double inner = nodes.empty() ? 0 : nodes.back();
    const double shell = 1 - wl::CumulativeP(row.n, row.l, inner);
    for (wl::ViewMode view : {wl::PDF, wl::DRPDF}) {
      const wl::OrbitalSetup s = DefaultSetup(index, view);
      auto o = Calculated(s);
      auto e = General(index);
      const double h = s.AtomRadius / 127.0;
      double shown = 0;
      for (int k = 0; k < 128; ++k)
        for (int j = 0; j < 128; ++j)
          for (int i = 0; i < 128; ++i) {
            if (o->GridAt(i, j, k) <= s.DotThreshold) continue;
            const double x = i * h, y = j * h, z = k * h;
            if (std::sqrt(x * x + y * y + z * z) <= inner) continue;
            const double mirrors = (i ? 2 : 1) * (j ? 2 : 1) * (k ? 2 : 1);
            shown += e->GetRealPDF({x * x, y * y, z * z}) * h * h * h * mirrors;
          }
      EXPECT_GT(shown / shell, 0.25) << Name(index) << (view == wl::PDF ? " PDF" : " DRPDF")
                                     << " threshold " << int{s.DotThreshold};
    }
  }
}

}  // namespace
