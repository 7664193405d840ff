// The colours of the two signs of ψ, of surfaces without a sign, and of the
// phase angle of complex wave functions.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "core/Records.h"

namespace wl {

struct PhaseRgb {
  std::uint8_t R, G, B;
};

// The colour of the positive (sign > 0) or negative lobes in a palette.
constexpr PhaseRgb PhaseColour(PhasePalette palette, bool positive) {
  switch (palette) {
    case RedBlue:
      return positive ? PhaseRgb{220, 40, 40} : PhaseRgb{40, 90, 230};
    case ColourSafe:  // orange and sky blue, the negative lobes a little darker too
      return positive ? PhaseRgb{230, 159, 0} : PhaseRgb{70, 150, 200};
    case OrangeBlue:
    default:
      return positive ? PhaseRgb{255, 140, 0} : PhaseRgb{30, 110, 255};
  }
}

// Surfaces of subshell averages, which have no sign.
inline constexpr PhaseRgb kUnsignedSurface{200, 200, 210};

namespace phase_detail {

inline constexpr double kTurn = 6.283185307179586;

// The OKLab hue (radians) of an sRGB colour.
inline double OkHue(PhaseRgb c) {
  auto linear = [](std::uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  const double r = linear(c.R), g = linear(c.G), b = linear(c.B);
  const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
  const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
  const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
  const double A = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
  const double B = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
  return std::atan2(B, A);
}

// Linear sRGB of OKLab lightness L, chroma C and hue h (radians).
inline std::array<double, 3> LinearOfOkLch(double L, double C, double h) {
  const double a = C * std::cos(h), b = C * std::sin(h);
  const double l = L + 0.3963377774 * a + 0.2158037573 * b;
  const double m = L - 0.1055613458 * a - 0.0638541728 * b;
  const double s = L - 0.0894841775 * a - 1.2914855480 * b;
  const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
  return {4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3,
          -1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3,
          -0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3};
}

// The sRGB colour of OKLab lightness L, chroma C and hue h (radians), each
// channel clamped to the gamut.
inline PhaseRgb FromOkLch(double L, double C, double h) {
  auto byte = [](double v) {
    v = v <= 0 ? 0 : (v >= 1 ? 1 : v);
    const double e = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(e * 255));
  };
  const std::array<double, 3> rgb = LinearOfOkLch(L, C, h);
  return {byte(rgb[0]), byte(rgb[1]), byte(rgb[2])};
}

}  // namespace phase_detail

// The colour of a phase angle arg ψ (radians, any value; period 2π): a hue
// wheel of one lightness and one chroma in the OKLab space, so that no phase
// looks brighter or paler than another; every hue of it fits the sRGB gamut.
// The wheel is turned so that arg ψ = 0 has the hue of the palette's positive
// colour; the opposite hue at π is then bluish like the negative colour, so a
// real ψ shows much as the sign colours show it, and a student switching
// between the real and complex forms of one orbital reads the positive
// colour as "ψ real and positive" in both.
namespace phase_detail {
// The wheel's colour at `angle` past the hue `zero` of arg ψ = 0.
inline PhaseRgb WheelColour(double zero, double angle) {
  constexpr double kLightness = 0.75, kChroma = 0.125;
  return FromOkLch(kLightness, kChroma, zero + angle);
}
}  // namespace phase_detail

inline PhaseRgb PhaseHue(PhasePalette palette, double angle) {
  return phase_detail::WheelColour(phase_detail::OkHue(PhaseColour(palette, true)), angle);
}

// PhaseHue of one palette at 256 steps of a turn, for renderers that colour
// many points.
class PhaseWheel {
 public:
  static constexpr int kSteps = 256;

  explicit PhaseWheel(PhasePalette palette) {
    double r = 0, g = 0, b = 0;
    const double zero = phase_detail::OkHue(PhaseColour(palette, true));
    for (int k = 0; k < kSteps; ++k) {
      hues_[k] = phase_detail::WheelColour(zero, k * phase_detail::kTurn / kSteps);
      r += hues_[k].R, g += hues_[k].G, b += hues_[k].B;
    }
    auto mean = [](double v) { return static_cast<std::uint8_t>(std::lround(v / kSteps)); };
    grey_ = {mean(r), mean(g), mean(b)};
  }

  // The nearest step of an angle (radians); 0 for NaN.
  static int StepOf(double angle) {
    if (!std::isfinite(angle)) return 0;
    const double k = std::round(angle / phase_detail::kTurn * kSteps);
    const double wrapped = k - kSteps * std::floor(k / kSteps);
    return static_cast<int>(wrapped) % kSteps;
  }
  const PhaseRgb& Step(int k) const { return hues_[static_cast<unsigned>(k) % kSteps]; }
  const PhaseRgb& operator()(double angle) const { return hues_[StepOf(angle)]; }
  // The mean of all hues: what an even mixture of every phase looks like.
  const PhaseRgb& Grey() const { return grey_; }

 private:
  std::array<PhaseRgb, kSteps> hues_{};
  PhaseRgb grey_{};
};

}  // namespace wl
