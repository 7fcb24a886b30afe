#include "surface.h"

#include <algorithm>
#include <utility>

CSurface::CSurface(int width, int height, COLORREF fill)
{
    Resize(width, height, fill);
}

CSurface::CSurface(const CSurface& other)
    : m_width(other.m_width),
      m_height(other.m_height),
      m_owned(other.m_words, other.m_words + other.Count()),
      m_words(m_owned.data()),
      m_blocksPerRow(other.m_blocksPerRow),
      m_blocks(other.m_blocks),
      m_anyMarked(other.m_anyMarked),
      m_summaryStale(other.m_summaryStale)
{
}

CSurface::CSurface(CSurface&& other) noexcept
{
    *this = std::move(other);
}

CSurface& CSurface::operator=(const CSurface& other)
{
    if (this != &other)
        *this = CSurface(other);
    return *this;
}

CSurface& CSurface::operator=(CSurface&& other) noexcept
{
    if (this == &other)
        return *this;
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    // A moved vector keeps its buffer, so m_words stays valid.
    m_owned = std::move(other.m_owned);
    other.m_owned.clear();
    m_memory = std::move(other.m_memory);
    m_words = std::exchange(other.m_words, nullptr);
    m_blocksPerRow = std::exchange(other.m_blocksPerRow, 0);
    m_blocks = std::move(other.m_blocks);
    other.m_blocks.clear();
    m_anyMarked = std::exchange(other.m_anyMarked, false);
    m_summaryStale = std::exchange(other.m_summaryStale, false);
    return *this;
}

bool CSurface::Resize(int width, int height, COLORREF fill)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    m_width = width;
    m_height = height;
    m_memory.reset();
    m_owned.assign(Count(), WordOf(fill & 0x00FFFFFF));
    m_words = m_owned.data();
    m_blocksPerRow = (width + kBlockSide - 1) >> kBlockShift;
    const int blockRows = (height + kBlockSide - 1) >> kBlockShift;
    const bool bright = (fill & 0x00FFFFFF) > kSummaryBar;
    m_blocks.assign(static_cast<std::size_t>(m_blocksPerRow) * static_cast<std::size_t>(blockRows),
                    bright ? kMayBeAbove : kClear);
    m_anyMarked = bright && !m_blocks.empty();
    m_summaryStale = false;
    return true;
}

void CSurface::Adopt(std::unique_ptr<CMemory> memory)
{
    if (memory == nullptr) {
        if (m_memory == nullptr)
            return;
        m_owned.assign(m_words, m_words + Count());
        m_words = m_owned.data();
        m_memory.reset();
        return;
    }
    std::uint32_t* words = memory->Words();
    std::copy_n(m_words, Count(), words);
    m_memory = std::move(memory);
    m_words = words;
    m_owned.clear();
    m_owned.shrink_to_fit();
}

std::vector<COLORREF> CSurface::Colors() const
{
    std::vector<COLORREF> colors(Count());
    std::transform(m_words, m_words + Count(), colors.begin(), ColorOf);
    return colors;
}

void CSurface::MarkMayBeAbove(const RECT& box)
{
    const CRect r = CRect::Intersection(box, Bounds());
    if (r.IsRectEmpty())
        return;
    m_anyMarked = true;
    for (LONG by = r.top >> kBlockShift; by <= (r.bottom - 1) >> kBlockShift; ++by) {
        std::uint8_t* row = m_blocks.data() + static_cast<std::size_t>(by) * static_cast<std::size_t>(m_blocksPerRow);
        std::fill(row + (r.left >> kBlockShift), row + ((r.right - 1) >> kBlockShift) + 1, kMayBeAbove);
    }
}

bool CSurface::MayBeAboveIn(const RECT& box) const
{
    if (m_summaryStale)
        RebuildSummary();
    if (!m_anyMarked)
        return false;
    for (LONG by = box.top >> kBlockShift; by <= (box.bottom - 1) >> kBlockShift; ++by) {
        const std::uint8_t* row =
            m_blocks.data() + static_cast<std::size_t>(by) * static_cast<std::size_t>(m_blocksPerRow);
        const std::uint8_t* end = row + ((box.right - 1) >> kBlockShift) + 1;
        if (std::find(row + (box.left >> kBlockShift), end, kMayBeAbove) != end)
            return true;
    }
    return false;
}

// The bar is a colour: each word is turned back into one before comparing.
void CSurface::RebuildSummary() const
{
    std::fill(m_blocks.begin(), m_blocks.end(), kClear);
    m_anyMarked = false;
    for (int y = 0; y < m_height; ++y) {
        const std::uint32_t* row = WordRow(y);
        std::uint8_t* blocks =
            m_blocks.data() + static_cast<std::size_t>(y >> kBlockShift) * static_cast<std::size_t>(m_blocksPerRow);
        for (int bx = 0; bx < m_blocksPerRow; ++bx) {
            const int begin = bx << kBlockShift;
            const int end = std::min(begin + kBlockSide, m_width);
            COLORREF brightest = 0;
            for (int x = begin; x < end; ++x)
                brightest = std::max(brightest, ColorOf(row[x]));
            if (brightest > kSummaryBar) {
                blocks[bx] = kMayBeAbove;
                m_anyMarked = true;
            }
        }
    }
    m_summaryStale = false;
}
