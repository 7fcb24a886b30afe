#include "growth_math.h"

#include <cmath>
#include <limits>

namespace {

// Clamps to the 32-bit range before converting: converting an out-of-range
// double to an integer is undefined behaviour.
std::int32_t Saturate(double whole)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(whole))
        return 0;
    if (whole <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (whole >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole);
}

}  // namespace

// NaN and values beyond the 32-bit range; Truncate converts the others.
std::int32_t TruncateOutOfRange(double x)
{
    return Saturate(std::trunc(x));
}

// NaN and values near or beyond the 32-bit range; RoundNearest rounds the
// others itself.
std::int32_t RoundNearestOutOfRange(double x)
{
    const double t = std::trunc(x);
    if (x >= 0)
        return Saturate(x - t > 0.5 ? t + 1 : t);
    return Saturate(x - t < -0.5 ? t - 1 : t);
}
