#include "damage.h"

#include <algorithm>

namespace {

long long Area(const RECT& r)
{
    return static_cast<long long>(r.right - r.left) * static_cast<long long>(r.bottom - r.top);
}

CRect Union(const RECT& a, const RECT& b)
{
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

// A new rectangle joins the kept one whose area grows least by it, unless
// keeping it apart is cheaper and there is room; a join may swallow other
// kept rectangles, which are then dropped.
void CDamage::Add(const RECT& rect)
{
    const CRect r(rect);
    if (r.IsRectEmpty())
        return;
    std::size_t best = m_rects.size();
    long long bestGrowth = 0;
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        if (Contains(m_rects[i], r))
            return;
        const long long growth = Area(Union(m_rects[i], r)) - Area(m_rects[i]);
        if (best == m_rects.size() || growth < bestGrowth) {
            best = i;
            bestGrowth = growth;
        }
    }
    if (best == m_rects.size() || (m_rects.size() < kMaxRects && bestGrowth >= Area(r))) {
        m_rects.push_back(r);
        return;
    }
    const CRect joined = Union(m_rects[best], r);
    m_rects[best] = joined;
    for (std::size_t i = m_rects.size(); i-- > 0;) {
        if (i != best && Contains(joined, m_rects[i])) {
            m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(i));
            if (i < best)
                --best;
        }
    }
}
