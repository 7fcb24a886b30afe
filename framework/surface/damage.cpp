#include "damage.h"

#include <algorithm>

namespace {

// The band holding row y (rounding down for negative rows too).
LONG BandOf(LONG y)
{
    return y >= 0 ? y / CDamage::kBandHeight : -((-y + CDamage::kBandHeight - 1) / CDamage::kBandHeight);
}

}  // namespace

void CDamage::Add(const RECT& rect)
{
    const CRect r(rect);
    if (r.IsRectEmpty())
        return;
    for (LONG band = BandOf(r.top); band <= BandOf(r.bottom - 1); ++band) {
        const LONG bandTop = band * kBandHeight;
        CRect piece(r.left, std::max(r.top, bandTop), r.right, std::min(r.bottom, bandTop + kBandHeight));
        // The first kept box that is not in an earlier band and does not end
        // more than the gap left of the piece: the boxes from there on that
        // start within the gap of it (which grows as it takes them in) are
        // replaced by one box holding them all.
        const auto first = std::lower_bound(m_rects.begin(), m_rects.end(), piece, [&](const CRect& kept, const CRect& p) {
            const LONG keptBand = BandOf(kept.top);
            return keptBand < band || (keptBand == band && kept.right < p.left - m_joinGap);
        });
        auto last = first;
        while (last != m_rects.end() && BandOf(last->top) == band && last->left <= piece.right + m_joinGap) {
            piece.left = std::min(piece.left, last->left);
            piece.top = std::min(piece.top, last->top);
            piece.right = std::max(piece.right, last->right);
            piece.bottom = std::max(piece.bottom, last->bottom);
            ++last;
        }
        if (first == last) {
            m_rects.insert(first, piece);
        } else {
            *first = piece;
            m_rects.erase(first + 1, last);
        }
    }
}
