// Checked numeric helpers. The engine's integers have fixed widths and never
// wrap: every conversion and every 16/32-bit operation that leaves its range
// raises an overflow error. Floating point to integer conversions round to the
// nearest value, ties to even.
//
// All functions are pure and safe to call from several threads at once.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Records.h"
#include "core/WLError.h"

namespace wl {

// Rounds to the nearest integer, ties to even, as nearbyint does in the
// default rounding mode, without a library call: adding and removing 2^52
// leaves no fraction bits, and the addition itself rounds half to even.
inline double RoundHalfEven(double v) {
  constexpr double kTwo52 = 4503599627370496.0;
  if (!(std::fabs(v) < kTwo52)) return v;  // already integral, or NaN
  const double m = std::copysign(kTwo52, v);
  return (v + m) - m;
}

// The sampler's probability level of a scaled density: rounded half to even,
// 255 at most (densities are never negative).
inline std::uint8_t ProbabilityLevel(double scaled) {
  const double level = RoundHalfEven(scaled);
  return level > 255 ? std::uint8_t{255} : static_cast<std::uint8_t>(level);
}

namespace detail {
template <class T>
inline T NarrowChecked(long long v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
    RaiseError(kOverflow);
  }
  return static_cast<T>(v);
}

// Rounds half to even; raises overflow unless the result lies in [lo, hi].
inline double RoundChecked(double v, double lo, double hi) {
  const double r = RoundHalfEven(v);
  if (!(r >= lo && r <= hi)) RaiseError(kOverflow);  // also catches NaN
  return r;
}
}  // namespace detail

// Double to Byte (0 to 255), ties to even. Raises overflow outside the range.
inline Byte CByte(double v) {
  return static_cast<Byte>(detail::RoundChecked(v, 0, 255));
}

// Double to Integer (16-bit), ties to even. Raises overflow outside the range.
inline Integer CInt(double v) {
  return static_cast<Integer>(detail::RoundChecked(v, -32768.0, 32767.0));
}

// Double to Long (32-bit), ties to even. Raises overflow outside the range.
inline Long CLng(double v) {
  return static_cast<Long>(detail::RoundChecked(v, -2147483648.0, 2147483647.0));
}

// Integer narrowing of an exact value. Raises overflow outside the range.
inline Integer ToInteger(long long v) {
  return detail::NarrowChecked<Integer>(v);
}
inline Long ToLong(long long v) {
  return detail::NarrowChecked<Long>(v);
}
inline Byte ToByte(long long v) {
  return detail::NarrowChecked<Byte>(v);
}

// The largest integral value not greater than v (rounds down, also for negatives).
inline double Int(double v) {
  return std::floor(v);
}

// Checked 16-bit arithmetic.
inline Integer AddI16(Integer a, Integer b) {
  return ToInteger(static_cast<long long>(a) + b);
}
inline Integer SubI16(Integer a, Integer b) {
  return ToInteger(static_cast<long long>(a) - b);
}
inline Integer MulI16(Integer a, Integer b) {
  return ToInteger(static_cast<long long>(a) * b);
}

// Checked 32-bit arithmetic.
inline Long AddI32(Long a, Long b) {
  return ToLong(static_cast<long long>(a) + b);
}
inline Long SubI32(Long a, Long b) {
  return ToLong(static_cast<long long>(a) - b);
}
inline Long MulI32(Long a, Long b) {
  return ToLong(static_cast<long long>(a) * b);
}

// Integer division truncating towards zero. Raises division by zero for b = 0
// and overflow where the quotient does not fit (minimum divided by -1).
template <class T>
inline T IDiv(T a, T b) {
  if (b == 0) RaiseError(kDivisionByZero);
  return detail::NarrowChecked<T>(static_cast<long long>(a) / static_cast<long long>(b));
}

// Floating point division that raises division by zero for a zero divisor.
inline double FDiv(double a, double b) {
  if (b == 0) RaiseError(kDivisionByZero);
  return a / b;
}

}  // namespace wl
