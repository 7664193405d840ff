#include "core/modMaths.h"

#include <cmath>

#include "core/Numeric.h"

namespace wl::modMaths {

namespace {
double ct = 1, st = 0, cp = 1, sp = 0;  // trigonometric values of the last rotation
}

bool IsEven(Long n) {
  return n % 2 == 0;
}

void ProjectPoint(const COORDlong& Camera, const COORDdouble& P, COORDlong& Out, Integer Plane) {
  const double d = P.Y - Camera.Y;
  if (Int(d) == 0) return;
  const Long numerator = SubI32(Plane, Camera.Y);
  const float t = static_cast<float>(numerator / d);
  Out.X = CLng((P.X - Camera.X) * t + Camera.X);
  Out.Z = CLng((P.Z - Camera.Z) * t + Camera.Z);
  Out.Y = CLng(P.Y);
}

COORDdouble RotatePoint(const COORDdouble& P, double Theta, double Phi) {
  ct = std::cos(Theta);
  st = std::sin(Theta);
  cp = std::cos(Phi);
  sp = std::sin(Phi);
  COORDdouble r;
  r.X = P.X * cp - P.Y * sp;
  r.Y = P.X * sp * ct + P.Y * ct * cp + P.Z * st;
  r.Z = -P.X * sp * st - P.Y * cp * st + P.Z * ct;
  return r;
}

}  // namespace wl::modMaths
