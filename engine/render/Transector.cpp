// The transector: the square outline of the current slice plane drawn over a
// dot cloud or a volume image, and taken off a cached volume image again by
// restoring the grey values that were saved under it in the fourth byte.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/Numeric.h"
#include "core/modMaths.h"
#include "render/DotRotation.h"
#include "render/LineWalk.h"
#include "render/ViewGeometry.h"
#include "render/cOrbital.h"

namespace wl {

namespace {

constexpr Long kRed = 255;
constexpr Long kGreen = 65280;
constexpr Long kWhite = 16777215;
constexpr Long kCyan = 16776960;

// Depth factors that keep a corner's depth within -127 to 127.
constexpr double kMainDepth = 0.5773502691896258;  // 1/√3
constexpr double kNanoDepth = 1.1547005383792497;  // 2/√3

struct ScreenPoint {
  Long x = 0, y = 0;  // Pixels coordinates, y growing upward
  Long shade = 0;
};
using Outline = std::array<ScreenPoint, 4>;

// The slice square's corners in world grid coordinates; false for an unknown axis.
bool Corners(const RenderRequest& r, std::array<COORDdouble, 4>& out) {
  const bool main = r.Size == Main;
  const double H = main ? 127 : 63;
  const double f = main ? r.TransectNo : r.TransectNo / 2;
  switch (r.TransectDir) {
    case AlongX:
      out = {{{f, H, H}, {f, H, -H}, {f, -H, -H}, {f, -H, H}}};
      return true;
    case Alongy:
      out = {{{H, f, H}, {H, f, -H}, {-H, f, -H}, {-H, f, H}}};
      return true;
    case Alongz:
      out = {{{H, H, f}, {H, -H, f}, {-H, -H, f}, {-H, H, f}}};
      return true;
  }
  return false;
}

double DepthFactor(const RenderRequest& r) {
  return r.Size == Main ? kMainDepth : kNanoDepth;
}

// A corner's pixel in a picture of another size: (x, y) in the size's own
// pixels about its centre, scaled about the picture's middle.
Long ScaledPixel(const PictureFrame& f, double a) {
  return static_cast<Long>(std::floor(f.Side / 2.0 + a * f.Zoom));
}

// The orthographic outline, as on dot clouds and volume images.
Outline OrthographicOutline(const std::array<COORDdouble, 4>& corners, const RenderRequest& r,
                            Long e) {
  const DotRotation rotate(r.Theta, r.Phi);
  const double k = DepthFactor(r);
  const PictureFrame f = FrameOf(r);
  Outline out;
  for (int i = 0; i < 4; ++i) {
    const RotatedPoint p = rotate(corners[i].X, corners[i].Y, corners[i].Z);
    const Long shade = 128 - static_cast<Long>(Int(p.w * k));
    if (f.Scaled) {
      out[i] = {ScaledPixel(f, p.u), ScaledPixel(f, p.v), shade};
    } else {
      out[i] = {static_cast<Long>(Int(p.u)) + e, static_cast<Long>(Int(p.v)) + e, shade};
    }
  }
  return out;
}

// The outline seen in perspective from a camera on the viewing axis.
Outline PerspectiveOutline(const std::array<COORDdouble, 4>& corners, const RenderRequest& r,
                           Long e, const COORDlong& camera) {
  const DotRotation rotate(r.Theta, r.Phi);
  const double k = DepthFactor(r);
  const PictureFrame f = FrameOf(r);
  Outline out;
  COORDlong R{};  // a corner at the camera's depth keeps the previous corner's point
  double X = 0, Z = 0;
  for (int i = 0; i < 4; ++i) {
    const RotatedPoint p = rotate(corners[i].X, corners[i].Y, corners[i].Z);
    modMaths::ProjectPoint(camera, {p.u, p.w, p.v}, R, r.ProjectionPlane);
    const Long shade = 128 - static_cast<Long>(Int(R.Y * k));
    if (f.Scaled) {
      // The same projection unrounded, scaled to the picture.
      const double d = p.w - camera.Y;
      if (Int(d) != 0) {
        const float t = static_cast<float>(SubI32(r.ProjectionPlane, camera.Y) / d);
        X = (p.u - camera.X) * t + camera.X;
        Z = p.v * t;
      }
      out[i] = {ScaledPixel(f, X), ScaledPixel(f, Z), shade};
    } else {
      out[i] = {R.X + e, R.Z + e, shade};
    }
  }
  return out;
}

// The largest index that is inside the buffer on both axes.
Long EdgeOf(const PixelArray& pixels, Long edge) {
  return std::min({edge, pixels.Width - 1, pixels.Height - 1});
}

}  // namespace

void cOrbitalObject::DrawTransector() {
  std::array<COORDdouble, 4> corners;
  if (!Corners(Request, corners)) return;
  const Long e = PixelsEdge / 2;

  // One outline in white, or the two eyes' outlines in green (or cyan) and red.
  Outline first, second;
  bool stereo = false;
  switch (Request.Mode) {
    case Perspective:
      first = PerspectiveOutline(corners, Request, e, {0, Request.CameraPos, 0});
      break;
    case Anaglyph: {
      const Integer d = ToInteger(std::llabs(SubI16(Request.ProjectionPlane, Request.CameraPos)));
      const Long g = IDiv<Long>(d, SubI16(0, Request.StereoFactor));
      first = PerspectiveOutline(corners, Request, e, {g, Request.CameraPos, 0});
      second = PerspectiveOutline(corners, Request, e, {SubI32(0, g), Request.CameraPos, 0});
      stereo = true;
      break;
    }
    default:
      first = OrthographicOutline(corners, Request, e);
      break;
  }

  auto edges = [](const Outline& o, auto fn) {
    for (int i = 0; i < 4; ++i) fn(o[i], o[(i + 3) % 4]);
  };
  // A final volume image keeps the grey values under the outline, so that it
  // can be taken off again without a new trace.
  if (Request.Mode == Volumetric && Request.VolFinal) {
    edges(first, [this](const ScreenPoint& a, const ScreenPoint& b) {
      SaveRestoreLine(a.x, a.y, b.x, b.y, kWhite, false);
    });
  }
  auto draw = [this, &edges](const Outline& o, Long colour) {
    edges(o, [this, colour](const ScreenPoint& a, const ScreenPoint& b) {
      DrawShadedLine(a.x, a.y, b.x, b.y, a.shade, b.shade, colour);
    });
  };
  if (stereo) {
    draw(first, LeftEyeCyan() ? kCyan : kGreen);
    draw(second, kRed);
  } else {
    draw(first, kWhite);
  }
}

void cOrbitalObject::RemoveTransector() {
  const RenderRequest& prev = PreviousViewRequest();
  std::array<COORDdouble, 4> corners;
  if (!Corners(prev, corners)) return;
  const Outline o = OrthographicOutline(corners, prev, PixelsEdge / 2);
  for (int i = 0; i < 4; ++i) {
    SaveRestoreLine(o[i].x, o[i].y, o[(i + 3) % 4].x, o[(i + 3) % 4].y, kWhite, true);
  }
  // With every edge restored, the backups go too: the image is back as it
  // was, fourth byte included (crossing edges share their backups, so this
  // comes after the last restore).
  PixelArray& pixels = ViewPixels();
  const Long edge = EdgeOf(pixels, PixelsEdge);
  for (int i = 0; i < 4; ++i) {
    WalkLine(o[i].x, o[i].y, o[(i + 3) % 4].x, o[(i + 3) % 4].y, edge, edge,
             [&pixels](Long x, Long y, long long, long long) { pixels(x, y).A = 0; });
  }
}

void cOrbitalObject::DrawShadedLine(Long x1, Long y1, Long x2, Long y2, Long s1, Long s2,
                                    Long colour) {
  if (colour != kRed && colour != kGreen && colour != kCyan && colour != kWhite) return;
  PixelArray& pixels = ViewPixels();
  const Long edge = EdgeOf(pixels, PixelsEdge);
  WalkLine(x1, y1, x2, y2, edge, edge, [&](Long x, Long y, long long i, long long n) {
    // Equal integer steps from s1 to s2; the ends carry s1 and s2.
    const long long s = n == 0 ? s1 : s1 + (static_cast<long long>(s2) - s1) * i / n;
    const Byte shade = static_cast<Byte>(std::clamp<long long>(s, 0, 255));
    RGBA& p = pixels(x, y);
    if (colour == kRed) {
      p.R |= shade;
    } else if (colour == kGreen) {
      p.G |= shade;
    } else if (colour == kCyan) {
      p.G |= shade;
      p.B |= shade;
    } else {
      p.R = static_cast<Byte>(std::min(255, p.R + shade));
      p.G = p.R;
      p.B = p.R;
    }
  });
}

void cOrbitalObject::SaveRestoreLine(Long x1, Long y1, Long x2, Long y2, Long /*colour*/,
                                     bool restore) {
  PixelArray& pixels = ViewPixels();
  const Long edge = EdgeOf(pixels, PixelsEdge);
  WalkLine(x1, y1, x2, y2, edge, edge, [&](Long x, Long y, long long, long long) {
    RGBA& p = pixels(x, y);
    if (restore) {
      p.B = p.G = p.R = p.A;
    } else {
      p.A = p.R;
    }
  });
}

}  // namespace wl
