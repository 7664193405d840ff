// The sampler against a plain scalar walk, and the histogram's totals.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/WLError.h"
#include "core/modOrbitals.h"
#include "orbitals/OrbitalTable.h"
#include "render/ProbabilitySampler.h"
#include "render/cOrbital.h"

namespace wl {
namespace {

using Grid = std::vector<Byte>;
Byte& At(Grid& g, int i, int j, int k) {
  return g[cOrbitalObject::GridIndex(i, j, k)];
}

// One cell the plain way: the byte operation of the wave function, a level that
// rounds above 255 stored as 255.
Byte Level(cElectron& e, ViewMode view, double x, double y, double z) {
  const COORDdoubleParams c{x * x, y * y, z * z};
  try {
    return view == PDF ? e.GetPDF(c) : e.GetDRPDF(c);
  } catch (const WLError& err) {
    EXPECT_EQ(err.Number(), kOverflow);
    return 255;
  }
}

// The sampler's walk written out plainly: one thread, one point at a time,
// cells and weights in the documented order.
void ReferenceWalk(cElectron& e, ViewMode view, Integer radius, OptFactor f, Grid& g,
                   Histogram& freqs) {
  g.assign(kGridCells, 0);
  const double h = static_cast<double>(radius) / 127;
  double c[128];
  double acc = 0;
  for (double& v : c) {
    v = acc;
    acc += h;
  }
  auto put = [&](int w, std::initializer_list<std::array<int, 3>> cells, Byte v) {
    for (auto& cell : cells) At(g, cell[0], cell[1], cell[2]) = v;
    freqs[v] += w;
  };
  put(1, {{0, 0, 0}}, Level(e, view, 0, 0, 0));
  for (int i = 1; i < 128; ++i) put(2, {{i, 0, 0}}, Level(e, view, c[i], 0, 0));
  for (int i = 1; i < 128; ++i) put(2, {{0, i, 0}}, Level(e, view, 0, c[i], 0));
  for (int i = 1; i < 128; ++i) put(2, {{0, 0, i}}, Level(e, view, 0, 0, c[i]));
  for (int j = 1; j < 128; ++j)
    for (int i = 1; i < 128; ++i) put(4, {{i, j, 0}}, Level(e, view, c[i], c[j], 0));
  for (int k = 1; k < 128; ++k)
    for (int i = 1; i < 128; ++i) put(4, {{i, 0, k}}, Level(e, view, c[i], 0, c[k]));
  for (int k = 1; k < 128; ++k)
    for (int j = 1; j < 128; ++j) put(4, {{0, j, k}}, Level(e, view, 0, c[j], c[k]));
  switch (f) {
    case F8:
      for (int k = 1; k < 128; ++k)
        for (int j = 1; j < 128; ++j)
          for (int i = 1; i < 128; ++i) put(8, {{i, j, k}}, Level(e, view, c[i], c[j], c[k]));
      break;
    case F16xy:
      for (int k = 1; k < 128; ++k)
        for (int j = 1; j < 128; ++j)
          for (int i = 1; i <= j; ++i)
            put(16, {{i, j, k}, {j, i, k}}, Level(e, view, c[i], c[j], c[k]));
      break;
    case F16yz:
      for (int i = 1; i < 128; ++i)
        for (int j = 1; j < 128; ++j)
          for (int k = 1; k <= j; ++k)
            put(16, {{i, j, k}, {i, k, j}}, Level(e, view, c[i], c[j], c[k]));
      break;
    case F16xz:
      for (int j = 1; j < 128; ++j)
        for (int k = 1; k < 128; ++k)
          for (int i = 1; i <= k; ++i)
            put(16, {{i, j, k}, {k, j, i}}, Level(e, view, c[i], c[j], c[k]));
      break;
    case F32:
      for (int k = 1; k < 128; ++k)
        for (int j = 1; j <= k; ++j)
          for (int i = 1; i <= k; ++i)
            put(32, {{i, j, k}, {j, i, k}, {i, k, j}, {k, i, j}}, Level(e, view, c[i], c[j], c[k]));
      break;
    case F1:  // the whole-cube grid has its own tests
      break;
  }
}

std::unique_ptr<cElectron> Scaled(int index, ViewMode view, double scale) {
  auto e = modOrbitals::CreateElectron(static_cast<Integer>(index));
  if (view == PDF)
    e->SetPDFScaleFactor(scale);
  else
    e->SetDRPDFScaleFactor(scale);
  return e;
}

// The scale of the orbital at its default radius, as a calculation sets it.
double DefaultScale(int index, ViewMode view) {
  std::unique_ptr<cOrbitalObject> o;
  if (view == PDF)
    o = std::make_unique<cOrbitalPDF>();
  else
    o = std::make_unique<cOrbitalDRPDF>();
  const OrbitalRow& row = kOrbitalTable[index];
  OrbitalSetup s;
  s.OrbitalIndex = static_cast<Integer>(index);
  s.OrbitalViewMode = view;
  s.AtomRadius = view == PDF ? row.PDFRadius : row.DRPDFRadius;
  s.DotTarget = 0;
  o->Setup(s);
  return 255.0 / o->Peak();
}

// Every orbital at its default radius, PDF and DRPDF: the threaded, vectorised
// sampler gives exactly the grid and the histogram of the plain walk.
TEST(Sampler, EqualsThePlainWalkForAllOrbitals) {
  for (int index = 0; index < 40; ++index) {
    for (ViewMode view : {PDF, DRPDF}) {
      const OrbitalRow& row = kOrbitalTable[index];
      const Integer radius = view == PDF ? row.PDFRadius : row.DRPDFRadius;
      const OptFactor f = view == PDF ? row.PDFOpt : row.DRPDFOpt;
      auto e = Scaled(index, view, DefaultScale(index, view));
      Grid expected;
      Histogram expectedFreqs{};
      ReferenceWalk(*e, view, radius, f, expected, expectedFreqs);

      Grid grid(kGridCells, 0);
      Histogram freqs{};
      ProbabilitySampler(SamplerInput{e.get(), view, radius, f}, grid).SampleAll(freqs, 2);
      long differing = 0;
      for (size_t c = 0; c < grid.size(); ++c) differing += grid[c] != expected[c];
      EXPECT_EQ(differing, 0) << "orbital " << index << (view == PDF ? " PDF" : " DRPDF");
      EXPECT_EQ(freqs, expectedFreqs) << "orbital " << index << (view == PDF ? " PDF" : " DRPDF");
    }
  }
}

// The result does not depend on the number of threads or on how the interior
// is cut into slabs.
TEST(Sampler, IndependentOfThreadsAndSlabs) {
  for (int index : {9, 27, 39}) {  // F16xy, F32 and F32 average
    auto e = Scaled(index, PDF, DefaultScale(index, PDF));
    const SamplerInput in{e.get(), PDF, kOrbitalTable[index].PDFRadius,
                          kOrbitalTable[index].PDFOpt};
    Grid one(kGridCells, 0), three(kGridCells, 0), slabs(kGridCells, 0);
    Histogram f1{}, f3{}, fs{};
    ProbabilitySampler(in, one).SampleAll(f1, 1);
    ProbabilitySampler(in, three).SampleAll(f3, 3);
    ProbabilitySampler s(in, slabs);
    s.SampleBoundary(fs);
    for (int begin : {100, 1, 64, 37}) {  // out of order, uneven widths
      const int end = begin == 100 ? 128 : begin == 1 ? 37 : begin == 64 ? 100 : 64;
      s.SampleInteriorSlab(begin, end, fs);
    }
    EXPECT_EQ(one, three);
    EXPECT_EQ(one, slabs);
    EXPECT_EQ(f1, f3);
    EXPECT_EQ(f1, fs);
  }
}

std::int64_t Total(const Histogram& f) {
  std::int64_t t = 0;
  for (auto v : f) t += v;
  return t;
}

// Totals of the histogram: every evaluation adds its weight, so F8 covers the
// 255³ points of the cube exactly and the other factors count their diagonal
// evaluations with the full weight.
TEST(Sampler, HistogramTotals) {
  const std::int64_t boundary = 1 + 3 * 127 * 2 + 3 * 127 * 127 * 4;
  const std::int64_t tri = 127 * 128 / 2;  // pairs i <= j of 1..127
  std::int64_t squares = 0;                // pairs (i, j) <= k summed over k
  for (std::int64_t k = 1; k <= 127; ++k) squares += k * k;
  const std::pair<OptFactor, std::int64_t> cases[] = {
      {F8, 255LL * 255 * 255},
      {F16xy, boundary + 127 * tri * 16},
      {F16yz, boundary + 127 * tri * 16},
      {F16xz, boundary + 127 * tri * 16},
      {F32, boundary + squares * 32},
  };
  auto e = Scaled(6, PDF, 255.0 / 17.226061947089004);
  for (auto [factor, total] : cases) {
    Grid g(kGridCells, 0);
    Histogram f{};
    ProbabilitySampler(SamplerInput{e.get(), PDF, 18, factor}, g).SampleAll(f, 2);
    EXPECT_EQ(Total(f), total) << "factor " << factor;
  }
  // An unknown factor leaves the interior unsampled: only the boundary counts.
  Grid g(kGridCells, 0);
  Histogram f{};
  ProbabilitySampler(SamplerInput{e.get(), PDF, 18, static_cast<OptFactor>(7)}, g).SampleAll(f, 2);
  EXPECT_EQ(Total(f), boundary);
}

// Each orbital's symmetry factor fills the grid as the full F8 walk does: a
// wrong mirror would put values into the wrong cells.
TEST(Sampler, SymmetryFactorsMatchTheFullWalk) {
  for (int index = 0; index < 40; ++index) {
    for (ViewMode view : {PDF, DRPDF}) {
      const OrbitalRow& row = kOrbitalTable[index];
      const OptFactor f = view == PDF ? row.PDFOpt : row.DRPDFOpt;
      if (f == F8) continue;
      const Integer radius = view == PDF ? row.PDFRadius : row.DRPDFRadius;
      auto e = Scaled(index, view, DefaultScale(index, view));
      Grid full(kGridCells, 0), sym(kGridCells, 0);
      Histogram ff{}, fs{};
      ProbabilitySampler(SamplerInput{e.get(), view, radius, F8}, full).SampleAll(ff, 2);
      ProbabilitySampler(SamplerInput{e.get(), view, radius, f}, sym).SampleAll(fs, 2);
      // The mirrored point sums its squares in another order, which may move a
      // level that lies within rounding of a half by one; anything more is a fault.
      long offByOne = 0;
      for (size_t c = 0; c < full.size(); ++c) {
        const int d = std::abs(int{full[c]} - int{sym[c]});
        ASSERT_LE(d, 1) << "orbital " << index << " view " << view << " cell " << c;
        offByOne += d;
      }
      EXPECT_LE(offByOne, 2) << "orbital " << index << " view " << view;
    }
  }
}

}  // namespace
}  // namespace wl
