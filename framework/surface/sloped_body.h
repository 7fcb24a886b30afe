// The body of a sloped stroke of width 2, row by row: the walk that both
// the narrow pens' path and its table of short strokes use. The body is a
// parallelogram (wide_line::SlopedCorners); each row's run is bounded by
// where two of its edges cross the row, by the rule of wide_line::Edge.
#pragma once

#include "afxtypes.h"
#include "line_math.h"
#include "wide_line.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace sloped_body {

// Where a non-horizontal polygon edge crosses successive rows, by the rule
// of wide_line::Edge (ceil of the exact crossing): tx plus the floor of
// (bx - tx)(y - ty) / (by - ty), plus one when the remainder is not 0.
// Divisions cost more than the rest of a short edge, so an edge placed on
// its top row needs none, and the step per row is reckoned only for an
// edge that steps.
class CRowCrossing {
public:
    // The crossing row by row: a few registers' worth, walked in place.
    struct CWalk {
        std::int64_t floor = 0, remainder = 0;  // tx + the floor, and the remainder
        std::int64_t stepFloor = 0, stepRemainder = 0, dy = 1;

        std::int64_t Crossing() const { return floor + (remainder != 0 ? 1 : 0); }
        void Step()
        {
            floor += stepFloor;
            remainder += stepRemainder;
            if (remainder >= dy) {
                remainder -= dy;
                ++floor;
            }
        }
    };

    CRowCrossing() = default;
    CRowCrossing(std::int64_t tx, std::int64_t ty, std::int64_t bx, std::int64_t by)
        : m_tx(tx), m_ty(ty), m_by(by), m_dx(bx - tx), m_row(ty)
    {
        m_walk.floor = tx;
        m_walk.dy = by - ty;
    }

    std::int64_t Top() const { return m_ty; }
    std::int64_t Bottom() const { return m_by; }  // excluded

    // The walk on row y (Top() <= y < Bottom()), able to step if steps.
    CWalk WalkFrom(std::int64_t y, bool steps)
    {
        if (y != m_row) {
            const std::int64_t num = m_dx * (y - m_ty);
            const std::int64_t quotient = line_math::FloorDiv(num, m_walk.dy);
            m_walk.floor = m_tx + quotient;
            m_walk.remainder = num - quotient * m_walk.dy;
            m_row = y;
        }
        if (steps && !m_stepped) {
            // The short edges of a narrow stroke are one or two rows high.
            const std::int64_t dy = m_walk.dy;
            m_walk.stepFloor = dy == 1 ? m_dx : dy == 2 ? m_dx >> 1 : line_math::FloorDiv(m_dx, dy);
            m_walk.stepRemainder = m_dx - m_walk.stepFloor * dy;
            m_stepped = true;
        }
        return m_walk;
    }
    // Takes back a walk that has reached row y.
    void Keep(const CWalk& walk, std::int64_t y)
    {
        m_walk = walk;
        m_row = y;
    }

private:
    std::int64_t m_tx = 0, m_ty = 0, m_by = 0, m_dx = 0;
    std::int64_t m_row = 0;  // the row m_walk is on
    CWalk m_walk;
    bool m_stepped = false;
};

// The body of a sloped stroke of width 2 is a parallelogram. Between two
// consecutive corner rows the same two of its edges bound every row (it is
// convex and no edge is horizontal), so each such band of rows walks just
// those two: the long edges through the middle, a short one (at most two
// rows high) at either end. Calls row(y, begin, end) for the rows within
// bounds, the run limited to bounds (begin >= end when nothing is left).
template <class RowFn>
void Walk(int x0, int y0, int x1, int y1, const CRect& bounds, RowFn&& row)
{
    const wide_line::SlopedCorners corners(x0, y0, x1, y1, 2);
    CRowCrossing edges[4];
    std::int64_t rows[4];
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        rows[i] = corners.y[i];
        if (corners.y[i] < corners.y[j])
            edges[i] = CRowCrossing(corners.x[i], corners.y[i], corners.x[j], corners.y[j]);
        else
            edges[i] = CRowCrossing(corners.x[j], corners.y[j], corners.x[i], corners.y[i]);
    }
    for (int i = 1; i < 4; ++i) {  // four rows sort by insertion
        for (int k = i; k > 0 && rows[k - 1] > rows[k]; --k)
            std::swap(rows[k - 1], rows[k]);
    }
    for (int band = 0; band < 3; ++band) {
        const std::int64_t first = std::max<std::int64_t>(rows[band], bounds.top);
        const std::int64_t end = std::min<std::int64_t>(rows[band + 1], bounds.bottom);
        if (first >= end)
            continue;
        CRowCrossing* bounding[2] = {nullptr, nullptr};
        int found = 0;
        for (CRowCrossing& edge : edges) {
            if (found < 2 && edge.Top() <= rows[band] && rows[band] < edge.Bottom())
                bounding[found++] = &edge;
        }
        if (found < 2)
            continue;
        CRowCrossing& e = *bounding[0];
        CRowCrossing& f = *bounding[1];
        const bool eGoesOn = e.Bottom() > end, fGoesOn = f.Bottom() > end;
        CRowCrossing::CWalk we = e.WalkFrom(first, end - first > 1 || eGoesOn);
        CRowCrossing::CWalk wf = f.WalkFrom(first, end - first > 1 || fGoesOn);
        for (std::int64_t y = first;; ++y) {
            const std::int64_t ce = we.Crossing(), cf = wf.Crossing();
            row(static_cast<int>(y), std::max<std::int64_t>(std::min(ce, cf), bounds.left),
                std::min<std::int64_t>(std::max(ce, cf), bounds.right));
            if (y + 1 == end)
                break;
            we.Step();
            wf.Step();
        }
        // An edge that goes on into the next band is stepped onto its first
        // row there, which saves placing it by division.
        if (eGoesOn) {
            we.Step();
            e.Keep(we, end);
        }
        if (fGoesOn) {
            wf.Step();
            f.Keep(wf, end);
        }
    }
}

}  // namespace sloped_body
