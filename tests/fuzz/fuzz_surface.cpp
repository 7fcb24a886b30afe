// The surface device context on any coordinates, pen widths and clip
// rectangles: every call finishes, and a context clipped to rectangles
// lights exactly the pixels that an unclipped context lights there, for
// lines of every width and fills; reads outside the clip give CLR_INVALID.
#include "fuzz_bytes.h"
#include "surface/surface_dc.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF kBackground = 0x00123456;

class CInput : public CFuzzBytes {
public:
    using CFuzzBytes::CFuzzBytes;
    // Mostly near the surface, sometimes anywhere in the coordinate range.
    int Coordinate()
    {
        static const int kFar[] = {INT_MIN, INT_MIN + 1, -2000000, -65537, 65536, 1000003, INT_MAX - 1, INT_MAX};
        const unsigned choice = Byte();
        if (choice < 224)
            return Small(-40, 120);
        if (choice < 240)
            return kFar[choice % 8];
        std::int32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) << 8 | Byte());
        return v;
    }
    int PenWidth()
    {
        // A pen above a thousand pixels costs a cap of its width to build:
        // one such pen per input keeps the fuzzer quick.
        static const int kWide[] = {-1,   INT_MIN, 9,     17,    33,     100,     1000,        1024,
                                    1025, 65535,   65536, 65537, 916000, 2000000, INT_MAX - 1, INT_MAX};
        const unsigned choice = Byte();
        if (choice < 240)
            return static_cast<int>(choice % 8);
        const int width = kWide[choice - 240];
        if (width > 1000 && m_widePens++ > 0)
            return width % 8;
        return width;
    }

private:
    int m_widePens = 0;
};

bool InClip(const std::vector<CRect>& clip, int x, int y)
{
    for (const CRect& r : clip) {
        if (r.PtInRect(CPoint(x, y)))
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CInput in(data, size);
    const int width = in.Small(1, 48), height = in.Small(1, 48);
    std::vector<CRect> clip;
    for (int n = in.Small(0, 4); n > 0; --n) {
        const int left = in.Coordinate(), top = in.Coordinate();
        clip.emplace_back(left, top, in.Coordinate(), in.Coordinate());
    }

    CSurface reference(width, height, kBackground), clipped(width, height, kBackground);
    CSurfaceDC whole(reference);
    CSurfaceDC part(clipped, clip);
    for (int op = 0; op < 24 && !in.Empty(); ++op) {
        const COLORREF color = RGB(in.Byte(), in.Byte(), op);
        const unsigned kind = in.Byte() % 8;
        if (kind == 0) {
            const RECT r{in.Coordinate(), in.Coordinate(), in.Coordinate(), in.Coordinate()};
            CBrush brush(color);
            whole.FillRect(r, &brush);
            part.FillRect(r, &brush);
            continue;
        }
        CPen pen(kind == 1 ? PS_SOLID : PS_INSIDEFRAME, in.PenWidth(), color);
        const int x0 = in.Coordinate(), y0 = in.Coordinate(), x1 = in.Coordinate(), y1 = in.Coordinate();
        for (CSurfaceDC* dc : {&whole, &part}) {
            CPen* previous = dc->SelectObject(&pen);
            dc->MoveTo(x0, y0);
            dc->LineTo(x1, y1);
            if (dc->GetCurrentPosition() != CPoint(x1, y1))
                std::abort();
            dc->SelectObject(previous);
        }
    }

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = InClip(part.ClipRects(), x, y);
            if (inside != InClip(clip, x, y))
                std::abort();  // the context's region is the rectangles, limited to the surface
            if (clipped.At(x, y) != (inside ? reference.At(x, y) : kBackground))
                std::abort();
            if (part.GetPixel(x, y) != (inside ? clipped.At(x, y) : CLR_INVALID))
                std::abort();
        }
    }
    for (int probe = 0; probe < 4; ++probe) {
        const int x = in.Coordinate(), y = in.Coordinate();
        if (!reference.Contains(x, y) && (whole.GetPixel(x, y) != CLR_INVALID || part.GetPixel(x, y) != CLR_INVALID))
            std::abort();
    }
    return 0;
}
