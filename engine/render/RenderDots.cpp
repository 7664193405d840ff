// The dot renderer: the dot cloud projected orthographically, in perspective
// or as a red/green (or red/cyan) anaglyph into the main or the nano view.
// Dots combine by OR of the channel bytes, so overlapping dots brighten
// towards their OR. Pictures of other sizes place each dot at its own
// position at the picture's resolution, as a small disc (see DotStamp).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "core/Numeric.h"
#include "core/modMaths.h"
#include "render/DotRotation.h"
#include "render/Phase.h"
#include "render/cOrbital.h"

namespace wl {

namespace {

// The anaglyph's two cameras, left eye first: moved sideways from the
// viewing axis by the camera-to-plane distance over the stereo divisor.
struct Eyes {
  COORDlong Left, Right;
};
Eyes AnaglyphEyes(const RenderRequest& request) {
  const Integer d = ToInteger(std::llabs(SubI16(request.ProjectionPlane, request.CameraPos)));
  const Long e = CLng(FDiv(d, SubI16(0, request.StereoFactor)));
  return {{e, request.CameraPos, 0}, {SubI32(0, e), request.CameraPos, 0}};
}

// Where the dots of one view go: half side e of the square (187 or 63).
struct DotTarget {
  PixelArray& pixels;
  Long e;

  // The pixel of screen point (a, b) from the centre, or null outside the square.
  RGBA* At(Long a, Long b) const {
    if (std::abs(b) > e || std::abs(a) > e) return nullptr;
    return &pixels(a + e, b + e);
  }
};

// A picture of another size: its dots at continuous positions (x across, y
// up, from the bottom-left corner), each a disc of pixels. The disc grows
// with the grid's spacing in the picture but stays at least a pixel narrower
// than it, so that dots of neighbouring grid points never touch.
struct DotStamp {
  PixelArray& pixels;
  int side;
  int d;  // the disc's width in pixels
  std::vector<std::pair<int, int>> offsets;

  DotStamp(PixelArray& p, double perStep) : pixels(p), side(p.Width), d(1) {
    if (perStep >= 2) {
      const int widest = static_cast<int>(std::floor(perStep)) - 1;
      d = std::clamp(static_cast<int>(std::lround(0.6 * perStep)), 1, widest);
    }
    const double r = d / 2.0;
    for (int j = 0; j < d; ++j) {
      for (int i = 0; i < d; ++i) {
        const double dx = i + 0.5 - r, dy = j + 0.5 - r;
        if (dx * dx + dy * dy <= r * r + 0.25) offsets.emplace_back(i, j);
      }
    }
  }

  template <class Fn>
  void At(double x, double y, Fn&& fn) const {
    // The picture's right and top edges belong to it, as the grid's outermost
    // points do in the nano view's own picture.
    if (x >= side && x < side + 1e-6) x = std::nextafter(static_cast<double>(side), 0.0);
    if (y >= side && y < side + 1e-6) y = std::nextafter(static_cast<double>(side), 0.0);
    const long long x0 = static_cast<long long>(std::floor(x - d / 2.0 + 0.5));
    const long long y0 = static_cast<long long>(std::floor(y - d / 2.0 + 0.5));
    if (x0 + d <= 0 || y0 + d <= 0 || x0 >= side || y0 >= side) return;
    for (const auto& [i, j] : offsets) {
      const long long px = x0 + i, py = y0 + j;
      if (px >= 0 && py >= 0 && px < side && py < side) {
        fn(pixels(static_cast<Long>(px), static_cast<Long>(py)));
      }
    }
  }
};

// ProjectPoint without the rounding: the point on the projection plane, in
// the pixels of the size's own picture about its centre. A point at the
// camera's depth leaves `out` as it was.
void ProjectExact(const COORDlong& camera, const COORDdouble& p, Integer plane, double& outX,
                  double& outZ) {
  const double d = p.Y - camera.Y;
  if (Int(d) == 0) return;
  const float t = static_cast<float>(SubI32(plane, camera.Y) / d);
  outX = (p.X - camera.X) * t + camera.X;
  outZ = (p.Z - camera.Z) * t + camera.Z;
}

void OrGrey(RGBA& p, Byte g) {
  p.G |= g;
  p.B = p.G;
  p.R = p.G;
}

// Green for high probability, red for low, both darkened by the depth shade.
void OrProbability(RGBA& p, Byte P, double shade) {
  const Long k = CLng(shade);
  p.G |= static_cast<Byte>((P * k) / 255);
  p.R |= static_cast<Byte>(((255 - P) * k) / 255);
}

// Phase dots are drawn in two planes: the brightness of positive dots ORed
// into R, of negative dots into B, as grey dots are into G. TintPhases then
// turns each pixel into the two phase colours scaled by those brightnesses.
void OrPhase(RGBA& p, Byte g, int sign) {
  if (sign < 0) {
    p.B |= g;
  } else {
    p.R |= g;
  }
}

// One dot's colour ORed into a pixel: grey, by probability, or in the plane
// of its sign of ψ.
void PaintDot(RGBA& p, const PointArray& dot, double shade, int sign, bool phase,
              bool byProbability) {
  if (phase) {
    // The depth shade as grey dots take it, or scaled by the probability as
    // the green of probability dots.
    const Byte g = byProbability ? static_cast<Byte>((dot.P * CLng(shade)) / 255) : CByte(shade);
    OrPhase(p, g, sign);
  } else if (byProbability) {
    OrProbability(p, dot.P, shade);
  } else {
    OrGrey(p, CByte(shade));
  }
}

// A dot of a complex orbital: the hue of its arg ψ, as bright as the phase
// dots' planes would be; overlapping dots keep the brighter of each channel.
void PaintHueDot(RGBA& p, const PointArray& dot, double shade, const PhaseRgb& hue,
                 bool byProbability) {
  const int g = byProbability ? static_cast<int>((dot.P * CLng(shade)) / 255) : CByte(shade);
  auto channel = [g](Byte& c, int v) { c = std::max(c, static_cast<Byte>(v * g / 255)); };
  channel(p.R, hue.R);
  channel(p.G, hue.G);
  channel(p.B, hue.B);
}

// The phase colouring of the dots being drawn: by sign (PaintDot, then
// TintPhases) or, for complex orbitals, by the hue of arg ψ (PaintHueDot).
struct DotPhase {
  bool on, hues;
  const std::vector<signed char>* signs;
  const std::vector<Byte>* angles;
  std::optional<PhaseWheel> wheel;

