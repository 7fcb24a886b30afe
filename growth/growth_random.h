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
        m_state = m_state * kMul + kAdd;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

    // Moves on as count calls of Next would, in a few steps: count
    // applications of x -> a x + c are one x -> A x + C, made by composing
    // the step with itself (squaring) along count's bits.
    void Skip(std::uint32_t count)
    {
        std::uint32_t mul = kMul, add = kAdd;
        std::uint32_t totalMul = 1, totalAdd = 0;
        for (; count != 0; count >>= 1) {
            if (count & 1) {
                totalMul *= mul;
                totalAdd = totalAdd * mul + add;
            }
            add *= mul + 1;
            mul *= mul;
        }
        m_state = m_state * totalMul + totalAdd;
    }

private:
    static constexpr std::uint32_t kMul = 214013u;
    static constexpr std::uint32_t kAdd = 2531011u;

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
