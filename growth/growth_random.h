// The random source of the growth: a 15-bit linear congruential generator
// (state = state * 214013 + 2531011 mod 2^32, result = bits 16..30 of the
// state). It stands in for the C library's rand()/srand(), whose range is
// not 0..32767 everywhere, so one seed grows the same picture on every
// platform.
//
// Like the C library's generator there is one per process: every canvas
// re-seeds it when constructed, and the growth of all canvases draws from it.
#pragma once

#include <cstdint>

class CGrowthRandom {
public:
    static constexpr int kMax = 32767;

    explicit constexpr CGrowthRandom(std::uint32_t seed = 1) : m_state(seed) {}

    void Seed(std::uint32_t seed) { m_state = seed; }
    std::uint32_t State() const { return m_state; }

    // The next number, 0..32767.
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state;
};

// The process-wide generator that the growth engine draws from. Inline, as
// are the draws, since a re-seed draws hundreds of thousands of numbers;
// the constant constructor needs no guard on each call.
inline CGrowthRandom& GrowthRandom()
{
    static CGrowthRandom generator;
    return generator;
}

// srand() and rand() of the growth: seed and draw the process-wide generator.
inline void SeedGrowthRandom(std::uint32_t seed)
{
    GrowthRandom().Seed(seed);
}
inline int GrowthRand()
{
    return GrowthRandom().Next();
}
