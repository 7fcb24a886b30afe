// Where a horizontal scroll notification moves the settings dialog's scroll
// bar. Kept apart from the dialog so that it is tested on every platform.
#pragma once

#include "afxtypes.h"

// The platform's horizontal scroll codes, as they arrive with WM_HSCROLL.
enum ScrollCode : UINT {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollLeftEnd = 6,
    kScrollRightEnd = 7,
    kScrollEndScroll = 8,
};

constexpr int kScrollLowest = 1;
constexpr int kScrollHighest = 100;

// The position after the notification: from current, one step for a line,
// ten for a page, thumbPosition while the thumb is dragged or dropped, 1 or
// 100 for the ends; any other code keeps current. The result is limited to
// 1..100 (1, not the 0 at the bottom of the bar's range).
int ScrolledPosition(UINT code, UINT thumbPosition, int current);