  DotPhase(bool on_, bool hues_, PhasePalette palette, const std::vector<signed char>* signs_,
           const std::vector<Byte>* angles_)
      : on(on_), hues(hues_), signs(signs_), angles(angles_) {
    if (hues) wheel.emplace(palette);
  }

  void Paint(RGBA& p, const PointArray& dot, double shade, Long i, bool byProbability) const {
    if (hues) {
      PaintHueDot(p, dot, shade, wheel->Step((*angles)[i]), byProbability);
    } else {
      PaintDot(p, dot, shade, on ? (*signs)[i] : 0, on, byProbability);
    }
  }
};

void TintPhases(PixelArray& pixels, PhasePalette palette) {
  const PhaseRgb pos = PhaseColour(palette, true), neg = PhaseColour(palette, false);
  auto mix = [](int a, int ca, int b, int cb) {
    return static_cast<Byte>(std::min(255, (a * ca + b * cb) / 255));
  };
  for (RGBA& p : pixels.Data) {
    const int a = p.R, b = p.B;
    if ((a | b) == 0) continue;  // black stays black
    p = RGBA{mix(a, pos.B, b, neg.B), mix(a, pos.G, b, neg.G), mix(a, pos.R, b, neg.R), 0};
  }
}

}  // namespace

void cOrbitalObject::RenderDots() {
  const bool main = Request.Size == Main;
  if (!main && Request.Size != Nano) return;

  const DotRotation rotate(Request.Theta, Request.Phi);
  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  const DotTarget target{PreparePixels(Request.Size), main ? 187 : 63};
  const PictureFrame frame = Frame();
  if (frame.Scaled) {
    RenderScaledDots(frame, target.pixels);
    if (main && Request.Transector) DrawTransector();
    dc.SetAllBits(target.pixels);
    PublishView(Request.Size);
    return;
  }

  // The main view draws every dot, the nano view every third at half scale.
  const Long step = main ? 1 : 3;
  const Long last = main ? DotLast : DotLast - (DotLast + 1) % 3;
  const double half = main ? 1.0 : 0.5;
  const bool byProbability = Request.ShowProbLevelOnDots != kFalse;

  // Phase colours in the two mono views; the anaglyph's red and green are its eyes.
  const bool phaseOn = PhaseShown() && Request.Mode != Anaglyph;
  const bool hues = phaseOn && PhaseComplex();
  const DotPhase phase(phaseOn, hues, Request.Palette, phaseOn && !hues ? &DotPhases() : nullptr,
                       hues ? &DotAngles() : nullptr);

  auto shadeOf = [this](double w) { return 128 - w * DotScale; };
  auto drawColoured = [&](RGBA* p, const PointArray& dot, double shade, Long i) {
    if (p) phase.Paint(*p, dot, shade, i, byProbability);
  };

  switch (Request.Mode) {
    case Orthographic:
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        Long a, b;
        if (main) {
          a = static_cast<Long>(Int(r.u));
          b = static_cast<Long>(Int(r.v));
        } else {
          a = CLng(r.u) / 2;
          b = CLng(r.v) / 2;
        }
        drawColoured(target.At(a, b), dot, shadeOf(r.w), i);
      }
      break;

    case Perspective: {
      const COORDlong camera{0, Request.CameraPos, 0};
      COORDlong R{};  // kept between dots: a dot at the camera's depth lands where the last one did
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        modMaths::ProjectPoint(camera, {r.u * half, r.w * half, r.v * half}, R,
                               Request.ProjectionPlane);
        drawColoured(target.At(R.X, R.Z), dot, shadeOf(r.w), i);
      }
      break;
    }

