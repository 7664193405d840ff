// The general hydrogen-like orbital: normalisation and orthogonality by
// quadrature, agreement with the 40 exact closed forms, the charge scaling,
// complex orbitals against their real pairs, the sampler's levels, the peak
// search and the defaults of the new rows.
#include "orbitals/Hydrogenic.h"

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
#include "orbitals/OrbitalCatalog.h"
#include "render/cOrbital.h"

namespace {

using wl::COORDdouble;
using wl::COORDdoubleParams;
constexpr double kPi = 3.14159265358979323846;

wl::OrbitalSetup SetupOf(int index, int Z = 1, bool complex = false, wl::ViewMode view = wl::PDF) {
  wl::OrbitalSetup s;
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.Charge = static_cast<wl::Integer>(Z);
  s.Complex = complex ? wl::kTrue : wl::kFalse;
  s.OrbitalViewMode = view;
  const wl::OrbInfo info = wl::InfoOf(s);  // the defaults of the view
  s.AtomRadius = view == wl::PDF ? info.DefaultPDFAtomRadius : info.DefaultDRPDFAtomRadius;
  s.DotThreshold = static_cast<wl::Byte>(view == wl::PDF ? info.DefaultPDFDotThreshold
                                                         : info.DefaultDRPDFDotThreshold);
  return s;
}

std::unique_ptr<wl::cElectron> General(int index, int Z = 1, bool complex = false) {
  auto e = wl::CreateHydrogenic(SetupOf(index, Z, complex));
  if (!e) ADD_FAILURE() << "no general orbital for row " << index;
  return e;
}

COORDdoubleParams Sq(const COORDdouble& p) {
  return {p.X * p.X, p.Y * p.Y, p.Z * p.Z};
}

std::string Name(int index) {
  return wl::ToUtf8(wl::OrbitalRowAt(index).Name) + " (row " + std::to_string(index) + ")";
}

std::vector<COORDdouble> CubePoints(double R, int count, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-R, R);
  std::vector<COORDdouble> p;
  for (int i = 0; i < count; ++i) p.push_back({u(gen), u(gen), u(gen)});
  return p;
}

// ⟨a|b⟩ = δ_ab over every pair of single orbitals of each shell n = 1 to 7
// (equal m and different l are orthogonal through the radial part, equal l
// through the angular part) and ∫ρ = 1 for the subshell averages. The product
// rule is exact for two harmonics of l <= 6: Gauss-Legendre in cos θ, the
// trapezoid rule in φ, Gauss-Legendre panels of width n along r out to 40n.
TEST(Hydrogenic, EveryShellIsOrthonormal) {
  const wltest::Rule polar = wltest::GaussLegendre(8), radial = wltest::GaussLegendre(16, 0, 1);
  for (int n = 1; n <= 7; ++n) {
    std::vector<COORDdouble> points;
    std::vector<double> weights;
    for (double a = 0; a < 40.0 * n; a += n)
      for (size_t i = 0; i < radial.x.size(); ++i)
        for (size_t j = 0; j < polar.x.size(); ++j)
          for (int k = 0; k < 14; ++k) {
            const double r = a + radial.x[i] * n, c = polar.x[j], s = std::sqrt(1 - c * c);
            points.push_back(
                {r * s * std::cos(2 * kPi * k / 14), r * s * std::sin(2 * kPi * k / 14), r * c});
            weights.push_back(radial.w[i] * n * r * r * polar.w[j] * 2 * kPi / 14);
          }
    std::vector<int> rows;
    std::vector<std::vector<double>> psi;
    for (int index = 0; index < wl::kOrbitalCount; ++index) {
      if (wl::OrbitalRowAt(index).n != n) continue;
      auto e = General(index);
      if (wl::OrbitalRowAt(index).OrbType == wl::AverageOrbs) {
        double total = 0;
        for (size_t i = 0; i < points.size(); ++i)
          total += weights[i] * e->GetRealPDF(Sq(points[i]));
        EXPECT_NEAR(total, 1.0, 1e-10) << Name(index);
        continue;
      }
      rows.push_back(index);
      psi.emplace_back(points.size());
      for (size_t i = 0; i < points.size(); ++i) psi.back()[i] = e->GetPsi(points[i]);
    }
    ASSERT_EQ(rows.size(), static_cast<size_t>(n * n));
    for (size_t a = 0; a < rows.size(); ++a)
      for (size_t b = a; b < rows.size(); ++b) {
        double overlap = 0;
        for (size_t i = 0; i < points.size(); ++i) overlap += weights[i] * psi[a][i] * psi[b][i];
        EXPECT_NEAR(overlap, a == b ? 1.0 : 0.0, 1e-10) << Name(rows[a]) << " · " << Name(rows[b]);
      }
  }
}

