#include "growth_state.h"

#include "growth_math.h"

#include <algorithm>

namespace {

// Chance of a re-seed per step: a draw r with r * 100 > 96, 1311 in 32768.
constexpr double kReseedAbove = 96;

}  // namespace

CGrowthState::CGrowthState(std::int32_t capacity)
    : m_branches(new CBranch[static_cast<std::size_t>(std::max<std::int32_t>(capacity, 0))]()),
      m_capacity(std::max<std::int32_t>(capacity, 0))
{
}

void CGrowthState::Step(CDC& dc)
{
    const std::int32_t n = std::min(m_inUse, m_capacity);

    for (std::int32_t i = 0; i < n; ++i) {
        if (m_branches[i].m_active && GrowBranch(i, dc))
            ForkInto(m_branches[i], n);
    }

    if (!(UnitRandom() * 100 > kReseedAbove))
        return;
    Reseed(dc, n);
}

void CGrowthState::ForkInto(const CBranch& parent, std::int32_t n)
{
    for (std::int32_t k = 0; k < n; ++k) {
        CBranch& slot = m_branches[k];
        if (slot.m_active)
            continue;
        // The slot keeps the pen width its last branch died with.
        slot.m_active = true;
        slot.m_x = parent.m_x;
        slot.m_y = parent.m_y;
        slot.m_length = parent.m_length;
        slot.m_angle = RoundNearest(UnitRandom() * 120 + 30);
        slot.m_color = parent.m_color;
        slot.m_count = parent.m_count;
    }
}

void CGrowthState::Reseed(CDC& dc, std::int32_t n)
{
    for (std::int32_t j = 0; j < n; ++j) {
        CBranch& slot = m_branches[j];
        slot.m_active = true;
        slot.Reset(m_clientHeight, m_sizeFactor, m_small);
        PlaceReseededTip(dc, slot);
    }
}

void CGrowthState::PlaceReseededTip(CDC& dc, CBranch& slot) const
{
    const bool inside =
        slot.m_x >= 0 && slot.m_x < m_clientWidth && slot.m_y >= 0 && slot.m_y < m_clientHeight;
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        if (inside) {
            // Near the old tip; the offsets lean left and down on purpose.
            const std::int32_t dx = Truncate(UnitRandom() * 29) - 19;
            const std::int32_t dy = Truncate(UnitRandom() * 40) - 5;
            if (dc.GetPixel(slot.m_x + dx, slot.m_y + dy) > ProbeThreshold(attempt)) {
                slot.m_x += dx;
                slot.m_y += dy;
                return;
            }
        } else {
            slot.m_x = Truncate(UnitRandom() * m_clientWidth);
            slot.m_y = Truncate(UnitRandom() * m_clientHeight);
            if (dc.GetPixel(slot.m_x, slot.m_y) > ProbeThreshold(attempt))
                return;
        }
    }
    slot.m_x = Truncate(UnitRandom() * m_clientWidth);
    slot.m_y = Truncate(UnitRandom() * m_clientHeight);
}
