#include "slot_count.h"

#include <algorithm>
#include <limits>

namespace {

std::int64_t RawSlotsInUse(std::int64_t side, std::int64_t growthRate)
{
    return side / 60 + ((side / 2) * growthRate * 2 - side / 60) / 100;
}

std::int32_t ToInt32(std::int64_t v)
{
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

}  // namespace

std::int32_t PoolCapacityForScreen(std::int32_t screenWidth, std::int32_t screenHeight)
{
    const std::int64_t side = std::int64_t{screenWidth} + screenHeight;
    return ToInt32(std::max<std::int64_t>(0, RawSlotsInUse(side, 100)));
}

std::int32_t SlotsInUse(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t growthRate,
                        std::int32_t capacity)
{
    const std::int64_t side = std::int64_t{clientWidth} + clientHeight;
    return ToInt32(std::min<std::int64_t>(RawSlotsInUse(side, growthRate), capacity));
}
