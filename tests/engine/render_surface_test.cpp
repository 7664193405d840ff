// The Surface mode of the renderer: where the surface sits (the dots' camera
// and scale), its phase colours, the cutaway's rings, the preview against the
// final image, and final images kept only for the request that made them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "RenderTestSupport.h"
#include "core/modOrbitals.h"
#include "render/Phase.h"

namespace {

using wl::RGBA;
using wltest::Access;
using wltest::At;

enum : int { k1S = 0, k2Pz = 4, k3S = 5, k3Dz2 = 9 };

// A real orbital's density with a sign: ψ = sign(z)·√ρ, as 2pz has.
class SignedByZ final : public wl::cElectron {
 public:
  explicit SignedByZ(std::unique_ptr<wl::cElectron> e) : e_(std::move(e)) {}
  wl::OrbInfo GetInfo() const override { return e_->GetInfo(); }
  double GetPsi(const wl::COORDdouble& p) const override {
    const double rho = e_->GetRealPDF({p.X * p.X, p.Y * p.Y, p.Z * p.Z});
    return p.Z < 0 ? -std::sqrt(rho) : std::sqrt(rho);
  }
  wl::Byte GetPDF(const wl::COORDdoubleParams& c) override { return e_->GetPDF(c); }
  double GetRealPDF(const wl::COORDdoubleParams& c) override { return e_->GetRealPDF(c); }
  double GetNonScaledPDF(const wl::COORDdoubleParams& c) override { return e_->GetNonScaledPDF(c); }
  wl::Byte GetDRPDF(const wl::COORDdoubleParams& c) override { return e_->GetDRPDF(c); }
  double GetRealDRPDF(const wl::COORDdoubleParams& c) override { return e_->GetRealDRPDF(c); }
  double GetNonScaledDRPDF(const wl::COORDdoubleParams& c) override {
    return e_->GetNonScaledDRPDF(c);
  }
  void GetLevels(wl::ViewMode m, const double* x, const double* y, const double* z, int n,
                 wl::Byte* out) const override {
    e_->GetLevels(m, x, y, z, n, out);
  }

