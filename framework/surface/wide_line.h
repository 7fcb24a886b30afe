// The pixels GDI lights for a geometric pen of width 2 or more with round
// end caps and joins (every pen CreatePen makes with such a width).
//
// The stroke is the union of three regions, each rasterised the way GDI
// turns shapes into regions:
//  - a round cap at each end point: the elliptic region of the box
//    (-w/2, -w/2)..((w+1)/2 + 1, (w+1)/2 + 1) around it (integer halves);
//    for width 2 that is the 2 x 2 block {x-1, x} by {y-1, y}, so the end
//    pixel is drawn and a zero-length line is a 2 x 2 dot;
//  - the body: for a horizontal line the rectangle from min(x) to max(x)
//    (right excluded) on rows y - w/2 .. y - w/2 + w - 1, transposed for a
//    vertical one; for any other direction the parallelogram swept by a
//    cross-section of integer half-widths, rasterised as a polygon region.
//
// Polygon regions sample pixel (x, y) at its top-left corner: on row y, a
// non-horizontal edge from its top vertex (tx, ty) to its bottom vertex
// (bx, by), active for ty <= y < by, crosses at ceil(tx + (bx-tx)(y-ty)/(by-ty)),
// and pixels from a left crossing up to, not including, the right one are in.
#pragma once

#include "afxtypes.h"
#include "line_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

// The round cap of one pen width: for each row from -width/2 down, the
// pixels [left, right) it covers, as offsets from the end point.
class CRoundCap {
public:
    struct Row {
        int left;
        int right;
    };

    explicit CRoundCap(int width);

    int Width() const { return m_width; }
    int Top() const { return -(m_width / 2); }
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    int m_width;
    std::vector<Row> m_rows;
};

namespace wide_line {

struct Span {
    std::int64_t begin;
    std::int64_t end;  // excluded
};

// Insertion sort of the few (at most four) values of one row; std::sort is
// overkill here and trips GCC's array-bounds analysis on tiny arrays.
template <class T, class Less>
void SortFew(T* values, int n, Less less)
{
    for (int i = 1; i < n; ++i) {
        for (int j = i; j > 0 && less(values[j], values[j - 1]); --j)
            std::swap(values[j], values[j - 1]);
    }
}

// A non-horizontal polygon edge, top vertex first.
struct Edge {
    std::int64_t tx, ty, bx, by;

    bool ActiveOn(std::int64_t y) const { return ty <= y && y < by; }
    std::int64_t CrossingOn(std::int64_t y) const
    {
        return tx + line_math::CeilDiv(line_math::MulAdd(bx - tx, y - ty), by - ty);
    }
};

inline Edge MakeEdge(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    return y0 < y1 ? Edge{x0, y0, x1, y1} : Edge{x1, y1, x0, y0};
}

// The body of a line that is neither horizontal nor vertical: the
// parallelogram p0 + a, p0 + b, p1 + b, p1 + a, given by its four edges.
struct Body {
    Edge edges[4];
    int count = 0;  // horizontal edges are left out
    std::int64_t top, bottom;  // rows top..bottom-1 may be covered

    Body(int x0, int y0, int x1, int y1, int width)
    {
        const std::int64_t dx = std::int64_t{x1} - x0;
        const std::int64_t dy = std::int64_t{y1} - y0;
        // The cross-section, rounded to whole pixels as GDI rounds it: the
        // half on one side ("narrow") rounds the exact half width, the other
        // ("wide") rounds it plus a half.
        const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        const double widthX = width * std::abs(static_cast<double>(dy)) / len;
        const double widthY = width * std::abs(static_cast<double>(dx)) / len;
        std::int64_t narrowX = RoundHalfUp(widthX / 2), narrowY = RoundHalfUp(widthY / 2);
        std::int64_t wideX = RoundHalfUp((widthX + 1) / 2), wideY = RoundHalfUp((widthY + 1) / 2);
        if (dx < 0) {
            wideY = -wideY;
            narrowY = -narrowY;
        }
        if (dy < 0) {
            std::swap(narrowX, wideX);
            std::swap(narrowY, wideY);
            wideX = -wideX;
            narrowX = -narrowX;
        }
        const std::int64_t ax = -narrowX, ay = narrowY;  // offset of corners 0 and 3
        const std::int64_t bx = wideX, by = -wideY;      // offset of corners 1 and 2
        const std::int64_t px[4] = {x0 + ax, x0 + bx, std::int64_t{x1} + bx, std::int64_t{x1} + ax};
        const std::int64_t py[4] = {y0 + ay, y0 + by, std::int64_t{y1} + by, std::int64_t{y1} + ay};
        top = *std::min_element(py, py + 4);
        bottom = *std::max_element(py, py + 4);
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            if (py[i] != py[j])
                edges[count++] = MakeEdge(px[i], py[i], px[j], py[j]);
        }
    }

