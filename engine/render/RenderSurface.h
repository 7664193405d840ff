// The boundary-surface renderer: the surface ψ² = t ray-cast through the
// sampled field, lit and coloured by the sign of ψ (or the hue of its phase). It reads top to bottom in
// small pieces:
//   SurfaceCamera  a pixel of the view -> a ray (orthographic, the dots' camera)
//   FieldBricks    the range of |ψ| per 4³ cells, so rays skip empty space
//   SurfaceMarch   along a ray to where |ψ| crosses a level, refined
//   SurfaceHit     where a ray crossed a level, from which class of |ψ| to which
//   Lighting       the colour of a lit hit; CutFace that of the cut face
//   Tracer         one ray of a pixel, through every layer it meets
//   RenderFinal    coarse to fine over the picture, tracing where it must
//
// Screen and world: the view's pixel (x, y), y = 0 the bottom row, shows the
// screen point (u, v) across and up; depth w grows away from the camera. The
// world point (Bohr radii) of (u, w, v) is u·U + w·W + v·V (DotRotation's
// inverse); a screen unit is the dots' grid unit, the atom radius / 127.
#pragma once

#include <memory>
#include <vector>

#include "analysis/SurfaceLevel.h"
#include "core/Records.h"
#include "orbitals/cElectron.h"
#include "render/PixelArray.h"
#include "wlengine_export.h"

namespace wl {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
  friend double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
};

// P(t) = Origin + t·Dir, Dir a unit vector (world, Bohr radii), t in [Near, Far].
struct SurfaceRay {
  Vec3 Origin, Dir;
  double Near = 0, Far = -1;  // Near > Far: the ray misses
  Vec3 At(double t) const { return Origin + t * Dir; }
};

// What one picture asks of the surface renderer.
struct SurfaceView {
  double Theta = 0, Phi = 0;
  RenderSize Size = Main;
  int Pixels = 0;      // the picture's side; 0 (or the size's own) for 375 or 127
  bool Final = true;   // false: the coarse preview shown while the view turns
  bool Phase = false;  // colour by the sign of ψ (fields with a sign only)
  PhasePalette Palette = OrangeBlue;
  // A complex ψ, whose field holds |ψ|: with Phase the surface takes the hue
  // of arg ψ at each point instead of a sign's colour.
  const cElectron* Complex = nullptr;
  bool Cutaway = false;  // the half w < 0 removed, the cut face shaded
};

// The orthographic camera of the dot renderer: screen point of a pixel, and
// the ray through it, clipped to a sphere around the nucleus.
class WLENGINE_EXPORT SurfaceCamera {
 public:
  // `pixels`: the picture's side when it is not the size's own (16 to 4096),
  // the screen scaled about its middle; else 0.
  SurfaceCamera(double theta, double phi, double atomRadius, RenderSize size, int pixels = 0);
  // The ray of pixel (x, y) of the view (fractional pixels allowed), limited
  // to the sphere of `radius` Bohr radii (and to w >= 0 when `cutaway`).
  SurfaceRay RayAt(double x, double y, double radius, bool cutaway) const;
  // Screen offset in grid units of pixel coordinate p: the point whose dot
  // lands in that pixel, at its middle.
  double ScreenOffset(double p) const;
  int Side() const { return side_; }
  Vec3 U, V, W;  // across, up, depth (away from the camera), world unit vectors

 private:
  int side_, edge_;
  bool nano_;
  double perStep_ = 0;  // pixels per grid unit of a picture of another size; 0 for the own
  double unit_;  // Bohr radii per grid unit
};

// The largest and smallest |ψ| of the nodes of each brick of 4³ cells (its
// 5³ corner nodes): trilinear values inside a brick stay between them.
// Bricks are numbered like nodes, x fastest.
struct WLENGINE_EXPORT FieldBricks {
  static constexpr int kCells = 4;
  int PerAxis = 0;
  std::vector<float> MaxAbs, MinAbs;
  float Peak = 0;  // the largest |ψ| of the field
  const ScalarField* Of = nullptr;
  void Build(const ScalarField& field);
  size_t Index(int bi, int bj, int bk) const {
    return static_cast<size_t>(bi) +
           static_cast<size_t>(PerAxis) * (bj + static_cast<size_t>(PerAxis) * bk);
  }
};

// The per-orbital state of the renderer: the levels and the bricks of the
// field last drawn.
struct SurfaceCache {
  std::unique_ptr<SurfaceLevels> Levels;
  std::shared_ptr<const ScalarField> Drawn;  // the field the rest was made from
  FieldBricks Bricks;
  ScalarField Coarse;  // every second node of Drawn, for previews
  FieldBricks CoarseBricks;
};

// Every second node of a field along each axis: (N + 1) / 2 nodes over the
// same cube, for coarse previews.
WLENGINE_EXPORT ScalarField EverySecondNode(const ScalarField& field);

// Renders the surface `outer` (and the opaque `inner` inside it when given,
// the outer one then translucent) into `out` (375² or 127², or Pixels² for
// another size, y = 0 the bottom row), tracing `field` (the levels' field or a coarser sampling of
// the same cube) with its bricks (built here when they are not field's). Rows run on up to two
// threads; the pixels do not depend on the split. Raises invalid procedure call (5) for a size
// other than Main or Nano or Pixels outside 16 to 4096.
WLENGINE_EXPORT void RenderSurfaceImage(const SurfaceLevel& outer, const SurfaceLevel* inner,
                                        const ScalarField& field, FieldBricks& bricks,
                                        const SurfaceView& view, PixelArray& out);

// The share of the opaque inner shell drawn with nested shells: 50%, or half
// the outer share (at least 5%) when that is 50% or less.
constexpr double InnerShare(double outer) {
  return outer > 0.5 ? 0.5 : (outer / 2 > 0.05 ? outer / 2 : 0.05);
}

}  // namespace wl
