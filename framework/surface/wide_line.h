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
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

    // The widest pen drawn: a wider one draws as this wide. Its half width
    // exceeds the diagonal of the largest surface (16384 on a side), so a
    // pen this wide already covers the whole surface from any line that
    // passes over it; the limit keeps the cap's size and arithmetic bounded
    // for any width a caller passes.
    static constexpr int kMaxWidth = 1 << 16;

    // No cap yet: width 0 and no rows (made without allocating).
    CRoundCap() = default;
    // A cap of the width limited to kMaxWidth (Width() gives the limited one).
    explicit CRoundCap(int width);

    int Width() const { return m_width; }
    int Top() const { return -(m_width / 2); }
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    int m_width = 0;
    std::vector<Row> m_rows;
};

namespace wide_line {

// A run of pixels [begin, end) on one row; empty when begin >= end.
struct Run {
    std::int64_t begin, end;
};
constexpr Run kNoRun{INT64_MAX, INT64_MIN};

// A non-horizontal polygon edge, top vertex first. Rows are visited top to
// bottom, so the crossing is kept incrementally: after the top row (which
// crosses at the top vertex), the floor and remainder of
// (bx-tx)(y-ty) / (by-ty) for the next row, and the per-row step of both.
// The one division happens on the second row, so an edge one row high
// (the short ends of a thin stroke) costs none.
class Edge {
public:
    Edge() = default;
    Edge(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) : m_tx(x0), m_ty(y0), m_bx(x1), m_by(y1) {}

    bool ActiveOn(std::int64_t y) const { return m_ty <= y && y < m_by; }

    // The crossing on row y; rows in increasing order are cheapest.
    std::int64_t CrossingOn(std::int64_t y)
    {
        if (y == m_ty)
            return m_tx;
        const std::int64_t dx = m_bx - m_tx, dy = m_by - m_ty;
        if (y != m_nextRow) {
            if (!m_stepped) {
                m_stepQuotient = line_math::FloorDiv(dx, dy);
                m_stepRemainder = dx - m_stepQuotient * dy;
                m_stepped = true;
            }
            const line_math::Wide num = line_math::MulAdd(dx, y - m_ty);
            m_quotient = y - m_ty == 1 ? m_stepQuotient : line_math::FloorDiv(num, dy);
            m_remainder = static_cast<std::int64_t>(num - line_math::MulAdd(m_quotient, dy));
        }
        const std::int64_t crossing = m_tx + m_quotient + (m_remainder != 0 ? 1 : 0);
        m_nextRow = y + 1;
        m_quotient += m_stepQuotient;
        m_remainder += m_stepRemainder;
        if (m_remainder >= dy) {
            m_remainder -= dy;
            ++m_quotient;
        }
        return crossing;
    }

private:
    std::int64_t m_tx = 0, m_ty = 0, m_bx = 0, m_by = 0;
    std::int64_t m_nextRow = INT64_MIN;  // the row m_quotient and m_remainder are for
    std::int64_t m_quotient = 0, m_remainder = 0;
    std::int64_t m_stepQuotient = 0, m_stepRemainder = 0;
    bool m_stepped = false;
};

// The cross-section of a sloped stroke in whole pixels, as GDI rounds it:
// with v = width * |dy| / length (the stroke's extent along x; y likewise
// with |dx|), the half on one side ("narrow") is trunc(v/2 + 1/2), the
// other ("wide") trunc((v+1)/2 + 1/2). GDI computes v in floating point.
// For deltas below 2^20 the same counts come exactly from integers: narrow
// counts the odd m <= v, wide is 1 plus the even m <= v, and m <= v is
// m^2 (dx^2 + dy^2) <= width^2 dy^2. The rounded v could differ from the
// exact one only within a few units in the last place of an integer,
// which such short deltas cannot reach; longer ones take GDI's own route.
struct CrossSection {
    std::int64_t narrow, wide;

