// The 40 wave functions: their table rows, the factory, special points of the
// densities (nucleus, z axis, radial nodes), the byte conversion of scaled
// densities and the sampler's level kernel.
#include "orbitals/WaveFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ErrorNumber.h"
#include "ExpectedOrbitals.h"
#include "core/Utf8.h"
#include "core/cWL.h"
#include "core/modOrbitals.h"

namespace {

using wl::cElectron;
using wl::COORDdoubleParams;
using wltest::ErrorNumberOf;
using wltest::kExpectedOrbitals;

constexpr int kOverflow = 6;

COORDdoubleParams Sq(double x, double y, double z) {
  return {x * x, y * y, z * z};
}

std::unique_ptr<cElectron> Make(int index) {
  auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
  if (!e) ADD_FAILURE() << "no wave function for index " << index;
  return e;
}

bool IsAverage(int index) {
  return std::string(kExpectedOrbitals[index].type) == "AverageOrbs";
}

// The published numeric values of the enumerations.
const std::map<std::string, int> kEnumValue = {
    {"SingleOrb", 0}, {"AverageOrbs", 1}, {"F8", 0},  {"F16xy", 1},
    {"F16yz", 2},     {"F16xz", 3},       {"F32", 4},
};

void ExpectRow(const wl::OrbInfo& info, const wltest::ExpectedOrbital& row) {
  SCOPED_TRACE("orbital " + std::to_string(row.index) + " " + row.name);
  EXPECT_EQ(wl::ToUtf8(info.Name), row.name);
  EXPECT_EQ(info.n, row.n);
  EXPECT_EQ(info.l, row.l);
  EXPECT_EQ(info.M, row.M);
  EXPECT_EQ(static_cast<int>(info.OrbType), kEnumValue.at(row.type));
  EXPECT_EQ(info.DefaultPDFAtomRadius, row.pdfRadius);
  EXPECT_EQ(info.DefaultPDFDotThreshold, row.pdfThreshold);
  EXPECT_EQ(static_cast<int>(info.PDFOptFactor), kEnumValue.at(row.pdfFactor));
  EXPECT_EQ(info.DefaultDRPDFAtomRadius, row.drpdfRadius);
  EXPECT_EQ(info.DefaultDRPDFDotThreshold, row.drpdfThreshold);
  EXPECT_EQ(static_cast<int>(info.DRPDFOptFactor), kEnumValue.at(row.drpdfFactor));
}

// ---------------------------------------------------------------- table rows

TEST(OrbitalInfo, EveryRowMatchesTheTable) {
  for (const auto& row : kExpectedOrbitals) {
    auto e = Make(row.index);
    ASSERT_TRUE(e);
    ExpectRow(e->GetInfo(), row);
  }
}

TEST(OrbitalInfo, EnumOrbitalsListsTheSameRowsInIndexOrder) {
  wl::cWL engine;
  const auto table = engine.EnumOrbitals();
  ASSERT_EQ(table.size(), 168u);
  for (const auto& row : kExpectedOrbitals) ExpectRow(table[row.index], row);
  EXPECT_EQ(engine.HighestN(), 7);
}

TEST(OrbitalInfo, SuperscriptNamesAndAveragedSubshells) {
  const wl::OrbInfo f = Make(26)->GetInfo();
  EXPECT_EQ(f.Name, u"4Fz(x\u00b2-y\u00b2)");
  EXPECT_EQ(f.M, 2);
  EXPECT_EQ(f.OrbType, wl::SingleOrb);
  const wl::OrbInfo p = Make(32)->GetInfo();
  EXPECT_EQ(p.Name, u"2P");
  EXPECT_EQ(p.OrbType, wl::AverageOrbs);
  EXPECT_EQ(Make(23)->GetInfo().Name, u"4Fz\u00b3");
  // Averaged S subshells share the name of the single S orbital.
  EXPECT_EQ(Make(30)->GetInfo().Name, Make(0)->GetInfo().Name);
  EXPECT_NE(Make(30)->GetInfo().OrbType, Make(0)->GetInfo().OrbType);
}

// ------------------------------------------------------------------- factory

TEST(CreateElectron, MakesTheClassOfTheIndex) {
  EXPECT_NE(dynamic_cast<wl::orb4Fx2z_y2z*>(Make(26).get()), nullptr);
  EXPECT_NE(dynamic_cast<wl::orb1S*>(Make(0).get()), nullptr);
  EXPECT_NE(dynamic_cast<wl::orb4F3x2y_y3*>(Make(29).get()), nullptr);
  EXPECT_NE(dynamic_cast<wl::orbAv1S*>(Make(30).get()), nullptr);
  EXPECT_NE(dynamic_cast<wl::orbAv4F*>(Make(39).get()), nullptr);
}

TEST(CreateElectron, NoObjectOutsideTheTable) {
  for (int index : {-32768, -1, 168, 169, 32767}) {
    EXPECT_EQ(wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index)), nullptr) << index;
  }
}

