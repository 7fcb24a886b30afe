// The surface's summary of bright pixels under every way of writing a
// picture: lines of any width and colour, fills, single pixels, whole rows,
// pasted rows (a capture) and resizes, on contexts clipped or not. After
// each write, PixelAbove of a context must give what a direct read gives,
// for every pixel and for bars above, at and below the summary's bar.
#include "fuzz_bytes.h"
#include "surface/surface_dc.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class CInput : public CFuzzBytes {
public:
    using CFuzzBytes::CFuzzBytes;
    // Dark, bright, or just either side of the summary's bar.
    COLORREF Color()
    {
        static const COLORREF kEdges[] = {CSurface::kSummaryBar, CSurface::kSummaryBar + 1, CSurface::kSummaryBar - 1,
                                          0x00FFFFFF, 0, 0x00787900, 0x00770000 | 0xFFFF, 0xFF000000};
        const unsigned choice = Byte();
        if (choice < 64)
            return kEdges[choice % 8];
        return RGB(Byte(), Byte(), Byte());
    }
};

void CheckAgainstReads(const CSurface& surface, const CSurfaceDC& dc)
{
    static const COLORREF kBars[] = {0, CSurface::kSummaryBar - 1, CSurface::kSummaryBar, CSurface::kSummaryBar + 1,
                                     0x00EEEEEE, 0x00FFFFFF, 0xFFFFFFFE};
    for (int y = -1; y <= surface.Height(); ++y) {
        for (int x = -1; x <= surface.Width(); ++x) {
            for (const COLORREF bar : kBars) {
                if (dc.PixelAbove(x, y, bar) != (dc.GetPixel(x, y) > bar))
                    std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CInput in(data, size);
    CSurface surface(in.Small(1, 40), in.Small(1, 40), in.Color());
    for (int op = 0; op < 16 && !in.Empty(); ++op) {
        std::vector<CRect> clip{surface.Bounds()};
        if (in.Byte() % 2 != 0)
            clip = {CRect(in.Small(-4, 40), in.Small(-4, 40), in.Small(0, 44), in.Small(0, 44))};
        CSurfaceDC dc(surface, clip);
        const COLORREF color = in.Color();
        switch (in.Byte() % 7) {
        case 0: {
            CBrush brush(color);
            dc.FillRect(CRect(in.Small(-4, 48), in.Small(-4, 48), in.Small(-4, 48), in.Small(-4, 48)), &brush);
            break;
        }
        case 1: {
            CPen pen(PS_INSIDEFRAME, in.Small(0, 7), color);
            dc.SelectObject(&pen);
            dc.MoveTo(in.Small(-8, 56), in.Small(-8, 56));
            dc.LineTo(in.Small(-8, 56), in.Small(-8, 56));
            dc.SelectObject(static_cast<CPen*>(nullptr));
            break;
        }
        case 2: {
            const int x = in.Small(0, surface.Width()), y = in.Small(0, surface.Height());
            surface.Set(x, y, color);
            break;
        }
        case 3:
            surface.WordRow(in.Small(0, surface.Height()))[in.Small(0, surface.Width())] = CSurface::WordOf(color);
            break;
        case 4: {
            // Rows of raw words, as a capture stores them.
            const CRect r = CRect::Intersection(
                CRect(in.Small(-4, 48), in.Small(-4, 48), in.Small(-4, 48), in.Small(-4, 48)), surface.Bounds());
            for (LONG y = r.top; y < r.bottom; ++y)
                std::fill(surface.WordRow(y) + r.left, surface.WordRow(y) + r.right, color & 0x00FFFFFF);
            break;
        }
        case 5:
            surface.Words()[in.Small(0, surface.Width() * surface.Height())] = color & 0x00FFFFFF;
            break;
        default:
            surface.Resize(in.Small(1, 40), in.Small(1, 40), color);
            break;
        }
        CheckAgainstReads(surface, CSurfaceDC(surface, clip));
    }
    return 0;
}
