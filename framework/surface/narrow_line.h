// Lines of the narrow pens, written straight into a surface's rows: widths
// 0 and 1 (one pixel wide, the walk of thin_line.h) and 2 (two 2 x 2 end
// blocks and the body of wide_line.h between them). These are the pens the
// growth draws every segment with, so they skip what the general
// rasterisers need for any pen: no span callbacks, no union of overlapping
// runs (a pixel written twice in one colour is written once), a row pointer
// stepped instead of an index reckoned per pixel, the bodies of short
// strokes of width 2 walked once and copied after, in storage made once
// (so drawing never allocates), and the box of what was written kept on
// the way, so that a record of damage needs no pass of its own. The pixels
// are exactly the general rasterisers' ones.
#pragma once

#include "afxtypes.h"
#include "surface.h"

#include <cstdint>

class CNarrowLine {
public:
    static constexpr int kMaxWidth = 2;
    // End points within this distance of the origin keep every product of
    // the arithmetic well inside 64 bits (and the quotients exact in double
    // precision); lines from farther away take the general rasterisers.
    static constexpr int kReach = 1 << 24;

    // Whether a line of this width between these points is drawn here.
    static bool Takes(int width, int x0, int y0, int x1, int y1)
    {
        const auto inReach = [](int v) { return v > -kReach && v < kReach; };
        return width >= 0 && width <= kMaxWidth && inReach(x0) && inReach(y0) && inReach(x1) && inReach(y1);
    }

    // Draws the line from (x0, y0) to (x1, y1) with a pen of the given width
    // (Takes must hold) on surface, storing word in the pixels inside clip,
    // which must lie on the surface. written becomes the box of the pixels
    // written, empty when none was. (An out parameter, not a result: a
    // returned rectangle comes back in two registers that the caller
    // stores and reads back whole, a read that waits for both stores.)
    static void Draw(CSurface& surface, int x0, int y0, int x1, int y1, int width, const CRect& clip,
                     std::uint32_t word, CRect& written)
    {
        if (width <= 1)
            DrawThin(surface, x0, y0, x1, y1, clip, word, written);
        else
            DrawWidthTwo(surface, x0, y0, x1, y1, clip, word, written);
    }

private:
    static void DrawThin(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip, std::uint32_t word,
                         CRect& written);
    static void DrawWidthTwo(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip,
                             std::uint32_t word, CRect& written);
};
