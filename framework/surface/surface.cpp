#include "surface.h"

#include <algorithm>

CSurface::CSurface(int width, int height, COLORREF fill)
{
    Resize(width, height, fill);
}

bool CSurface::Resize(int width, int height, COLORREF fill)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    m_blocksPerRow = (width + kBlockSide - 1) >> kBlockShift;
    const int blockRows = (height + kBlockSide - 1) >> kBlockShift;
    m_blocks.assign(static_cast<std::size_t>(m_blocksPerRow) * static_cast<std::size_t>(blockRows),
                    fill > kSummaryBar ? kMayBeAbove : kClear);
    m_summaryStale = false;
    return true;
}

void CSurface::MarkMayBeAbove(const RECT& box)
{
    const CRect r = CRect::Intersection(box, Bounds());
    if (r.IsRectEmpty())
        return;
    for (LONG by = r.top >> kBlockShift; by <= (r.bottom - 1) >> kBlockShift; ++by) {
        std::uint8_t* row = m_blocks.data() + static_cast<std::size_t>(by) * static_cast<std::size_t>(m_blocksPerRow);
        std::fill(row + (r.left >> kBlockShift), row + ((r.right - 1) >> kBlockShift) + 1, kMayBeAbove);
    }
}

void CSurface::RebuildSummary() const
{
    std::fill(m_blocks.begin(), m_blocks.end(), kClear);
    for (int y = 0; y < m_height; ++y) {
        const COLORREF* row = m_pixels.data() + Index(0, y);
        std::uint8_t* blocks =
            m_blocks.data() + static_cast<std::size_t>(y >> kBlockShift) * static_cast<std::size_t>(m_blocksPerRow);
        for (int bx = 0; bx < m_blocksPerRow; ++bx) {
            const int begin = bx << kBlockShift;
            const int end = std::min(begin + kBlockSide, m_width);
            COLORREF brightest = 0;
            for (int x = begin; x < end; ++x)
                brightest = std::max(brightest, row[x]);
            if (brightest > kSummaryBar)
                blocks[bx] = kMayBeAbove;
        }
    }
    m_summaryStale = false;
}
