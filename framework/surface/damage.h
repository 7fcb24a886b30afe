// The changed part of a surface since it was last shown, as a short list of
// rectangles that a port copies to the screen. The plane is cut into bands
// of kBandHeight rows, and each band keeps one or a few rectangles: the
// bounding boxes of what changed in it, where changes no more than the join
// gap apart share a box. So recording costs a short search per drawing
// call, the rectangles never overlap, and branches scattered over the whole
// screen copy the parts of each band between the changes instead of the
// whole screen. The gap weighs the pixels copied between two changes
// against the cost of one more rectangle to hand on: by default a whole
// band shares one box (a GDI call per rectangle costs more than the pixels
// it saves); a port whose rectangles are cheap requests (a shared-memory X
// image) asks for kSpanJoinGap (bench/damage_bench measures both).
// Short boxes also keep what is handed on small enough to stay in the
// processor's cache while the display's side copies it.
#pragma once

#include "afxtypes.h"

#include <climits>
#include <cstddef>
#include <vector>

class CDamage {
public:
    static constexpr LONG kBandHeight = 16;
    // A gap that joins everything: one box per band.
    static constexpr LONG kWholeBand = INT_MAX / 4;
    // Changes more than this many pixels apart in a band get boxes of
    // their own, for ports that hand on rectangles cheaply.
    static constexpr LONG kSpanJoinGap = 128;

    explicit CDamage(LONG joinGap = kWholeBand) : m_joinGap(joinGap) {}

    // Records a changed rectangle (right and bottom edges excluded). Empty
    // rectangles are ignored.
    void Add(const RECT& rect) { Add(rect.left, rect.top, rect.right, rect.bottom); }
    // The same for a rectangle held in registers: drawing code that has
    // just reckoned one passes its edges, which keeps the rectangle from
    // being stored a half at a time and read back whole (a read that must
    // wait for both halves to land).
    void Add(LONG left, LONG top, LONG right, LONG bottom);
    void Clear();

    bool IsEmpty() const { return m_empty; }
    LONG JoinGap() const { return m_joinGap; }
    // Every changed pixel lies in one of them. They are disjoint, each lies
    // within one band, and they are ordered by band from top to bottom and
    // within a band from left to right, more than the join gap apart.
    const std::vector<CRect>& Rects() const;

private:
    // The boxes of a band, left to right; kept from the first band touched
    // on, so that a drawing call finds its band at once. Inline for a band
    // already kept, as nearly every call's is.
    std::vector<CRect>& BoxesOf(LONG band)
    {
        const auto index = static_cast<std::size_t>(band - m_firstBand);
        if (!m_bands.empty() && band >= m_firstBand && index < m_bands.size())
            return m_bands[index];
        return AddBand(band);
    }
    // Extends the bands kept to hold band.
    std::vector<CRect>& AddBand(LONG band);

    static constexpr std::size_t kBoxesAtOnce = 16;

    LONG m_joinGap;
    std::vector<std::vector<CRect>> m_bands;
    LONG m_firstBand = 0;
    bool m_empty = true;
    // The boxes of every band in order, made when asked for after a change.
    mutable std::vector<CRect> m_rects;
    mutable bool m_rectsCurrent = true;
};
