// Whole pictures of fully determined renders of a calculated 3Dz² orbital
// (fixed seed), compared byte for byte with the files in tests/data. Run with
// WL_UPDATE_GOLDENS=1 (scripts/update-goldens) to rewrite them on purpose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "RenderTestSupport.h"
#include "core/Platform.h"

namespace {

using wl::RGBA;
using wltest::Request;

std::string DataDir() {
  const char* root = std::getenv("WL_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/data/";
}

bool Updating() {
  const char* v = std::getenv("WL_UPDATE_GOLDENS");
  return v && std::string(v) == "1";
}

// The picture of a surface as a binary PPM (RGB) or, for grey pictures, PGM.
std::string Encode(wl::Long hdc, bool grey) {
  const wl::Surface* s = wl::LookupSurface(hdc);
  if (!s) return {};
  std::ostringstream out;
  out << (grey ? "P5\n" : "P6\n") << s->Width << " " << s->Rows - 1 << "\n255\n";
  for (const RGBA& p : wltest::Picture(hdc)) {
    if (grey) {
      out.put(static_cast<char>(p.G));
    } else {
      out.put(static_cast<char>(p.R)).put(static_cast<char>(p.G)).put(static_cast<char>(p.B));
    }
  }
  return out.str();
}

void ExpectGolden(const std::string& name, wl::Long hdc, bool grey = false) {
  const std::string actual = Encode(hdc, grey);
  ASSERT_FALSE(actual.empty()) << name << ": no picture";
  const std::string path = DataDir() + name;
  if (Updating()) {
    std::ofstream(path, std::ios::binary) << actual;
    GTEST_SKIP() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden " << path << "; run scripts/update-goldens";
  const std::string expected{std::istreambuf_iterator<char>(in), {}};
  if (actual == expected) return;
  size_t differing = 0;
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
    differing += actual[i] != expected[i];
  }
  const std::string kept = name + ".actual";
  std::ofstream(kept, std::ios::binary) << actual;
  ADD_FAILURE() << name << ": " << differing << " bytes differ (sizes " << actual.size() << ", "
                << expected.size() << "); this render was written to " << kept;
}

class Golden : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wl::SetSeedHook(1);
    orb = new wl::cOrbitalPDF;
    wl::OrbitalSetup s;
    s.AtomRadius = 18;
    s.DotTarget = 16000;
    s.DotThreshold = 30;
    s.OrbitalIndex = 9;  // 3Dz²
    s.OrbitalViewMode = wl::PDF;
    orb->Setup(s);
    wl::SetSeedHook(std::nullopt);
  }
  static void TearDownTestSuite() {
    delete orb;
    orb = nullptr;
  }
  static wl::RenderRequest Turned(wl::RenderMode mode, wl::RenderSize size) {
    wl::RenderRequest r = Request(mode, size);
    r.Theta = 0.4;
    r.Phi = 0.6;
    return r;
  }
  static wl::cOrbitalPDF* orb;
};
wl::cOrbitalPDF* Golden::orb = nullptr;

TEST_F(Golden, NanoOrthographicProbabilityColours) {
  wl::RenderRequest r = Turned(wl::Orthographic, wl::Nano);
  r.ShowProbLevelOnDots = wl::kTrue;
  ExpectGolden("3dz2-orthographic-prob-nano.ppm", orb->GetRender(r).NanoHDC);
}

TEST_F(Golden, NanoAnaglyph) {
  ExpectGolden("3dz2-anaglyph-nano.ppm", orb->GetRender(Turned(wl::Anaglyph, wl::Nano)).NanoHDC);
}

TEST_F(Golden, NanoTransectInProbabilityColours) {
  wl::RenderRequest r = Request(wl::Transect, wl::Nano);
  r.TransectDir = wl::Alongy;
  r.TransectNo = 10;
  r.ShowProbLevelOnDots = r.ShowProbLevelOnTrans = wl::kTrue;
  ExpectGolden("3dz2-transect-nano.ppm", orb->GetRender(r).NanoHDC);
}

TEST_F(Golden, NanoFinalVolumeWithTransector) {
  wl::RenderRequest r = Turned(wl::Volumetric, wl::Nano);
  r.VolQuality = 10;
  r.VolFinal = wl::kTrue;
  r.Transector = wl::kTrue;
  r.TransectDir = wl::AlongX;
  r.TransectNo = 20;
  ExpectGolden("3dz2-volume-nano.ppm", orb->GetRender(r).NanoHDC);
}

TEST_F(Golden, MainPerspectiveWithTransector) {
  wl::RenderRequest r = Turned(wl::Perspective, wl::Main);
  r.Transector = wl::kTrue;
  r.TransectDir = wl::Alongz;
  r.TransectNo = -40;
  ExpectGolden("3dz2-perspective-main.pgm", orb->GetRender(r).MainHDC, true);
}

// The lit 90% surface with nested shells, cut open (the final image).
TEST_F(Golden, NanoFinalSurfaceNestedAndCut) {
  wl::RenderRequest r = Turned(wl::BoundarySurface, wl::Nano);
  r.VolFinal = wl::kTrue;
  r.SurfaceNested = wl::kTrue;
  r.SurfaceCutaway = wl::kTrue;
  ExpectGolden("3dz2-surface-nano.ppm", orb->GetRender(r).NanoHDC);
}

}  // namespace
