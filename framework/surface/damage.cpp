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
        const CRect piece(r.left, std::max(r.top, bandTop), r.right, std::min(r.bottom, bandTop + kBandHeight));
        // The kept rectangles are ordered by band, one per band.
        const auto at = std::lower_bound(m_rects.begin(), m_rects.end(), bandTop,
                                         [](const CRect& kept, LONG top) { return kept.bottom <= top; });
        if (at == m_rects.end() || BandOf(at->top) != band) {
            m_rects.insert(at, piece);
            continue;
        }
        at->left = std::min(at->left, piece.left);
        at->top = std::min(at->top, piece.top);
        at->right = std::max(at->right, piece.right);
        at->bottom = std::max(at->bottom, piece.bottom);
    }
}
