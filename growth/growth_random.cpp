#include "growth_random.h"

CGrowthRandom& GrowthRandom()
{
    static CGrowthRandom generator;
    return generator;
}

void SeedGrowthRandom(std::uint32_t seed)
{
    GrowthRandom().Seed(seed);
}

int GrowthRand()
{
    return GrowthRandom().Next();
}
