#include "process_seed.h"

#include "growth/growth_random.h"

#include <unistd.h>

#include <chrono>

namespace {

// The seed for a clock reading and a process id: every bit of either moves
// about half the bits of the seed.
std::uint32_t MixSeed(std::uint64_t clockNanos, std::uint32_t processId)
{
    // SplitMix64's finaliser over the clock with the process id in both
    // halves, so that neither the time's low bits nor the id's are lost.
    std::uint64_t z = clockNanos ^ (static_cast<std::uint64_t>(processId) << 32 | processId);
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z >> 32);
}

}  // namespace

void SeedGrowthForThisProcess()
{
    using namespace std::chrono;
    const auto nanos = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    SeedGrowthRandom(MixSeed(static_cast<std::uint64_t>(nanos), static_cast<std::uint32_t>(getpid())));
}
