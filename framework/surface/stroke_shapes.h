// The shapes of short wide strokes, kept once computed.
//
// A wide stroke's pixels depend only on its delta (dx, dy) and its pen
// width: moving both end points moves every pixel with them (the caps sit
// on the end points, the body's corners are the end points plus offsets
// from the delta, and a polygon with integer corners rasterises the same
// wherever it is). Short strokes of a few widths recur, so each shape is
// rasterised once, as runs relative to the start point, and every later
// stroke of that shape only copies runs. (The growth's own pens, solid and
// at most 2 wide, take CNarrowLine instead, which never allocates.)
//
// The table is shared by all surface contexts and filled on first use; like
// the rest of the drawing code it is meant for one thread.
#pragma once

#include "wide_line.h"

#include <vector>

class CStrokeShapes {
public:
    // One run of a shape: row dy below the start point, pixels left..right-1
    // relative to its x.
    struct Run {
        int dy, left, right;
    };

    // Deltas and widths kept; other strokes are rasterised each time.
    static constexpr int kMaxDelta = 48;
    static constexpr int kMaxWidth = 4;

    // The runs of a stroke of delta (dx, dy) with cap's width, top row first,
    // or nullptr when such a stroke is not kept.
    static const std::vector<Run>* Find(long long dx, long long dy, const CRoundCap& cap);
};
