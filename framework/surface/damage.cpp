#include "damage.h"

#include <algorithm>

namespace {

// The band holding row y (rounding down for negative rows too).
LONG BandOf(LONG y)
{
    return y >= 0 ? y / CDamage::kBandHeight : -((-y + CDamage::kBandHeight - 1) / CDamage::kBandHeight);
}

}  // namespace

std::vector<CRect>& CDamage::AddBand(LONG band)
{
    if (m_bands.empty())
        m_firstBand = band;
    if (band < m_firstBand) {
        m_bands.insert(m_bands.begin(), static_cast<std::size_t>(m_firstBand - band), std::vector<CRect>());
        m_firstBand = band;
    }
    const auto index = static_cast<std::size_t>(band - m_firstBand);
    if (index >= m_bands.size())
        m_bands.resize(index + 1);
    return m_bands[index];
}

void CDamage::Add(LONG rectLeft, LONG rectTop, LONG rectRight, LONG rectBottom)
{
    if (rectLeft >= rectRight || rectTop >= rectBottom)
        return;
    m_empty = false;
    m_rectsCurrent = false;
    const LONG lastBand = BandOf(rectBottom - 1);
    for (LONG band = BandOf(rectTop); band <= lastBand; ++band) {
        const LONG bandTop = band * kBandHeight;
        // The piece in this band, as four numbers rather than a CRect: a
        // rectangle built field by field and then copied whole would be
        // read back from memory before its fields had landed there (a
        // stall that cost a third of this function).
        LONG left = rectLeft, top = std::max(rectTop, bandTop);
        LONG right = rectRight, bottom = std::min(rectBottom, bandTop + kBandHeight);
        std::vector<CRect>& boxes = BoxesOf(band);
        // The first box that does not end more than the gap left of the
        // piece: the boxes from there on that start within the gap of it
        // (which grows as it takes them in) are replaced by one box holding
        // them all.
        // The boxes lie left to right without overlap, so their right edges
        // rise too: a band holding many (branches all over a 4K screen)
        // finds the place by halving.
        const LONG reach = left - m_joinGap;
        auto first = std::partition_point(boxes.begin(), boxes.end(), [reach](const CRect& box) {
            return box.right < reach;
        });
        auto last = first;
        while (last != boxes.end() && last->left <= right + m_joinGap) {
            left = std::min(left, last->left);
            top = std::min(top, last->top);
            right = std::max(right, last->right);
            bottom = std::max(bottom, last->bottom);
            ++last;
        }
        if (first == last) {
            // Room for a band's usual boxes at once, so that a record that
            // is cleared and used again each tick soon stops allocating.
            if (boxes.capacity() == 0) {
                boxes.reserve(kBoxesAtOnce);
                first = boxes.begin();
            }
            boxes.emplace(first, left, top, right, bottom);
        } else {
            first->left = left;
            first->top = top;
            first->right = right;
            first->bottom = bottom;
            boxes.erase(first + 1, last);
        }
    }
}

void CDamage::Clear()
{
    for (std::vector<CRect>& boxes : m_bands)
        boxes.clear();
    m_rects.clear();
    m_rectsCurrent = true;
    m_empty = true;
}

const std::vector<CRect>& CDamage::Rects() const
{
    if (!m_rectsCurrent) {
        m_rects.clear();
        for (const std::vector<CRect>& boxes : m_bands)
            m_rects.insert(m_rects.end(), boxes.begin(), boxes.end());
        m_rectsCurrent = true;
    }
    return m_rects;
}