    static CrossSection Of(std::int64_t along, std::int64_t across, int width)
    {
        constexpr std::int64_t kExact = std::int64_t{1} << 20;
        const std::int64_t a = along < 0 ? -along : along;
        const std::int64_t c = across < 0 ? -across : across;
        if (a < kExact && c < kExact && width <= 1024) {
            const std::int64_t lengthSquared = a * a + c * c;
            const std::int64_t bound = std::int64_t{width} * width * a * a;
            CrossSection s{0, 1};
            for (std::int64_t m = 1; m * m * lengthSquared <= bound; ++m)
                (m % 2 != 0 ? s.narrow : s.wide) += 1;
            return s;
        }
        const double v = width * static_cast<double>(a) / std::hypot(static_cast<double>(a), static_cast<double>(c));
        return CrossSection{static_cast<std::int64_t>(v / 2 + 0.5), static_cast<std::int64_t>((v + 1) / 2 + 0.5)};
    }
};

// The corners of the body of a line that is neither horizontal nor
// vertical, in order around it: p0 + a, p0 + b, p1 + b, p1 + a, where the
// offsets a and b are the cross-section's halves on either side. They never
// make it flat, so every row from its top to its bottom - 1 crosses exactly
// two of its (non-horizontal) edges.
struct SlopedCorners {
    std::int64_t x[4], y[4];

    SlopedCorners(int x0, int y0, int x1, int y1, int width)
    {
        const std::int64_t dx = std::int64_t{x1} - x0;
        const std::int64_t dy = std::int64_t{y1} - y0;
        const CrossSection sx = CrossSection::Of(dy, dx, width);
        const CrossSection sy = CrossSection::Of(dx, dy, width);
        std::int64_t narrowX = sx.narrow, narrowY = sy.narrow;
        std::int64_t wideX = sx.wide, wideY = sy.wide;
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
        std::copy(px, px + 4, x);
        std::copy(py, py + 4, y);
    }
};

// The body of a sloped line, the parallelogram of SlopedCorners, one row at
// a time.
class SlopedBody {
public:
    SlopedBody(int x0, int y0, int x1, int y1, int width)
    {
        const SlopedCorners c(x0, y0, x1, y1, width);
        m_top = std::min(std::min(c.y[0], c.y[1]), std::min(c.y[2], c.y[3]));
        m_bottom = std::max(std::max(c.y[0], c.y[1]), std::max(c.y[2], c.y[3]));
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            if (c.y[i] < c.y[j])
                m_edges[m_count++] = Edge(c.x[i], c.y[i], c.x[j], c.y[j]);
            else if (c.y[i] > c.y[j])
                m_edges[m_count++] = Edge(c.x[j], c.y[j], c.x[i], c.y[i]);
        }
    }

    std::int64_t Top() const { return m_top; }
    std::int64_t Bottom() const { return m_bottom; }  // excluded

    // The covered run of row y, by the even-odd rule between the crossings.
    Run On(std::int64_t y)
    {
        std::int64_t first = 0, second = 0;
        int n = 0;
        for (int i = 0; i < m_count; ++i) {
            if (m_edges[i].ActiveOn(y)) {
                (n == 0 ? first : second) = m_edges[i].CrossingOn(y);
                ++n;
            }
        }
        if (n < 2)
            return kNoRun;
        return Run{std::min(first, second), std::max(first, second)};
    }

private:
    Edge m_edges[4];
    int m_count = 0;  // horizontal edges are left out
    std::int64_t m_top = 0, m_bottom = 0;
};

template <class SpanFn>
void EmitClipped(std::int64_t y, std::int64_t begin, std::int64_t end, const RECT& bounds, SpanFn& span)
{
    begin = std::max<std::int64_t>(begin, bounds.left);
    end = std::min<std::int64_t>(end, bounds.right);
    if (begin < end)
        span(static_cast<int>(y), static_cast<int>(begin), static_cast<int>(end));
}

