// One calculated orbital: the interface the collection calls, and the shared
// body of the two orbital classes (probability density and radially weighted
// density), which own the wave function, the probability grid, the dot cloud,
// the statistics and the bitmaps of the last renders.
//
// Not re-entrant: one object is used from one thread at a time.
#pragma once

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "analysis/SurfaceLevel.h"
#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "render/PixelArray.h"
#include "render/SurfaceMesh.h"
#include "render/ViewGeometry.h"
#include "render/cMemoryDCEx.h"
#include "wlengine_export.h"

namespace wl {

struct SurfaceCache;

class WLENGINE_EXPORT cOrbital {
 public:
  virtual ~cOrbital();
  // Calculates everything for the orbital; called once, right after creation.
  virtual void Setup(const OrbitalSetup& DrawCmds) = 0;
  virtual OrbitalStats GetStats() const = 0;
  // Draws a new dot cloud from the existing grid; always returns 0.
  virtual Long ReFillDotMatrix(Long TargetNum, Byte ProbThreshHold) = 0;
  // Renders one view and returns the handles of both views' bitmaps. A
  // request's Pixels outside 16 to 4096 (other than 0) is refused with
  // invalid procedure call (5) before anything is drawn.
  virtual RenderDCinfo GetRender(const RenderRequest& RenderInfo) = 0;
  // The boundary surface holding `share` of the probability (see
  // cOrbitalObject::SurfaceFor).
  virtual SurfaceLevel SurfaceFor(double share) = 0;
  // That surface as a triangle mesh, with the phase angle at each vertex for
  // a complex wave function.
  virtual SurfaceMesh SurfaceMeshFor(double share) = 0;
};

// Grid size per axis and the number of grid cells.
inline constexpr int kGridSize = 128;
inline constexpr Long kGridCells = kGridSize * kGridSize * kGridSize;
// The whole-cube grid of densities without mirror symmetry: cells -127 to 127 per axis.
inline constexpr int kCubeSize = 2 * kGridSize - 1;
inline constexpr Long kCubeCells = kCubeSize * kCubeSize * kCubeSize;

class WLENGINE_EXPORT cOrbitalObject : public cOrbital {
 public:
  void Setup(const OrbitalSetup& DrawCmds) override;
  OrbitalStats GetStats() const override { return Stats; }
  Long ReFillDotMatrix(Long TargetNum, Byte ProbThreshHold) override;
  RenderDCinfo GetRender(const RenderRequest& RenderInfo) override;

  // The peak density found by the last Setup (before scaling).
  double Peak() const { return Peak_; }
  // The random seed the last Setup used.
  Long Seed() const { return Seed_; }
  double GetDotScale() const { return DotScale; }
  Long GetDotLast() const { return DotLast; }
  const std::vector<PointArray>& GetDots() const { return Dots; }
  // ProbGrid(i, j, k) of the first octant (0 to 127 each).
  Byte GridAt(int i, int j, int k) const { return CellAt(i, j, k); }
  // The level of any cell (-127 to 127 each): the true cell of a whole-cube
  // grid, else the first octant's mirror image.
  Byte CellAt(int i, int j, int k) const {
    return WholeCube_ ? ProbGrid[CubeIndex(i, j, k)]
                      : ProbGrid[GridIndex(std::abs(i), std::abs(j), std::abs(k))];
  }
  // True when the grid holds the whole cube (densities without mirror symmetry, F1).
  bool WholeCube() const { return WholeCube_; }
  ViewMode View() const { return View_; }
  // The request of the last GetRender call.
  const RenderRequest& LastRequest() const { return Request; }
  // The boundary surface of the probability density holding `share` (0.05
  // to 0.999, else invalid procedure call, 5): its field, box and density.
  // The box is enlarged beyond the atom radius when the surface needs it
  // (SurfaceLevel::Enlarged). Sampled on first use and kept; raises object
  // not set (91) before Setup.
  SurfaceLevel SurfaceFor(double share) override;
  SurfaceMesh SurfaceMeshFor(double share) override;
  // The calculation's setup as the last Setup or ReFillDotMatrix left it.
  const OrbitalSetup& GetSetup() const { return SetupInfo; }
  // True once a calculation has sampled the grid.
  bool HasGrid() const {
    return ProbGrid.size() == static_cast<size_t>(WholeCube_ ? kCubeCells : kGridCells);
  }

  // Position of cell (i, j, k) in the grid: x fastest, then y, then z.
  static constexpr size_t GridIndex(int i, int j, int k) {
    return static_cast<size_t>(i) +
           kGridSize * (static_cast<size_t>(j) + kGridSize * static_cast<size_t>(k));
  }
  // Position of cell (i, j, k), -127 to 127 each, in a whole-cube grid: x fastest.
  static constexpr size_t CubeIndex(int i, int j, int k) {
    return static_cast<size_t>(i + kGridSize - 1) +
           kCubeSize * (static_cast<size_t>(j + kGridSize - 1) +
                        kCubeSize * static_cast<size_t>(k + kGridSize - 1));
  }

 protected:
  explicit cOrbitalObject(ViewMode view);

  // Setup with a given wave function instead of the factory's.
  void SetupWith(const OrbitalSetup& DrawCmds, std::unique_ptr<cElectron> electron);

