// The growth's pens (widths 0, 1 and 2) take a path of their own through the
// surface context. It must light exactly the pixels of the general
// rasterisers, which the comparison with GDI verifies: every delta up to 100
// in every octant, whole and clipped, and its box must hold what it wrote.
#include "surface/narrow_line.h"
#include "surface/surface_dc.h"
#include "surface/thin_line.h"
#include "surface/wide_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kMaxDelta = 100;
constexpr int kSide = 2 * kMaxDelta + 9;
constexpr std::uint32_t kBackground = 0x00102030;
constexpr COLORREF kInk = RGB(40, 180, 20);

// Draws with the general rasterisers, as the surface context does for any
// other pen.
void DrawGeneral(CSurface& surface, int x0, int y0, int x1, int y1, int width, const CRect& clip)
{
    const std::uint32_t word = CSurface::WordOf(kInk);
    if (width <= 1) {
        ForEachThinLinePixel(x0, y0, x1, y1, clip, [&](int x, int y) { surface.RowToDraw(y)[x] = word; });
        return;
    }
    ForEachWideLineSpan(x0, y0, x1, y1, CRoundCap(width), clip, [&](int y, int begin, int end) {
        std::fill(surface.RowToDraw(y) + begin, surface.RowToDraw(y) + end, word);
    });
}

// Restores the background where a line may have drawn.
void Wipe(CSurface& surface, const CRect& area)
{
    const CRect r = CRect::Intersection(area, surface.Bounds());
    for (LONG y = r.top; y < r.bottom; ++y)
        std::fill(surface.RowToDraw(y) + r.left, surface.RowToDraw(y) + r.right, kBackground);
}

class CComparison {
public:
    CComparison() : m_narrow(kSide, kSide), m_general(kSide, kSide)
    {
        Wipe(m_narrow, m_narrow.Bounds());
        Wipe(m_general, m_general.Bounds());
    }

    // Draws the line both ways and returns the first difference, if any.
    std::string Check(int x0, int y0, int x1, int y1, int width, const CRect& clip)
    {
        CRect box;
        CNarrowLine::Draw(m_narrow, x0, y0, x1, y1, width, clip, CSurface::WordOf(kInk), box);
        DrawGeneral(m_general, x0, y0, x1, y1, width, clip);
        // Only the stroke's neighbourhood can differ.
        const CRect area(std::min(x0, x1) - 3, std::min(y0, y1) - 3, std::max(x0, x1) + 4, std::max(y0, y1) + 4);
        std::string difference = DifferenceIn(area, box);
        Wipe(m_narrow, area);
        Wipe(m_general, area);
        if (!difference.empty())
            difference += " of " + std::to_string(x0) + "," + std::to_string(y0) + " to " + std::to_string(x1) + "," +
                          std::to_string(y1) + " width " + std::to_string(width);
        return difference;
    }

private:
    std::string DifferenceIn(const CRect& area, const CRect& box) const
    {
        const CRect r = CRect::Intersection(area, m_narrow.Bounds());
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                const std::uint32_t a = m_narrow.WordRow(y)[x];
                if (a != m_general.WordRow(y)[x])
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
                if (a != kBackground && !box.PtInRect(CPoint(x, y)))
                    return "pixel outside the box at " + std::to_string(x) + "," + std::to_string(y);
            }
        }
        return "";
    }

    CSurface m_narrow;
    CSurface m_general;
};

TEST(NarrowLine, EveryDeltaUpToAHundredMatchesTheGeneralRasterisers)
{
    CComparison comparison;
    const CRect whole(0, 0, kSide, kSide);
    const int center = kSide / 2;
    for (int width = 0; width <= CNarrowLine::kMaxWidth; ++width) {
        for (int dy = -kMaxDelta; dy <= kMaxDelta; ++dy) {
            for (int dx = -kMaxDelta; dx <= kMaxDelta; ++dx) {
                const std::string difference =
                    comparison.Check(center, center, center + dx, center + dy, width, whole);
                ASSERT_EQ(difference, "");
            }
        }
    }
}

