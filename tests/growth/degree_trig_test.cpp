#include "growth/degree_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// The bits of a double: equal numbers with different bits (0.0 and -0.0)
// must not pass as the same.
std::uint64_t Bits(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The angles are read through a volatile, so the compiler cannot fold the
// reference values at build time with a different rounding.
TEST(DegreeTrig, TableAndFallbackEqualCosAndSinOfTheSameExpressionBitForBit)
{
    for (std::int32_t degrees = kTrigTableFirst - 400; degrees <= kTrigTableLast + 400; ++degrees) {
        volatile std::int32_t angle = degrees;
        const double a = angle * 0.017453292519943295;
        const CDegreeTrig trig = DegreeTrig(degrees);
        EXPECT_EQ(Bits(trig.cos), Bits(std::cos(a))) << degrees;
        EXPECT_EQ(Bits(trig.sin), Bits(std::sin(a))) << degrees;
    }
}

TEST(DegreeTrig, TableCoversEveryAngleABranchGrowsAt)
{
    EXPECT_LE(kTrigTableFirst, 1);
    EXPECT_GE(kTrigTableLast, 179);
}

}  // namespace
