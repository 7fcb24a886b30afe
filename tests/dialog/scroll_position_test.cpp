#include "dialog/scroll_position.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ScrolledPosition, StepsByLineAndPage)
{
    EXPECT_EQ(ScrolledPosition(kScrollLineLeft, 0, 50), 49);
    EXPECT_EQ(ScrolledPosition(kScrollLineRight, 0, 50), 51);
    EXPECT_EQ(ScrolledPosition(kScrollPageLeft, 0, 50), 40);
    EXPECT_EQ(ScrolledPosition(kScrollPageRight, 0, 50), 60);
}

// The thumb's position is taken as given; the current one does not count.
TEST(ScrolledPosition, ThumbCodesTakeTheGivenPosition)
{
    EXPECT_EQ(ScrolledPosition(kScrollThumbPosition, 73, 50), 73);
    EXPECT_EQ(ScrolledPosition(kScrollThumbTrack, 12, 50), 12);
    EXPECT_EQ(ScrolledPosition(kScrollThumbTrack, 0, 50), 1);
    EXPECT_EQ(ScrolledPosition(kScrollThumbPosition, 65535, 50), 100);
}

TEST(ScrolledPosition, EndsAreOneAndHundred)
{
    EXPECT_EQ(ScrolledPosition(kScrollLeftEnd, 40, 50), 1);
    EXPECT_EQ(ScrolledPosition(kScrollRightEnd, 40, 50), 100);
}

// End of scroll (8) and codes the platform does not define keep the
// position, which is still limited.
TEST(ScrolledPosition, OtherCodesKeepThePosition)
{
    EXPECT_EQ(ScrolledPosition(kScrollEndScroll, 40, 50), 50);
    EXPECT_EQ(ScrolledPosition(9, 40, 50), 50);
    EXPECT_EQ(ScrolledPosition(kScrollEndScroll, 40, 0), 1);
    EXPECT_EQ(ScrolledPosition(kScrollEndScroll, 40, 250), 100);
}

// The bottom is 1, not the 0 at the bottom of the bar's range: a trackbar,
// which has no scroll position and reads 0, always comes out at 1 or more.
TEST(ScrolledPosition, LimitedToOneThroughHundred)
{
    EXPECT_EQ(ScrolledPosition(kScrollLineLeft, 0, 1), 1);
    EXPECT_EQ(ScrolledPosition(kScrollLineRight, 0, 0), 1);
    EXPECT_EQ(ScrolledPosition(kScrollLineRight, 0, 1), 2);
    EXPECT_EQ(ScrolledPosition(kScrollPageLeft, 0, 5), 1);
    EXPECT_EQ(ScrolledPosition(kScrollPageRight, 0, 95), 100);
    EXPECT_EQ(ScrolledPosition(kScrollPageRight, 0, INT_MAX), 100);
    EXPECT_EQ(ScrolledPosition(kScrollPageLeft, 0, INT_MIN), 1);
}

}  // namespace