  // The search of the density's peak over the first octant.
  virtual double FindPeakDensity() = 0;

  void SampleProbabilityGrid();
  void FillDotMatrix();
  void UpdateStats(Long& calcTime, Long dotTime);

  // Renderers (GetRender.cpp, RenderDots.cpp, RenderVolume.cpp, RenderTransect.cpp,
  // Transector.cpp).
  void RenderDots();
  // The dots of a picture of another size than the view's own (RenderDots.cpp).
  void RenderScaledDots(const PictureFrame& frame, PixelArray& pixels);
  void RenderVolume();
  void RenderTransect();
  // A slice of another size than the view's own (RenderTransect.cpp).
  void RenderScaledTransect(bool coloured);
  void RenderSurface();
  void DrawTransector();
  void RemoveTransector();
  void DrawShadedLine(Long x1, Long y1, Long x2, Long y2, Long s1, Long s2, Long colour);
  // The transector's and the dots' colour of the left eye: green, or cyan
  // (green and blue) for red/cyan glasses.
  bool LeftEyeCyan() const { return Request.Mode == Anaglyph && Request.Glasses == RedCyan; }
  void SaveRestoreLine(Long x1, Long y1, Long x2, Long y2, Long colour, bool restore);
  // True when the request asks for the sign of ψ and the orbital has one, or
  // for the phase angle of a complex orbital.
  bool PhaseShown() const;
  // True when PhaseShown and ψ is complex: colours by arg ψ, not by sign.
  bool PhaseComplex() const;
  // The sign of ψ at each dot (+1, -1, 0 on a node), computed when first needed
  // after each fill of the dot cloud.
  const std::vector<signed char>& DotPhases();
  // arg ψ at each dot of a complex orbital, in 256ths of a turn (PhaseWheel's
  // steps); computed like DotPhases.
  const std::vector<Byte>& DotAngles();
  // The grid spacing in Bohr radii: the atom radius over 127.
  double GridStep() const { return static_cast<double>(SetupInfo.AtomRadius) / 127; }

  // The picture the request being rendered asks for (its side, its scale).
  PictureFrame Frame() const { return FrameOf(Request); }
  // The pixel buffer of a view (one per view, so that a reused final volume
  // image is always its own view's). NewViewBitmap and PreparePixels size them
  // to the picture of the request being rendered (Frame().Side).
  PixelArray& PixelsFor(RenderSize size) { return size == Main ? MainPixels : NanoPixels; }
  // The view's bitmap, deleted and created anew (black) at the view's size.
  cMemoryDCEx& NewViewBitmap(RenderSize size);
  // Hands out the view's bitmap handle through DCs.
  void PublishView(RenderSize size);
  // Clears the view's buffer, allocating it first if needed; sets PixelsEdge.
  // A buffer left large by a big picture is given back when a smaller one follows.
  PixelArray& PreparePixels(RenderSize size);
  // The buffer of the view being rendered (Request.Size).
  PixelArray& ViewPixels() { return PixelsFor(Request.Size); }

  // The previous request of the view being rendered: LastMainRequest, or
  // LastNanoRequest while the main view shows a transect.
  const RenderRequest& PreviousViewRequest() const;
  // Serves a volume request from the view's finished final image when the view
  // has not turned since; false when the volume must be traced anew.
  bool ReuseFinalVolume();
  // The same for the surface: also the surface's options must not have changed.
  bool ReuseFinalSurface();

  ViewMode View_;
  OrbitalStats Stats{};
  OrbitalSetup SetupInfo{};
  std::vector<Byte> ProbGrid;  // 128³ cells, x fastest: see GridIndex (255³: CubeIndex)
  bool WholeCube_ = false;     // ProbGrid holds the whole cube
  std::vector<PointArray> Dots;
  Long DotLast = -1;
  double DotScale = 0;
  std::unique_ptr<cElectron> Electron;
  cMemoryDCEx MainDC, NanoDC;
  PixelArray MainPixels, NanoPixels;
  Long PixelsEdge = 0;  // edge of the buffer last prepared: its side - 1
  RenderRequest Request{};
  RenderRequest LastMainRequest{}, LastNanoRequest{};
  RenderDCinfo DCs{};
  float VolumeParam = 9.0f;
  std::array<float, 6> VolumePeaks{};
  double Peak_ = 0;
  Long Seed_ = 0;
  // The surface renderer's levels and bricks (RenderSurface.cpp).
  std::shared_ptr<SurfaceCache> Surface_;
  std::vector<signed char> DotSigns;  // see DotPhases; emptied by each fill
  std::vector<Byte> DotArgs;          // see DotAngles; emptied by each fill

  friend struct cOrbitalTestAccess;  // white-box tests of the renderers and the sampler
};

class WLENGINE_EXPORT cOrbitalPDF final : public cOrbitalObject {
 public:
  cOrbitalPDF() : cOrbitalObject(PDF) {}
  ~cOrbitalPDF() override;

 protected:
  double FindPeakDensity() override;
};

class WLENGINE_EXPORT cOrbitalDRPDF final : public cOrbitalObject {
 public:
  cOrbitalDRPDF() : cOrbitalObject(DRPDF) {}
  ~cOrbitalDRPDF() override;

 protected:
  double FindPeakDensity() override;
};

}  // namespace wl
