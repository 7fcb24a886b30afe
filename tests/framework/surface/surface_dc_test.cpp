// The surface device context: lines on tiny surfaces with every pixel
// checked, the clip region, pixel reads, fills and object selection.
#include "surface/surface_dc.h"

#include "pixel_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Picture = std::vector<std::string>;

Picture Draw(int w, int h, std::vector<CRect> clip, int penWidth, std::vector<std::vector<int>> lines)
{
    CSurface surface(w, h);
    CSurfaceDC dc(surface, clip.empty() ? std::vector<CRect>{surface.Bounds()} : clip);
    CPen pen(PS_INSIDEFRAME, penWidth, kPictureInk);
    dc.SelectObject(&pen);
    for (const auto& l : lines) {
        dc.MoveTo(l[0], l[1]);
        dc.LineTo(l[2], l[3]);
    }
    dc.SelectObject(static_cast<CPen*>(nullptr));
    return PictureOf(surface);
}

TEST(SurfaceDC, ThinLinesInAllEightDirections)
{
    const Picture expected{
        ".........",
        ".#..#..#.",
        "..#.#.#..",
        "...###...",
        ".#######.",
        "...###...",
        "..#.#.#..",
        ".#..#..#.",
        ".........",
    };
    std::vector<std::vector<int>> lines;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0)
                lines.push_back({4, 4, 4 + 4 * dx, 4 + 4 * dy});
        }
    }
    for (int width : {0, 1})
        EXPECT_EQ(Draw(9, 9, {}, width, lines), expected) << "width " << width;
}

TEST(SurfaceDC, ThinLineAcrossAndOffTheEdges)
{
    // From outside on the left to beyond the bottom right: only the part
    // inside is drawn, on the unclipped line's pixels.
    EXPECT_EQ(Draw(6, 4, {}, 1, {{-2, -1, 10, 5}}), (Picture{
                                                        "##....",
                                                        "..##..",
                                                        "....##",
                                                        "......",
                                                    }));
    // Ending exactly on the right edge: the last pixel inside is lit.
    EXPECT_EQ(Draw(4, 1, {}, 1, {{0, 0, 4, 0}}), (Picture{"####"}));
}

TEST(SurfaceDC, ClippedToSeveralRectangles)
{
    const std::vector<CRect> clip{CRect(0, 0, 2, 5), CRect(3, 1, 6, 3), CRect(5, 3, 8, 5)};
    EXPECT_EQ(Draw(8, 5, clip, 1, {{0, 0, 8, 0}, {0, 2, 8, 2}, {0, 4, 8, 4}, {7, 0, 7, 5}}), (Picture{
                                                                                              "##......",
                                                                                              "........",
                                                                                              "##.###..",
                                                                                              ".......#",
                                                                                              "##...###",
                                                                                          }));
}

TEST(SurfaceDC, WidthTwoLinesIncludeTheirEnds)
{
    EXPECT_EQ(Draw(8, 5, {}, 2, {{2, 2, 5, 2}, {7, 4, 7, 4}}), (Picture{
                                                                   "........",
                                                                   ".#####..",
                                                                   ".#####..",
                                                                   "......##",
                                                                   "......##",
                                                               }));
}

TEST(SurfaceDC, NullPenAndEmptyClipDrawNothing)
{
    CSurface surface(4, 4);
    CSurfaceDC dc(surface);
    CPen pen(PS_NULL, 1, kPictureInk);
    dc.SelectObject(&pen);
    dc.MoveTo(0, 0);
    dc.LineTo(4, 4);
    EXPECT_EQ(PictureOf(surface), Picture(4, "...."));
    EXPECT_EQ(Draw(4, 4, {CRect(5, 5, 9, 9)}, 2, {{0, 0, 3, 3}}), Picture(4, "...."));
}

TEST(SurfaceDC, GetPixelIsInvalidOutsideTheClip)
{
    CSurface surface(10, 10, RGB(1, 2, 3));
    const CSurfaceDC dc(surface, {CRect(0, 0, 4, 4), CRect(6, 6, 12, 12)});
    struct CProbe {
        const char* name;
        int x, y;
        COLORREF expected;
    };
    const CProbe probes[] = {
        {"inside the first rectangle", 0, 0, RGB(1, 2, 3)},
        {"last pixel of the first", 3, 3, RGB(1, 2, 3)},
        {"right edge excluded", 4, 0, CLR_INVALID},
        {"bottom edge excluded", 0, 4, CLR_INVALID},
        {"between the rectangles", 5, 5, CLR_INVALID},
        {"inside the second", 9, 9, RGB(1, 2, 3)},
        {"second rectangle beyond the surface", 10, 9, CLR_INVALID},
        {"negative", -1, 0, CLR_INVALID},
        {"far away", -2000000000, 2000000000, CLR_INVALID},
    };
    for (const CProbe& p : probes)
        EXPECT_EQ(dc.GetPixel(p.x, p.y), p.expected) << p.name;
}

TEST(SurfaceDC, FillRectStaysInsideTheClip)
{
    CSurface surface(6, 4);
    CSurfaceDC dc(surface, {CRect(0, 0, 3, 2), CRect(2, 1, 6, 3)});
    CBrush brush(kPictureInk);
    dc.FillRect(CRect(1, -5, 5, 9), &brush);
    EXPECT_EQ(PictureOf(surface), (Picture{
                                      ".##...",
                                      ".####.",
                                      "..###.",
                                      "......",
                                  }));
    dc.FillRect(CRect(4, 3, 2, 1), &brush);  // inverted: nothing
    dc.FillRect(CRect(0, 0, 6, 4), nullptr);  // the initial brush is white
    EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(5, 3), 0u);
}

TEST(SurfaceDC, SelectObjectReturnsThePreviousObject)
{
    CSurface surface(4, 1);
    CSurfaceDC dc(surface);
    CPen first(PS_SOLID, 1, kPictureInk), second(PS_SOLID, 2, 0);
    EXPECT_EQ(dc.SelectObject(&first), nullptr);
    EXPECT_EQ(dc.SelectObject(&second), &first);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), &second);
    CBrush brush(0);
    EXPECT_EQ(dc.SelectObject(&brush), nullptr);
    EXPECT_EQ(dc.SelectObject(static_cast<CBrush*>(nullptr)), &brush);
    // The initial pen is black and one pixel wide.
    surface.Resize(4, 1, RGB(9, 9, 9));
    dc.MoveTo(0, 0);
    dc.LineTo(3, 0);
    EXPECT_EQ(surface.Colors(), (std::vector<COLORREF>{0, 0, 0, RGB(9, 9, 9)}));
}

TEST(SurfaceDC, CurrentPositionFollowsMoveAndLine)
{
    CSurface surface(4, 4);
    CSurfaceDC dc(surface);
    EXPECT_EQ(dc.MoveTo(2, 3), CPoint(0, 0));
    dc.LineTo(-7, 1);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(-7, 1));
    EXPECT_EQ(dc.MoveTo(1, 1), CPoint(-7, 1));
}

}  // namespace
