// The volume renderer: the rays and their count, the preview's resolution and
// its adaptation under a replaced clock, the brightness peaks, the frame of
// the main view, and the reuse of a final image with the transector.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "ErrorNumber.h"
#include "RenderTestSupport.h"
#include "core/Platform.h"
#include "core/modOrbitals.h"

namespace {

using wl::RGBA;
using wltest::Access;
using wltest::At;
using wltest::CountLit;
using wltest::Picture;
using wltest::Request;

// A wave function given by a formula of the squared coordinates; counts its evaluations.
class TestElectron final : public wl::cElectron {
 public:
  using Fn = std::function<double(const wl::COORDdoubleParams&)>;
  explicit TestElectron(Fn f) : f_(std::move(f)) {}
  wl::OrbInfo GetInfo() const override { return {}; }
  wl::Byte GetPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetRealPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetNonScaledPDF(const wl::COORDdoubleParams& c) override {
    ++pdfCalls;
    return f_(c);
  }
  wl::Byte GetDRPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetRealDRPDF(const wl::COORDdoubleParams&) override { return 0; }
  double GetNonScaledDRPDF(const wl::COORDdoubleParams& c) override {
    ++drpdfCalls;
    return f_(c);
  }
  void GetLevels(wl::ViewMode, const double*, const double*, const double*, int,
                 wl::Byte*) const override {}

  long pdfCalls = 0, drpdfCalls = 0;

 private:
  Fn f_;
};

double Uniform(const wl::COORDdoubleParams&) {
  return 1.0;
}
double Blob(const wl::COORDdoubleParams& c) {
  return 1.0 / (1.0 + c.Xs + 2 * c.Ys + 3 * c.Zs);
}

// Rays of an N-pixel image: the centre row, then half the rows of the lower
// half at every second pixel (each ray also serves the mirror pixel).
long Rays(int N) {
  const int c = N / 2;
  return N + static_cast<long>((c + 1) / 2) * (c + 1);
}

struct VolumeRender : ::testing::Test {
  wl::cOrbitalPDF orb;
  TestElectron* electron = nullptr;
  std::uint32_t now = 1000;
  std::uint32_t step = 50;  // milliseconds between two clock readings

  void SetUp() override {
    Use(Blob);
    wl::SetClockHook([this] {
      const std::uint32_t t = now;
      now += step;
      return t;
    });
  }
  void TearDown() override { wl::SetClockHook({}); }

