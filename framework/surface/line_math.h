// Exact integer arithmetic for the rasterisers. Device coordinates are
// 32-bit, so a difference takes 33 bits and the product of two differences
// up to 66: the closed forms below compute in 128 bits, which keeps a line
// from anywhere in the coordinate range exact and free of overflow.
//
// Lines near the surface have small numbers, and a 128-bit (or even a
// 64-bit) integer division costs far more than the rest of a short line.
// For numerators below 2^52 the quotient is taken in double precision and
// then corrected to the exact integer by multiplication, which is exact.
#pragma once

#include <cstdint>

namespace line_math {

// GCC and Clang provide the 128-bit type on every target we build for.
__extension__ typedef __int128 Wide;

// floor(num / den) for den > 0 and any sign of num.
inline std::int64_t FloorDiv(Wide num, Wide den)
{
    constexpr Wide kFast = Wide{1} << 52;
    if (num > -kFast && num < kFast && den < kFast) {
        const auto n = static_cast<std::int64_t>(num);
        const auto d = static_cast<std::int64_t>(den);
        auto q = static_cast<std::int64_t>(static_cast<double>(n) / static_cast<double>(d));
        // The rounded quotient is within one of the exact one; settle it.
        if (q * d > n)
            --q;
        else if ((q + 1) * d <= n)
            ++q;
        return q;
    }
    const Wide q = num / den;
    return static_cast<std::int64_t>((num % den != 0 && num < 0) ? q - 1 : q);
}

// ceil(num / den) for den > 0 and any sign of num.
inline std::int64_t CeilDiv(Wide num, Wide den)
{
    return -FloorDiv(-num, den);
}

// a * b + c in 128 bits.
constexpr Wide MulAdd(std::int64_t a, std::int64_t b, std::int64_t c = 0)
{
    return static_cast<Wide>(a) * b + c;
}

}  // namespace line_math
