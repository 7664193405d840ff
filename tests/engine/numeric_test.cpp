// The checked numeric helpers: rounding half to even, range edges, floor,
// truncating division and the error numbers they raise.
#include "core/Numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ErrorNumber.h"

namespace {

using wltest::ErrorNumberOf;
constexpr int kOverflow = 6;
constexpr int kDivisionByZero = 11;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(NumericRounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(wl::CLng(0.5), 0);
  EXPECT_EQ(wl::CLng(1.5), 2);
  EXPECT_EQ(wl::CLng(2.5), 2);
  EXPECT_EQ(wl::CLng(3.5), 4);
  EXPECT_EQ(wl::CLng(-0.5), 0);
  EXPECT_EQ(wl::CLng(-1.5), -2);
  EXPECT_EQ(wl::CLng(-2.5), -2);
  EXPECT_EQ(wl::CInt(2.5), 2);
  EXPECT_EQ(wl::CInt(-2.5), -2);
  EXPECT_EQ(wl::CInt(-3.5), -4);
  EXPECT_EQ(wl::CByte(0.5), 0);
  EXPECT_EQ(wl::CByte(1.5), 2);
  EXPECT_EQ(wl::CByte(2.5), 2);
  EXPECT_EQ(wl::CByte(254.5), 254);
}

TEST(NumericRounding, NonTiesGoToTheNearest) {
  EXPECT_EQ(wl::CLng(2.4999999999999996), 2);
  EXPECT_EQ(wl::CLng(2.5000000000000004), 3);
  EXPECT_EQ(wl::CLng(-2.6), -3);
  EXPECT_EQ(wl::CInt(-0.4), 0);
  EXPECT_EQ(wl::CByte(0.49), 0);
  EXPECT_EQ(wl::CByte(127.51), 128);
}

// The library-free rounding agrees with nearbyint in the default rounding
// mode over the whole range where fractions exist, ties and near-ties included.
TEST(NumericRounding, RoundHalfEvenEqualsNearbyint) {
  const double two52 = 4503599627370496.0;
  for (double v :
       {0.0, -0.0, 0.5, -0.5, 1.5, 2.5, 0.49999999999999994, 255.5, 254.5, two52 / 2 + 0.5,
        two52 / 2 + 1.5, two52 - 0.5, two52, two52 + 1, -two52 + 0.5, 1e300, -1e300, kInf, -kInf}) {
    EXPECT_EQ(wl::RoundHalfEven(v), std::nearbyint(v)) << v;
  }
  EXPECT_TRUE(std::isnan(wl::RoundHalfEven(kNaN)));
  unsigned state = 12345;
  for (int n = 0; n < 200000; ++n) {
    state = state * 1103515245u + 12345u;
    const double v = (static_cast<double>(state) / 4294967296.0 - 0.5) * std::ldexp(1.0, n % 60);
    ASSERT_EQ(wl::RoundHalfEven(v), std::nearbyint(v)) << v;
    const double tie = std::floor(v) + 0.5;
    ASSERT_EQ(wl::RoundHalfEven(tie), std::nearbyint(tie)) << tie;
  }
}

TEST(NumericRange, ByteEdges) {
  EXPECT_EQ(wl::CByte(255.0), 255);
  EXPECT_EQ(wl::CByte(255.4999), 255);
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(255.5); }), kOverflow);  // 255.5 rounds to 256
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(256.0); }), kOverflow);
  EXPECT_EQ(wl::CByte(-0.5), 0);  // rounds to zero, which is in range
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(-0.51); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(-1.0); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(kNaN); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CByte(kInf); }), kOverflow);
}

TEST(NumericRange, IntegerEdges) {
  EXPECT_EQ(wl::CInt(32767.4), 32767);
  EXPECT_EQ(wl::CInt(32766.5), 32766);
  EXPECT_EQ(ErrorNumberOf([] { wl::CInt(32767.5); }), kOverflow);
  EXPECT_EQ(wl::CInt(-32768.5), -32768);  // the even neighbour is in range
  EXPECT_EQ(ErrorNumberOf([] { wl::CInt(-32768.51); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CInt(-32769.0); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CInt(kNaN); }), kOverflow);
}

