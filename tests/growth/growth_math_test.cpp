#include "growth/growth_math.h"
#include "growth/growth_random.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct RoundCase {
    const char* name;
    double value;
    std::int32_t expected;
};

TEST(RoundNearest, HalvesGoTowardZeroEverythingElseToNearest)
{
    const RoundCase cases[] = {
        {"zero", 0.0, 0},
        {"half", 0.5, 0},
        {"one and a half", 1.5, 1},
        {"two and a half", 2.5, 2},
        {"just above a half", 2.5000001, 3},
        {"negative half", -0.5, 0},
        {"negative one and a half", -1.5, -1},
        {"negative two and a half", -2.5, -2},
        {"just below a negative half", -2.5000001, -3},
        {"just under a whole", 149.99999, 150},
        {"small fraction", 3.4999, 3},
        {"negative small fraction", -3.4999, -3},
        {"last half below the largest", 2147483646.5, 2147483646},
        {"rounds up to the largest", 2147483646.6, 2147483647},
        {"the largest", 2147483647.0, 2147483647},
        {"rounds down to the smallest", -2147483647.6, std::numeric_limits<std::int32_t>::min()},
        {"just inside the negative range", -2147483646.6, -2147483647},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), 0},
        {"beyond the range", 1e20, std::numeric_limits<std::int32_t>::max()},
        {"beyond the negative range", -1e20, std::numeric_limits<std::int32_t>::min()},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(RoundNearest(c.value), c.expected) << c.name;
}

TEST(Truncate, GoesTowardZeroAndSaturates)
{
    EXPECT_EQ(Truncate(2.99), 2);
    EXPECT_EQ(Truncate(-2.99), -2);
    EXPECT_EQ(Truncate(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Truncate(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(UnitRandom, FactorIsTheSinglePrecisionNeighbourOfOneOver32767)
{
    EXPECT_EQ(kUnitRandomFactor, 3.0518509447574615e-05);
    EXPECT_LT(kUnitRandomFactor, 1.0 / 32767.0);
}

TEST(UnitRandom, LargestDrawStaysBelowOne)
{
    const double largest = CGrowthRandom::kMax * kUnitRandomFactor;
    EXPECT_LT(largest, 1.0);
    EXPECT_NEAR(largest, 0.99999999907, 1e-11);
    // The consequences the growth relies on: colour bytes and angles in range.
    EXPECT_EQ(Truncate(largest * 40), 39);
    EXPECT_EQ(Truncate(largest * 145 + 40), 184);
    EXPECT_EQ(RoundNearest(largest * 120 + 30), 150);
}

TEST(GrowthRandom, IsTheClassic15BitLinearCongruentialSequence)
{
    CGrowthRandom generator(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724};
    for (int value : expected)
        EXPECT_EQ(generator.Next(), value);
}

TEST(GrowthRandom, SkippingLeavesTheStateOfAsManyDraws)
{
    for (const std::uint32_t count : {0u, 1u, 2u, 3u, 120u, 1000u, 65537u}) {
        CGrowthRandom skipped(147926525), drawn(147926525);
        skipped.Skip(count);
        for (std::uint32_t i = 0; i < count; ++i)
            drawn.Next();
        EXPECT_EQ(skipped.State(), drawn.State()) << count << " draws";
    }
}

TEST(GrowthRandom, SeedingRestartsTheProcessWideSequence)
{
    SeedGrowthRandom(1);
    EXPECT_EQ(GrowthRand(), 41);
    SeedGrowthRandom(1);
    EXPECT_EQ(GrowthRand(), 41);
    EXPECT_EQ(UnitRandom(), 18467 * kUnitRandomFactor);
}

}  // namespace
