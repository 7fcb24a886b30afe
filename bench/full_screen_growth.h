// The growth of a full-screen canvas for the benchmarks: a pool sized for a
// width x height screen with the slots in use of the given "Growth Rate",
// the size factor of the given "Plant Size", and the random source seeded
// with a fixed number, so that every run (and every build) grows the same.
#pragma once

#include "growth/growth_random.h"
#include "growth/growth_state.h"
#include "growth/slot_count.h"

inline void SetUpFullScreenGrowth(CGrowthState& growth, int width, int height, int growthRate, int plantSize)
{
    SeedGrowthRandom(20261208);
    growth.m_clientWidth = width;
    growth.m_clientHeight = height;
    growth.m_sizeFactor = 1.0 + 0.05 * plantSize;
    growth.m_inUse = SlotsInUse(width, height, growthRate, growth.m_capacity);
}
