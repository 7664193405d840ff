// The camera rotation of the dot renderer and the transector: a grid point
// (X, Y, Z) turned into screen across u, depth w and vertical v. The sines and
// cosines are taken once per render.
#pragma once

#include <cmath>

namespace wl {

struct RotatedPoint {
  double u = 0;  // across
  double w = 0;  // depth, growing away from the camera
  double v = 0;  // vertical, growing upward
};

class DotRotation {
 public:
  DotRotation(double theta, double phi)
      : cT_(std::cos(theta)), sT_(std::sin(theta)), cP_(std::cos(phi)), sP_(std::sin(phi)) {}

  RotatedPoint operator()(double X, double Y, double Z) const {
    const double m = Z * sT_ + Y * cT_;
    return {X * cP_ + sP_ * m, -X * sP_ + cP_ * m, Z * cT_ - Y * sT_};
  }

 private:
  double cT_, sT_, cP_, sP_;
};

}  // namespace wl
