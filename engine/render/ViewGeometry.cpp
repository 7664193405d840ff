// Lengths in the engine's pictures, read off the renderers. Picture
// coordinates are continuous, y downward: pixel k covers [k, k + 1), its
// centre is k + 0.5. One grid step is h = atom radius / 127 Bohr radii.
//
//   main view (375 px): one pixel per step.
//     Ortho dots and surface rays: a point (u, v) lies in column
//     187 + floor(u/h), row 187 - floor(v/h), so the nucleus is the corner
//     (187, 188). Slices, volumes and perspective round to the nearest pixel
//     about pixel 187: the nucleus is its middle (187.5, 187.5).
//   nano view (127 px): half a pixel per step about the middle of pixel 63.
//     Ortho dots go to CLng(u/h) / 2, so the middle pixel holds three steps
//     and the others two: a quarter pixel off at most.
//   perspective and anaglyph: the plane of the nucleus is magnified by
//     (plane - camera) / -camera.
//   pictures of other sizes (Pixels): Zoom = side / 375 (or / 127) pixels per
//     pixel of the size's own picture, about the middle of the picture.
//   volume: the final image (255 traced pixels in the main view's 60-pixel
//     frame, 127 filling the nano view) spans 127 resp. 63 pixels per atom
//     radius; previews trace fewer pixels and differ by less than 1%.
#include "render/ViewGeometry.h"

#include <cmath>
#include <cstdlib>

namespace wl {

namespace {

constexpr double kSteps = 127;  // grid steps per atom radius

// The perspective renderer's magnification at the nucleus's depth: a point
// at depth w projects with t = (plane − camera) / (w − camera).
double PerspectiveFactor(const RenderRequest& r) {
  if (r.CameraPos == 0) return 0;
  return std::abs(static_cast<double>(r.ProjectionPlane - r.CameraPos) / -r.CameraPos);
}

}  // namespace

PictureFrame FrameOf(const RenderRequest& request) {
  const bool main = request.Size == Main;
  if (!main && request.Size != Nano) return {};
  const int own = main ? 375 : 127;
  PictureFrame f;
  f.Side = own;
  f.PerStep = main ? 1.0 : 0.5;
  // The nano view's number (128) names its own 127-pixel picture too.
  if (request.Pixels == 0 || request.Pixels == own || request.Pixels == request.Size) return f;
  if (request.Pixels < 16 || request.Pixels > 4096) return {};
  f.Side = request.Pixels;
  f.Scaled = true;
  f.Zoom = static_cast<double>(f.Side) / own;
  f.PerStep *= f.Zoom;
  return f;
}

VolumeFrame VolumeFrameOf(const PictureFrame& frame, RenderSize size) {
  VolumeFrame v;
  if (!frame.Scaled) {
    // The main view's 255 pixels in a 60-pixel frame; the nano view filled.
    v.Inner = v.Traced = size == Main ? 255 : 127;
    v.Margin = size == Main ? 60 : 0;
    return v;
  }
  v.Inner = size == Main ? static_cast<int>(std::lround(255 * frame.Zoom)) : frame.Side;
  v.Margin = (frame.Side - v.Inner) / 2;
  v.Traced = v.Inner % 2 == 1 ? v.Inner : v.Inner - 1;  // the centre ray needs an odd side
  return v;
}

ViewScale ScaleOf(const RenderRequest& request, double atomRadius) {
  const bool main = request.Size == Main;
  const PictureFrame frame = FrameOf(request);
  if (frame.Side == 0 || !(atomRadius > 0)) return {};
  if (frame.Scaled) {
    ViewScale s;
    s.CentreX = s.CentreY = frame.Side / 2.0;
    s.PixelsPerBohr = frame.PerStep * kSteps / atomRadius;
    switch (request.Mode) {
      case Perspective:
      case Anaglyph:
        s.PixelsPerBohr *= PerspectiveFactor(request);
        break;
      case Volumetric: {
        // The traced image's middle pixel holds the nucleus; the image is
        // stretched from Traced to Inner pixels.
        const VolumeFrame v = VolumeFrameOf(frame, request.Size);
        const double stretch = static_cast<double>(v.Inner) / v.Traced;
        s.CentreX = s.CentreY = v.Margin + (v.Traced / 2 + 0.5) * stretch;
        s.PixelsPerBohr = (v.Traced / 2) * stretch / atomRadius;
        break;
      }
      default:
        break;
    }
    return s;
  }
  const double perStep = main ? 1.0 : 0.5;  // pixels per grid step in the plane of the nucleus
  const double middle = main ? 187.5 : 63.5;
  ViewScale s;
  s.CentreX = s.CentreY = middle;
  s.PixelsPerBohr = perStep * kSteps / atomRadius;
  switch (request.Mode) {
    case Orthographic:
    case BoundarySurface:
      // Both put (u, v) on column 187 + floor(u/h) and row 187 - floor(v/h)
      // of the main view.
      if (main) {
        s.CentreX = 187.0;
        s.CentreY = 188.0;
      }
      break;
    case Perspective:
    case Anaglyph:  // the nucleus lies midway between the two eyes' images
      s.PixelsPerBohr *= PerspectiveFactor(request);
      break;
    case Volumetric:
      s.PixelsPerBohr = (main ? 127.0 : 63.0) / atomRadius;
      break;
    case Transect:
      break;
  }
  return s;
}

double SphereOutlineRadius(const RenderRequest& request, double atomRadius, double a) {
  const ViewScale s = ScaleOf(request, atomRadius);
  if (s.PixelsPerBohr <= 0 || !(a > 0)) return 0;
  switch (request.Mode) {
    case Perspective:
    case Anaglyph: {
      // The camera sees the sphere within a cone of half angle asin(ρ/D); the
      // plane at distance f cuts it in a circle of radius f·tan.
      const double half = request.Size == Main ? 1.0 : 0.5;
      const double rho = a / atomRadius * kSteps * half;  // in projection units
      const double D = std::abs(static_cast<double>(request.CameraPos));
      const double f = std::abs(static_cast<double>(request.ProjectionPlane - request.CameraPos));
      if (rho >= D) return 0;
      return FrameOf(request).Zoom * f * rho / std::sqrt(D * D - rho * rho);
    }
    case Transect: {
      // The sphere's cut with the slice; none when the slice misses it.
      const double slice = request.TransectNo * atomRadius / kSteps;
      if (std::abs(slice) >= a) return 0;
      return std::sqrt(a * a - slice * slice) * s.PixelsPerBohr;
    }
    default:
      return a * s.PixelsPerBohr;
  }
}

}  // namespace wl