// The general formula equals the 40 closed forms: real densities (PDF and
// DRPDF), ψ and its sign, relatively to 1e-12 at scattered points of each
// default cube; beside nodes (ψ² below 1e-4 of the largest sample), where both
// forms lose digits to cancellation, absolutely at that level.
TEST(Hydrogenic, EqualsTheExactFormsOfTheSeedRows) {
  for (int index = 0; index < wl::kSeedOrbitalCount; ++index) {
    auto exact = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
    auto general = General(index);
    const auto points = CubePoints(wl::OrbitalRowAt(index).DRPDFRadius, 400, 77u + index);
    double top = 0, topDr = 0;
    for (const auto& p : points) {
      top = std::max(top, exact->GetRealPDF(Sq(p)));
      topDr = std::max(topDr, exact->GetRealDRPDF(Sq(p)));
    }
    int compared = 0;
    for (const auto& p : points) {
      const double a = exact->GetRealPDF(Sq(p)), ad = exact->GetRealDRPDF(Sq(p));
      EXPECT_LE(std::fabs(a - general->GetRealPDF(Sq(p))), 1e-12 * std::max(a, 1e-4 * top))
          << Name(index);
      EXPECT_LE(std::fabs(ad - general->GetRealDRPDF(Sq(p))), 1e-12 * std::max(ad, 1e-4 * topDr));
      const double pa = exact->GetPsi(p), pb = general->GetPsi(p);
      if (std::isnan(pa)) {
        EXPECT_TRUE(std::isnan(pb) && general->GetPsiSign(p) == 0) << Name(index);
      } else {
        EXPECT_LE(std::fabs(pa - pb), 1e-12 * std::max(std::fabs(pa), std::sqrt(1e-4 * top)))
            << Name(index);
        if (a > 1e-4 * top) {
          EXPECT_EQ(general->GetPsiSign(p), exact->GetPsiSign(p)) << Name(index);
        }
      }
      compared += a > 1e-4 * top;
    }
    EXPECT_GT(compared, 100) << Name(index);
  }
}

// ψ_Z(r) = Z^(3/2) ψ_1(Z r): densities Z³ ρ_1(Z r), the DRPDF weight in the
// unscaled distances, ψ with its sign. (Z r rounds differently from r scaled
// inside: a few 1e-12 apart, more beside nodes, hence the floor.)
TEST(Hydrogenic, ChargeScalesTheHydrogenOrbital) {
  for (int index : {1, 9, 28, 39, 41, 100, 149, 167}) {
    const bool single = wl::OrbitalRowAt(index).OrbType == wl::SingleOrb;
    const int n = wl::OrbitalRowAt(index).n;
    auto h = General(index);
    for (int Z : {2, 5, 10}) {
      auto ion = General(index, Z);
      const auto points = CubePoints(2.0 * n * n / Z, 60, 5u + Z);
      double top = 0;
      for (const auto& p : points) top = std::max(top, ion->GetRealPDF(Sq(p)));
      for (const auto& p : points) {
        const COORDdouble q{p.X * Z, p.Y * Z, p.Z * Z};
        const double want = Z * Z * Z * h->GetRealPDF(Sq(q)),
                     tolerance = 1e-11 * std::max(want, 1e-4 * top);
        const double weight = single ? std::hypot(p.X, p.Y) * std::hypot(p.X, p.Y, p.Z)
                                     : p.X * p.X + p.Y * p.Y + p.Z * p.Z;
        EXPECT_NEAR(ion->GetRealPDF(Sq(p)), want, tolerance) << Name(index);
        EXPECT_NEAR(ion->GetRealDRPDF(Sq(p)), want * weight, tolerance * weight) << Name(index);
        if (single) {  // |ψ| = √ρ: the tolerance's square root
          EXPECT_NEAR(ion->GetPsi(p), std::pow(Z, 1.5) * h->GetPsi(q),
                      std::sqrt(tolerance * 1e-11));
        }
      }
    }
  }
}

