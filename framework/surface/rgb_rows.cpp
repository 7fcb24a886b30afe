#include "rgb_rows.h"

#include <cstring>

namespace {

static_assert(sizeof(COLORREF) == sizeof(std::uint32_t), "surface pixels are 32-bit words");

// Swaps the red and blue bytes, which turns 0x00BBGGRR into 0x00RRGGBB and
// back; the top byte is cleared.
std::uint32_t SwapRedBlue(std::uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Four pixels at a time in a vector register: a full screen converts several
// times faster than pixel by pixel, which the compiler does not vectorise on
// its own at the optimisation level of the build.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

// Writes count swapped pixels from in to out (any alignment, no overlap).
void SwapRedBlueRow(const void* in, void* out, std::size_t count)
{
    const auto* source = static_cast<const unsigned char*>(in);
    auto* target = static_cast<unsigned char*>(out);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Pixels4 c;
        std::memcpy(&c, source + i * 4, sizeof c);
        c = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        std::memcpy(target + i * 4, &c, sizeof c);
    }
    for (; i < count; ++i) {
        std::uint32_t c;
        std::memcpy(&c, source + i * 4, sizeof c);
        c = SwapRedBlue(c);
        std::memcpy(target + i * 4, &c, sizeof c);
    }
}

}  // namespace

CRect CopyRgbRows(const CSurface& surface, const RECT& rect, std::uint32_t* out, std::size_t stride)
{
    const CRect r = CRect::Intersection(rect, surface.Bounds());
    for (LONG y = r.top; y < r.bottom; ++y) {
        const COLORREF* source = surface.Pixels().data() + static_cast<std::size_t>(y) * surface.Width();
        SwapRedBlueRow(source + r.left, out + static_cast<std::size_t>(y - r.top) * stride,
                       static_cast<std::size_t>(r.Width()));
    }
    return r;
}

CRect PasteRgbRows(CSurface& surface, const RECT& rect, const std::uint32_t* in, std::size_t stride)
{
    const CRect r = CRect::Intersection(rect, surface.Bounds());
    for (LONG y = r.top; y < r.bottom; ++y) {
        SwapRedBlueRow(in + static_cast<std::size_t>(y - r.top) * stride, surface.Row(y) + r.left,
                       static_cast<std::size_t>(r.Width()));
    }
    return r;
}
