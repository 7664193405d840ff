// Hybrid orbitals and custom combinations: normalisation and orthogonality by
// numeric integration, the direction each member points, refusals through the
// collection, and the whole-cube grid, dots, slices and shares they are drawn from.
#include "orbitals/Hybrids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "ErrorNumber.h"
#include "Quadrature.h"
#include "RenderTestSupport.h"
#include "analysis/Shares.h"
#include "analysis/SurfaceLevel.h"
#include "core/Platform.h"
#include "core/Utf8.h"
#include "core/cOrbitalCol.h"
#include "core/modOrbitals.h"
#include "orbitals/OrbitalCatalog.h"
#include "render/DotFill.h"
#include "render/ProbabilitySampler.h"

namespace {

using namespace wl;

OrbitalSetup Hybrid(HybridSet set, int member, int shell) {
  OrbitalSetup s;
  s.Hybrid = set;
  s.HybridMember = static_cast<Integer>(member);
  s.HybridShell = static_cast<Integer>(shell);
  return s;
}

std::unique_ptr<cElectron> Make(const OrbitalSetup& s) {
  auto e = modOrbitals::CreateElectron(s);
  EXPECT_NE(e, nullptr) << "set " << s.Hybrid << " member " << s.HybridMember;
  return e;
}

// ∫ f(ψa, ψb) over all space in spherical coordinates: Gauss-Legendre in r
// (panels to 40 n), in cos θ, and the trapezoid rule in φ (exact for the
// trigonometric polynomials of the angular parts).
template <class F>
double OverSpace(int n, F f) {
  const wltest::Rule mu = wltest::GaussLegendre(12, -1, 1);
  constexpr int kPhi = 16;
  double sum = 0;
  const int panels = 8;
  const double reach = 40.0 * n;
  for (int p = 0; p < panels; ++p) {
    const wltest::Rule rr = wltest::GaussLegendre(16, reach * p / panels, reach * (p + 1) / panels);
    for (size_t a = 0; a < rr.x.size(); ++a) {
      const double r = rr.x[a];
      for (size_t b = 0; b < mu.x.size(); ++b) {
        const double st = std::sqrt(1 - mu.x[b] * mu.x[b]);
        for (int c = 0; c < kPhi; ++c) {
          const double phi = 2 * std::numbers::pi * c / kPhi;
          const COORDdouble q{r * st * std::cos(phi), r * st * std::sin(phi), r * mu.x[b]};
          sum += rr.w[a] * mu.w[b] * (2 * std::numbers::pi / kPhi) * r * r * f(q);
        }
      }
    }
  }
  return sum;
}

struct SetCase {
  HybridSet set;
  int shell;
};
const SetCase kSets[] = {{HybridSp, 2},   {HybridSp2, 2},   {HybridSp3, 2},  {HybridSp3d, 3},
                         {HybridSp3d2, 3}, {HybridSp, 3},   {HybridSp3, 3},  {HybridSp3d2, 4}};

TEST(Hybrids, EveryMemberIsNormalisedAndOrthogonalToItsSet) {
  for (const SetCase& c : kSets) {
    const int size = HybridSize(c.set);
    std::vector<std::unique_ptr<cElectron>> members;
    for (int m = 1; m <= size; ++m) members.push_back(Make(Hybrid(c.set, m, c.shell)));
    for (int a = 0; a < size; ++a) {
      // The coefficients are normalised, and so is the function they make.
      double squares = 0;
      for (const ComboTerm& t : CombinationTerms(Hybrid(c.set, a + 1, c.shell)))
        squares += t.Coefficient * t.Coefficient;
      EXPECT_NEAR(squares, 1, 1e-12);
      for (int b = a; b < size; ++b) {
        const double overlap = OverSpace(c.shell, [&](const COORDdouble& q) {
          return members[a]->GetPsi(q) * members[b]->GetPsi(q);
        });
        EXPECT_NEAR(overlap, a == b ? 1.0 : 0.0, 1e-6)
            << HybridName(c.set).size() << " set " << c.set << " n=" << c.shell << " members "
            << a + 1 << "," << b + 1;
      }
      // ψ² is the density the sampler reads (first octant from squares).
      const COORDdouble q{0.7, 1.3, 2.1};
      const double psi = members[a]->GetPsi(q);
      EXPECT_NEAR(members[a]->GetRealPDF({q.X * q.X, q.Y * q.Y, q.Z * q.Z}), psi * psi, 1e-15);
    }
  }
}

TEST(Hybrids, EachMemberPointsAlongItsDirection) {
  for (const SetCase& c : kSets) {
    for (int m = 1; m <= HybridSize(c.set); ++m) {
      auto e = Make(Hybrid(c.set, m, c.shell));
      const COORDdouble d = HybridDirection(c.set, m);
      EXPECT_NEAR(d.X * d.X + d.Y * d.Y + d.Z * d.Z, 1, 1e-12);
      // On a sphere through the outer lobes: more density along d than along -d,
      // and the largest |ψ| of the sphere close to d.
      const double r = 5.0 * c.shell;  // beyond the last radial node of every term
      const double ahead = e->GetPsi({r * d.X, r * d.Y, r * d.Z});
      const double behind = e->GetPsi({-r * d.X, -r * d.Y, -r * d.Z});
      EXPECT_GT(ahead * ahead, 2 * behind * behind) << c.set << " member " << m;
      EXPECT_GT(ahead, 0);  // the lobe it points with is the positive one
      double best = 0;
      COORDdouble bestDir;
      constexpr int kPoints = 4000;  // a Fibonacci sphere
      for (int i = 0; i < kPoints; ++i) {
        const double z = 1 - (2 * i + 1.0) / kPoints, s = std::sqrt(1 - z * z);
        const double phi = i * std::numbers::pi * (3 - std::sqrt(5.0));
        const COORDdouble u{s * std::cos(phi), s * std::sin(phi), z};
        const double v = std::abs(e->GetPsi({r * u.X, r * u.Y, r * u.Z}));
        if (v > best) {
          best = v;
          bestDir = u;
        }
      }
      const double cosine = bestDir.X * d.X + bestDir.Y * d.Y + bestDir.Z * d.Z;
      EXPECT_GT(cosine, std::cos(10 * std::numbers::pi / 180)) << c.set << " member " << m;
    }
  }
}

// ψ of a combination is the sum of its terms' own ψ (whatever shortcut the
// evaluation takes), at signed points of every octant, for members of every
// set and combinations holding orbitals of l = 0 to 3.
TEST(Hybrids, PsiIsTheSumOfTheTermsOwnWaveFunctions) {
  std::vector<OrbitalSetup> setups;
  for (const SetCase& c : kSets) {
    for (int m = 1; m <= HybridSize(c.set); ++m) setups.push_back(Hybrid(c.set, m, c.shell));
  }
  OrbitalSetup combo;
  combo.Hybrid = CustomCombination;
  combo.TermCount = 4;
  combo.Terms[0] = {static_cast<Integer>(IndexOfOrbital(4, 0, 0, false)), 0.5};
  combo.Terms[1] = {static_cast<Integer>(IndexOfOrbital(4, 2, -2, false)), -1.5};
  combo.Terms[2] = {static_cast<Integer>(IndexOfOrbital(4, 3, 0, false)), 1};
  combo.Terms[3] = {static_cast<Integer>(IndexOfOrbital(4, 2, 1, false)), 0.25};
  setups.push_back(combo);
  for (const OrbitalSetup& s : setups) {
    auto e = Make(s);
    std::vector<std::pair<double, std::unique_ptr<cElectron>>> terms;
    for (const ComboTerm& t : CombinationTerms(s))
      terms.emplace_back(t.Coefficient, modOrbitals::CreateElectron(t.OrbitalIndex));
    for (int i = 0; i < 40; ++i) {
      const COORDdouble p{std::sin(i * 1.7) * 9, std::cos(i * 2.3) * 9, std::sin(i * 0.9 + 1) * 9};
      double sum = 0, size = 0;
      for (const auto& [c, t] : terms) {
        sum += c * t->GetPsi(p);
        size += std::abs(c * t->GetPsi(p));
      }
      ASSERT_NEAR(e->GetPsi(p), sum, 1e-12 * size + 1e-300) << ToUtf8(SetupName(s)) << " point " << i;
      // The sampler's levels at signed points agree with ψ.
      e->SetPDFScaleFactor(200.3 / (sum * sum + 1e-300));
      Byte level = 0;
      e->GetLevelsAt(PDF, &p.X, &p.Y, &p.Z, 1, &level);
      EXPECT_EQ(level, sum * sum == 0 ? 0 : 200);
    }
  }
}

TEST(Hybrids, ACustomCombinationIsNormalisedForTheUserAndRefusalsAreInvalidCalls) {
  OrbitalSetup s;
  s.Hybrid = CustomCombination;
  s.TermCount = 3;
  s.Terms[0] = {static_cast<Integer>(IndexOfOrbital(3, 0, 0, false)), 2};
  s.Terms[1] = {static_cast<Integer>(IndexOfOrbital(3, 1, 1, false)), -1};
  s.Terms[2] = {static_cast<Integer>(IndexOfOrbital(3, 2, 2, false)), 2};
  const auto terms = CombinationTerms(s);
  ASSERT_EQ(terms.size(), 3u);
  EXPECT_NEAR(terms[0].Coefficient, 2.0 / 3, 1e-15);  // as given, over √(4 + 1 + 4)
  EXPECT_NEAR(terms[1].Coefficient, -1.0 / 3, 1e-15);
  // Coefficients whose squares would overflow or vanish give the same mix.
  for (double scale : {1e200, 1e-200}) {
    OrbitalSetup scaled = s;
    for (auto& t : scaled.Terms) t.Coefficient *= scale;
    const auto same = CombinationTerms(scaled);
    ASSERT_EQ(same.size(), 3u);
    for (size_t t = 0; t < 3; ++t) EXPECT_NEAR(same[t].Coefficient, terms[t].Coefficient, 1e-15);
    EXPECT_EQ(InfoOf(scaled).Name, InfoOf(s).Name);
  }
  auto e = Make(s);
  EXPECT_NEAR(OverSpace(3, [&](const COORDdouble& q) { return std::pow(e->GetPsi(q), 2); }), 1,
              1e-6);
  EXPECT_EQ(e->GetInfo().PDFOptFactor, F1);
  EXPECT_EQ(e->GetInfo().Name, InfoOf(s).Name);

  cOrbitalCol col;
  s.AtomRadius = 10;
  s.DotTarget = 100;
  OrbitalSetup twoShells = s;
  twoShells.Terms[2].OrbitalIndex = static_cast<Integer>(IndexOfOrbital(2, 1, 0, false));
  OrbitalSetup badMember = Hybrid(HybridSp3, 5, 2);
  OrbitalSetup lowShell = Hybrid(HybridSp3d2, 1, 2);
  for (const OrbitalSetup& bad : {twoShells, badMember, lowShell}) {
    EXPECT_EQ(wltest::ErrorNumberOf([&] { col.Add(bad); }), 5);
    EXPECT_TRUE(CombinationTerms(bad).empty());
  }
  EXPECT_EQ(col.NextIndex(), 0);  // nothing was added
}

// The whole-cube calculation of an sp member along z.
OrbitalSetup SpAlongZ(ViewMode view) {
  OrbitalSetup s = Hybrid(HybridSp, 1, 2);
  s.AtomRadius = 14;
  s.DotTarget = 3000;
  s.DotThreshold = 3;
  s.OrbitalViewMode = view;
  return s;
}

TEST(WholeCube, TheGridIsThePointEvaluationOfEveryCellAndItsDotsDoNotDependOnTheSplit) {
  for (ViewMode view : {PDF, DRPDF}) {
    SetSeedHook(7);
    cOrbitalCol col;
    const Integer index = col.Add(SpAlongZ(view));
    SetSeedHook(std::nullopt);
    const auto& orb = dynamic_cast<const cOrbitalObject&>(col.At(index));
    ASSERT_TRUE(orb.WholeCube());
    ASSERT_TRUE(orb.HasGrid());
    EXPECT_EQ(orb.GetStats().TotalSamples, kCubeCells);
    std::int64_t total = 0;
    for (Long f : orb.GetStats().ProbFreqs) total += f;
    EXPECT_EQ(total, kCubeCells);  // each cell counted once

    // Cells against a fresh wave function with the same scale, at signed points.
    auto e = Make(orb.GetSetup());
    const double h = 14.0 / 127;
    const double scale = 255 / orb.Peak();
    for (int k = -127; k <= 127; k += 9) {
      for (int j = -127; j <= 127; j += 11) {
        for (int i = -127; i <= 127; i += 13) {
          const COORDdouble p{i * h, j * h, k * h};
          const double psi = e->GetPsi(p);
          double rho = psi * psi;
          if (view == DRPDF) rho *= std::hypot(p.X, p.Y) * std::hypot(p.X, p.Y, p.Z);
          const double level = std::min(255.0, std::nearbyint(rho * scale));
          ASSERT_NEAR(orb.CellAt(i, j, k), level, 1) << i << "," << j << "," << k;
        }
      }
    }
    // The lobe along +z outweighs the one along -z in the grid itself.
    EXPECT_GT(orb.CellAt(10, 0, 40), 2 * orb.CellAt(10, 0, -40) + 10);

    // Dots: every split of the walk gives the cloud of the single walk, and
    // the generator ends where it would.
    std::array<Long, 256> chance{};
    for (int v = 4; v < 256; ++v) chance[v] = 2147483647 / 256 * v / 64;
    const CubeDotFill fill(wltest::Access::Grid(orb).data(), 3, chance);
    ASSERT_GT(fill.Draws(-127, 128), 1u << 18);  // enough draws for the walk to be split
    EXPECT_EQ(fill.Draws(-127, 5) + fill.Draws(5, 128), fill.Draws(-127, 128));
    std::vector<PointArray> one, many;
    const Long end1 = fill.FillAll(12345, 1, one);
    const Long end4 = fill.FillAll(12345, 4, many);
    EXPECT_EQ(end1, end4);
    ASSERT_EQ(one.size(), many.size());
    ASSERT_GT(one.size(), 100u);
    bool below = false;
    for (size_t d = 0; d < one.size(); ++d) {
      ASSERT_EQ(one[d].X, many[d].X);
      ASSERT_EQ(one[d].Y, many[d].Y);
      ASSERT_EQ(one[d].Z, many[d].Z);
      ASSERT_EQ(one[d].P, orb.CellAt(one[d].X, one[d].Y, one[d].Z));
      below = below || one[d].Z < 0;
    }
    EXPECT_TRUE(below);  // the walk covers the whole cube
  }
}

TEST(WholeCube, ThePeakIsSearchedOutsideTheFirstOctant) {
  // sp³ member 2 points along (1, -1, -1): its lobe lies in no part of the first octant.
  for (ViewMode view : {PDF, DRPDF}) {
    OrbitalSetup s = Hybrid(HybridSp3, 2, 2);
    s.AtomRadius = 12;
    s.DotTarget = 100;
    s.OrbitalViewMode = view;
    cOrbitalCol col;
    const auto& orb = dynamic_cast<const cOrbitalObject&>(col.At(col.Add(s)));
    auto e = Make(s);
    // The largest density on a grid of the whole cube and of the first octant.
    double whole = 0, octant = 0;
    for (int k = -60; k <= 60; ++k) {
      for (int j = -60; j <= 60; ++j) {
        for (int i = -60; i <= 60; ++i) {
          const double v = e->GetNonScaledAt(view, {i * 0.2, j * 0.2, k * 0.2});
          whole = std::max(whole, v);
          if (i >= 0 && j >= 0 && k >= 0) octant = std::max(octant, v);
        }
      }
    }
    EXPECT_GE(orb.Peak(), 0.999 * whole) << view;
    EXPECT_LE(orb.Peak(), 1.05 * whole) << view;
    if (view == DRPDF) {
      EXPECT_LT(octant, 0.8 * whole);  // the octant alone would miss it
    }
    // About 4 Bohr radii out: the lobe, three times the far side of the nucleus.
    EXPECT_GT(orb.CellAt(25, -25, -25), 3 * orb.CellAt(-25, 25, 25)) << view;
    EXPECT_GT(orb.CellAt(-25, 25, 25), 0) << view;
  }
}

TEST(WholeCube, SlicesOnEitherSideOfTheNucleusDifferForSpAlongZ) {
  cOrbitalCol col;
  const Integer index = col.Add(SpAlongZ(PDF));
  auto slice = [&](int t, Integer pixels) {
    RenderRequest r = wltest::Request(Transect);
    r.TransectDir = Alongz;
    r.TransectNo = static_cast<Integer>(t);
    r.Pixels = pixels;
    return wltest::Picture(col.At(index).GetRender(r).MainHDC);
  };
  for (Integer pixels : {Integer{0}, Integer{200}}) {
    const auto up = slice(30, pixels), down = slice(-30, pixels);
    EXPECT_NE(up, down);
    long sumUp = 0, sumDown = 0;
    for (const RGBA& p : up) sumUp += p.G;
    for (const RGBA& p : down) sumDown += p.G;
    EXPECT_GT(sumUp, 2 * sumDown) << pixels;  // the big lobe is above
  }
  // A slice along x through the nucleus: the upper half (+z) is the brighter one.
  RenderRequest r = wltest::Request(Transect);
  r.TransectDir = AlongX;
  r.TransectNo = 0;
  const Long hdc = col.At(index).GetRender(r).MainHDC;
  EXPECT_GT(wltest::At(hdc, 187, 187 - 40).G, wltest::At(hdc, 187, 187 + 40).G);
}

// The volume of sp along z puts its big lobe on the same side of the picture
// as the dots do, seen from several directions.
TEST(WholeCube, VolumeAndDotsShowTheBigLobeOnTheSameSide) {
  cOrbitalCol col;
  OrbitalSetup s = SpAlongZ(PDF);
  s.AtomRadius = 10;
  s.DotTarget = 8000;
  const Integer index = col.Add(s);
  // The lit brightness of the upper half over that of the lower half.
  auto upperOverLower = [](const std::vector<RGBA>& picture) {
    double up = 0, down = 0;
    for (int y = 0; y < 375; ++y) {
      for (int x = 0; x < 375; ++x) {
        const RGBA& p = picture[static_cast<size_t>(y) * 375 + x];
        (y < 187 ? up : down) += p.R + p.G + p.B;
      }
    }
    return up / (down + 1);
  };
  for (double theta : {0.0, 0.7, 2.0}) {
    RenderRequest dots = wltest::Request(Orthographic);
    dots.Theta = theta;
    dots.Phi = 0.3;
    RenderRequest volume = dots;
    volume.Mode = Volumetric;
    volume.VolFinal = kTrue;
    const double d = upperOverLower(wltest::Picture(col.GetRender(index, dots).MainHDC));
    const double v = upperOverLower(wltest::Picture(col.GetRender(index, volume).MainHDC));
    EXPECT_TRUE((d > 1.5 && v > 1.5) || (d < 1 / 1.5 && v < 1 / 1.5)) << theta << ": " << d << " " << v;
  }
}

TEST(WholeCube, SharesCountEveryCellOnce) {
  // In a cube about the nucleus the cross term of (2s ± 2pz)/√2 integrates to
  // zero: each sp member holds the mean of what 2s and 2pz hold.
  cOrbitalCol col;
  auto shares = [&](OrbitalSetup s) {
    s.AtomRadius = 5;
    s.DotTarget = 100;
    s.DotThreshold = 20;
    s.OrbitalViewMode = PDF;
    return col.GetShares(col.Add(s));
  };
  OrbitalSetup s2, p2;
  s2.OrbitalIndex = static_cast<Integer>(IndexOfOrbital(2, 0, 0, false));
  p2.OrbitalIndex = static_cast<Integer>(IndexOfOrbital(2, 1, 0, false));
  const double mean = (shares(s2).InBox + shares(p2).InBox) / 2;
  const ProbabilityShares up = shares(Hybrid(HybridSp, 1, 2)), down = shares(Hybrid(HybridSp, 2, 2));
  EXPECT_NEAR(up.InBox, mean, 1e-7);
  EXPECT_NEAR(down.InBox, mean, 1e-7);
  // The two members are mirror images: their cells above the threshold hold
  // the same share, a grid sum close to the exact one inside the cube.
  EXPECT_NEAR(up.AboveThreshold, down.AboveThreshold, 1e-9);
  EXPECT_GT(up.AboveThreshold, 0.2);
  EXPECT_LT(up.AboveThreshold, up.InBox);
}

// The four sp³ members are turned copies of one another, so each holds the
// same probability beyond a sphere: a quarter of 2s's and three quarters of
// 2p's (the cross terms vanish over the sphere). Read at the squares of the
// coordinates, the members pointing out of the first octant lost their big
// lobe to its mirror image.
TEST(WholeCube, TheProbabilityBeyondASphereIsTheSameForEverySp3Member) {
  OrbitalSetup s2, p2;
  s2.OrbitalIndex = static_cast<Integer>(IndexOfOrbital(2, 0, 0, false));
  p2.OrbitalIndex = static_cast<Integer>(IndexOfOrbital(2, 1, 0, false));
  const auto s = Make(s2), p = Make(p2);
  for (double r : {2.0, 5.0, 9.0}) {
    const double want = ProbabilityBeyond(*s, r) / 4 + 3 * ProbabilityBeyond(*p, r) / 4;
    for (int member = 1; member <= 4; ++member) {
      const auto h = Make(Hybrid(HybridSp3, member, 2));
      EXPECT_NEAR(ProbabilityBeyond(*h, r), want, 1e-9) << "member " << member << " r " << r;
    }
  }
}

}  // namespace
