#include "narrow_line.h"

#include "line_math.h"
#include "thin_line.h"
#include "wide_line.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace {

// Fills a rectangle that lies on the surface.
void FillBlock(CSurface& surface, const CRect& block, std::uint32_t word)
{
    for (LONG y = block.top; y < block.bottom; ++y) {
        std::uint32_t* row = surface.RowToDraw(y);
        for (LONG x = block.left; x < block.right; ++x)
            row[x] = word;
    }
}

// Where a non-horizontal polygon edge crosses successive rows, by the rule
// of wide_line::Edge (ceil of the exact crossing), kept as the floor and
// remainder of (bx - tx)(y - ty) / (by - ty) and stepped a row at a time.
// Divisions cost more than the rest of a short edge, so an edge placed on
// its top row needs none, and the step is reckoned on the first step.
class CRowCrossing {
public:
    CRowCrossing() = default;
    CRowCrossing(std::int64_t tx, std::int64_t ty, std::int64_t bx, std::int64_t by)
        : m_tx(tx), m_ty(ty), m_by(by), m_dx(bx - tx), m_dy(by - ty), m_row(ty)
    {
    }

    std::int64_t Top() const { return m_ty; }
    std::int64_t Bottom() const { return m_by; }  // excluded

    // Places the crossing on row y (Top() <= y < Bottom()).
    void MoveTo(std::int64_t y)
    {
        if (y == m_row)
            return;
        const std::int64_t num = m_dx * (y - m_ty);
        m_quotient = line_math::FloorDiv(num, m_dy);
        m_remainder = num - m_quotient * m_dy;
        m_row = y;
    }
    std::int64_t Crossing() const { return m_tx + m_quotient + (m_remainder != 0 ? 1 : 0); }
    void Step()
    {
        if (!m_stepped) {
            m_stepQuotient = m_dy == 1 ? m_dx : line_math::FloorDiv(m_dx, m_dy);
            m_stepRemainder = m_dx - m_stepQuotient * m_dy;
            m_stepped = true;
        }
        ++m_row;
        m_quotient += m_stepQuotient;
        m_remainder += m_stepRemainder;
        if (m_remainder >= m_dy) {
            m_remainder -= m_dy;
            ++m_quotient;
        }
    }

private:
    std::int64_t m_tx = 0, m_ty = 0, m_by = 0, m_dx = 0, m_dy = 1;
    std::int64_t m_row = 0;  // the row m_quotient and m_remainder are for
    std::int64_t m_quotient = 0, m_remainder = 0;
    std::int64_t m_stepQuotient = 0, m_stepRemainder = 0;
    bool m_stepped = false;
};

}  // namespace

CRect CNarrowLine::Draw(CSurface& surface, int x0, int y0, int x1, int y1, int width, const CRect& clip,
                        std::uint32_t word)
{
    if (width <= 1)
        return DrawThin(surface, x0, y0, x1, y1, clip, word);
    return DrawWidthTwo(surface, x0, y0, x1, y1, clip, word);
}