TEST(CreateElectron, NewObjectsHaveNoScaleAndGiveLevelZero) {
  const std::vector<COORDdoubleParams> points = {Sq(0, 0, 0),        Sq(1, 0, 0),
                                                 Sq(0.3, -0.7, 1.1), Sq(2.5, 3.5, -4.5),
                                                 Sq(0, 0, 7),        Sq(15, -9, 20)};
  for (int i = 0; i < 40; ++i) {
    auto e = Make(i);
    EXPECT_EQ(e->PDFScaleFactor(), 0.0);
    EXPECT_EQ(e->DRPDFScaleFactor(), 0.0);
    for (const auto& c : points) {
      EXPECT_EQ(e->GetPDF(c), 0) << "orbital " << i;
      EXPECT_EQ(e->GetDRPDF(c), 0) << "orbital " << i;
    }
  }
}

// ------------------------------------------------------------ special points

TEST(Densities, AtTheNucleus) {
  const COORDdoubleParams nucleus{0, 0, 0};
  for (const auto& row : kExpectedOrbitals) {
    auto e = Make(row.index);
    SCOPED_TRACE(row.index);
    EXPECT_EQ(e->GetNonScaledDRPDF(nucleus), 0.0);
    EXPECT_EQ(e->GetRealDRPDF(nucleus), 0.0);
    if (row.l > 0) {
      EXPECT_EQ(e->GetNonScaledPDF(nucleus), 0.0);
      EXPECT_EQ(e->GetRealPDF(nucleus), 0.0);
    } else {
      EXPECT_GT(e->GetRealPDF(nucleus), 0.0);
    }
  }
  for (int i : {0, 30}) {
    auto e = Make(i);
    EXPECT_EQ(e->GetNonScaledPDF(nucleus), 1.0);
    EXPECT_DOUBLE_EQ(e->GetRealPDF(nucleus), 0.318309886183791);
  }
  // The S polynomials at r = 0: (0 - 2)², 6², (0 - 24 · 8)².
  EXPECT_EQ(Make(1)->GetNonScaledPDF(nucleus), 4.0);
  EXPECT_EQ(Make(5)->GetNonScaledPDF(nucleus), 36.0);
  EXPECT_EQ(Make(14)->GetNonScaledPDF(nucleus), 36864.0);
}

// On the z axis the volume weight of single orbitals (r² sin θ) vanishes; the
// radial weight of averaged subshells does not, away from the radial nodes.
TEST(Densities, DRPDFOnTheZAxis) {
  for (const auto& row : kExpectedOrbitals) {
    auto e = Make(row.index);
    for (double z : {0.5, 1.7, 3.3, 9.1, 21.0}) {
      const COORDdoubleParams c = Sq(0, 0, z);
      if (IsAverage(row.index)) {
        EXPECT_GT(e->GetNonScaledDRPDF(c), 0.0) << row.index << " z=" << z;
        EXPECT_GT(e->GetRealDRPDF(c), 0.0) << row.index << " z=" << z;
      } else {
        EXPECT_EQ(e->GetNonScaledDRPDF(c), 0.0) << row.index << " z=" << z;
        EXPECT_EQ(e->GetRealDRPDF(c), 0.0) << row.index << " z=" << z;
      }
    }
  }
  // Radial nodes of averaged subshells on the axis.
  EXPECT_EQ(Make(31)->GetNonScaledDRPDF(Sq(0, 0, 2)), 0.0);
  EXPECT_EQ(Make(34)->GetNonScaledDRPDF(Sq(0, 0, 6)), 0.0);
  EXPECT_EQ(Make(38)->GetNonScaledDRPDF(Sq(0, 0, 12)), 0.0);
}