    case Anaglyph: {
      const auto [green, red] = AnaglyphEyes(Request);
      const bool cyan = LeftEyeCyan();
      COORDlong R{};
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        const COORDdouble q{r.u * half, r.w * half, r.v * half};
        const Byte g = CByte(shadeOf(r.w));
        modMaths::ProjectPoint(green, q, R, Request.ProjectionPlane);
        if (RGBA* p = target.At(R.X, R.Z)) {
          p->G |= g;
          if (cyan) p->B |= g;
        }
        modMaths::ProjectPoint(red, q, R, Request.ProjectionPlane);
        if (RGBA* p = target.At(R.X, R.Z)) p->R |= g;
      }
      break;
    }

    default:  // no dots; the cleared buffer is still shown
      break;
  }

  if (phase.on && !phase.hues) TintPhases(target.pixels, Request.Palette);
  if (main && Request.Transector) DrawTransector();
  dc.SetAllBits(target.pixels);
  PublishView(Request.Size);
}

void cOrbitalObject::RenderScaledDots(const PictureFrame& frame, PixelArray& pixels) {
  const bool main = Request.Size == Main;
  const DotRotation rotate(Request.Theta, Request.Phi);
  const DotStamp stamp(pixels, frame.PerStep);
  const double c = frame.Side / 2.0;  // the nucleus, at the picture's middle

  // The same dots as the size's own picture: every dot, or every third at half scale.
  const Long step = main ? 1 : 3;
  const Long last = main ? DotLast : DotLast - (DotLast + 1) % 3;
  const double half = main ? 1.0 : 0.5;
  const bool byProbability = Request.ShowProbLevelOnDots != kFalse;
  const bool phaseOn = PhaseShown() && Request.Mode != Anaglyph;
  const bool hues = phaseOn && PhaseComplex();
  const DotPhase phase(phaseOn, hues, Request.Palette, phaseOn && !hues ? &DotPhases() : nullptr,
                       hues ? &DotAngles() : nullptr);
  auto shadeOf = [this](double w) { return 128 - w * DotScale; };
  auto paint = [&](double x, double y, const PointArray& dot, double shade, Long i) {
    stamp.At(x, y, [&](RGBA& p) { phase.Paint(p, dot, shade, i, byProbability); });
  };

  switch (Request.Mode) {
    case Orthographic:
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        paint(c + r.u * frame.PerStep, c + r.v * frame.PerStep, dot, shadeOf(r.w), i);
      }
      break;

    case Perspective: {
      const COORDlong camera{0, Request.CameraPos, 0};
      double X = 0, Z = 0;
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        ProjectExact(camera, {r.u * half, r.w * half, r.v * half}, Request.ProjectionPlane, X, Z);
        paint(c + X * frame.Zoom, c + Z * frame.Zoom, dot, shadeOf(r.w), i);
      }
      break;
    }

    case Anaglyph: {
      const auto [left, right] = AnaglyphEyes(Request);
      const bool cyan = LeftEyeCyan();
      double X = 0, Z = 0;
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        const COORDdouble q{r.u * half, r.w * half, r.v * half};
        const Byte g = CByte(shadeOf(r.w));
        ProjectExact(left, q, Request.ProjectionPlane, X, Z);
        stamp.At(c + X * frame.Zoom, c + Z * frame.Zoom, [g, cyan](RGBA& p) {
          p.G |= g;
          if (cyan) p.B |= g;
        });
        ProjectExact(right, q, Request.ProjectionPlane, X, Z);
        stamp.At(c + X * frame.Zoom, c + Z * frame.Zoom, [g](RGBA& p) { p.R |= g; });
      }
      break;
    }

    default:
      break;
  }
  if (phase.on && !phase.hues) TintPhases(pixels, Request.Palette);
}

}  // namespace wl