  void Use(TestElectron::Fn f, wl::Integer radius = 10) {
    auto e = std::make_unique<TestElectron>(std::move(f));
    electron = e.get();
    Access::PlantElectron(orb, std::move(e), radius);
  }
  wl::RenderRequest Volume(wl::RenderSize size = wl::Main, int q = 5, bool final = false) {
    wl::RenderRequest r = Request(wl::Volumetric, size);
    r.VolQuality = static_cast<wl::Integer>(q);
    r.VolFinal = wl::ToBoolean(final);
    return r;
  }
  wl::Long Render(const wl::RenderRequest& r) {
    const wl::RenderDCinfo dcs = orb.GetRender(r);
    return r.Size == wl::Main ? dcs.MainHDC : dcs.NanoHDC;
  }
  float& Param() { return Access::VolumeParam(orb); }
};

TEST_F(VolumeRender, UniformDensityFillsTheSquareInABlackFrame) {
  Use(Uniform);
  const wl::Long h = Render(Volume(wl::Main, 10, true));
  const std::vector<RGBA> pic = Picture(h);
  for (int y = 0; y < 375; ++y) {
    for (int x = 0; x < 375; ++x) {
      const bool inside = x >= 60 && x <= 314 && y >= 60 && y <= 314;
      ASSERT_EQ(pic[y * 375 + x], inside ? (RGBA{255, 255, 255, 0}) : RGBA{}) << x << "," << y;
    }
  }
  EXPECT_EQ(electron->pdfCalls, 10 * Rays(255));
  // The nano view fills its whole bitmap.
  EXPECT_EQ(CountLit(Picture(Render(Volume(wl::Nano, 10, true)))), 127 * 127);
}

TEST_F(VolumeRender, FirstPreviewUsesNineAndAdaptsTowardsFiftyMilliseconds) {
  EXPECT_FLOAT_EQ(Param(), 9.0f);
  Render(Volume());  // N = 5 · 9 = 45, took 50 ms
  EXPECT_EQ(electron->pdfCalls, 5 * Rays(45));
  EXPECT_FLOAT_EQ(Param(), 9.0f);  // (45 / 5 + 9) / 2

  step = 200;  // four times too slow: N · √(50 / 200) / q = 4.5
  Render(Volume());
  EXPECT_FLOAT_EQ(Param(), (4.5f + 9.0f) / 2);

  electron->pdfCalls = 0;
  step = 0;          // a clock that did not move counts as 50 ms
  Render(Volume());  // N = Int(5 · 6.75) = 33
  EXPECT_EQ(electron->pdfCalls, 5 * Rays(33));
  EXPECT_FLOAT_EQ(Param(), (33.0f / 5 + 6.75f) / 2);

  // Quality 10: N = 90 is even and becomes 89.
  Param() = 9.0f;
  step = 50;
  electron->pdfCalls = 0;
  Render(Volume(wl::Main, 10));
  EXPECT_EQ(electron->pdfCalls, 10 * Rays(89));
  EXPECT_FLOAT_EQ(Param(), (8.9f + 9.0f) / 2);
}

TEST_F(VolumeRender, PreviewResolutionStaysOddWithinItsBounds) {
  struct Case {
    float param;
    wl::RenderSize size;
    int N;
  };
  const Case cases[] = {{3.3f, wl::Main, 15},   {1.0f, wl::Main, 15},   {0.0f, wl::Nano, 15},
                        {100.f, wl::Main, 255}, {100.f, wl::Nano, 127}, {25.6f, wl::Nano, 127},
                        {24.0f, wl::Main, 119}};
  for (const Case& c : cases) {
    Param() = c.param;
    electron->pdfCalls = 0;
    Render(Volume(c.size));
    EXPECT_EQ(electron->pdfCalls, 5 * Rays(c.N)) << c.param;
    EXPECT_FLOAT_EQ(Param(), (c.N / 5.0f + c.param) / 2) << c.param;
  }
}

TEST_F(VolumeRender, FinalImageUsesFullResolutionAndKeepsTheParameter) {
  Param() = 2.0f;
  Render(Volume(wl::Nano, 7, true));
  EXPECT_EQ(electron->pdfCalls, 7 * Rays(127));
  EXPECT_FLOAT_EQ(Param(), 2.0f);
}

TEST_F(VolumeRender, QualityRules) {
  // 0 renders like 5.
  const std::vector<RGBA> five = Picture(Render(Volume(wl::Main, 5, true)));
  wl::cOrbitalPDF other;
  auto e = std::make_unique<TestElectron>(Blob);
  TestElectron* counted = e.get();
  Access::PlantElectron(other, std::move(e), 10);
  EXPECT_EQ(Picture(other.GetRender(Volume(wl::Main, 0, true)).MainHDC), five);
  EXPECT_EQ(counted->pdfCalls, 5 * Rays(255));

  const wl::Long kept = Render(Volume());
  for (int q : {1, 4, 11, 255}) {
    EXPECT_EQ(wltest::ErrorNumberOf([&] { Render(Volume(wl::Main, q)); }), wl::kSubscriptRange)
        << q;
  }
  for (int q : {-1, 256}) {
    EXPECT_EQ(wltest::ErrorNumberOf([&] { Render(Volume(wl::Main, q)); }), wl::kOverflow) << q;
  }
  EXPECT_NE(wl::LookupSurface(kept), nullptr);  // the last image survives
}

int Brightest(wl::Long h) {
  int best = 0;
  for (const RGBA& p : Picture(h)) best = std::max<int>(best, p.G);
  return best;
}

TEST_F(VolumeRender, BrightnessPeakPerQualityOnlyGrows) {
  wl::Long h = Render(Volume(wl::Main, 5, true));
  const float peak = Access::VolumePeak(orb, 5);
  EXPECT_GT(peak, 0.0f);
  // The brightest ray lies on the centre row, which an odd centre index
  // interpolates over: the picture's brightest pixel is a little below 255.
  const int full = Brightest(h);
  EXPECT_GE(full, 240);
  EXPECT_EQ(Access::VolumePeak(orb, 6), 0.0f);

  // A peak four times as high, as if an earlier view had been brighter.
  Access::VolumePeak(orb, 5) = 4 * peak;
  wl::RenderRequest r = Volume(wl::Main, 5, true);
  r.Theta = 0.5;
  h = Render(r);
  EXPECT_EQ(Access::VolumePeak(orb, 5), 4 * peak);
  EXPECT_NEAR(Brightest(h), full / 4.0, 1.0);
}

TEST_F(VolumeRender, ZeroDensityIsBlack) {
  Use([](const wl::COORDdoubleParams&) { return 0.0; });
  EXPECT_EQ(CountLit(Picture(Render(Volume(wl::Main, 5, true)))), 0);
  EXPECT_EQ(Access::VolumePeak(orb, 5), 0.0f);
}

TEST_F(VolumeRender, RadiallyWeightedObjectsTraceTheirOwnDensity) {
  wl::cOrbitalDRPDF dr;
  auto e = std::make_unique<TestElectron>(Blob);
  TestElectron* counted = e.get();
  Access::PlantElectron(dr, std::move(e), 10);
  dr.GetRender(Volume());
  EXPECT_EQ(counted->pdfCalls, 0);
  EXPECT_EQ(counted->drpdfCalls, 5 * Rays(45));
}

TEST_F(VolumeRender, OtherSizesDrawNothing) {
  wl::RenderRequest r = Volume();
  r.Size = static_cast<wl::RenderSize>(100);
  const wl::RenderDCinfo dcs = orb.GetRender(r);
  EXPECT_EQ(dcs.MainHDC, 0);
  EXPECT_EQ(dcs.NanoHDC, 0);
  EXPECT_EQ(electron->pdfCalls, 0);
  EXPECT_FLOAT_EQ(Param(), 9.0f);
}

TEST_F(VolumeRender, TwoPzShowsTwoLobesAlongZ) {
  Access::PlantElectron(orb, wl::modOrbitals::CreateElectron(4), 8);
  const wl::Long h = Render(Volume(wl::Main, 10, true));
  // Lobes above and below the centre, a dark nodal plane across.
  EXPECT_GT(At(h, 187, 187 - 60).G, 150);
  EXPECT_GT(At(h, 187, 187 + 60).G, 150);
  EXPECT_LT(At(h, 187 - 60, 187).G, 20);
  EXPECT_LT(At(h, 187 + 60, 187).G, 20);
  // Seen straight on, the image is point-symmetric about the centre.
  for (int y = 60; y <= 314; ++y) {
    for (int x = 60; x <= 314; ++x)
      ASSERT_EQ(At(h, x, y), At(h, 374 - x, 374 - y)) << x << "," << y;
  }
}

// ---- the final image and its reuse ----

TEST_F(VolumeRender, AnUnchangedFinalImageIsServedWithoutTracing) {
  wl::RenderRequest r = Volume(wl::Main, 8, true);
  r.Theta = 0.7;
  r.Phi = -0.2;
  const wl::Long h = Render(r);
  const std::vector<RGBA> image = Picture(h);
  const long traced = electron->pdfCalls;
  EXPECT_EQ(Render(r), h);  // the same bitmap, refilled
  EXPECT_EQ(electron->pdfCalls, traced);
  EXPECT_EQ(Picture(h), image);

  // A preview of the unchanged view is served from the final image too.
  wl::RenderRequest preview = r;
  preview.VolFinal = wl::kFalse;
  Render(preview);
  EXPECT_EQ(electron->pdfCalls, traced);

  // Once turned it is traced again.
  r.Phi = -0.25;
  Render(r);
  EXPECT_GT(electron->pdfCalls, traced);
}

TEST_F(VolumeRender, EachViewReusesItsOwnFinalImage) {
  const wl::RenderRequest r = Volume(wl::Main, 5, true);
  const std::vector<RGBA> image = Picture(Render(r));
  const long traced = electron->pdfCalls;
  Access::PlantDots(orb, {{0, 0, 0, 100}, {0, 0, 0, 100}, {0, 0, 0, 100}});
  orb.GetRender(Request(wl::Orthographic, wl::Nano));  // fills the nano buffer in between
  EXPECT_EQ(Picture(Render(r)), image);
  EXPECT_EQ(electron->pdfCalls, traced);
  EXPECT_EQ(Access::PixelsEdge(orb), 374);
}

TEST_F(VolumeRender, TransectorOnAndOffGivesTheImageBackByteForByte) {
  Access::PlantElectron(orb, wl::modOrbitals::CreateElectron(9), 18);  // 3Dz²
  wl::RenderRequest r = Volume(wl::Main, 10, true);
  r.Theta = 0.4;
  r.Phi = 0.6;
  r.TransectDir = wl::AlongX;
  r.TransectNo = 30;
  const wl::Long h = Render(r);
  const std::vector<RGBA> plain = Picture(h);

  r.Transector = wl::kTrue;
  Render(r);
  const std::vector<RGBA> outlined = Picture(h);
  EXPECT_NE(outlined, plain);

  r.TransectNo = -70;  // moved while the view stands still
  Render(r);
  const std::vector<RGBA> moved = Picture(h);

  r.Transector = wl::kFalse;
  Render(r);
  EXPECT_EQ(Picture(h), plain);

  // The moved outline matches one drawn on a freshly traced image.
  wl::cOrbitalPDF fresh;
  Access::PlantElectron(fresh, wl::modOrbitals::CreateElectron(9), 18);
  r.Transector = wl::kTrue;
  EXPECT_EQ(Picture(fresh.GetRender(r).MainHDC), moved);
}

TEST_F(VolumeRender, NanoFinalImageBesideAMainTransect) {
  Access::PlantEmptyGrid(orb);
  orb.GetRender(Request(wl::Transect));  // the main view shows a transect
  wl::RenderRequest r = Volume(wl::Nano, 6, true);
  r.Transector = wl::kTrue;
  r.TransectDir = wl::Alongz;
  r.TransectNo = 0;
  const wl::Long h = Render(r);
  // Seen edge-on: the nano outline is the middle row, from 0 to 126.
  for (int x = 0; x <= 126; ++x) EXPECT_GE(At(h, x, 63).G, 128) << x;
  const long traced = electron->pdfCalls;
  r.Transector = wl::kFalse;
  Render(r);
  EXPECT_EQ(electron->pdfCalls, traced);
  wl::cOrbitalPDF fresh;
  Access::PlantElectron(fresh, std::make_unique<TestElectron>(Blob), 10);
  EXPECT_EQ(Picture(h), Picture(fresh.GetRender(r).NanoHDC));
}

}  // namespace