// Emits the union of three runs of row y left to right, clipped to bounds.
template <class SpanFn>
void EmitUnion(std::int64_t y, Run a, Run b, Run c, const RECT& bounds, SpanFn& span)
{
    if (b.begin < a.begin)
        std::swap(a, b);
    if (c.begin < b.begin)
        std::swap(b, c);
    if (b.begin < a.begin)
        std::swap(a, b);
    std::int64_t begin = a.begin, end = a.end;
    for (const Run& r : {b, c}) {
        if (r.begin <= end) {
            end = std::max(end, r.end);
        } else {
            EmitClipped(y, begin, end, bounds, span);
            begin = r.begin;
            end = r.end;
        }
    }
    EmitClipped(y, begin, end, bounds, span);
}

// The rows of the stroke: both caps and the body given as body(y) for rows
// bodyTop..bodyBottom-1.
template <class Body, class SpanFn>
void EmitStroke(int x0, int y0, int x1, int y1, const CRoundCap& cap, std::int64_t bodyTop, std::int64_t bodyBottom,
                Body&& body, const RECT& bounds, SpanFn& span)
{
    const std::int64_t capTop = cap.Top();
    const auto capRows = static_cast<std::int64_t>(cap.Rows().size());
    const std::int64_t cap0 = std::int64_t{y0} + capTop, cap1 = std::int64_t{y1} + capTop;
    const std::int64_t rowBegin =
        std::max<std::int64_t>(std::min(std::min(cap0, cap1), bodyTop), bounds.top);
    const std::int64_t rowEnd =
        std::min<std::int64_t>(std::max(std::max(cap0, cap1) + capRows, bodyBottom), bounds.bottom);
    const auto capRun = [&](std::int64_t y, std::int64_t top, std::int64_t x) {
        const std::int64_t row = y - top;
        if (row < 0 || row >= capRows)
            return kNoRun;
        const CRoundCap::Row& r = cap.Rows()[static_cast<std::size_t>(row)];
        return Run{x + r.left, x + r.right};
    };
    for (std::int64_t y = rowBegin; y < rowEnd; ++y) {
        const Run b = y >= bodyTop && y < bodyBottom ? body(y) : kNoRun;
        EmitUnion(y, capRun(y, cap0, x0), capRun(y, cap1, x1), b, bounds, span);
    }
}

}  // namespace wide_line

// Calls span(y, xBegin, xEnd) for each run of lit pixels xBegin..xEnd-1 on
// row y, limited to bounds (right and bottom excluded), rows top to bottom
// and runs left to right without overlap. cap must be of the pen's width.
template <class SpanFn>
void ForEachWideLineSpan(int x0, int y0, int x1, int y1, const CRoundCap& cap, const RECT& bounds, SpanFn&& span)
{
    using std::int64_t;
    using wide_line::Run;
    const int width = cap.Width();
    if (y0 == y1 && x0 != x1) {
        const int64_t top = int64_t{y0} - width / 2;
        const Run body{std::min(x0, x1), std::max(x0, x1)};
        wide_line::EmitStroke(x0, y0, x1, y1, cap, top, top + width, [&](int64_t) { return body; }, bounds, span);
    } else if (x0 == x1 && y0 != y1) {
        const int64_t left = int64_t{x0} - width / 2;
        const Run body{left, left + width};
        wide_line::EmitStroke(x0, y0, x1, y1, cap, std::min(y0, y1), std::max(y0, y1), [&](int64_t) { return body; },
                              bounds, span);
    } else if (x0 != x1) {
        wide_line::SlopedBody body(x0, y0, x1, y1, width);
        wide_line::EmitStroke(x0, y0, x1, y1, cap, body.Top(), body.Bottom(), [&](int64_t y) { return body.On(y); },
                              bounds, span);
    } else {  // a dot: the caps alone
        wide_line::EmitStroke(x0, y0, x1, y1, cap, y0, y0, [](int64_t) { return wide_line::kNoRun; }, bounds, span);
    }
}
