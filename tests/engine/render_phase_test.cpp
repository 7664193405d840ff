// Phase colours in the dot, volume and transect renders of a calculated 2Pz
// (fixed seed): the positive lobe above the xy plane, the negative below;
// subshell averages ignore the request.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RenderTestSupport.h"
#include "core/Platform.h"

namespace {

using wl::RGBA;
using wltest::Picture;
using wltest::Request;

wl::cOrbitalPDF* Calculated(int index, int radius, int threshold) {
  wl::SetSeedHook(1);
  auto* orb = new wl::cOrbitalPDF;
  wl::OrbitalSetup s;
  s.AtomRadius = static_cast<wl::Integer>(radius);
  s.DotTarget = 16000;
  s.DotThreshold = static_cast<wl::Byte>(threshold);
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.OrbitalViewMode = wl::PDF;
  orb->Setup(s);
  wl::SetSeedHook(std::nullopt);
  return orb;
}

// The lit pixels of a picture by the colour they show, above and below its
// middle row, and the centre of the positive ones minus that of the negative.
// In the orange/blue and red/blue palettes the positive colour has more red
// than blue, the negative more blue than red.
struct Halves {
  int upperPos = 0, upperNeg = 0, lowerPos = 0, lowerNeg = 0;
  double dx = 0, dy = 0;
};

Halves Count(wl::Long hdc) {
  const wl::Surface* s = wl::LookupSurface(hdc);
  Halves h;
  if (!s) {
    ADD_FAILURE() << "no picture";
    return h;
  }
  const int middle = s->Width / 2;
  double px = 0, py = 0, nx = 0, ny = 0;
  for (int y = 0; y < s->Rows - 1; ++y) {
    for (int x = 0; x < s->Width; ++x) {
      const RGBA p = s->Row(y)[x];
      const bool pos = p.R > p.B, neg = p.B > p.R;
      px += pos * x, py += pos * y, nx += neg * x, ny += neg * y;
      if (y == middle) continue;
      (y < middle ? h.upperPos : h.lowerPos) += pos;
      (y < middle ? h.upperNeg : h.lowerNeg) += neg;
    }
  }
  const int np = h.upperPos + h.lowerPos, nn = h.upperNeg + h.lowerNeg;
  if (np > 0 && nn > 0) h.dx = px / np - nx / nn, h.dy = py / np - ny / nn;
  return h;
}

class PhaseRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    p2z = Calculated(4, 8, 50);
    p2avg = Calculated(32, 8, 50);
  }
  static void TearDownTestSuite() {
    delete p2z;
    delete p2avg;
  }
  static wl::Long Render(wl::cOrbitalObject& o, const wl::RenderRequest& r) {
    const wl::RenderDCinfo d = o.GetRender(r);
    return r.Size == wl::Main ? d.MainHDC : d.NanoHDC;
  }
  static wl::RenderRequest Phase(wl::RenderRequest r, wl::PhasePalette palette = wl::OrangeBlue) {
    r.ShowPhase = wl::kTrue;
    r.Palette = palette;
    return r;
  }
  // The positive lobe fills the upper half, the negative the lower, and
  // (almost) nothing of the other colour is in either half.
  static void ExpectPositiveAbove(const Halves& h, int atLeast) {
    EXPECT_GT(h.upperPos, atLeast);
    EXPECT_GT(h.lowerNeg, atLeast);
    EXPECT_LE(h.upperNeg, h.upperPos / 50);
    EXPECT_LE(h.lowerPos, h.lowerNeg / 50);
  }
  static wl::cOrbitalPDF* p2z;
  static wl::cOrbitalPDF* p2avg;
};
wl::cOrbitalPDF* PhaseRender::p2z = nullptr;
wl::cOrbitalPDF* PhaseRender::p2avg = nullptr;

