// Cosmetic lines: the pixels of each direction and of both minor-axis
// senses (the bias), the end rules, and clipping that never moves a pixel.
#include "surface/thin_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::vector<std::pair<int, int>>;

const RECT kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

Pixels Trace(int x0, int y0, int x1, int y1, const RECT& bounds = kEverywhere)
{
    Pixels pixels;
    ForEachThinLinePixel(x0, y0, x1, y1, bounds, [&](int x, int y) { pixels.emplace_back(x, y); });
    return pixels;
}

struct CThinCase {
    const char* name;
    int x0, y0, x1, y1;
    Pixels expected;  // in drawing order
};

const CThinCase kCases[] = {
    {"zero length", 5, 5, 5, 5, {}},
    {"length 1 right", 0, 0, 1, 0, {{0, 0}}},
    {"length 1 diagonal", 0, 0, -1, 1, {{0, 0}}},
    {"right", 0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
    {"left", 0, 0, -3, 0, {{0, 0}, {-1, 0}, {-2, 0}}},
    {"down", 0, 0, 0, 3, {{0, 0}, {0, 1}, {0, 2}}},
    {"up", 0, 0, 0, -3, {{0, 0}, {0, -1}, {0, -2}}},
    {"diagonal down-right", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
    {"diagonal down-left", 0, 0, -3, 3, {{0, 0}, {-1, 1}, {-2, 2}}},
    {"diagonal up-right", 0, 0, 3, -3, {{0, 0}, {1, -1}, {2, -2}}},
    {"diagonal up-left", 0, 0, -3, -3, {{0, 0}, {-1, -1}, {-2, -2}}},
    // The half-way tie: the minor axis steps late going down, early going up.
    {"x-major, minor down", 0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},
    {"x-major, minor up", 0, 0, 4, -1, {{0, 0}, {1, 0}, {2, -1}, {3, -1}}},
    {"x-major 2:1 down", 0, 0, 2, 1, {{0, 0}, {1, 0}}},
    {"x-major 2:1 up", 0, 0, 2, -1, {{0, 0}, {1, -1}}},
    {"x-major leftwards, minor down", 0, 0, -4, 1, {{0, 0}, {-1, 0}, {-2, 0}, {-3, 1}}},
    {"y-major, minor right", 0, 0, 1, 4, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
    {"y-major, minor left", 0, 0, -1, 4, {{0, 0}, {0, 1}, {-1, 2}, {-1, 3}}},
    {"y-major upwards, minor left", 0, 0, -1, -4, {{0, 0}, {0, -1}, {-1, -2}, {-1, -3}}},
};

TEST(ThinLine, LightsTheStartNotTheEnd)
{
    for (const CThinCase& c : kCases)
        EXPECT_EQ(Trace(c.x0, c.y0, c.x1, c.y1), c.expected) << c.name;
}

// Every line from a centre to a ring around it, clipped to rectangles that
// cut it anywhere, lights exactly the unclipped line's pixels inside them.
TEST(ThinLine, ClippingKeepsExactlyThePixelsInside)
{
    const RECT clips[] = {{0, 0, 1, 1}, {-3, -2, 4, 5}, {2, -9, 3, 9}, {-9, 3, 9, 4}, {-9, -9, 0, 0}, {5, 5, 12, 12}};
    for (int i = -11; i <= 11; ++i) {
        for (const auto& [ex, ey] : {std::pair{i, -11}, std::pair{11, i}, std::pair{-i, 11}, std::pair{-11, -i}}) {
            const Pixels whole = Trace(0, 0, ex, ey);
            for (const RECT& r : clips) {
                Pixels inside;
                for (const auto& [x, y] : whole) {
                    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                        inside.emplace_back(x, y);
                }
                EXPECT_EQ(Trace(0, 0, ex, ey, r), inside)
                    << "to (" << ex << ", " << ey << ") clipped to " << r.left << "," << r.top << "," << r.right << ","
                    << r.bottom;
            }
        }
    }
}

// A line millions of pixels long clipped to a small box agrees with the
// same line traced whole.
TEST(ThinLine, FarAwayLineMatchesItsWholeTrace)
{
    const RECT box{-4, -4, 6, 6};
    const int lines[][4] = {{-3000000, -2, 3000000, 7}, {1, 2500000, -2, -2500000}, {-1999999, -2000005, 2, 3}};
    for (const auto& l : lines) {
        Pixels inside;
        for (const auto& [x, y] : Trace(l[0], l[1], l[2], l[3])) {
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                inside.emplace_back(x, y);
        }
        EXPECT_FALSE(inside.empty());
        EXPECT_EQ(Trace(l[0], l[1], l[2], l[3], box), inside) << l[0] << "," << l[1];
    }
}

// Across the whole 32-bit range the error term needs more than 64 bits; the
// one minor step of this line falls exactly half-way, at x = 0.
TEST(ThinLine, FullCoordinateRangeDoesNotOverflow)
{
    const Pixels expected{{-3, 0}, {-2, 0}, {-1, 0}, {0, 1}, {1, 1}, {2, 1}};
    EXPECT_EQ(Trace(INT_MIN, 0, INT_MAX, 1, RECT{-3, -5, 3, 5}), expected);
    EXPECT_EQ(Trace(INT_MIN, INT_MIN, INT_MAX, INT_MAX, RECT{-2, -2, 2, 2}),
              (Pixels{{-2, -2}, {-1, -1}, {0, 0}, {1, 1}}));
}

TEST(ThinLine, EmptyBoundsLightNothing)
{
    EXPECT_TRUE(Trace(0, 0, 5, 5, RECT{3, 3, 3, 9}).empty());
    EXPECT_TRUE(Trace(0, 0, 5, 5, RECT{3, 9, 9, 3}).empty());
}

}  // namespace
