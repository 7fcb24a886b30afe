// Wide pens: the round caps, the end blocks and axis-aligned bodies of
// width 2, and clipping that never moves a pixel. The sloped bodies are
// measured against GDI by the comparison program and pinned by hashes.
#include "surface/stroke_shapes.h"
#include "surface/wide_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

const RECT kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

PixelSet Cover(int x0, int y0, int x1, int y1, int width, const RECT& bounds = kEverywhere)
{
    PixelSet pixels;
    const CRoundCap cap(width);
    int lastY = INT_MIN, lastEnd = INT_MIN;
    ForEachWideLineSpan(x0, y0, x1, y1, cap, bounds, [&](int y, int xBegin, int xEnd) {
        // Spans come top to bottom, left to right, never touching.
        EXPECT_TRUE(y > lastY || (y == lastY && xBegin > lastEnd)) << "span order at row " << y;
        EXPECT_LT(xBegin, xEnd);
        lastY = y;
        lastEnd = xEnd;
        for (int x = xBegin; x < xEnd; ++x)
            pixels.emplace(x, y);
    });
    return pixels;
}

PixelSet Block(int left, int top, int right, int bottom)
{
    PixelSet pixels;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            pixels.emplace(x, y);
    }
    return pixels;
}

TEST(RoundCap, ShapesOfSmallWidths)
{
    struct CCapCase {
        int width;
        std::vector<std::pair<int, int>> rows;  // [left, right) from the top row, -width/2, down
    };
    const CCapCase cases[] = {
        {1, {{0, 1}}},
        {2, {{-1, 1}, {-1, 1}}},
        {3, {{0, 1}, {-1, 2}, {0, 1}}},
        {4, {{-1, 1}, {-2, 2}, {-2, 2}, {-1, 1}}},
    };
    for (const CCapCase& c : cases) {
        const CRoundCap cap(c.width);
        EXPECT_EQ(cap.Top(), -(c.width / 2)) << c.width;
        std::vector<std::pair<int, int>> rows;
        for (const CRoundCap::Row& r : cap.Rows())
            rows.emplace_back(r.left, r.right);
        EXPECT_EQ(rows, c.rows) << "width " << c.width;
    }
}

// Width 2 covers {x-1, x} by {y-1, y} at both end points, the end included.
TEST(WideLine, WidthTwoEndBlocksAndAxisBodies)
{
    struct CBlockCase {
        const char* name;
        int x0, y0, x1, y1;
        PixelSet expected;
    };
    const CBlockCase cases[] = {
        {"zero length is a 2x2 dot", 5, 5, 5, 5, Block(4, 4, 6, 6)},
        {"right", 2, 3, 6, 3, Block(1, 2, 7, 4)},
        {"left", 6, 3, 2, 3, Block(1, 2, 7, 4)},
        {"down", 3, 2, 3, 6, Block(2, 1, 4, 7)},
        {"up", 3, 6, 3, 2, Block(2, 1, 4, 7)},
        {"length 1 right", 2, 2, 3, 2, Block(1, 1, 4, 3)},
        {"length 1 down", 2, 2, 2, 3, Block(1, 1, 3, 4)},
    };
    for (const CBlockCase& c : cases)
        EXPECT_EQ(Cover(c.x0, c.y0, c.x1, c.y1, 2), c.expected) << c.name;
}

// Whatever the direction, both 2x2 end blocks belong to a width-2 line.
TEST(WideLine, WidthTwoAlwaysCoversBothEndBlocks)
{
    for (int i = -6; i <= 6; ++i) {
        for (const auto& [ex, ey] : {std::pair{i, -6}, std::pair{6, i}, std::pair{-i, 6}, std::pair{-6, -i}}) {
            const PixelSet covered = Cover(0, 0, ex, ey, 2);
            for (const PixelSet& block : {Block(-1, -1, 1, 1), Block(ex - 1, ey - 1, ex + 1, ey + 1)}) {
                for (const auto& p : block)
                    EXPECT_TRUE(covered.count(p)) << "to (" << ex << ", " << ey << ") misses " << p.first << ","
                                                  << p.second;
            }
        }
    }
}

TEST(WideLine, ClippingKeepsExactlyThePixelsInside)
{
    const RECT clips[] = {{0, 0, 1, 1}, {-3, -2, 4, 5}, {2, -9, 3, 9}, {-9, 3, 9, 4}, {-9, -9, 0, 0}};
    for (int width : {2, 3, 6}) {
        for (int i = -8; i <= 8; ++i) {
            for (const auto& [ex, ey] : {std::pair{i, -8}, std::pair{8, i}}) {
                const PixelSet whole = Cover(0, 0, ex, ey, width);
                for (const RECT& r : clips) {
                    PixelSet inside;
                    for (const auto& p : whole) {
                        if (p.first >= r.left && p.first < r.right && p.second >= r.top && p.second < r.bottom)
                            inside.insert(p);
                    }
                    EXPECT_EQ(Cover(0, 0, ex, ey, width, r), inside) << "width " << width << " to " << ex << "," << ey;
                }
            }
        }
    }
}

