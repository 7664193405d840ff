// The facade and the orbital collection: slot and index rules, errors.
#include <gtest/gtest.h>

#include "core/Platform.h"
#include "core/WLError.h"
#include "core/cWL.h"

namespace wl {
namespace {

OrbitalSetup Small(ViewMode view = PDF) {
  OrbitalSetup s;
  s.OrbitalIndex = 0;  // 1S
  s.AtomRadius = 2;
  s.DotTarget = 200;
  s.DotThreshold = 30;
  s.OrbitalViewMode = view;
  return s;
}

template <class F>
int ErrorOf(F&& f) {
  try {
    f();
  } catch (const WLError& e) {
    return e.Number();
  }
  return 0;
}

TEST(Collection, IndicesAreSmallAndReused) {
  cOrbitalCol col;
  EXPECT_EQ(col.UpperBound(), 0);
  EXPECT_EQ(col.NextIndex(), 0);
  EXPECT_EQ(col.Add(Small()), 0);
  EXPECT_EQ(col.UpperBound(), 0);  // the first Add needs no growth
  EXPECT_EQ(col.Add(Small(DRPDF)), 1);
  EXPECT_EQ(col.UpperBound(), 1);
  EXPECT_EQ(col.Add(Small()), 2);

  col.Delete(1);  // a hole below the top stays in the array
  EXPECT_EQ(col.UpperBound(), 2);
  EXPECT_TRUE(col.IsEmpty(1));
  EXPECT_EQ(col.NextIndex(), 1);
  EXPECT_EQ(col.Add(Small()), 1);

  col.Delete(2);  // the top slot is dropped
  EXPECT_EQ(col.UpperBound(), 1);
  EXPECT_EQ(col.NextIndex(), 2);
}

TEST(Collection, DeletingTheTopDropsExactlyOneSlot) {
  cOrbitalCol col;
  for (int i = 0; i < 3; ++i) col.Add(Small());
  col.Delete(1);
  col.Delete(2);  // slot 1 below is empty too, but only slot 2 goes
  EXPECT_EQ(col.UpperBound(), 1);
  EXPECT_TRUE(col.IsEmpty(1));
  EXPECT_EQ(col.NextIndex(), 1);
  EXPECT_EQ(col.Add(Small()), 1);

  cOrbitalCol single;
  single.Add(Small());
  single.Delete(0);  // the only slot stays
  EXPECT_EQ(single.UpperBound(), 0);
  EXPECT_TRUE(single.IsEmpty(0));
  single.Delete(0);  // deleting an empty slot is harmless
  EXPECT_EQ(single.Add(Small()), 0);
}

TEST(Collection, IndicesOutsideTheSlotsRaiseSubscriptErrors) {
  cOrbitalCol col;
  col.Add(Small());
  RenderRequest r;
  EXPECT_EQ(ErrorOf([&] { col.GetStats(1); }), kSubscriptRange);
  EXPECT_EQ(ErrorOf([&] { col.GetStats(-1); }), kSubscriptRange);
  EXPECT_EQ(ErrorOf([&] { col.GetRender(5, r); }), kSubscriptRange);
  EXPECT_EQ(ErrorOf([&] { col.ReFillDotMatrix(1, 30, 100); }), kSubscriptRange);
  EXPECT_EQ(ErrorOf([&] { col.Delete(1); }), kSubscriptRange);
  EXPECT_EQ(col.UpperBound(), 0);
  EXPECT_FALSE(col.IsEmpty(0));
  // An empty slot inside the bounds reports that no object is set.
  col.Add(Small());
  col.Delete(0);
  EXPECT_EQ(ErrorOf([&] { col.GetStats(0); }), kObjectNotSet);
}

// The surface of 1S (radius 2) for a share, through the collection: the
// same for both kinds of orbital (always of the density), in a box larger
// than the atom radius, which the surface crosses.
TEST(Collection, SurfacesAreOfTheDensityInABoxThatHoldsThem) {
  cOrbitalCol col;
  col.Add(Small());
  col.Add(Small(DRPDF));
  const SurfaceLevel pdf = col.SurfaceFor(0, 0.9), drpdf = col.SurfaceFor(1, 0.9);
  EXPECT_EQ(pdf.Density, drpdf.Density);
  EXPECT_TRUE(pdf.Enlarged());
  EXPECT_TRUE(pdf.BeyondAtomRadius);
  EXPECT_EQ(pdf.AtomRadius, 2);
  EXPECT_EQ(ErrorOf([&] { col.SurfaceFor(0, 0.04); }), 5);
  EXPECT_EQ(ErrorOf([&] { col.SurfaceFor(2, 0.9); }), kSubscriptRange);
}

TEST(Collection, ReFillRoundsTheIndexHalfToEven) {
  SetSeedHook(3);
  cOrbitalCol col;
  for (int i = 0; i < 3; ++i) col.Add(Small());
  EXPECT_EQ(col.ReFillDotMatrix(1.5, 30, 7), 0);  // orbital 2
  EXPECT_EQ(col.GetStats(2).DotTarget, 7);
  EXPECT_EQ(col.GetStats(1).DotTarget, 200);
  EXPECT_EQ(col.ReFillDotMatrix(2.5, 30, 9), 0);  // orbital 2 again
  EXPECT_EQ(col.GetStats(2).DotTarget, 9);
  EXPECT_EQ(ErrorOf([&] { col.ReFillDotMatrix(3e10, 30, 9); }), kOverflow);
  SetSeedHook(std::nullopt);
}

TEST(Collection, RejectsAnUnknownViewModeBeforeAnythingChanges) {
  cOrbitalCol col;
  OrbitalSetup s = Small();
  s.OrbitalViewMode = static_cast<ViewMode>(2);
  EXPECT_EQ(ErrorOf([&] { col.Add(s); }), kInvalidCall);
  EXPECT_EQ(col.UpperBound(), 0);
  EXPECT_EQ(col.NextIndex(), 0);
  EXPECT_TRUE(col.IsEmpty(0));
}

// A radius at which the density vanishes everywhere fails with division by
// zero and leaves nothing behind: the next Add takes the same slot.
TEST(Collection, FailedCalculationLeavesNoHalfMadeOrbital) {
  cOrbitalCol col;
  col.Add(Small());
  OrbitalSetup p = Small();
  p.OrbitalIndex = 2;  // 2Px vanishes at the nucleus
  p.AtomRadius = 0;
  EXPECT_EQ(ErrorOf([&] { col.Add(p); }), kDivisionByZero);
  EXPECT_EQ(col.UpperBound(), 0);
  EXPECT_EQ(col.NextIndex(), 1);
  EXPECT_EQ(col.Add(Small()), 1);
  EXPECT_EQ(col.GetStats(1).DotTarget, 200);

  OrbitalSetup bad = Small();
  bad.OrbitalIndex = 168;  // no such orbital
  EXPECT_EQ(ErrorOf([&] { col.Add(bad); }), kObjectNotSet);
  EXPECT_EQ(col.NextIndex(), 2);
}

TEST(Facade, OrbitalTableAndCollection) {
  cWL engine;
  EXPECT_EQ(engine.HighestN(), 7);
  const auto table = engine.EnumOrbitals();
  ASSERT_EQ(table.size(), 168u);
  EXPECT_EQ(table[26].Name, u"4Fz(x²-y²)");
  EXPECT_EQ(table[32].Name, u"2P");
  EXPECT_EQ(table[32].OrbType, AverageOrbs);

  cOrbitalCol& first = engine.Orbitals();
  EXPECT_EQ(&first, &engine.Orbitals());  // created once, then kept
  first.Add(Small());
  auto replacement = std::make_shared<cOrbitalCol>();
  engine.SetOrbitals(replacement);
  EXPECT_EQ(&engine.Orbitals(), replacement.get());
  EXPECT_TRUE(engine.Orbitals().IsEmpty(0));
}

TEST(Facade, AboutUsesTheInstalledHook) {
  cWL engine;
  engine.About();  // no hook: returns at once
  int shown = 0;
  SetAboutBoxHook([&] { ++shown; });
  engine.About();
  SetAboutBoxHook(nullptr);
  engine.About();
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace wl