 private:
  std::unique_ptr<wl::cElectron> e_;
};

// An orbital object with a wave function and its default radius, not calculated.
std::unique_ptr<wl::cOrbitalPDF> Planted(std::unique_ptr<wl::cElectron> e) {
  auto o = std::make_unique<wl::cOrbitalPDF>();
  const wl::Integer radius = e->GetInfo().DefaultPDFAtomRadius;
  Access::PlantElectron(*o, std::move(e), radius);
  return o;
}
std::unique_ptr<wl::cOrbitalPDF> Planted(int index) {
  return Planted(wl::modOrbitals::CreateElectron(index));
}

wl::RenderRequest Surface(wl::RenderSize size, bool final, double theta = 0, double phi = 0) {
  wl::RenderRequest r = wltest::Request(wl::BoundarySurface, size);
  r.VolFinal = wl::ToBoolean(final);
  r.Theta = theta;
  r.Phi = phi;
  return r;
}

wl::Long View(const wl::RenderDCinfo& dcs, const wl::RenderRequest& r) {
  return r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
}

bool Lit(RGBA p) {
  return (p.R | p.G | p.B) != 0;
}
int Luma(RGBA p) {
  return (p.R * 3 + p.G * 6 + p.B) / 10;
}
bool IsColour(RGBA p, wl::PhaseRgb c) {
  // Lit shading scales the colour; compare the channels' proportions.
  const double s = std::max({p.R, p.G, p.B}) / static_cast<double>(std::max({c.R, c.G, c.B}));
  return Lit(p) && std::abs(p.R - s * c.R) < 40 && std::abs(p.G - s * c.G) < 40 &&
         std::abs(p.B - s * c.B) < 40;
}

TEST(SurfaceRender, TheOneSSurfaceHasItsExactRadiusAtTheDotsScale) {
  auto o = Planted(k1S);  // atom radius 2 a0 = 127 pixels; the 90% sphere is 2.661 a0
  const wl::RenderRequest r = Surface(wl::Main, true);
  const wl::Long hdc = View(o->GetRender(r), r);
  const int y = 187;  // device row of the centre
  int left = -1, right = -1;
  for (int x = 0; x < 375; ++x) {
    if (!Lit(At(hdc, x, y))) continue;
    if (left < 0) left = x;
    right = x;
  }
  EXPECT_NEAR((right - left + 1) / 2.0, 2.661 / 2 * 127, 1.5);
  EXPECT_NEAR((left + right + 1) / 2.0, 187, 1.0);  // the nucleus at the dots' centre
  // The box was enlarged: the surface is drawn whole, not clipped at the atom radius.
  const wl::SurfaceLevel level = o->SurfaceFor(0.9);
  EXPECT_TRUE(level.BeyondAtomRadius);
}

TEST(SurfaceRender, TwoPzShowsItsPhasesWhereTheDotsOfItsAxisFall) {
  auto o = Planted(std::make_unique<SignedByZ>(wl::modOrbitals::CreateElectron(k2Pz)));
  const wl::PhaseRgb plus = wl::PhaseColour(wl::OrangeBlue, true);
  const wl::PhaseRgb minus = wl::PhaseColour(wl::OrangeBlue, false);
  // Seen from the side: + above the nucleus, − below, in both views.
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    wl::RenderRequest r = Surface(size, true);
    r.ShowPhase = wl::kTrue;
    const wl::Long hdc = View(o->GetRender(r), r);
    const int c = size == wl::Main ? 187 : 63, d = size == wl::Main ? 60 : 30;
    EXPECT_TRUE(IsColour(At(hdc, c, c - d), plus)) << size;
    EXPECT_TRUE(IsColour(At(hdc, c, c + d), minus)) << size;
    // Without the phase, one colour for both lobes.
    r.ShowPhase = wl::kFalse;
    const wl::Long grey = View(o->GetRender(r), r);
    EXPECT_TRUE(IsColour(At(grey, c, c - d), wl::kUnsignedSurface)) << size;
    EXPECT_TRUE(IsColour(At(grey, c, c + d), wl::kUnsignedSurface)) << size;
  }
  // Turned: the + lobe lies where the dot renderer puts a dot on the +z axis.
  const double theta = 0.7, phi = 1.1;
  Access::PlantDots(*o, {wl::PointArray{0, 0, 90, 200}});
  wl::RenderRequest dots = Surface(wl::Main, true, theta, phi);
  dots.Mode = wl::Orthographic;
  const wl::Long dotView = o->GetRender(dots).MainHDC;
  int dx = -1, dy = -1;
  for (int y = 0; y < 375; ++y)
    for (int x = 0; x < 375; ++x)
      if (Lit(At(dotView, x, y))) dx = x, dy = y;
  ASSERT_GE(dx, 0);
  wl::RenderRequest r = Surface(wl::Main, true, theta, phi);
  r.ShowPhase = wl::kTrue;
  r.Palette = wl::RedBlue;
  const wl::Long hdc = o->GetRender(r).MainHDC;
  EXPECT_TRUE(IsColour(At(hdc, dx, dy), wl::PhaseColour(wl::RedBlue, true)));
  EXPECT_TRUE(IsColour(At(hdc, 374 - dx, 374 - dy), wl::PhaseColour(wl::RedBlue, false)));
}

// The number of sharp steps in brightness from the centre of the main view
// to its right edge.
int RadialBoundaries(wl::Long hdc) {
  int steps = 0;
  for (int x = 188; x < 375; ++x) {
    steps += std::abs(Luma(At(hdc, x, 187)) - Luma(At(hdc, x - 1, 187))) > 25;
  }
  return steps;
}