// Clip rectangles cut strokes at every place: through the body, through an
// end block, and off the surface's edges (the end points outside it).
TEST(NarrowLine, ClippedStrokesMatchTheGeneralRasterisers)
{
    CComparison comparison;
    std::mt19937 random(26);
    std::uniform_int_distribution<int> delta(-kMaxDelta, kMaxDelta);
    std::uniform_int_distribution<int> place(-20, kSide + 20);
    std::uniform_int_distribution<int> corner(0, kSide);
    for (int i = 0; i < 60000; ++i) {
        const int width = i % (CNarrowLine::kMaxWidth + 1);
        const int x0 = place(random), y0 = place(random);
        const int x1 = i % 7 == 0 ? place(random) : x0 + delta(random) / (1 + i % 5);
        const int y1 = i % 7 == 0 ? place(random) : y0 + delta(random) / (1 + i % 3);
        int left = corner(random), right = corner(random), top = corner(random), bottom = corner(random);
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        const CRect clip = i % 4 == 0 ? CRect(0, 0, kSide, kSide) : CRect(left, top, right, bottom);
        ASSERT_EQ(comparison.Check(x0, y0, x1, y1, width, clip), "");
    }
}

// The box is what a damage record gets: for an unclipped stroke it is the
// stroke's own, tight on every side.
TEST(NarrowLine, BoxOfAnUnclippedStrokeIsTight)
{
    CSurface surface(64, 64);
    const CRect whole = surface.Bounds();
    const auto Draw = [&surface](int x0, int y0, int x1, int y1, int width, const CRect& clip) {
        CRect written(-7, -7, 7, 7);  // anything: it must be replaced
        CNarrowLine::Draw(surface, x0, y0, x1, y1, width, clip, 1, written);
        return written;
    };
    // The end pixel is left out: the last pixel drawn is one step before it.
    EXPECT_EQ(Draw(10, 10, 20, 14, 1, whole), CRect(10, 10, 20, 15));
    EXPECT_EQ(Draw(20, 14, 10, 10, 0, whole), CRect(11, 10, 21, 15));
    EXPECT_EQ(Draw(10, 10, 10, 20, 1, whole), CRect(10, 10, 11, 20));
    EXPECT_EQ(Draw(10, 10, 10, 10, 1, whole), CRect());  // nothing drawn
    EXPECT_EQ(Draw(10, 10, 10, 10, 2, whole), CRect(9, 9, 11, 11));
    EXPECT_EQ(Draw(30, 40, 22, 11, 2, whole), CRect(21, 10, 31, 41));
    EXPECT_EQ(Draw(0, 0, 5, 5, 2, CRect(10, 10, 20, 20)), CRect());
}

// Through the context: the growth's pens take this path, a damage record
// gets the box, and far-away or other pens still draw the general way.
TEST(NarrowLine, ContextRecordsTheBoxOfWhatItDrew)
{
    CSurface surface(100, 100);
    CDamage damage;
    CSurfaceDC dc(surface, {CRect(0, 0, 50, 100), CRect(50, 0, 100, 100)});
    dc.SetDamage(&damage);
    CPen pen(PS_INSIDEFRAME, 2, RGB(0, 200, 0));
    dc.SelectObject(&pen);
    dc.MoveTo(40, 18);
    EXPECT_TRUE(damage.IsEmpty()) << "moving draws nothing";
    dc.LineTo(60, 22);  // across both clip rectangles, within one band of the record
    ASSERT_EQ(damage.Rects().size(), 1u);
    EXPECT_EQ(damage.Rects().front(), CRect(39, 17, 61, 23));
    EXPECT_EQ(surface.At(39, 17), RGB(0, 200, 0));
    EXPECT_EQ(surface.At(60, 22), RGB(0, 200, 0));

    EXPECT_FALSE(CNarrowLine::Takes(3, 0, 0, 1, 1));
    EXPECT_FALSE(CNarrowLine::Takes(-1, 0, 0, 1, 1));
    EXPECT_FALSE(CNarrowLine::Takes(2, 0, 0, CNarrowLine::kReach, 1));
    EXPECT_TRUE(CNarrowLine::Takes(0, -5, 0, 1, 1));
}

}  // namespace