// For every (n, l, m > 0) to n = 7: the real pair is (-1)^m √2 Re and Im of
// ψ_+m and ψ_-m = (-1)^m conj ψ_+m (Condon–Shortley), so |ψ_±m|² equals
// (ψ_cos² + ψ_sin²)/2; arg ψ_+m is mφ (+π for odd m) where the rest R·P > 0.
TEST(Hydrogenic, ComplexOrbitalsAgreeWithTheirRealPairs) {
  for (int n = 2; n <= 7; ++n)
    for (int l = 1; l < n; ++l)
      for (int m = 1; m <= l; ++m) {
        auto plus = General(wl::IndexOfOrbital(n, l, m, false), 1, true);
        auto minus = General(wl::IndexOfOrbital(n, l, -m, false), 1, true);
        auto cosine = General(wl::IndexOfOrbital(n, l, m, false));
        auto sine = General(wl::IndexOfOrbital(n, l, -m, false));
        const std::string what =
            std::to_string(n) + " " + std::to_string(l) + " " + std::to_string(m);
        ASSERT_TRUE(plus->IsComplex() && !cosine->IsComplex());
        const double cs = m % 2 ? -1.0 : 1.0;
        int phases = 0;
        for (const auto& p : CubePoints(3.0 * n * n, 40, n * 100u + l * 10u + m)) {
          const std::complex<double> a = plus->GetPsiComplex(p), b = minus->GetPsiComplex(p);
          const double c = cosine->GetPsi(p), s = sine->GetPsi(p), size = std::hypot(c, s) + 1e-300;
          EXPECT_NEAR(cs * std::sqrt(2.0) * a.real(), c, 1e-12 * size) << what;
          EXPECT_NEAR(cs * std::sqrt(2.0) * a.imag(), s, 1e-12 * size) << what;
          EXPECT_NEAR(std::abs(b - cs * std::conj(a)), 0.0, 1e-12 * size) << what;
          const double rho = plus->GetRealPDF(Sq(p));
          EXPECT_NEAR(rho, (c * c + s * s) / 2, 1e-12 * rho) << what;
          EXPECT_NEAR(minus->GetRealPDF(Sq(p)), rho, 1e-12 * rho) << what;
          EXPECT_TRUE(std::isnan(plus->GetPsi(p)) && plus->GetPsiSign(p) == 0);
          const double phi = std::atan2(p.Y, p.X), rest = (a * std::polar(cs, -m * phi)).real();
          if (std::fabs(rest) < 1e-9 * size) continue;
          const double want = m * phi + ((rest > 0) == (m % 2 == 1) ? kPi : 0);
          EXPECT_NEAR(std::remainder(std::arg(a) - want, 2 * kPi), 0.0, 1e-9) << what;
          ++phases;
        }
        EXPECT_GT(phases, 20) << what;
      }
}

// GetLevels equals the byte operations point by point (the vector kernel and
// the scalar path alike), saturates at 255 where the byte form overflows, and
// writes exactly n levels; new rows, ions and a complex orbital.
TEST(Hydrogenic, LevelsEqualTheByteOperations) {
  for (auto [index, Z, complex] : {std::tuple{40, 1, false},
                                   {60, 1, false},
                                   {99, 1, false},
                                   {149, 1, false},
                                   {167, 1, false},
                                   {9, 3, false},
                                   {130, 1, true},
                                   {38, 10, false}}) {
    auto e = General(index, Z, complex);
    for (wl::ViewMode view : {wl::PDF, wl::DRPDF}) {
      const int count = 1001;
      const auto points =
          CubePoints(SetupOf(index, Z, complex, view).AtomRadius, count, 9u + index);
      std::vector<double> xs, ys, zs, values;
      for (const auto& p : points) {
        xs.push_back(p.X * p.X), ys.push_back(p.Y * p.Y), zs.push_back(p.Z * p.Z);
        values.push_back(view == wl::PDF ? e->GetNonScaledPDF(Sq(p)) : e->GetNonScaledDRPDF(Sq(p)));
      }
      std::vector<double> sorted = values;
      std::sort(sorted.begin(), sorted.end());
      for (double ref : {sorted.back(), sorted[count * 4 / 5]}) {
        const double scale = 255 / ref;
        view == wl::PDF ? e->SetPDFScaleFactor(scale) : e->SetDRPDFScaleFactor(scale);
        std::vector<wl::Byte> out(count + 1, 77);
        e->GetLevels(view, xs.data(), ys.data(), zs.data(), count, out.data());
        int mismatches = out[count] != 77;
        for (int i = 0; i < count; ++i) {
          const int want = values[i] * scale >= 255.5 ? 255
                           : view == wl::PDF          ? e->GetPDF(Sq(points[i]))
                                                      : e->GetDRPDF(Sq(points[i]));
          mismatches += out[i] != want;
        }
        EXPECT_EQ(mismatches, 0) << Name(index) << " Z = " << Z;
      }
    }
  }
}

