// The drawing work of a real growth, for the drawing benchmarks: the
// segments (with pen width and colour) and the re-seed probe points that a
// growth at full screen size asks of its device context, recorded once so
// that every device context under test gets exactly the same work.
#pragma once

#include "afxtypes.h"

#include <vector>

struct CBenchSegment {
    int x0, y0, x1, y1;
    int width;
    COLORREF color;
};

struct CGrowthWorkload {
    int width = 0, height = 0;
    std::vector<CBenchSegment> segments;
    std::vector<CPoint> probes;
};

// Grows steps steps at width x height with the largest "Growth Rate" (100)
// on a surface, from a fixed seed, and records what it drew and read.
CGrowthWorkload RecordGrowthWorkload(int width, int height, int steps);
