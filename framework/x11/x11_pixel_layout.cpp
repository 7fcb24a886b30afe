#include "x11_pixel_layout.h"

#include <cstdint>
#include <cstring>

bool IsPackedRgb(const Visual* visual, int depth)
{
    return visual != nullptr && visual->c_class == TrueColor && (depth == 24 || depth == 32) &&
           visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

int NativeByteOrder()
{
    const std::uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1 ? LSBFirst : MSBFirst;
}
