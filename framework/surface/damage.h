// The changed part of a surface since it was last shown, as a short list of
// rectangles that a port copies to the screen. The plane is cut into bands
// of kBandHeight rows, and each band keeps one rectangle: the bounding box
// of what changed in it. So recording costs a short search per drawing
// call, presenting costs one copy per band that changed (at most the
// surface's height / kBandHeight + 1), the rectangles never overlap, and
// branches scattered over the whole screen copy the parts of each band
// between the leftmost and rightmost change instead of the whole screen.
// Short boxes also keep a port's copy small enough to stay in the
// processor's cache while it is converted and handed on.
#pragma once

#include "afxtypes.h"

#include <vector>

class CDamage {
public:
    static constexpr LONG kBandHeight = 16;

    // Records a changed rectangle (right and bottom edges excluded). Empty
    // rectangles are ignored.
    void Add(const RECT& rect);
    void Clear() { m_rects.clear(); }

    bool IsEmpty() const { return m_rects.empty(); }
    // Every changed pixel lies in one of them. They are disjoint, ordered
    // from top to bottom, and each lies within one band.
    const std::vector<CRect>& Rects() const { return m_rects; }

private:
    std::vector<CRect> m_rects;
};
