// Exact integer arithmetic for the rasterisers. Device coordinates are
// 32-bit, so a difference takes 33 bits and the product of two differences
// up to 66: the closed forms below compute in 128 bits, which keeps a line
// from anywhere in the coordinate range exact and free of overflow.
#pragma once

#include <cstdint>

namespace line_math {

// GCC and Clang provide the 128-bit type on every target we build for.
__extension__ typedef __int128 Wide;

// floor(num / den) for den > 0 and any sign of num.
constexpr std::int64_t FloorDiv(Wide num, Wide den)
{
    const Wide q = num / den;
    return static_cast<std::int64_t>((num % den != 0 && num < 0) ? q - 1 : q);
}

// ceil(num / den) for den > 0 and any sign of num.
constexpr std::int64_t CeilDiv(Wide num, Wide den)
{
    const Wide q = num / den;
    return static_cast<std::int64_t>((num % den != 0 && num > 0) ? q + 1 : q);
}

// a * b + c in 128 bits.
constexpr Wide MulAdd(std::int64_t a, std::int64_t b, std::int64_t c = 0)
{
    return static_cast<Wide>(a) * b + c;
}

}  // namespace line_math
