// Cosine and sine of a whole number of degrees, as the growth computes them:
// std::cos and std::sin of degrees * 0.017453292519943295 (pi/180) in double
// precision. The angles a branch can reach are answered from a table built
// at start-up with that very expression, so the results are the same bits;
// any other angle is computed directly.
#pragma once

#include <cstdint>

// pi/180 as the double the growth multiplies by.
constexpr double kDegreesToRadians = 0.017453292519943295;

struct CDegreeTrig {
    double cos;
    double sin;
};

// The first and last angle of the table: a branch grows only at 1..179
// degrees (a fresh direction is 30..150, and a bend moves it by at most 29
// from 30..120 before the branch dies), with a little room either side.
constexpr std::int32_t kTrigTableFirst = 0;
constexpr std::int32_t kTrigTableLast = 180;

// Computes the pair with std::cos and std::sin, whatever the angle.
CDegreeTrig ComputeDegreeTrig(std::int32_t degrees);

// The table, kTrigTableLast - kTrigTableFirst + 1 entries from
// kTrigTableFirst on.
const CDegreeTrig* DegreeTrigTable();

inline CDegreeTrig DegreeTrig(std::int32_t degrees)
{
    if (degrees >= kTrigTableFirst && degrees <= kTrigTableLast)
        return DegreeTrigTable()[degrees - kTrigTableFirst];
    return ComputeDegreeTrig(degrees);
}