// The orbital calculated at its defaults, without dots.
std::unique_ptr<wl::cOrbitalObject> Calculated(const wl::OrbitalSetup& s) {
  std::unique_ptr<wl::cOrbitalObject> o;
  if (s.OrbitalViewMode == wl::PDF)
    o = std::make_unique<wl::cOrbitalPDF>();
  else
    o = std::make_unique<wl::cOrbitalDRPDF>();
  o->Setup(s);
  return o;
}

// The peak search finds the true peak (within 1e-3 of the sampling grid's best
// point refined on a fine grid; the sampler's levels saturate otherwise), also
// for small inner lobes (6p, and 7d of N⁶⁺, in PDF), many lobes of nearly
// equal height (6h m = 0 in DRPDF) and an ion's small lobes (6h m = 1, Z = 3).
TEST(Hydrogenic, PeakSearchFindsThePeakOfNewOrbitals) {
  for (auto [index, view, Z, complex] : {std::tuple{68, wl::PDF, 1, false},
                                         {105, wl::PDF, 7, false},
                                         {95, wl::DRPDF, 1, false},
                                         {96, wl::DRPDF, 3, false},
                                         {95, wl::DRPDF, 1, true},
                                         {136, wl::DRPDF, 10, false}}) {
    const wl::OrbitalSetup s = SetupOf(index, Z, complex, view);
    auto o = Calculated(s);
    auto e = General(index, Z, complex);
    auto density = [&, view = view](double x, double y, double z) {
      const COORDdoubleParams q{x * x, y * y, z * z};
      return view == wl::PDF ? e->GetNonScaledPDF(q) : e->GetNonScaledDRPDF(q);
    };
    const double h = s.AtomRadius / 127.0;
    double top = 0, bx = 0, by = 0, bz = 0;
    for (int k = 0; k < 128; ++k)
      for (int j = 0; j < 128; ++j)
        for (int i = 0; i < 128; ++i)
          if (const double v = density(i * h, j * h, k * h); v > top)
            top = v, bx = i * h, by = j * h, bz = k * h;
    double fine = top;
    for (int k = -20; k <= 20; ++k)
      for (int j = -20; j <= 20; ++j)
        for (int i = -20; i <= 20; ++i)
          fine = std::max(fine, density(bx + i * h / 20, by + j * h / 20, bz + k * h / 20));
    EXPECT_NEAR(o->Peak() / fine, 1.0, 1e-3) << Name(index) << " Z = " << Z;
    EXPECT_LT(top * 255 / o->Peak(), 255.5) << Name(index) << " Z = " << Z;
  }
}

// The defaults of the new rows show the outermost shell of the cloud: over a
// quarter of its probability lies in cells above the dot threshold, in both
// views (thresholds of 30 and 50 left the outer shells of 5d, 6d and 7p in
// the PDF view without a dot).
TEST(Hydrogenic, DefaultsShowTheOuterShell) {
  for (int index : {44, 71, 104, 113, 121, 143, 95, 157}) {
    const wl::OrbitalRow& row = wl::OrbitalRowAt(index);
    const std::vector<double> nodes = wl::RadialNodes(row.n, row.l);
    const double inner = nodes.empty() ? 0 : nodes.back();
    const double shell = 1 - wl::CumulativeP(row.n, row.l, inner);
    auto e = General(index);
    for (wl::ViewMode view : {wl::PDF, wl::DRPDF}) {
      const wl::OrbitalSetup s = SetupOf(index, 1, false, view);
      auto o = Calculated(s);
      const double h = s.AtomRadius / 127.0;
      double shown = 0;
      for (int k = 0; k < 128; ++k)
        for (int j = 0; j < 128; ++j)
          for (int i = 0; i < 128; ++i) {
            const double x = i * h, y = j * h, z = k * h;
            if (o->GridAt(i, j, k) <= s.DotThreshold || std::sqrt(x * x + y * y + z * z) <= inner)
              continue;
            shown += e->GetRealPDF({x * x, y * y, z * z}) * h * h * h * (i ? 2 : 1) * (j ? 2 : 1) *
                     (k ? 2 : 1);
          }
      EXPECT_GT(shown / shell, 0.25) << Name(index) << " threshold " << int{s.DotThreshold};
    }
  }
}

}  // namespace
