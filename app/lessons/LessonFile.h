// Lesson files (.wavelore): a small JSON document holding one or more
// calculated orbitals with everything that makes their views, which one is
// shown, and whether the Graphs window is open and on which tab.
//
//   {"wavelore": 1, "orbital": "3Dz2", "view": "pdf", "mode": "volume",
//    "theta": 0.5, "phi": 0.3}
//   {"wavelore": 1, "shown": 1, "orbitals": [{"orbital": "2Pz"}, {"orbital": "3Dxy"}]}
//   {"wavelore": 1, "orbital": "2Pz", "charge": 2, "complex": true}
//   {"wavelore": 1, "hybrid": "sp3", "member": 2, "shell": 2}
//   {"wavelore": 1, "combination": "2S:0.5,2Px:0.5"}
//
// Orbital, mode and slice names are read as on the command line. Keys with
// defaults may be left out. Reading checks the whole document before it
// hands anything back, so a caller never starts on half a lesson.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/Records.h"
#include "wllessons_export.h"

namespace wl {

// One orbital of a lesson: how it is calculated and how its views look.
// Field names follow the viewer's state of an orbital.
struct LessonOrbital {
  // Calculation: the row of the orbital table, the density, the atom radius
  // and dot threshold (the table's defaults for that density when absent).
  Integer OrbitalIndex = 0;
  // Beyond the row: the nuclear charge, the complex form, or instead of the
  // row a hybrid member or a custom combination (as in OrbitalSetup).
  Integer Charge = 1;
  bool Complex = false;
  HybridSet Hybrid = NoHybrid;
  Integer HybridMember = 1;
  Integer HybridShell = 2;
  std::vector<ComboTerm> Terms;  // CustomCombination, 1 to 4 terms
  wl::ViewMode ViewMode = PDF;
  Integer AtomRadius = 0;
  Byte DotThreshold = 0;
  // The views.
  RenderMode Mode = Orthographic;
  double Theta = 0;
  double Phi = 0;
  TransectDirection TransectDir = Alongy;
  Integer TransectNo = 0;
  bool Transector = true;  // the slice drawn in the 3D picture
  bool Swapped = false;    // the 3D picture in the small view
  // Further options.
  Long DotTarget = 16000;
  bool ShowProbLevelOnDots = false;
  bool ShowProbLevelOnTrans = true;
  Integer VolQuality = 5;
  Integer CameraPos = -300;
  Integer ProjectionPlane = 15;
  Integer StereoFactor = 30;
  AnaglyphGlasses Glasses = RedGreen;
  // Phase and surface.
  bool ShowPhase = false;
  PhasePalette Palette = OrangeBlue;
  double EnclosedShare = 0.9;
  bool SurfaceNested = false;
  bool SurfaceCutaway = false;
  // Sizes over the views.
  bool ShowScaleBar = true;
  double MarkerRadius = 0;
  bool MarkerInSlice = true;
  bool MarkerIn3D = true;

  bool operator==(const LessonOrbital&) const = default;
};

// The Graphs window's tabs, left to right.
enum class GraphsTab { Radial = 0, Within = 1, Angular = 2, Compare = 3 };

struct Lesson {
  std::vector<LessonOrbital> Orbitals;
  size_t Shown = 0;  // the one in the viewer, an index into Orbitals
  bool Graphs = false;
  GraphsTab Tab = GraphsTab::Radial;

  bool operator==(const Lesson&) const = default;
};

// A lesson with the table's defaults of orbital `index` (0 to 167) for `view`.
WLLESSONS_EXPORT LessonOrbital DefaultLessonOrbital(Integer index, wl::ViewMode view);
// A lesson of what `setup` chooses (its row, charge, complex form, hybrid or
// combination) with that choice's defaults (InfoOf) for `view`; the setup's
// radius, threshold and dots are not used.
WLLESSONS_EXPORT LessonOrbital DefaultLessonOrbital(const OrbitalSetup& setup, wl::ViewMode view);
// The setup a lesson's orbital is calculated with (16000 dots).
WLLESSONS_EXPORT OrbitalSetup SetupOf(const LessonOrbital& o);

struct LessonReading {
  std::optional<wl::Lesson> Lesson;  // none when refused
  QString Error;                     // why it was refused, naming the key
  QStringList Warnings;              // keys that were ignored
};

// Reads a lesson document. Refuses it as a whole (Error set, no lesson) when
// it is not JSON, not a lesson, or any value is of the wrong kind or out of
// range; unknown keys are only warned about.
WLLESSONS_EXPORT LessonReading ReadLesson(const QByteArray& text);

// The document of a lesson with at least one orbital: the keys of a single
// orbital at the top, or a list under "orbitals" for several. Every key is
// written, so the file shows what can be changed.
WLLESSONS_EXPORT QByteArray WriteLesson(const Lesson& lesson);

// The extension of lesson files, without its dot.
inline QString LessonExtension() {
  return QStringLiteral("wavelore");
}

}  // namespace wl
