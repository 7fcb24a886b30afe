#include "growth/slot_count.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PoolCapacity, IsTheFullScreenCountAtTheLargestGrowthRate)
{
    EXPECT_EQ(PoolCapacityForScreen(1024, 768), 1820);
    EXPECT_EQ(PoolCapacityForScreen(1920, 1080), 3049);
    EXPECT_EQ(PoolCapacityForScreen(0, 0), 0);
}

struct InUseCase {
    const char* name;
    std::int32_t width, height, growthRate, capacity, expected;
};

TEST(SlotsInUse, FollowsClientSizeAndGrowthRateWithinThePool)
{
    const InUseCase cases[] = {
        {"full screen at 0", 1024, 768, 0, 1820, 29},
        {"full screen at 50", 1024, 768, 50, 1820, 924},
        {"full screen at 100", 1024, 768, 100, 1820, 1820},
        {"preview at 0", 152, 112, 0, 1820, 4},
        {"preview at 100", 152, 112, 100, 1820, 267},
        {"negative growth rate means none", 1024, 768, -20, 1820, -329},
        {"growth rate above 100 is limited to the pool", 1024, 768, 101, 1820, 1820},
        {"client larger than the screen is limited", 4096, 4096, 100, 1820, 1820},
        {"huge growth rate does not overflow", 1024, 768, std::numeric_limits<std::int32_t>::max(), 1820,
         1820},
        {"huge negative growth rate does not overflow", 1024, 768, std::numeric_limits<std::int32_t>::min(),
         1820, std::numeric_limits<std::int32_t>::min()},
        {"empty client", 0, 0, 100, 1820, 0},
    };
    for (const InUseCase& c : cases)
        EXPECT_EQ(SlotsInUse(c.width, c.height, c.growthRate, c.capacity), c.expected) << c.name;
}

}  // namespace
