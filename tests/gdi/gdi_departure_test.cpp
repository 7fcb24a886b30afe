// Where Wine's GDI departs from what Windows documents, recorded rather than
// asserted: these print what this GDI does, so a run on Windows and one
// under Wine can be told apart. The surface context follows the
// documentation in each case.
#include "gdi_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// GetPixel: "If the pixel is outside of the current clipping region, the
// return value is CLR_INVALID." Wine answers from the bitmap of a memory
// device context wherever the point lies in it.
TEST(GdiDepartures, GetPixelOutsideTheClipRegionOfAMemoryDC)
{
    CGdiCanvas canvas(8, 8);
    canvas.Fill(RGB(10, 20, 30));
    canvas.SetClip({CRect(0, 0, 4, 4)});
    const COLORREF inside = GetPixel(canvas.Dc(), 1, 1);
    const COLORREF outsideClip = GetPixel(canvas.Dc(), 6, 6);
    const COLORREF outsideBitmap = GetPixel(canvas.Dc(), 9, 1);
    std::printf("GetPixel on a memory DC clipped to (0,0)-(4,4): inside %08x, outside the clip %08x "
                "(documented %08x), outside the bitmap %08x\n",
                static_cast<unsigned>(inside), static_cast<unsigned>(outsideClip),
                static_cast<unsigned>(CLR_INVALID), static_cast<unsigned>(outsideBitmap));
    EXPECT_EQ(inside, RGB(10, 20, 30));
    EXPECT_EQ(outsideBitmap, CLR_INVALID);
    if (outsideClip != CLR_INVALID)
        std::printf("  this GDI departs from the documentation here; the surface context does not\n");
}

}  // namespace
