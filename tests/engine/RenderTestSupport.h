// Test helpers of the renderer suites: white-box access to an orbital object
// (planting dots and grid values, reading the view buffers) and reading pixels
// back from the drawing surfaces.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "render/Surfaces.h"
#include "render/cOrbital.h"

namespace wl {

struct cOrbitalTestAccess {
  static void PlantDots(cOrbitalObject& o, std::vector<PointArray> dots, double dotScale = 1.0) {
    o.Dots = std::move(dots);
    o.DotSigns.clear();
    o.DotArgs.clear();
    o.DotLast = static_cast<Long>(o.Dots.size()) - 1;
    o.DotScale = dotScale;
  }
  // An all-zero grid, as if sampled from a density that vanishes everywhere.
  static void PlantEmptyGrid(cOrbitalObject& o) { o.ProbGrid.assign(kGridCells, 0); }
  static const std::vector<Byte>& Grid(const cOrbitalObject& o) { return o.ProbGrid; }
  static const std::vector<PointArray>& Dots(const cOrbitalObject& o) { return o.Dots; }
  static Byte& Cell(cOrbitalObject& o, int i, int j, int k) {
    return o.ProbGrid[cOrbitalObject::GridIndex(i, j, k)];
  }
  // A wave function and radius for the volume renderer, without a calculation.
  static void PlantElectron(cOrbitalObject& o, std::unique_ptr<cElectron> e, Integer radius) {
    o.Electron = std::move(e);
    o.SetupInfo.AtomRadius = radius;
  }
  // A whole calculation (grid, dots) with a given wave function.
  static void SetupWith(cOrbitalObject& o, const OrbitalSetup& s, std::unique_ptr<cElectron> e) {
    o.SetupWith(s, std::move(e));
  }
  static PixelArray& MainPixels(cOrbitalObject& o) { return o.MainPixels; }
  static PixelArray& NanoPixels(cOrbitalObject& o) { return o.NanoPixels; }
  static Long PixelsEdge(const cOrbitalObject& o) { return o.PixelsEdge; }
  static float& VolumeParam(cOrbitalObject& o) { return o.VolumeParam; }
  static float& VolumePeak(cOrbitalObject& o, int q) { return o.VolumePeaks[q - 5]; }
  static Long& FramesRendered(cOrbitalObject& o) { return o.Stats.FramesRendered; }
  static const RenderRequest& LastMain(const cOrbitalObject& o) { return o.LastMainRequest; }
  static const RenderRequest& LastNano(const cOrbitalObject& o) { return o.LastNanoRequest; }

  // Line drawing on the buffer of a view, as the transector does it.
  static PixelArray& PrepareView(cOrbitalObject& o, RenderSize size) {
    o.Request.Size = size;
    return o.PreparePixels(size);
  }
  static void DrawShadedLine(cOrbitalObject& o, Long x1, Long y1, Long x2, Long y2, Long s1,
                             Long s2, Long colour) {
    o.DrawShadedLine(x1, y1, x2, y2, s1, s2, colour);
  }
  static void SaveRestoreLine(cOrbitalObject& o, Long x1, Long y1, Long x2, Long y2, bool restore) {
    o.SaveRestoreLine(x1, y1, x2, y2, 0, restore);
  }
};

}  // namespace wl

namespace wltest {

using Access = wl::cOrbitalTestAccess;

inline wl::RenderRequest Request(wl::RenderMode mode, wl::RenderSize size = wl::Main) {
  wl::RenderRequest r;
  r.Mode = mode;
  r.Size = size;
  r.CameraPos = -300;
  r.ProjectionPlane = 15;
  r.StereoFactor = 30;
  r.VolQuality = 5;
  return r;
}

// The picture of a surface (its first Rows - 1 rows), device rows top-down.
inline std::vector<wl::RGBA> Picture(wl::Long hdc) {
  const wl::Surface* s = wl::LookupSurface(hdc);
  if (!s) return {};
  return {s->Pixels.begin(), s->Pixels.begin() + static_cast<long>(s->Width) * (s->Rows - 1)};
}

// Pixel (x, y) of a surface in device coordinates (y = 0 at the top).
inline wl::RGBA At(wl::Long hdc, int x, int y) {
  const wl::Surface* s = wl::LookupSurface(hdc);
  if (!s) {
    ADD_FAILURE() << "no surface " << hdc;
    return {};
  }
  return s->Row(y)[x];
}

inline wl::RGBA Grey(int v) {
  const auto b = static_cast<wl::Byte>(v);
  return wl::RGBA{b, b, b, 0};
}

inline int CountLit(const std::vector<wl::RGBA>& picture) {
  int n = 0;
  for (const wl::RGBA& p : picture) n += (p.R | p.G | p.B) != 0;
  return n;
}

}  // namespace wltest