    // The covered runs of row y (at most two), by the even-odd rule.
    int SpansOn(std::int64_t y, Span* out) const
    {
        std::int64_t xs[4];
        int n = 0;
        for (int i = 0; i < count; ++i) {
            if (edges[i].ActiveOn(y))
                xs[n++] = edges[i].CrossingOn(y);
        }
        SortFew(xs, n, [](std::int64_t a, std::int64_t b) { return a < b; });
        int spans = 0;
        for (int i = 0; i + 1 < n; i += 2) {
            if (xs[i] < xs[i + 1])
                out[spans++] = Span{xs[i], xs[i + 1]};
        }
        return spans;
    }

private:
    // Positive values only: the nearest integer, halves up.
    static std::int64_t RoundHalfUp(double v) { return static_cast<std::int64_t>(v + 0.5); }
};

}  // namespace wide_line

// Calls span(y, xBegin, xEnd) for each run of lit pixels xBegin..xEnd-1 on
// row y, limited to bounds (right and bottom excluded), rows top to bottom
// and runs left to right without overlap. cap must be of the pen's width.
template <class SpanFn>
void ForEachWideLineSpan(int x0, int y0, int x1, int y1, const CRoundCap& cap, const RECT& bounds, SpanFn&& span)
{
    using std::int64_t;
    using wide_line::Span;
    const int width = cap.Width();
    const int64_t capTop = cap.Top();
    const auto capRows = static_cast<int64_t>(cap.Rows().size());

    const bool horizontal = y0 == y1 && x0 != x1;
    const bool vertical = x0 == x1 && y0 != y1;
    const bool sloped = x0 != x1 && y0 != y1;
    std::optional<wide_line::Body> body;
    if (sloped)
        body.emplace(x0, y0, x1, y1, width);

    int64_t rowBegin = std::min<int64_t>(y0, y1) + capTop;
    int64_t rowEnd = std::max<int64_t>(y0, y1) + capTop + capRows;
    if (body) {
        rowBegin = std::min(rowBegin, body->top);
        rowEnd = std::max(rowEnd, body->bottom);
    }
    rowBegin = std::max<int64_t>(rowBegin, bounds.top);
    rowEnd = std::min<int64_t>(rowEnd, bounds.bottom);

    for (int64_t y = rowBegin; y < rowEnd; ++y) {
        Span runs[4];
        int n = 0;
        for (const int* end : {&y0, &y1}) {
            const int64_t row = y - *end - capTop;
            if (row >= 0 && row < capRows) {
                const int64_t x = end == &y0 ? x0 : x1;
                const CRoundCap::Row& r = cap.Rows()[static_cast<std::size_t>(row)];
                runs[n++] = Span{x + r.left, x + r.right};
            }
        }
        if (horizontal) {
            const int64_t top = int64_t{y0} - width / 2;
            if (y >= top && y < top + width)
                runs[n++] = Span{std::min(x0, x1), std::max(x0, x1)};
        } else if (vertical) {
            if (y >= std::min(y0, y1) && y < std::max(y0, y1)) {
                const int64_t left = int64_t{x0} - width / 2;
                runs[n++] = Span{left, left + width};
            }
        } else if (body) {
            n += body->SpansOn(y, runs + n);
        }
        // Merge the runs of the three shapes and clip them to the bounds.
        wide_line::SortFew(runs, n, [](const Span& a, const Span& b) { return a.begin < b.begin; });
        int i = 0;
        while (i < n) {
            int64_t begin = runs[i].begin;
            int64_t end = runs[i].end;
            for (++i; i < n && runs[i].begin <= end; ++i)
                end = std::max(end, runs[i].end);
            begin = std::max<int64_t>(begin, bounds.left);
            end = std::min<int64_t>(end, bounds.right);
            if (begin < end)
                span(static_cast<int>(y), static_cast<int>(begin), static_cast<int>(end));
        }
    }
}
