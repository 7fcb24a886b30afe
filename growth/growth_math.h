// The two numeric helpers the growth engine is built on.
#pragma once

#include "growth_random.h"

#include <cstdint>

// The nearest integer to x; an exact half goes toward zero (2.5 -> 2,
// -2.5 -> -2, 2.5000001 -> 3). Values beyond the 32-bit range (which only
// absurd stored settings produce) saturate instead of overflowing. Inline
// for the values whose result and neighbours fit in 32 bits, since every
// segment rounds two numbers.
std::int32_t RoundNearestOutOfRange(double x);
inline std::int32_t RoundNearest(double x)
{
    if (x > -2147483647.0 && x < 2147483647.0) {
        // Converting truncates toward zero exactly in this range.
        const auto t = static_cast<std::int32_t>(x);
        const double fraction = x - t;
        if (x >= 0)
            return fraction > 0.5 ? t + 1 : t;
        return fraction < -0.5 ? t - 1 : t;
    }
    return RoundNearestOutOfRange(x);
}

// x truncated toward zero, saturating at the 32-bit range like RoundNearest.
// Inline with a direct conversion for the values of the 32-bit range (where
// converting truncates toward zero exactly), because the re-seed's pixel
// probes truncate two numbers per probe.
std::int32_t TruncateOutOfRange(double x);
inline std::int32_t Truncate(double x)
{
    if (x > -2147483649.0 && x < 2147483648.0)
        return static_cast<std::int32_t>(x);
    return TruncateOutOfRange(x);
}

// The factor UnitRandom scales by: the single-precision number nearest
// 1/32767, slightly below it, so that 32767 * factor < 1.
constexpr double kUnitRandomFactor = static_cast<double>(1.0f / 32767.0f);

// GrowthRand() * kUnitRandomFactor in double precision: always in [0, 1).
inline double UnitRandom()
{
    return GrowthRand() * kUnitRandomFactor;
}
