#include "scroll_position.h"

#include <algorithm>
#include <cstdint>

int ScrolledPosition(UINT code, UINT thumbPosition, int current)
{
    // Wide enough that a step from any int cannot overflow.
    std::int64_t p = current;
    switch (code) {
    case kScrollLineLeft: p -= 1; break;
    case kScrollLineRight: p += 1; break;
    case kScrollPageLeft: p -= 10; break;
    case kScrollPageRight: p += 10; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: p = thumbPosition; break;
    case kScrollLeftEnd: p = kScrollLowest; break;
    case kScrollRightEnd: p = kScrollHighest; break;
    default: break;
    }
    return static_cast<int>(std::clamp<std::int64_t>(p, kScrollLowest, kScrollHighest));
}
