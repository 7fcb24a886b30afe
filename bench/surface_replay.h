// Replaying a recorded growth workload on the surface device context, the
// way the growth draws: per segment a pen is created, selected, the line
// drawn, the previous pen selected back and the pen destroyed.
#pragma once

#include "growth_workload.h"
#include "surface/surface_dc.h"

#include <algorithm>
#include <chrono>

// The shortest of repeats runs of fn, in seconds.
template <class Fn>
double BestSeconds(int repeats, Fn&& fn)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

inline void DrawSegmentsOnSurface(CSurfaceDC& dc, const CGrowthWorkload& work)
{
    for (const CBenchSegment& s : work.segments) {
        CPen pen(PS_INSIDEFRAME, s.width, s.color);
        CPen* previous = dc.SelectObject(&pen);
        dc.MoveTo(s.x0, s.y0);
        dc.LineTo(s.x1, s.y1);
        dc.SelectObject(previous);
    }
}

// Sums the probes' answers so that the reads cannot be optimised away.
inline unsigned ProbeSurface(const CSurfaceDC& dc, const CGrowthWorkload& work)
{
    unsigned sum = 0;
    for (const CPoint& p : work.probes)
        sum += dc.GetPixel(p.x, p.y);
    return sum;
}