// Points with r² summing exactly to the node's radius squared.
TEST(Densities, RadialNodesAreExactZeros) {
  struct Node {
    int index;
    std::vector<COORDdoubleParams> at;
    double r;
  };
  const std::vector<Node> nodes = {
      {1, {{4, 0, 0}, {0, 0, 4}, {1, 1, 2}}, 2},       // 2S
      {31, {{4, 0, 0}, {1, 2, 1}}, 2},                 // averaged 2S
      {6, {{36, 0, 0}, {16, 4, 16}, {4, 16, 16}}, 6},  // 3Px
      {34, {{16, 4, 16}}, 6},                          // averaged 3P
      {20, {{64, 64, 16}}, 12},                        // 4Dxy
  };
  for (const auto& node : nodes) {
    auto e = Make(node.index);
    e->SetPDFScaleFactor(1e6);
    e->SetDRPDFScaleFactor(1e6);
    for (const auto& c : node.at) {
      SCOPED_TRACE("orbital " + std::to_string(node.index));
      EXPECT_EQ(e->GetNonScaledPDF(c), 0.0);
      EXPECT_EQ(e->GetRealPDF(c), 0.0);
      EXPECT_EQ(e->GetPDF(c), 0);
      EXPECT_EQ(e->GetNonScaledDRPDF(c), 0.0);
      EXPECT_EQ(e->GetRealDRPDF(c), 0.0);
      EXPECT_EQ(e->GetDRPDF(c), 0);
      // Just off the node, along the same direction, the density is back.
      const double r2 = c.Xs + c.Ys + c.Zs;
      for (double f : {0.99, 1.01}) {
        const COORDdoubleParams off{c.Xs * f * f, c.Ys * f * f, c.Zs * f * f};
        EXPECT_GT(e->GetNonScaledPDF(off), 0.0) << "r=" << std::sqrt(r2) * f;
      }
    }
  }
}

// ------------------------------------------------------- byte overflow edge

int LevelOrError(cElectron& e, wl::ViewMode mode, const COORDdoubleParams& c) {
  int level = -1;
  const int error = ErrorNumberOf([&] { level = mode == wl::PDF ? e.GetPDF(c) : e.GetDRPDF(c); });
  return error ? -error : level;
}

// With the scale set to 255 / ρ(p), p itself reads 255; a point with a
// density 0.2 % higher scales to 255.5 or more and overflows, one 0.1 %
// higher still rounds to 255. 1S falls off as e^(-2r), so 0.001 closer to
// the nucleus is 0.2 % more.
TEST(ByteLevels, OverflowAboveThePeakThatSetTheScale) {
  auto e = Make(0);
  const COORDdoubleParams p = Sq(1, 0, 0);
  e->SetPDFScaleFactor(255 / e->GetNonScaledPDF(p));
  EXPECT_EQ(LevelOrError(*e, wl::PDF, p), 255);
  EXPECT_EQ(LevelOrError(*e, wl::PDF, Sq(0.9995, 0, 0)), 255);
  EXPECT_EQ(LevelOrError(*e, wl::PDF, Sq(0.999, 0, 0)), -kOverflow);
  EXPECT_EQ(LevelOrError(*e, wl::PDF, Sq(0, 0, 0)), -kOverflow);
  // Half a Bohr radius farther out the level is 255 / e.
  EXPECT_EQ(LevelOrError(*e, wl::PDF, Sq(1.5, 0, 0)), std::lround(255 * std::exp(-1.0)));

  // The DRPDF of 1S in the x-y plane is r² e^(-2r), falling at r = 2 by about 1/r.
  const COORDdoubleParams q = Sq(0, 2, 0);
  e->SetDRPDFScaleFactor(255 / e->GetNonScaledDRPDF(q));
  EXPECT_EQ(LevelOrError(*e, wl::DRPDF, q), 255);
  EXPECT_EQ(LevelOrError(*e, wl::DRPDF, Sq(0, 1.999, 0)), 255);
  EXPECT_EQ(LevelOrError(*e, wl::DRPDF, Sq(0, 1.9975, 0)), -kOverflow);
}

