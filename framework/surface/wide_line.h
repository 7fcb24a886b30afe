// The pixels GDI lights for a geometric pen of width 2 or more with round
// end caps: every pixel whose centre lies within width/2 of the segment.
// For width 2 each end point is covered by the 2 x 2 block {x-1, x} by
// {y-1, y}, so the end pixel is drawn and a zero-length line is a 2 x 2 dot.
//
// The covered shape is convex, so it meets each pixel row in one run; the
// rasteriser computes that run per row and hands it on as a span.
#pragma once

#include "afxtypes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// Calls span(y, xBegin, xEnd) for each row y with pixels xBegin..xEnd-1 lit,
// limited to bounds (right and bottom excluded), top row first.
template <class Span>
void ForEachWideLineSpan(int x0, int y0, int x1, int y1, int width, const RECT& bounds, Span&& span)
{
    const double r = width / 2.0;
    const double ax = x0, ay = y0, bx = x1, by = y1;
    const double top = std::max<double>(std::floor(std::min(ay, by) - r - 1.0), bounds.top);
    const double bottom = std::min<double>(std::ceil(std::max(ay, by) + r + 1.0), bounds.bottom);
    const double dx = bx - ax, dy = by - ay;
    const double len = std::sqrt(dx * dx + dy * dy);

    for (double row = top; row < bottom; row += 1.0) {
        const double yc = row + 0.5;  // the row's pixel centres
        double lo = INFINITY, hi = -INFINITY;
        // The round caps.
        for (const double* p : {&ax, &bx}) {
            const double py = (p == &ax) ? ay : by;
            const double h = r * r - (yc - py) * (yc - py);
            if (h >= 0) {
                const double w = std::sqrt(h);
                lo = std::min(lo, *p - w);
                hi = std::max(hi, *p + w);
            }
        }
        // The body: points whose projection falls on the segment and whose
        // distance from its line is at most r.
        if (len > 0 && dy != 0) {
            const double ux = dx / len, uy = dy / len;
            // Along the row, x = xc: projection t(xc) and distance d(xc) are linear.
            // t = ((xc-ax)*ux + (yc-ay)*uy), d = ((xc-ax)*uy - (yc-ay)*ux).
            const double tLo = 0, tHi = len;
            // Solve for the x range where tLo <= t <= tHi and |d| <= r.
            double xa = ax + (tLo - (yc - ay) * uy) / ux;
            double xb = ax + (tHi - (yc - ay) * uy) / ux;
            if (ux == 0) {
                xa = -INFINITY;
                xb = INFINITY;
                const double t = (yc - ay) * uy;
                if (t < tLo || t > tHi)
                    xa = INFINITY, xb = -INFINITY;
            }
            double xd1 = ax + (-r + (yc - ay) * ux) / uy;
            double xd2 = ax + (r + (yc - ay) * ux) / uy;
            const double bodyLo = std::max(std::min(xa, xb), std::min(xd1, xd2));
            const double bodyHi = std::min(std::max(xa, xb), std::max(xd1, xd2));
            if (bodyLo <= bodyHi) {
                lo = std::min(lo, bodyLo);
                hi = std::max(hi, bodyHi);
            }
        } else if (len > 0 && std::abs(yc - ay) <= r) {
            lo = std::min(lo, std::min(ax, bx));
            hi = std::max(hi, std::max(ax, bx));
        }
        if (lo > hi)
            continue;
        // Pixel px is lit when its centre px + 0.5 lies in [lo, hi].
        const double first = std::max<double>(std::ceil(lo - 0.5), bounds.left);
        const double last = std::min<double>(std::floor(hi - 0.5), bounds.right - 1.0);
        if (first <= last)
            span(static_cast<int>(row), static_cast<int>(first), static_cast<int>(last) + 1);
    }
}
