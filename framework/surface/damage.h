// The changed part of a surface since it was last shown, as a short list of
// rectangles that a port copies to the screen. The list never grows beyond
// kMaxRects: a rectangle that does not fit is merged into the one it
// enlarges least, so recording costs a few comparisons per drawing call
// and presenting costs a bounded number of copies, at the price of copying
// some unchanged pixels.
#pragma once

#include "afxtypes.h"

#include <cstddef>
#include <vector>

class CDamage {
public:
    static constexpr std::size_t kMaxRects = 16;

    // Records a changed rectangle (right and bottom edges excluded). Empty
    // rectangles are ignored.
    void Add(const RECT& rect);
    void Clear() { m_rects.clear(); }

    bool IsEmpty() const { return m_rects.empty(); }
    // Every changed pixel lies in at least one of them; they may overlap.
    const std::vector<CRect>& Rects() const { return m_rects; }

private:
    std::vector<CRect> m_rects;
};
