// The two numeric helpers the growth engine is built on.
#pragma once

#include <cstdint>

// The nearest integer to x; an exact half goes toward zero (2.5 -> 2,
// -2.5 -> -2, 2.5000001 -> 3). Values beyond the 32-bit range (which only
// absurd stored settings produce) saturate instead of overflowing.
std::int32_t RoundNearest(double x);

// x truncated toward zero, saturating at the 32-bit range like RoundNearest.
std::int32_t Truncate(double x);

// The factor UnitRandom scales by: the single-precision number nearest
// 1/32767, slightly below it, so that 32767 * factor < 1.
constexpr double kUnitRandomFactor = static_cast<double>(1.0f / 32767.0f);

// GrowthRand() * kUnitRandomFactor in double precision: always in [0, 1).
double UnitRandom();
