// Complex orbitals coloured by the phase angle: the hue wheel, and the hue
// running around the z axis in every mode for 2p with m = +1; real orbitals
// and requests without phase keep their pictures.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "ComplexTestElectron.h"
#include "RenderTestSupport.h"
#include "core/Platform.h"
#include "render/Phase.h"

namespace {

using wl::PhaseHue;
using wl::PhaseRgb;
using wl::RGBA;
using wltest::Request;

constexpr double kPi = 3.141592653589793;

// The OKLab hue of a colour in degrees, 0 to 360.
double HueOf(PhaseRgb c) {
  const double h = wl::phase_detail::OkHue(c) * 180 / kPi;
  return h < 0 ? h + 360 : h;
}
// The distance of two hues in degrees, 0 to 180.
double HueGap(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}
int Distance(PhaseRgb a, PhaseRgb b) {
  return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B);
}

TEST(PhaseHueWheel, IsContinuousPeriodicEvenAndStartsAtThePositiveColour) {
  for (wl::PhasePalette palette : {wl::OrangeBlue, wl::RedBlue, wl::ColourSafe}) {
    SCOPED_TRACE(palette);
    // Continuous: a step of half a degree moves no channel far.
    PhaseRgb last = PhaseHue(palette, 0);
    for (int k = 1; k <= 720; ++k) {
      const PhaseRgb c = PhaseHue(palette, k * kPi / 360);
      ASSERT_LE(Distance(c, last), 9) << "step " << k;
      last = c;
    }
    // Periodic, for negative and large angles too.
    for (double a : {0.3, 2.0, 4.5}) {
      EXPECT_EQ(Distance(PhaseHue(palette, a), PhaseHue(palette, a + 2 * kPi)), 0);
      EXPECT_EQ(Distance(PhaseHue(palette, a), PhaseHue(palette, a - 4 * kPi)), 0);
    }
    // The four quadrants far apart; the hue turns a quarter each time.
    std::array<PhaseRgb, 4> q{};
    for (int i = 0; i < 4; ++i) q[i] = PhaseHue(palette, i * kPi / 2);
    for (int i = 0; i < 4; ++i) {
      for (int j = i + 1; j < 4; ++j) EXPECT_GT(Distance(q[i], q[j]), 100) << i << " " << j;
      EXPECT_NEAR(HueGap(HueOf(q[i]), HueOf(q[(i + 1) % 4])), 90, 3);
    }
    // One lightness: the luma of every hue within a narrow band.
    double lo = 1e9, hi = 0;
    for (int k = 0; k < 36; ++k) {
      const PhaseRgb c = PhaseHue(palette, k * kPi / 18);
      const double y = 0.2126 * c.R + 0.7152 * c.G + 0.0722 * c.B;
      lo = std::min(lo, y), hi = std::max(hi, y);
    }
    EXPECT_LT(hi - lo, 60);
    // arg 0 in the positive colour's hue; π bluish, as the negative colours are.
    EXPECT_LT(HueGap(HueOf(q[0]), HueOf(wl::PhaseColour(palette, true))), 2);
    EXPECT_GT(q[0].R, q[0].B);
    EXPECT_GT(q[2].B, q[2].R);
  }
  // The table: its steps are the function's, angles wrap, NaN is step 0.
  const wl::PhaseWheel wheel(wl::OrangeBlue);
  EXPECT_EQ(Distance(wheel.Step(64), PhaseHue(wl::OrangeBlue, kPi / 2)), 0);
  EXPECT_EQ(wl::PhaseWheel::StepOf(-kPi / 2), 192);
  EXPECT_EQ(wl::PhaseWheel::StepOf(2 * kPi - 1e-9), 0);
  EXPECT_EQ(wl::PhaseWheel::StepOf(std::nan("")), 0);
}

