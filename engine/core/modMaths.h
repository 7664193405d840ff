// Shared geometry: parity, the perspective projection of a point and the camera rotation.
#pragma once

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl::modMaths {

// True when n is divisible by 2 (negative n included).
WLENGINE_EXPORT bool IsEven(Long n);

// Projects P, seen from Camera, onto the plane y = Plane (y is the viewing
// axis). Out.X and Out.Z are the projected point, Out.Y the rounded depth of P.
// When 0 <= P.Y - Camera.Y < 1 Out is left untouched. Raises overflow when an
// intermediate or a result leaves the 32-bit range. Thread-safe.
WLENGINE_EXPORT void ProjectPoint(const COORDlong& Camera, const COORDdouble& P, COORDlong& Out,
                                  Integer Plane);

// Rotates P by Phi about the z axis, then by Theta about the x axis (radians).
// Keeps the last trigonometric values in module state: not for two threads.
WLENGINE_EXPORT COORDdouble RotatePoint(const COORDdouble& P, double Theta, double Phi);

}  // namespace wl::modMaths
