// The signed wave function of the 30 single orbitals: its sign against the
// textbook polynomials (written out here independently of the engine's
// tables), its square against the density, and no sign for subshell averages.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Utf8.h"
#include "core/modOrbitals.h"
#include "orbitals/cElectron.h"

namespace {

using wl::COORDdouble;

// A textbook real orbital: the Cartesian angular polynomial with a positive
// factor times the radial polynomial (in r/a₀, Z = 1) that is 1 at the nucleus,
// and the radii of the radial nodes.
struct Textbook {
  const char* name;
  std::function<double(double, double, double)> angular;
  std::function<double(double)> radial;
  std::vector<double> nodes;
};

double R2(double x, double y, double z) {
  return x * x + y * y + z * z;
}

double One(double) {
  return 1;
}

const std::vector<Textbook>& Orbitals() {
  const double s3 = std::sqrt(3.0), s5 = std::sqrt(5.0);
  auto R2s = [](double r) { return 1 - r / 2; };
  auto R3s = [](double r) { return 1 - 2 * r / 3 + 2 * r * r / 27; };
  auto R3p = [](double r) { return 1 - r / 6; };
  auto R4s = [](double r) { return 1 - 3 * r / 4 + r * r / 8 - r * r * r / 192; };
  auto R4p = [](double r) { return 1 - r / 4 + r * r / 80; };
  auto R4d = [](double r) { return 1 - r / 12; };
  auto s = [](double, double, double) { return 1.0; };
  auto px = [](double x, double, double) { return x; };
  auto py = [](double, double y, double) { return y; };
  auto pz = [](double, double, double z) { return z; };
  auto dz2 = [](double x, double y, double z) { return 3 * z * z - R2(x, y, z); };
  auto dx2y2 = [](double x, double y, double) { return x * x - y * y; };
  auto dxy = [](double x, double y, double) { return x * y; };
  auto dxz = [](double x, double, double z) { return x * z; };
  auto dyz = [](double, double y, double z) { return y * z; };
  auto fz3 = [](double x, double y, double z) { return z * (5 * z * z - 3 * R2(x, y, z)); };
  auto fxz2 = [](double x, double y, double z) { return x * (5 * z * z - R2(x, y, z)); };
  auto fyz2 = [](double x, double y, double z) { return y * (5 * z * z - R2(x, y, z)); };
  // The 4s nodes: the roots of r³ - 24r² + 144r - 192.
  const std::vector<double> n4s{1.871644, 6.610707, 15.517649};
  static const std::vector<Textbook> table{
      {"1S", s, One, {}},
      {"2S", s, R2s, {2}},
      {"2Px", px, One, {}},
      {"2Py", py, One, {}},
      {"2Pz", pz, One, {}},
      {"3S", s, R3s, {(9 - 3 * s3) / 2, (9 + 3 * s3) / 2}},
      {"3Px", px, R3p, {6}},
      {"3Py", py, R3p, {6}},
      {"3Pz", pz, R3p, {6}},
      {"3Dz²", dz2, One, {}},
      {"3Dx²-y²", dx2y2, One, {}},
      {"3Dxy", dxy, One, {}},
      {"3Dxz", dxz, One, {}},
      {"3Dyz", dyz, One, {}},
      {"4S", s, R4s, n4s},
      {"4Px", px, R4p, {10 - 2 * s5, 10 + 2 * s5}},
      {"4Py", py, R4p, {10 - 2 * s5, 10 + 2 * s5}},
      {"4Pz", pz, R4p, {10 - 2 * s5, 10 + 2 * s5}},
      {"4Dz²", dz2, R4d, {12}},
      {"4Dx²-y²", dx2y2, R4d, {12}},
      {"4Dxy", dxy, R4d, {12}},
      {"4Dxz", dxz, R4d, {12}},
      {"4Dyz", dyz, R4d, {12}},
      {"4Fz³", fz3, One, {}},
      {"4Fxz²", fxz2, One, {}},
      {"4Fyz²", fyz2, One, {}},
      {"4Fz(x²-y²)", [](double x, double y, double z) { return z * (x * x - y * y); }, One, {}},
      {"4Fxyz", [](double x, double y, double z) { return x * y * z; }, One, {}},
      {"4Fx(x²-3y²)", [](double x, double y, double) { return x * (x * x - 3 * y * y); }, One, {}},
      {"4Fy(3x²-y²)", [](double x, double y, double) { return y * (3 * x * x - y * y); }, One, {}},
  };
  return table;
}

std::unique_ptr<wl::cElectron> Make(int index) {
  return wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
}

int SignOf(double v) {
  return (v > 0) - (v < 0);
}

// Unit directions with a component of at least 0.15 along each axis, in the
// octant given by the signs (sx, sy, sz).
std::vector<COORDdouble> Directions(std::mt19937& rng, int sx, int sy, int sz, int count) {
  std::uniform_real_distribution<double> u(0.15, 1.0);
  std::vector<COORDdouble> out;
  for (int i = 0; i < count; ++i) {
    const double x = u(rng), y = u(rng), z = u(rng);
    const double n = std::sqrt(x * x + y * y + z * z);
    out.push_back({sx * x / n, sy * y / n, sz * z / n});
  }
  return out;
}

TEST(SignedWaveFunction, SignsFollowTheTextbookPolynomialsInEveryOctantAndAcrossRadialNodes) {
  std::mt19937 rng(17);
  for (int index = 0; index < 30; ++index) {
    const Textbook& t = Orbitals()[index];
    auto e = Make(index);
    ASSERT_TRUE(e);
    ASSERT_EQ(wl::ToUtf8(e->GetInfo().Name), t.name) << "index " << index;
    SCOPED_TRACE(t.name);
    std::vector<double> radii{0.05, 0.7, 3.3, 25};
    for (double node : t.nodes) {
      radii.push_back(node * 0.97);
      radii.push_back(node * 1.03);
    }
    int checked = 0;
    for (int octant = 0; octant < 8; ++octant) {
      const int sx = octant & 1 ? -1 : 1, sy = octant & 2 ? -1 : 1, sz = octant & 4 ? -1 : 1;
      for (const COORDdouble& d : Directions(rng, sx, sy, sz, 3)) {
        for (double r : radii) {
          const COORDdouble p{d.X * r, d.Y * r, d.Z * r};
          const double ang = t.angular(d.X, d.Y, d.Z);  // on the unit sphere
          if (std::abs(ang) < 1e-3) continue;           // too near an angular node to judge
          const int want = SignOf(ang * t.radial(r));
          ASSERT_NE(want, 0);
          const double psi = e->GetPsi(p);
          EXPECT_EQ(SignOf(psi), want) << "at (" << p.X << ", " << p.Y << ", " << p.Z << ")";
          EXPECT_EQ(e->GetPsiSign(p), want) << "at (" << p.X << ", " << p.Y << ", " << p.Z << ")";
          ++checked;
        }
      }
    }
    EXPECT_GT(checked, 8 * 3 * static_cast<int>(radii.size()) / 2);
  }
}

TEST(SignedWaveFunction, SquareEqualsTheRealDensityAndAveragesHaveNoSign) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> c(-30, 30);
  std::vector<COORDdouble> points{{0, 0, 0}, {0, 0, 1}, {1e-3, -2e-3, 0}, {-3, 4, -5}};
  for (int i = 0; i < 400; ++i) points.push_back({c(rng), c(rng), c(rng) / 3});
  for (int index = 0; index < 40; ++index) {
    auto e = Make(index);
    ASSERT_TRUE(e);
    SCOPED_TRACE("orbital " + std::to_string(index));
    const bool single = e->GetInfo().OrbType == wl::SingleOrb;
    for (const COORDdouble& p : points) {
      const double psi = e->GetPsi(p);
      if (!single) {
        EXPECT_TRUE(std::isnan(psi));
        EXPECT_EQ(e->GetPsiSign(p), 0);
        continue;
      }
      const double rho = e->GetRealPDF({p.X * p.X, p.Y * p.Y, p.Z * p.Z});
      EXPECT_NEAR(psi * psi, rho, 1e-12 * rho)
          << "at (" << p.X << ", " << p.Y << ", " << p.Z << ")";
    }
  }
  // ψ itself, not only its square: 1s at the nucleus is 1/√π.
  EXPECT_NEAR(Make(0)->GetPsi({0, 0, 0}), 1 / std::sqrt(std::acos(-1.0)), 1e-14);
}

}  // namespace