TEST(NumericRange, LongEdges) {
  EXPECT_EQ(wl::CLng(2147483647.4), 2147483647);
  EXPECT_EQ(wl::CLng(2147483646.5), 2147483646);
  EXPECT_EQ(ErrorNumberOf([] { wl::CLng(2147483647.5); }), kOverflow);
  EXPECT_EQ(wl::CLng(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(ErrorNumberOf([] { wl::CLng(-2147483648.51); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CLng(1e300); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CLng(-kInf); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::CLng(kNaN); }), kOverflow);
}

TEST(NumericRange, ExactNarrowing) {
  EXPECT_EQ(wl::ToByte(255), 255);
  EXPECT_EQ(ErrorNumberOf([] { wl::ToByte(256); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::ToByte(-1); }), kOverflow);
  EXPECT_EQ(wl::ToInteger(-32768), -32768);
  EXPECT_EQ(ErrorNumberOf([] { wl::ToInteger(32768); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::ToLong(2147483648LL); }), kOverflow);
}

TEST(NumericFloor, IntRoundsDownAlsoForNegatives) {
  EXPECT_EQ(wl::Int(1.7), 1.0);
  EXPECT_EQ(wl::Int(2.0), 2.0);
  EXPECT_EQ(wl::Int(0.999), 0.0);
  EXPECT_EQ(wl::Int(-0.5), -1.0);
  EXPECT_EQ(wl::Int(-1.2), -2.0);
  EXPECT_EQ(wl::Int(-3.0), -3.0);
}

TEST(NumericDivision, TruncatesTowardZero) {
  EXPECT_EQ(wl::IDiv<wl::Long>(7, 2), 3);
  EXPECT_EQ(wl::IDiv<wl::Long>(-7, 2), -3);
  EXPECT_EQ(wl::IDiv<wl::Long>(7, -2), -3);
  EXPECT_EQ(wl::IDiv<wl::Long>(-7, -2), 3);
  EXPECT_EQ(wl::IDiv<wl::Integer>(-1, 2), 0);
  EXPECT_EQ(wl::IDiv<wl::Long>(2147483647, 44488), 48271);
}

TEST(NumericDivision, ZeroDivisorAndUnrepresentableQuotient) {
  EXPECT_EQ(ErrorNumberOf([] { wl::IDiv<wl::Long>(1, 0); }), kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { wl::IDiv<wl::Integer>(0, 0); }), kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { wl::IDiv<wl::Long>(-2147483647 - 1, -1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::IDiv<wl::Integer>(-32768, -1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::FDiv(1.0, 0.0); }), kDivisionByZero);
  EXPECT_EQ(wl::FDiv(1.0, 4.0), 0.25);
}

TEST(NumericArithmetic, SixteenBitEdges) {
  EXPECT_EQ(wl::AddI16(32766, 1), 32767);
  EXPECT_EQ(ErrorNumberOf([] { wl::AddI16(32767, 1); }), kOverflow);
  EXPECT_EQ(wl::SubI16(-32767, 1), -32768);
  EXPECT_EQ(ErrorNumberOf([] { wl::SubI16(-32768, 1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::SubI16(0, -32768); }), kOverflow);
  EXPECT_EQ(wl::MulI16(181, 181), 32761);
  EXPECT_EQ(ErrorNumberOf([] { wl::MulI16(182, 182); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::MulI16(-32768, -1); }), kOverflow);
}

TEST(NumericArithmetic, ThirtyTwoBitEdges) {
  EXPECT_EQ(wl::AddI32(2147483646, 1), 2147483647);
  EXPECT_EQ(ErrorNumberOf([] { wl::AddI32(2147483647, 1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::AddI32(-2147483647 - 1, -1); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::SubI32(-2, 2147483647); }), kOverflow);
  EXPECT_EQ(wl::SubI32(-1, 2147483647), -2147483647 - 1);
  EXPECT_EQ(wl::MulI32(46340, 46340), 2147395600);
  EXPECT_EQ(ErrorNumberOf([] { wl::MulI32(46341, 46341); }), kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { wl::MulI32(-2147483647 - 1, -1); }), kOverflow);
}

TEST(NumericErrors, CarryNumberAndDescription) {
  try {
    wl::CByte(300.0);
    FAIL() << "no error raised";
  } catch (const wl::WLError& e) {
    EXPECT_EQ(e.Number(), 6);
    EXPECT_EQ(e.Description(), "Overflow");
  }
  try {
    wl::IDiv<wl::Long>(5, 0);
    FAIL() << "no error raised";
  } catch (const wl::WLError& e) {
    EXPECT_EQ(e.Number(), 11);
    EXPECT_EQ(e.Description(), "Division by zero");
  }
}

}  // namespace