// Shifting a line shifts its pixels: a line from millions of pixels away,
// clipped to a box, matches the same line moved next to the box.
TEST(WideLine, FarAwayLinesAreExact)
{
    const int dx = 3000000, dy = 1000003;
    const PixelSet closeBy = Cover(-dx, -dy, 5, 5, 2, RECT{-40, -40, 40, 40});
    EXPECT_FALSE(closeBy.empty());
    // The same shape moved by (dx, dy): the far end comes to (0, 0).
    PixelSet moved;
    for (const auto& p : Cover(0, 0, dx + 5, dy + 5, 2, RECT{dx - 40, dy - 40, dx + 40, dy + 40}))
        moved.emplace(p.first - dx, p.second - dy);
    EXPECT_EQ(closeBy, moved);
    // Across the whole coordinate range.
    EXPECT_FALSE(Cover(INT_MIN, INT_MIN + 7, INT_MAX, INT_MAX - 3, 2, RECT{-5, -5, 5, 5}).empty());
}

// Pens of any width finish: wider than the limit draws as wide as the
// limit, and at the limit a dot or a line from across the coordinate range
// covers every pixel it passes over.
TEST(WideLine, WidthsAtAndBeyondTheLimit)
{
    EXPECT_EQ(CRoundCap(INT_MAX).Width(), CRoundCap::kMaxWidth);
    EXPECT_EQ(CRoundCap(2000000).Rows().size(), static_cast<std::size_t>(CRoundCap::kMaxWidth));
    const RECT box{-20, -10, 20, 10};
    const PixelSet all = Block(-20, -10, 20, 10);
    for (int width : {CRoundCap::kMaxWidth, 916000, 2000000, INT_MAX}) {
        EXPECT_EQ(Cover(3, 4, 3, 4, width, box), all) << "dot, width " << width;
        EXPECT_EQ(Cover(INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, width, box), all) << "diagonal, width " << width;
        EXPECT_EQ(Cover(-5, INT_MAX, -5, INT_MIN, width, box), all) << "vertical, width " << width;
    }
    // Half the limit away, the cap's edge reaches the box, no further.
    const int half = CRoundCap::kMaxWidth / 2;
    EXPECT_FALSE(Cover(0, half + 9, 0, half + 9, CRoundCap::kMaxWidth, box).empty());
    EXPECT_TRUE(Cover(0, half + 11, 0, half + 11, INT_MAX, box).empty());
}

}  // namespace

namespace {

// A kept shape placed anywhere, clipped or not, lights what rasterising the
// stroke there lights: strokes move with their end points.
TEST(StrokeShapes, PlacedShapesMatchDirectRasterising)
{
    const RECT clip{3, 2, 61, 47};
    for (int width = 2; width <= CStrokeShapes::kMaxWidth; ++width) {
        const CRoundCap cap(width);
        for (int dy = -CStrokeShapes::kMaxDelta; dy <= CStrokeShapes::kMaxDelta; dy += 5) {
            for (int dx = -CStrokeShapes::kMaxDelta; dx <= CStrokeShapes::kMaxDelta; dx += 3) {
                const auto* shape = CStrokeShapes::Find(dx, dy, cap);
                ASSERT_NE(shape, nullptr);
                for (const auto& [x, y] : {std::pair{30, 25}, std::pair{1, 46}, std::pair{-20, 7}}) {
                    PixelSet placed;
                    for (const CStrokeShapes::Run& run : *shape) {
                        for (int px = x + run.left; px < x + run.right; ++px) {
                            if (px >= clip.left && px < clip.right && y + run.dy >= clip.top && y + run.dy < clip.bottom)
                                placed.emplace(px, y + run.dy);
                        }
                    }
                    EXPECT_EQ(placed, Cover(x, y, x + dx, y + dy, width, clip)) << width << " " << dx << "," << dy;
                }
            }
        }
    }
    EXPECT_EQ(CStrokeShapes::Find(CStrokeShapes::kMaxDelta + 1, 0, CRoundCap(2)), nullptr);
    EXPECT_EQ(CStrokeShapes::Find(1, 1, CRoundCap(CStrokeShapes::kMaxWidth + 1)), nullptr);
}

}  // namespace