TEST(SurfaceRender, TheCutawayOfThreeSShowsItsInnerShells) {
  auto s3 = Planted(k3S);
  wl::RenderRequest r = Surface(wl::Main, true);
  EXPECT_EQ(RadialBoundaries(s3->GetRender(r).MainHDC), 1);  // a closed ball
  r.SurfaceCutaway = wl::kTrue;
  // Cut core, the lit inner wall of the outer shell, its cut ring, then black.
  EXPECT_GE(RadialBoundaries(s3->GetRender(r).MainHDC), 3);
  auto s1 = Planted(k1S);
  EXPECT_EQ(RadialBoundaries(s1->GetRender(r).MainHDC), 1);  // one cut disc
}

// Every pixel where two pictures (side × side, row by row) differ in
// coverage lies within `reach` pixels of the first picture's silhouette.
int StrayCoverage(const std::vector<RGBA>& a, const std::vector<RGBA>& b, int side, int reach) {
  auto lit = [&](const std::vector<RGBA>& p, int x, int y) {
    return Lit(p[static_cast<size_t>(y) * side + x]);
  };
  int stray = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const bool on = lit(a, x, y);
      if (on == lit(b, x, y)) continue;
      bool nearEdge = false;
      for (int v = std::max(0, y - reach); v <= std::min(side - 1, y + reach) && !nearEdge; ++v)
        for (int u = std::max(0, x - reach); u <= std::min(side - 1, x + reach); ++u)
          if (lit(a, u, v) != on) nearEdge = true;
      stray += !nearEdge;
    }
  }
  return stray;
}

TEST(SurfaceRender, PreviewAndNestedShellsCoverTheFinalSilhouette) {
  auto o = Planted(k3Dz2);
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    const int side = size == wl::Main ? 375 : 127;
    // The preview first: a final image of the same angle would be served instead.
    const wl::RenderRequest preview = Surface(size, false, 0.4, 0.6);
    const std::vector<RGBA> previewPicture = wltest::Picture(View(o->GetRender(preview), preview));
    const wl::RenderRequest final = Surface(size, true, 0.4, 0.6);
    const std::vector<RGBA> finalPicture = wltest::Picture(View(o->GetRender(final), final));
    wl::RenderRequest nested = final;
    nested.SurfaceNested = wl::kTrue;
    const std::vector<RGBA> nestedPicture = wltest::Picture(View(o->GetRender(nested), nested));
    ASSERT_EQ(finalPicture.size(), static_cast<size_t>(side) * side);
    const int covered = wltest::CountLit(finalPicture);
    EXPECT_GT(covered, side * side / 10) << size;
    for (const auto* picture : {&previewPicture, &nestedPicture}) {
      const bool isPreview = picture == &previewPicture;
      EXPECT_EQ(StrayCoverage(finalPicture, *picture, side, 3), 0)
          << size << " preview " << isPreview;
      EXPECT_NEAR(wltest::CountLit(*picture), covered, covered * 0.05)
          << size << " preview " << isPreview;
      EXPECT_NE(*picture, finalPicture) << size << " preview " << isPreview;
    }
  }
}

TEST(SurfaceRender, AKeptFinalImageServesOnlyTheSameSurface) {
  auto o = Planted(k3Dz2);
  wl::RenderRequest r = Surface(wl::Main, true, 0.4, 0.6);
  const std::vector<RGBA> plain = wltest::Picture(o->GetRender(r).MainHDC);
  EXPECT_EQ(wltest::Picture(o->GetRender(r).MainHDC), plain);  // served again
  r.SurfaceCutaway = wl::kTrue;
  const std::vector<RGBA> cut = wltest::Picture(o->GetRender(r).MainHDC);
  EXPECT_NE(cut, plain);
  r.EnclosedShare = 0.6;
  EXPECT_LT(wltest::CountLit(wltest::Picture(o->GetRender(r).MainHDC)), wltest::CountLit(cut));
  r.EnclosedShare = 1.0;
  EXPECT_THROW(o->GetRender(r), std::exception);
}

}  // namespace