// A calculated 2p with m = +1 (fixed seed).
class ComplexRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wl::SetSeedHook(1);
    orb = new wl::cOrbitalPDF;
    wl::OrbitalSetup s;
    s.AtomRadius = 8;
    s.DotTarget = 30000;
    s.DotThreshold = 20;
    s.OrbitalIndex = 4;
    s.OrbitalViewMode = wl::PDF;
    s.Complex = true;
    wltest::Access::SetupWith(*orb, s, std::make_unique<wltest::Complex2p1>());
    wl::SetSeedHook(std::nullopt);
  }
  static void TearDownTestSuite() { delete orb; }

  static wl::Long Render(const wl::RenderRequest& r) {
    const wl::RenderDCinfo d = orb->GetRender(r);
    return r.Size == wl::Main ? d.MainHDC : d.NanoHDC;
  }
  static wl::RenderRequest Phase(wl::RenderRequest r) {
    r.ShowPhase = wl::kTrue;
    r.Palette = wl::OrangeBlue;
    return r;
  }
  // The mean colour of the lit pixels within `half` of device pixel (x, y).
  static PhaseRgb MeanAround(wl::Long hdc, int x, int y, int half = 6) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int j = y - half; j <= y + half; ++j) {
      for (int i = x - half; i <= x + half; ++i) {
        const RGBA p = wltest::At(hdc, i, j);
        if ((p.R | p.G | p.B) == 0) continue;
        r += p.R, g += p.G, b += p.B, ++n;
      }
    }
    EXPECT_GT(n, 0) << "nothing lit around " << x << "," << y;
    if (n == 0) return {};
    auto m = [n](double v) { return static_cast<std::uint8_t>(std::lround(v / n)); };
    return {m(r), m(g), m(b)};
  }
  // The hues right, up, left and down of the centre `c` at `d` pixels.
  static std::array<double, 4> Compass(wl::Long hdc, int d, int c = 187) {
    return {HueOf(MeanAround(hdc, c + d, c)), HueOf(MeanAround(hdc, c, c - d)),
            HueOf(MeanAround(hdc, c - d, c)), HueOf(MeanAround(hdc, c, c + d))};
  }
  // Four different hues a quarter turn apart in order, opposite ones complementary.
  static void ExpectWheelAround(const std::array<double, 4>& h, double tolerance) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(HueGap(h[i], h[(i + 1) % 4]), 90, tolerance) << "quarter " << i;
      EXPECT_NEAR(HueGap(h[i], h[(i + 2) % 4]), 180, tolerance) << "opposite " << i;
    }
  }
  static wl::cOrbitalPDF* orb;
};
wl::cOrbitalPDF* ComplexRender::orb = nullptr;

TEST_F(ComplexRender, SliceThroughTheRingShowsArgPsiAroundZ) {
  // Across is x, up is y; the ring's densest circle lies 2 a₀ (32 cells) out.
  wl::RenderRequest r = Phase(Request(wl::Transect));
  r.TransectDir = wl::Alongz;
  r.TransectNo = 0;
  const wl::Long h = Render(r);
  const std::array<double, 4> hue = Compass(h, 32);  // +x, +y, −x, −y
  const double zero = HueOf(wl::PhaseColour(wl::OrangeBlue, true));
  // arg ψ: π on +x, −π/2 on +y, 0 on −x, π/2 on −y.
  EXPECT_LT(HueGap(hue[2], zero), 8);
  EXPECT_LT(HueGap(hue[3], zero + 90), 8);
  EXPECT_LT(HueGap(hue[0], zero + 180), 8);
  EXPECT_LT(HueGap(hue[1], zero + 270), 8);
  // The nano view and a picture of another size show the same turn.
  r.Size = wl::Nano;
  const wl::Long nano = Render(r);
  EXPECT_LT(HueGap(HueOf(MeanAround(nano, 63 - 16, 63, 3)), zero), 10);
  EXPECT_LT(HueGap(HueOf(MeanAround(nano, 63, 63 + 16, 3)), zero + 90), 10);
  r.Size = wl::Main;
  r.Pixels = 750;
  const wl::Long big = Render(r);
  EXPECT_LT(HueGap(HueOf(MeanAround(big, 375 - 64, 375)), zero), 8);
  EXPECT_LT(HueGap(HueOf(MeanAround(big, 375, 375 - 64)), zero + 270), 8);
}

TEST_F(ComplexRender, ThreeDimensionalModesSeenAlongZShowTheWheel) {
  // The view's own picture and one twice its size (drawn by other paths).
  for (int pixels : {0, 750}) {
    std::vector<double> right;
    for (wl::RenderMode mode :
         {wl::Orthographic, wl::Perspective, wl::Volumetric, wl::BoundarySurface}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " pixels " << pixels);
      wl::RenderRequest r = Phase(Request(mode));
      r.Theta = kPi / 2;  // looking along z
      r.VolFinal = wl::kTrue;
      r.EnclosedShare = 0.9;
      r.Pixels = pixels;
      const int scale = pixels == 0 ? 1 : 2;
      const std::array<double, 4> hue = Compass(Render(r), 32 * scale, 187 * scale);
      ExpectWheelAround(hue, 20);
      right.push_back(hue[0]);
    }
    // The modes agree on where each phase lies.
    for (double h : right) EXPECT_LT(HueGap(right[0], h), 15);
  }
}

TEST_F(ComplexRender, WithoutPhaseThePicturesAreGrey) {
  for (wl::RenderMode mode :
       {wl::Orthographic, wl::Volumetric, wl::BoundarySurface, wl::Transect}) {
    SCOPED_TRACE(mode);
    wl::RenderRequest r = Request(mode);
    r.VolFinal = wl::kTrue;
    r.EnclosedShare = 0.9;
    const std::vector<RGBA> picture = wltest::Picture(Render(r));
    ASSERT_GT(wltest::CountLit(picture), 500);
    int coloured = 0;
    for (const RGBA& p : picture) coloured += std::abs(p.R - p.B) > 12;
    EXPECT_EQ(coloured, 0);
  }
}

}  // namespace
