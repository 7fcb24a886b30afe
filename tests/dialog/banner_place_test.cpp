// The banner keeps its picture's shape in frames of other shapes: frames
// shaped as the settings dialog's 333 x 154 dialog units come out at 96 to
// 192 DPI (about 2.3 : 1), and the edge cases.
#include "dialog/banner_place.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr SIZE kBanner{500, 250};

struct PlaceCase {
    const char* name;
    SIZE frame;
    SIZE picture;
    CRect expected;
};

const PlaceCase kCases[] = {
    {"Frame96Dpi", {583, 250}, kBanner, {41, 0, 541, 250}},
    {"Frame120Dpi", {749, 308}, kBanner, {66, 0, 682, 308}},
    {"Frame144Dpi", {832, 365}, kBanner, {51, 0, 781, 365}},
    {"Frame192Dpi", {1165, 481}, kBanner, {101, 0, 1063, 481}},
    {"SameShape", {1000, 500}, kBanner, {0, 0, 1000, 500}},
    {"TallerFrameRoundsHeight", {333, 500}, kBanner, {0, 166, 333, 333}},
    {"OddSpareGoesRight", {503, 250}, kBanner, {1, 0, 501, 250}},
    {"EmptyFrame", {0, 250}, kBanner, {}},
    {"EmptyPicture", {582, 250}, {500, 0}, {}},
};

class BannerPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(BannerPlaceTest, KeepsThePicturesShapeCentredInTheFrame)
{
    const PlaceCase& c = GetParam();
    const CRect place = BannerPlace(c.frame, c.picture);
    EXPECT_EQ(place, c.expected);
    if (place.IsRectEmpty())
        return;
    // Within a pixel of the picture's shape, and inside the frame.
    EXPECT_LE(std::abs(place.Width() * c.picture.cy - place.Height() * c.picture.cx),
              std::max(c.picture.cx, c.picture.cy));
    EXPECT_EQ(CRect::Intersection(place, CRect(0, 0, c.frame.cx, c.frame.cy)), place);
}

INSTANTIATE_TEST_SUITE_P(Frames, BannerPlaceTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlaceCase>& c) { return c.param.name; });

}  // namespace
