// A tick draws on a presenting context that is made and closed every time,
// a hundred times a second: it must allocate nothing once the program runs.
// This suite counts every allocation of the process (allocation_count.h
// replaces operator new, so it is a program of its own) over ticks of a full-screen
// growth at "Growth Rate" and "Plant Size" 100, presenting what changed.
#include "growth/growth_random.h"
#include "growth/growth_state.h"
#include "growth/slot_count.h"
#include "surface/presenting_dc.h"

#include "allocation_count.h"

#include <gtest/gtest.h>

namespace {

TEST(TickAllocation, TicksAtFullRateAllocateNothing)
{
    constexpr int kWidth = 1920, kHeight = 1080;
    CGrowthState growth(PoolCapacityForScreen(kWidth, kHeight));
    SeedGrowthRandom(26);
    growth.m_clientWidth = kWidth;
    growth.m_clientHeight = kHeight;
    growth.m_sizeFactor = 1.0 + 0.05 * 100;
    growth.m_inUse = SlotsInUse(kWidth, kHeight, 100, growth.m_capacity);
    CSurface picture(kWidth, kHeight);

    long long presented = 0;
    const auto tick = [&](std::vector<CRect> clip) {
        CPresentingDC dc(picture, std::move(clip),
                         [&presented](const CSurface&, const std::vector<CRect>& changed) {
                             presented += static_cast<long long>(changed.size());
                         },
                         CDamage::kSpanJoinGap);
        growth.Step(dc);
    };
    // The first ticks grow the records' storage and the kept stroke shapes.
    for (int i = 0; i < 1000; ++i)
        tick({picture.Bounds()});

    // The clip list is the caller's, made before the tick starts.
    std::vector<std::vector<CRect>> clips(300, std::vector<CRect>{picture.Bounds()});
    const long long before = AllocationCount();
    for (std::vector<CRect>& clip : clips)
        tick(std::move(clip));
    EXPECT_EQ(AllocationCount() - before, 0);
    EXPECT_GT(presented, 0);
}

}  // namespace
