#include "rgb_rows.h"

namespace {

// Swaps the red and blue bytes, which turns 0x00BBGGRR into 0x00RRGGBB and
// back; the top byte is cleared.
std::uint32_t SwapRedBlue(std::uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace

CRect CopyRgbRows(const CSurface& surface, const RECT& rect, std::uint32_t* out, std::size_t stride)
{
    const CRect r = CRect::Intersection(rect, surface.Bounds());
    for (LONG y = r.top; y < r.bottom; ++y) {
        const COLORREF* source = surface.Pixels().data() + static_cast<std::size_t>(y) * surface.Width();
        std::uint32_t* target = out + static_cast<std::size_t>(y - r.top) * stride;
        for (LONG x = r.left; x < r.right; ++x)
            *target++ = SwapRedBlue(source[x]);
    }
    return r;
}

CRect PasteRgbRows(CSurface& surface, const RECT& rect, const std::uint32_t* in, std::size_t stride)
{
    const CRect r = CRect::Intersection(rect, surface.Bounds());
    for (LONG y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* source = in + static_cast<std::size_t>(y - r.top) * stride;
        COLORREF* target = surface.Row(y) + r.left;
        for (LONG x = r.left; x < r.right; ++x)
            *target++ = SwapRedBlue(*source++);
    }
    return r;
}
