// The pixels GDI lights for a cosmetic (one-pixel) line.
//
// The line runs from (x0, y0) towards (x1, y1): the start pixel is lit, the
// end pixel is not, and a zero-length line lights nothing. The line takes
// |dmajor| steps along its major axis (x when |dx| > |dy|, so an exact
// diagonal is y-major). With A = 2|dminor|, B = 2|dmajor| and bias = 1 when
// the minor axis runs towards smaller coordinates (0 otherwise), the error
// f = A - |dmajor| + bias starts the line; after each pixel the minor axis
// steps when f > 0 (f += A - B), otherwise f += A.
//
// The error after k steps has a closed form: the minor axis has then moved
// m(k) = ceil((k*A - |dmajor| + bias) / B) times. That lets a clipped line
// start at the first step that can reach the bounds, so a line from millions
// of pixels away costs no more than one across the bounds, and lights exactly
// the pixels the unclipped line would light there.
#pragma once

#include "afxtypes.h"
#include "line_math.h"

#include <algorithm>
#include <cstdint>

namespace thin_line {

// Plots pixels k = kBegin..kEnd-1, starting with the minor axis moved by
// steps and the error term f of pixel kBegin.
template <class Plot>
void Step(bool xMajor, std::int64_t majorStart, std::int64_t majorStep, std::int64_t minorStart,
          std::int64_t minorStep, std::int64_t kBegin, std::int64_t kEnd, std::int64_t steps, std::int64_t f,
          std::int64_t a, std::int64_t b, Plot& plot)
{
    std::int64_t majorPos = majorStart + majorStep * kBegin;
    std::int64_t minorPos = minorStart + minorStep * steps;
    for (std::int64_t k = kBegin; k < kEnd; ++k) {
        if (xMajor)
            plot(static_cast<int>(majorPos), static_cast<int>(minorPos));
        else
            plot(static_cast<int>(minorPos), static_cast<int>(majorPos));
        majorPos += majorStep;
        if (f > 0) {
            minorPos += minorStep;
            f += a - b;
        } else {
            f += a;
        }
    }
}

}  // namespace thin_line

// Calls plot(x, y) for every pixel of the line that lies inside bounds
// (right and bottom excluded), in drawing order from the start point.
template <class Plot>
void ForEachThinLinePixel(int x0, int y0, int x1, int y1, const RECT& bounds, Plot&& plot)
{
    using std::int64_t;
    const int64_t dx = int64_t{x1} - x0;
    const int64_t dy = int64_t{y1} - y0;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0)
        return;

    const bool xMajor = adx > ady;
    const int64_t major = xMajor ? adx : ady;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int bias = minorStep < 0 ? 1 : 0;

    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t minorStart = xMajor ? y0 : x0;
    const int64_t majorLo = xMajor ? bounds.left : bounds.top;
    const int64_t majorHi = xMajor ? bounds.right : bounds.bottom;  // excluded
    const int64_t minorLo = xMajor ? bounds.top : bounds.left;
    const int64_t minorHi = xMajor ? bounds.bottom : bounds.right;  // excluded
    if (majorLo >= majorHi || minorLo >= minorHi)
        return;

    const int64_t a = 2 * minor;
    const int64_t b = 2 * major;
    // Every pixel lies within the box of the two end points, so a line whose
    // ends are both inside needs no clipping (the usual case).
    const bool inside = x0 >= bounds.left && x0 < bounds.right && x1 >= bounds.left && x1 < bounds.right &&
                        y0 >= bounds.top && y0 < bounds.bottom && y1 >= bounds.top && y1 < bounds.bottom;
    if (inside) {
        thin_line::Step(xMajor, majorStart, majorStep, minorStart, minorStep, 0, major, 0, a - major + bias, a, b, plot);
        return;
    }

    // Steps k in [kBegin, kEnd) put the major coordinate inside the bounds.
    int64_t kBegin = 0;
    int64_t kEnd = major;
    if (majorStep > 0) {
        kBegin = std::max(kBegin, majorLo - majorStart);
        kEnd = std::min(kEnd, majorHi - majorStart);
    } else {
        kBegin = std::max(kBegin, majorStart - majorHi + 1);
        kEnd = std::min(kEnd, majorStart - majorLo + 1);
    }
    // Narrow [kBegin, kEnd) further to the steps whose minor coordinate is
    // inside too: minor steps mLo..mHi stay inside, and m(k) is monotonic.
    const int64_t mLo = minorStep > 0 ? minorLo - minorStart : minorStart - minorHi + 1;
    const int64_t mHi = minorStep > 0 ? minorHi - 1 - minorStart : minorStart - minorLo;
    if (mHi < 0)
        return;
    if (a == 0) {
        if (mLo > 0)
            return;
    } else {
        // m(k) >= mLo  <=>  k*a > (mLo - 1)*b + major - bias
        if (mLo > 0)
            kBegin = std::max(kBegin, line_math::FloorDiv(line_math::MulAdd(mLo - 1, b, major - bias), a) + 1);
        // m(k) <= mHi  <=>  k*a <= mHi*b + major - bias
        kEnd = std::min(kEnd, line_math::FloorDiv(line_math::MulAdd(mHi, b, major - bias), a) + 1);
    }
    if (kBegin >= kEnd)
        return;

    // Minor steps before pixel kBegin, and the error term there.
    const int64_t steps = line_math::CeilDiv(line_math::MulAdd(kBegin, a, bias - major), b);
    const int64_t f = static_cast<int64_t>(line_math::MulAdd(kBegin + 1, a, bias - major) - line_math::MulAdd(steps, b));

    thin_line::Step(xMajor, majorStart, majorStep, minorStart, minorStep, kBegin, kEnd, steps, f, a, b, plot);
}
