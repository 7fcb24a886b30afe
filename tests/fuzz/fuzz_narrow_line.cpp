// The growth's pens (widths 0, 1 and 2) drawn by their own path and by the
// general rasterisers, on any surface, clip rectangle and end points within
// the path's reach: every pixel must agree, and the box the path returns
// must hold every pixel it wrote.
#include "fuzz_bytes.h"
#include "surface/narrow_line.h"
#include "surface/thin_line.h"
#include "surface/wide_line.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uint32_t kBackground = 0x00123456;
constexpr std::uint32_t kInk = 0x0028B414;

class CInput : public CFuzzBytes {
public:
    using CFuzzBytes::CFuzzBytes;
    // Mostly near the surface, sometimes far out along a long line.
    int Coordinate()
    {
        const unsigned choice = Byte();
        if (choice < 232)
            return Small(-130, 300);
        std::int32_t v = static_cast<std::int32_t>(Byte() << 16 | Byte() << 8 | Byte());
        v %= CNarrowLine::kReach;
        return choice % 2 == 0 ? v : -v;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CInput in(data, size);
    const int width = in.Small(1, 160), height = in.Small(1, 160);
    CSurface narrow(width, height), general(width, height);
    std::fill(narrow.RowToDraw(0), narrow.RowToDraw(0) + width * height, kBackground);
    std::fill(general.RowToDraw(0), general.RowToDraw(0) + width * height, kBackground);
    CRect clip(in.Small(0, width), in.Small(0, height), 0, 0);
    clip.right = clip.left + in.Small(0, width - clip.left + 1);
    clip.bottom = clip.top + in.Small(0, height - clip.top + 1);
    if (in.Byte() % 4 == 0)
        clip = narrow.Bounds();

    for (int line = 0; line < 8 && !in.Empty(); ++line) {
        const int penWidth = in.Small(0, CNarrowLine::kMaxWidth + 1);
        const int x0 = in.Coordinate(), y0 = in.Coordinate();
        const int x1 = in.Byte() % 2 == 0 ? x0 + in.Small(-100, 201) : in.Coordinate();
        const int y1 = in.Byte() % 2 == 0 ? y0 + in.Small(-100, 201) : in.Coordinate();
        if (!CNarrowLine::Takes(penWidth, x0, y0, x1, y1))
            continue;  // a delta added at the edge of the reach

        CRect box;
        CNarrowLine::Draw(narrow, x0, y0, x1, y1, penWidth, clip, kInk, box);
        if (penWidth <= 1) {
            ForEachThinLinePixel(x0, y0, x1, y1, clip, [&](int x, int y) { general.RowToDraw(y)[x] = kInk; });
        } else {
            ForEachWideLineSpan(x0, y0, x1, y1, CRoundCap(penWidth), clip, [&](int y, int begin, int end) {
                std::fill(general.RowToDraw(y) + begin, general.RowToDraw(y) + end, kInk);
            });
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t word = narrow.WordRow(y)[x];
                if (word != general.WordRow(y)[x])
                    std::abort();
                if (word == kInk && !box.PtInRect(CPoint(x, y)))
                    std::abort();
                narrow.RowToDraw(y)[x] = general.RowToDraw(y)[x] = kBackground;
            }
        }
    }
    return 0;
}
