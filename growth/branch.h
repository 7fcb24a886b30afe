// One slot of the growth pool. While active, a branch is the moving tip of a
// polyline: each Grow draws one segment, moves the tip to its end, shortens
// the next segment, bends away from the vertical, and decides whether the
// branch dies or forks.
#pragma once

#include "dc.h"

#include <cstdint>

class CBranch {
public:
    // Gives a (re)started branch new growth parameters: length from the
    // client height and size factor (or the short rule of small canvases),
    // a direction of 30..150 degrees, a green colour, pen width 2, count 0.
    // Draws five random numbers, six when small. Leaves the tip and the
    // active flag alone.
    void Reset(std::int32_t height, double sizeFactor, bool small);

    // Draws the next segment on dc and updates the branch; returns true
    // exactly when the branch forks. Call only for active branches. The pen
    // selected in dc before the call is selected again when it returns.
    bool Grow(CDC& dc);

    // Fields in the order the pool lays them out. A new slot is all zero:
    // inactive, at (0, 0), pen width 0 (which draws one pixel wide).
    std::int32_t m_penWidth = 0;
    bool m_active = false;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_length = 0;
    std::int32_t m_angle = 0;
    std::uint32_t m_color = 0;
    std::int32_t m_count = 0;
};
