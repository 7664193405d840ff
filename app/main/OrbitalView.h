// The viewer's state of one calculated orbital, kept by the main window under
// the orbital's engine index.
#pragma once

#include "core/Records.h"

namespace wl {

struct OrbitalView {
  RenderMode Mode = Orthographic;  // 3D mode
  Byte Swapped = 0;                // 1: the 3D image is in the nano view
  Long SliderLeft = 587;           // left of the transect slider's thumb
  OrbInfo Info;              // InfoOf(Setup): its name, numbers and defaults
  Integer OrbitalIndex = 0;  // its row of the orbital table (Setup.OrbitalIndex)
  OrbitalSetup Setup;        // what was calculated: row, charge, complex form, hybrid
  float AtomRadius = 0;
  wl::ViewMode ViewMode = wl::PDF;
  Long DotTarget = 16000;
  Byte DotThreshold = 0;
  double Theta = 0;
  double Phi = 0;
  OrbitalStats Stats;
  RenderDCinfo DC;  // the engine's surfaces of the last main-size and nano-size images
  bool Transector = true;
  Integer TransectNo = 0;
  TransectDirection TransectDir = Alongy;
  bool ShowProbLevelOnDots = false;
  bool ShowProbLevelOnTrans = true;
  Integer VolQuality = 5;
  Integer CameraPos = -300;
  Integer ProjectionPlane = 15;
  Integer StereoFactor = 30;
  bool AutoRotating = false;
  double RotateAngle = 0;
  // The sign of ψ and the boundary surface (Mode BoundarySurface).
  bool ShowPhase = false;       // colour by the sign of ψ; never for subshell averages
  double EnclosedShare = 0.9;   // share of the probability inside the surface
  bool SurfaceNested = false;   // an inner 50% shell inside the chosen one
  bool SurfaceCutaway = false;  // the half facing the viewer cut away
  PhasePalette Palette = OrangeBlue;
  AnaglyphGlasses Glasses = RedGreen;  // the anaglyph's colours
  // Sizes drawn over the views: the scale bar (and the slice's ticks), and the
  // Graphs window's radius marker a (0: none) as a circle in the slice and a
  // sphere outline in the 3D projections.
  bool ShowScaleBar = true;
  double MarkerRadius = 0;
  bool MarkerInSlice = true;
  bool MarkerIn3D = true;
};

}  // namespace wl