CRect CNarrowLine::DrawThin(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip,
                           std::uint32_t word)
{
    const int dx = x1 - x0;  // within 2 * kReach
    const int dy = y1 - y0;
    if (dx == 0 && dy == 0)
        return CRect();
    const bool inside = clip.PtInRect(CPoint(x0, y0)) && clip.PtInRect(CPoint(x1, y1));
    if (!inside) {
        // A line that leaves the clip is rare: the walk's own clipping finds
        // where it enters and leaves.
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        ForEachThinLinePixel(x0, y0, x1, y1, clip, [&](int x, int y) {
            surface.RowToDraw(y)[x] = word;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        });
        return left < right ? CRect(left, top, right, bottom) : CRect();
    }

    // Every pixel lies inside: the walk of thin_line.h on a pointer, the
    // start pixel lit and the end pixel not.
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady;
    const int minor = xMajor ? ady : adx;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::ptrdiff_t stride = surface.Width();
    const std::ptrdiff_t majorStep = xMajor ? majorSign : majorSign * stride;
    const std::ptrdiff_t minorStep = xMajor ? minorSign * stride : minorSign;
    const std::int64_t a = 2 * std::int64_t{minor};
    const std::int64_t b = 2 * std::int64_t{major};
    std::int64_t f = a - major + (minorSign < 0 ? 1 : 0);
    std::uint32_t* pixel = surface.RowToDraw(y0) + x0;
    int steps = 0;
    // The last pixel is written after the loop, so the pointer never moves
    // past it.
    for (int k = 1; k < major; ++k) {
        *pixel = word;
        pixel += majorStep;
        if (f > 0) {
            pixel += minorStep;
            f += a - b;
            ++steps;
        } else {
            f += a;
        }
    }
    *pixel = word;

    const int lastMajor = (xMajor ? x0 : y0) + majorSign * (major - 1);
    const int lastMinor = (xMajor ? y0 : x0) + minorSign * steps;
    const int lastX = xMajor ? lastMajor : lastMinor;
    const int lastY = xMajor ? lastMinor : lastMajor;
    return CRect(std::min(x0, lastX), std::min(y0, lastY), std::max(x0, lastX) + 1, std::max(y0, lastY) + 1);
}

// A stroke of width 2 is the union of a 2 x 2 block on each end point, its
// lower right pixel on the point, and the body between them. Along an axis
// (or for a dot) that union is one rectangle. A sloped body is a
// parallelogram whose corners lie at most a pixel from the end points, so
// the blocks reach its outermost rows and columns: the stroke's box is the
// end points' box grown by one to the left and top and by two (one past the
// last pixel) to the right and bottom, whatever the slope.
CRect CNarrowLine::DrawWidthTwo(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip,
                               std::uint32_t word)
{
    const CRect box = CRect::Intersection(
        CRect(std::min(x0, x1) - 1, std::min(y0, y1) - 1, std::max(x0, x1) + 1, std::max(y0, y1) + 1), clip);
    if (box.IsRectEmpty())
        return CRect();
    if (x0 == x1 || y0 == y1) {
        FillBlock(surface, box, word);
        return box;
    }

    // Each row of the body lies between the two edges of the parallelogram
    // that are active on it: the long ones for most rows, a short one (at
    // most two rows high) at either end.
    const wide_line::SlopedCorners corners(x0, y0, x1, y1, 2);
    CRowCrossing edges[4];
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if (corners.y[i] < corners.y[j])
            edges[i] = CRowCrossing(corners.x[i], corners.y[i], corners.x[j], corners.y[j]);
        else
            edges[i] = CRowCrossing(corners.x[j], corners.y[j], corners.x[i], corners.y[i]);
    }
    for (LONG y = box.top; y < box.bottom; ++y) {
        std::int64_t left = INT64_MAX, right = INT64_MIN;
        for (CRowCrossing& edge : edges) {
            if (edge.Top() <= y && y < edge.Bottom()) {
                edge.MoveTo(y);
                const std::int64_t crossing = edge.Crossing();
                left = std::min(left, crossing);
                right = std::max(right, crossing);
                if (y + 1 < edge.Bottom())
                    edge.Step();
            }
        }
        // Rows with no active edge (beyond the body's ends) keep left > right.
        const std::int64_t begin = std::max<std::int64_t>(left, box.left);
        const std::int64_t end = std::min<std::int64_t>(right, box.right);
        std::uint32_t* row = surface.RowToDraw(y);
        for (std::int64_t x = begin; x < end; ++x)  // a few pixels: a plain loop beats memset's set-up
            row[x] = word;
    }
    FillBlock(surface, CRect::Intersection(CRect(x0 - 1, y0 - 1, x0 + 1, y0 + 1), clip), word);
    FillBlock(surface, CRect::Intersection(CRect(x1 - 1, y1 - 1, x1 + 1, y1 + 1), clip), word);
    return box;
}
