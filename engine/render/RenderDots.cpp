// The dot renderer: the dot cloud projected orthographically, in perspective
// or as a red/green anaglyph into the main or the nano view. Dots combine by
// OR of the channel bytes, so overlapping dots brighten towards their OR.
#include <algorithm>
#include <cstdlib>

#include "core/Numeric.h"
#include "core/modMaths.h"
#include "render/DotRotation.h"
#include "render/Phase.h"
#include "render/cOrbital.h"

namespace wl {

namespace {

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

  // The main view draws every dot, the nano view every third at half scale.
  const Long step = main ? 1 : 3;
  const Long last = main ? DotLast : DotLast - (DotLast + 1) % 3;
  const double half = main ? 1.0 : 0.5;
  const bool byProbability = Request.ShowProbLevelOnDots != kFalse;

  // Phase colours in the two mono views; the anaglyph's red and green are its eyes.
  const bool phase = PhaseShown() && Request.Mode != Anaglyph;
  const std::vector<signed char>* signs = phase ? &DotPhases() : nullptr;

  auto shadeOf = [this](double w) { return 128 - w * DotScale; };
  auto drawColoured = [&](RGBA* p, const PointArray& dot, double shade, Long i) {
    if (!p) return;
    if (phase) {
      // The depth shade as grey dots take it, or scaled by the probability as
      // the green of probability dots.
      const Byte g = byProbability ? static_cast<Byte>((dot.P * CLng(shade)) / 255) : CByte(shade);
      OrPhase(*p, g, (*signs)[i]);
    } else if (byProbability) {
      OrProbability(*p, dot.P, shade);
    } else {
      OrGrey(*p, CByte(shade));
    }
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
      // Eye offset from the camera-to-plane distance and the stereo divisor.
      const Integer d = ToInteger(std::llabs(SubI16(Request.ProjectionPlane, Request.CameraPos)));
      const Long e = CLng(FDiv(d, SubI16(0, Request.StereoFactor)));
      const COORDlong green{e, Request.CameraPos, 0};
      const COORDlong red{SubI32(0, e), Request.CameraPos, 0};
      COORDlong R{};
      for (Long i = 0; i <= last; i += step) {
        const PointArray& dot = Dots[i];
        const RotatedPoint r = rotate(dot.X, dot.Y, dot.Z);
        const COORDdouble q{r.u * half, r.w * half, r.v * half};
        const Byte g = CByte(shadeOf(r.w));
        modMaths::ProjectPoint(green, q, R, Request.ProjectionPlane);
        if (RGBA* p = target.At(R.X, R.Z)) p->G |= g;
        modMaths::ProjectPoint(red, q, R, Request.ProjectionPlane);
        if (RGBA* p = target.At(R.X, R.Z)) p->R |= g;
      }
      break;
    }

    default:  // no dots; the cleared buffer is still shown
      break;
  }

  if (phase) TintPhases(target.pixels, Request.Palette);
  if (main && Request.Transector) DrawTransector();
  dc.SetAllBits(target.pixels);
  PublishView(Request.Size);
}

}  // namespace wl