// The same edge for every orbital, by moving the scale instead of the point.
TEST(ByteLevels, ScaledValueOf255Point5OverflowsForEveryOrbital) {
  const COORDdoubleParams p = Sq(0.9, -1.3, 1.7);
  for (int i = 0; i < 40; ++i) {
    auto e = Make(i);
    for (wl::ViewMode mode : {wl::PDF, wl::DRPDF}) {
      const double v = mode == wl::PDF ? e->GetNonScaledPDF(p) : e->GetNonScaledDRPDF(p);
      ASSERT_GT(v, 0.0) << i;
      auto set = [&](double s) {
        mode == wl::PDF ? e->SetPDFScaleFactor(s) : e->SetDRPDFScaleFactor(s);
      };
      SCOPED_TRACE("orbital " + std::to_string(i) + (mode == wl::PDF ? " PDF" : " DRPDF"));
      set(255 / v);
      EXPECT_EQ(LevelOrError(*e, mode, p), 255);
      set(255.49 / v);
      EXPECT_EQ(LevelOrError(*e, mode, p), 255);
      set(255.5 * (1 + 1e-12) / v);
      EXPECT_EQ(LevelOrError(*e, mode, p), -kOverflow);
      set(254.5 * (1 - 1e-12) / v);
      EXPECT_EQ(LevelOrError(*e, mode, p), 254);
      set(0.49 / v);
      EXPECT_EQ(LevelOrError(*e, mode, p), 0);
    }
  }
}

// ------------------------------------------------------------- level kernel

// What GetLevels must give at one point: the byte operation's level, or 255
// where the byte operation overflows.
int ExpectedLevel(cElectron& e, wl::ViewMode mode, const COORDdoubleParams& c) {
  const int level = LevelOrError(e, mode, c);
  if (level == -kOverflow) return 255;
  EXPECT_GE(level, 0) << "unexpected error " << -level;
  return level;
}

struct PointSet {
  std::vector<double> xs, ys, zs;
  COORDdoubleParams at(size_t i) const { return {xs[i], ys[i], zs[i]}; }
  void add(double x, double y, double z) {
    xs.push_back(x * x);
    ys.push_back(y * y);
    zs.push_back(z * z);
  }
};

// Random points in the orbital's default cube, plus the nucleus and axis points.
PointSet CubePoints(double radius, int count, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-radius, radius);
  PointSet p;
  p.add(0, 0, 0);
  p.add(0, 0, radius / 3);
  p.add(radius / 5, 0, 0);
  while (static_cast<int>(p.xs.size()) < count) p.add(u(gen), u(gen), u(gen));
  return p;
}