TEST_F(PhaseRender, DotsOfTheUpperLobeArePositiveInEachMonoViewAndPalette) {
  for (wl::RenderMode mode : {wl::Orthographic, wl::Perspective}) {
    for (wl::RenderSize size : {wl::Main, wl::Nano}) {
      for (bool byProbability : {false, true}) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << mode << " size " << size << " probability " << byProbability);
        wl::RenderRequest r = Phase(Request(mode, size));
        r.ShowProbLevelOnDots = wl::ToBoolean(byProbability);
        const wl::Long h = Render(*p2z, r);
        ExpectPositiveAbove(Count(h), size == wl::Main ? 1000 : 200);
        // Positive dots are pure orange: no blue at all in the upper half.
        if (mode == wl::Orthographic && size == wl::Main) {
          for (int y = 0; y < 187; ++y) {
            for (int x = 0; x < 375; ++x) ASSERT_EQ(wltest::At(h, x, y).B, 0) << x << "," << y;
          }
        }
      }
    }
  }
  ExpectPositiveAbove(Count(Render(*p2z, Phase(Request(wl::Orthographic), wl::RedBlue))), 1000);
}

TEST_F(PhaseRender, TransectShowsTheSignOfEachQuadrantAndOfTheSlicesSide) {
  wl::RenderRequest r = Phase(Request(wl::Transect));
  r.TransectDir = wl::Alongy;
  ExpectPositiveAbove(Count(Render(*p2z, r)), 5000);
  r.Size = wl::Nano;
  ExpectPositiveAbove(Count(Render(*p2z, r)), 1000);
  // Slices of the xy plane: all positive above the nucleus, all negative
  // below, though their densities are the same.
  r.Size = wl::Main;
  r.TransectDir = wl::Alongz;
  for (int no : {20, -20}) {
    r.TransectNo = static_cast<wl::Integer>(no);
    const Halves h = Count(Render(*p2z, r));
    const int pos = h.upperPos + h.lowerPos, neg = h.upperNeg + h.lowerNeg;
    EXPECT_GT(no > 0 ? pos : neg, 10000) << no;
    EXPECT_EQ(no > 0 ? neg : pos, 0) << no;
  }
}

TEST_F(PhaseRender, VolumeGlowsInTwoColoursAndAFinalImageIsRetracedForThePhase) {
  for (wl::RenderSize size : {wl::Main, wl::Nano}) {
    SCOPED_TRACE(testing::Message() << "size " << size);
    wl::RenderRequest r = Request(wl::Volumetric, size);
    r.VolFinal = wl::kTrue;
    // The grey final image first: the phase request must not reuse it.
    const Halves grey = Count(Render(*p2z, r));
    EXPECT_EQ(grey.upperPos + grey.upperNeg + grey.lowerPos + grey.lowerNeg, 0);
    ExpectPositiveAbove(Count(Render(*p2z, Phase(r))), size == wl::Main ? 5000 : 1000);
    r.VolFinal = wl::kFalse;
    ExpectPositiveAbove(Count(Render(*p2z, Phase(r))), size == wl::Main ? 5000 : 1000);
  }
}

TEST_F(PhaseRender, TurnedVolumeShowsTheLobesWhereTheDotsDo) {
  // The volume's sample frame is the dots' mirrored in z; the colours must
  // not be. At a turned camera the lobes lie off the vertical.
  wl::RenderRequest r = Phase(Request(wl::Orthographic));
  r.Theta = 0.5;
  r.Phi = 0.7;
  const Halves dots = Count(Render(*p2z, r));
  r.Mode = wl::Volumetric;
  r.VolFinal = wl::kTrue;
  const Halves glow = Count(Render(*p2z, r));
  const double cosine = (dots.dx * glow.dx + dots.dy * glow.dy) / std::hypot(dots.dx, dots.dy) /
                        std::hypot(glow.dx, glow.dy);
  EXPECT_GT(std::abs(dots.dx), 10);  // off the vertical indeed
  EXPECT_GT(cosine, 0.95) << dots.dx << "," << dots.dy << " vs " << glow.dx << "," << glow.dy;
}

TEST_F(PhaseRender, SubshellAveragesIgnoreThePhase) {
  wl::RenderRequest final = Request(wl::Volumetric);
  final.VolFinal = wl::kTrue;
  wl::RenderRequest slice = Request(wl::Transect);
  slice.TransectNo = 10;
  for (const wl::RenderRequest& r :
       {Request(wl::Orthographic), Request(wl::Perspective, wl::Nano), final, slice}) {
    SCOPED_TRACE(testing::Message() << "mode " << r.Mode);
    const std::vector<RGBA> plain = Picture(Render(*p2avg, r));
    const std::vector<RGBA> phased = Picture(Render(*p2avg, Phase(r)));
    EXPECT_GT(wltest::CountLit(plain), 1000);
    EXPECT_EQ(plain, phased);
  }
}

}  // namespace
