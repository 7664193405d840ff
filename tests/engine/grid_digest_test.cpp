// Every orbital, PDF and DRPDF, calculated at its defaults with a fixed seed:
// the probability grid, the histogram and the dot cloud must give the
// digests in tests/data/grid-digests.txt on every processor and path (AVX2,
// scalar x86-64, arm64), so that the same request gives the same picture
// everywhere. WL_UPDATE_GOLDENS=1 rewrites the file on purpose.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "RenderTestSupport.h"
#include "core/Platform.h"
#include "orbitals/OrbitalTable.h"

namespace {

using wl::Byte;

// FNV-1a, 64 bits, over bytes fed in a fixed order and width.
class Digest {
 public:
  void Add(std::uint64_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) {
      hash_ ^= (value >> (8 * b)) & 0xFF;
      hash_ *= 0x100000001B3ull;
    }
  }
  std::string Hex() const {
    std::ostringstream s;
    s << std::hex << hash_;
    return s.str();
  }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

std::string DigestsPath() {
  const char* root = std::getenv("WL_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/data/grid-digests.txt";
}

// "<index> <PDF|DRPDF>" -> "<grid> <histogram> <dot count> <dots>".
std::string Line(int index, wl::ViewMode view) {
  std::unique_ptr<wl::cOrbitalObject> o;
  if (view == wl::PDF)
    o = std::make_unique<wl::cOrbitalPDF>();
  else
    o = std::make_unique<wl::cOrbitalDRPDF>();
  const wl::OrbitalRow& row = wl::kOrbitalTable[index];
  wl::OrbitalSetup s;
  s.OrbitalIndex = static_cast<wl::Integer>(index);
  s.OrbitalViewMode = view;
  s.AtomRadius = view == wl::PDF ? row.PDFRadius : row.DRPDFRadius;
  s.DotThreshold = static_cast<Byte>(view == wl::PDF ? row.PDFThreshold : row.DRPDFThreshold);
  s.DotTarget = 20000;
  wl::SetSeedHook(7);
  o->Setup(s);
  wl::SetSeedHook(std::nullopt);

  Digest grid, freqs, dots;
  for (Byte b : wltest::Access::Grid(*o)) grid.Add(b, 1);
  for (auto f : o->GetStats().ProbFreqs) freqs.Add(static_cast<std::uint64_t>(f), 8);
  const auto& cloud = wltest::Access::Dots(*o);
  for (const wl::PointArray& p : cloud) {
    dots.Add(static_cast<std::uint16_t>(p.X), 2);
    dots.Add(static_cast<std::uint16_t>(p.Y), 2);
    dots.Add(static_cast<std::uint16_t>(p.Z), 2);
    dots.Add(p.P, 1);
  }
  return grid.Hex() + " " + freqs.Hex() + " " + std::to_string(cloud.size()) + " " + dots.Hex();
}

TEST(GridDigests, SameOnEveryProcessor) {
  std::map<std::string, std::string> actual;
  for (int index = 0; index < 40; ++index) {
    for (wl::ViewMode view : {wl::PDF, wl::DRPDF}) {
      const std::string key =
          std::to_string(index) + (view == wl::PDF ? " PDF" : " DRPDF");
      actual[key] = Line(index, view);
    }
  }
  const char* update = std::getenv("WL_UPDATE_GOLDENS");
  if (update && std::string(update) == "1") {
    std::ofstream out(DigestsPath());
    for (const auto& [key, value] : actual) out << key << " " << value << "\n";
    GTEST_SKIP() << "rewrote " << DigestsPath();
  }
  std::ifstream in(DigestsPath());
  ASSERT_TRUE(in) << "missing " << DigestsPath();
  std::map<std::string, std::string> expected;
  std::string index, view, rest;
  while (in >> index >> view && std::getline(in, rest)) expected[index + " " + view] = rest.substr(1);
  ASSERT_EQ(expected.size(), actual.size());
  for (const auto& [key, value] : actual) EXPECT_EQ(value, expected[key]) << "orbital " << key;
}

}  // namespace