TEST(GetLevels, EqualsTheByteOperationsAndSaturates) {
  constexpr int kCount = 2003;  // not a multiple of the vector width
  for (const auto& row : kExpectedOrbitals) {
    auto e = Make(row.index);
    for (wl::ViewMode mode : {wl::PDF, wl::DRPDF}) {
      const int radius = mode == wl::PDF ? row.pdfRadius : row.drpdfRadius;
      const PointSet pts = CubePoints(radius, kCount, 1000 + row.index);
      std::vector<double> values;
      for (size_t i = 0; i < pts.xs.size(); ++i) {
        const auto c = pts.at(i);
        values.push_back(mode == wl::PDF ? e->GetNonScaledPDF(c) : e->GetNonScaledDRPDF(c));
      }
      std::sort(values.begin(), values.end());
      ASSERT_GT(values.back(), 0.0);
      // The sampler's scale (the peak reads 255), and one that pushes the top
      // fifth of the cloud past 255.
      for (double ref : {values.back(), values[values.size() * 4 / 5]}) {
        const bool saturating = ref < values.back();
        const double scale = 255 / ref;
        mode == wl::PDF ? e->SetPDFScaleFactor(scale) : e->SetDRPDFScaleFactor(scale);
        std::vector<wl::Byte> out(kCount, 77);
        e->GetLevels(mode, pts.xs.data(), pts.ys.data(), pts.zs.data(), kCount, out.data());
        int mismatches = 0, saturated = 0;
        for (int i = 0; i < kCount; ++i) {
          const int want = ExpectedLevel(*e, mode, pts.at(i));
          if (out[i] != want && ++mismatches <= 3) {
            ADD_FAILURE() << "orbital " << row.index << (mode == wl::PDF ? " PDF" : " DRPDF")
                          << " point " << i << ": GetLevels " << int(out[i]) << ", byte " << want;
          }
          saturated += want == 255;
        }
        EXPECT_EQ(mismatches, 0);
        if (saturating) {
          EXPECT_GT(saturated, kCount / 10) << "orbital " << row.index;
        }
      }
    }
  }
}

// Scaled values that are exact ties (k + 0.5) in the scalar evaluation round
// to the even level there; the kernel must round them the same way.
TEST(GetLevels, EqualsTheByteOperationsAtExactTies) {
  for (const auto& row : kExpectedOrbitals) {
    auto e = Make(row.index);
    for (wl::ViewMode mode : {wl::PDF, wl::DRPDF}) {
      const PointSet pts = CubePoints(row.pdfRadius, 200, 2000 + row.index);
      int ties = 0, mismatches = 0;
      for (size_t i = 3; i < pts.xs.size(); ++i) {
        const auto c = pts.at(i);
        const double v = mode == wl::PDF ? e->GetNonScaledPDF(c) : e->GetNonScaledDRPDF(c);
        if (!(v > 0)) continue;
        const double target = static_cast<double>(i * 37 % 255) + 0.5;
        double scale = target / v;
        for (int step = 0; step < 8 && v * scale != target; ++step) {
          scale = std::nextafter(scale, v * scale < target ? HUGE_VAL : 0.0);
        }
        if (v * scale != target) continue;
        ++ties;
        mode == wl::PDF ? e->SetPDFScaleFactor(scale) : e->SetDRPDFScaleFactor(scale);
        wl::Byte out = 0;
        e->GetLevels(mode, &c.Xs, &c.Ys, &c.Zs, 1, &out);
        const int want = ExpectedLevel(*e, mode, c);
        EXPECT_EQ(want % 2, 0);
        if (out != want && ++mismatches <= 3) {
          ADD_FAILURE() << "orbital " << row.index << (mode == wl::PDF ? " PDF" : " DRPDF")
                        << " tie " << target << ": GetLevels " << int(out) << ", byte " << want;
        }
      }
      EXPECT_EQ(mismatches, 0) << "orbital " << row.index;
      EXPECT_GT(ties, 100) << "orbital " << row.index;
    }
  }
}

TEST(GetLevels, WritesExactlyTheRequestedCount) {
  auto e = Make(8);
  const PointSet pts = CubePoints(18, 9, 7);
  e->SetPDFScaleFactor(1e3);
  for (int n = 0; n <= 9; ++n) {
    std::vector<wl::Byte> out(10, 201);
    e->GetLevels(wl::PDF, pts.xs.data(), pts.ys.data(), pts.zs.data(), n, out.data());
    for (int i = 0; i < n; ++i) EXPECT_EQ(out[i], ExpectedLevel(*e, wl::PDF, pts.at(i))) << n;
    for (int i = n; i < 10; ++i) EXPECT_EQ(out[i], 201) << "written past " << n;
  }
}

}  // namespace
