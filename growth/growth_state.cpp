#include "growth_state.h"

#include "growth_math.h"
#include "surface/surface.h"

#include <algorithm>
#include <cstdint>

// The surfaces answer a probe from their summary of bright blocks only when
// its bar is at least the summary's: kept at the last probe bar, every
// probe is answered without reading the picture wherever it is dark.
static_assert(CGrowthState::LastProbeBar() == CSurface::kSummaryBar,
              "the surfaces' summary bar (VERDANE_SUMMARY_BAR) must be the growth's last probe bar");

namespace {

// Chance of a re-seed per step: a draw r with r * 100 > 96, 1311 in 32768.
constexpr double kReseedAbove = 96;

// A negative capacity gives an empty pool.
std::size_t PoolSize(std::int32_t capacity)
{
    return static_cast<std::size_t>(std::max<std::int32_t>(capacity, 0));
}

}  // namespace

CGrowthState::CGrowthState(std::int32_t capacity)
    : m_branches(new CBranch[PoolSize(capacity)]()),
      m_capacity(std::max<std::int32_t>(capacity, 0)),
      m_freeAtStart(new std::int32_t[PoolSize(capacity)]),
      m_diedSince(new std::int32_t[PoolSize(capacity)])
{
}

void CGrowthState::Step(CDC& dc)
{
    const std::int32_t n = std::min(m_inUse, m_capacity);

    m_freeAtStartCount = 0;
    m_diedSinceCount = 0;
    for (std::int32_t k = 0; k < n; ++k) {
        if (!m_branches[k].m_active)
            m_freeAtStart[m_freeAtStartCount++] = k;
    }

    for (std::int32_t i = 0; i < n; ++i) {
        CBranch& branch = m_branches[i];
        if (!branch.m_active)
            continue;
        const bool forks = GrowBranch(i, dc);
        if (!branch.m_active)
            m_diedSince[m_diedSinceCount++] = i;  // i only grows, so the list stays ascending
        else if (forks)
            ForkInto(branch);
    }

    if (!(UnitRandom() * 100 > kReseedAbove))
        return;
    Reseed(dc, n);
}

void CGrowthState::ForkInto(const CBranch& parent)
{
    // Merges the two ascending lists, so the slots are taken (and their
    // directions drawn) in index order.
    std::int32_t a = 0;
    std::int32_t d = 0;
    while (a < m_freeAtStartCount || d < m_diedSinceCount) {
        const bool fromStart =
            d == m_diedSinceCount || (a < m_freeAtStartCount && m_freeAtStart[a] < m_diedSince[d]);
        const std::int32_t k = fromStart ? m_freeAtStart[a++] : m_diedSince[d++];
        TakeSlot(m_branches[k], parent);
    }
    m_freeAtStartCount = 0;
    m_diedSinceCount = 0;
}

void CGrowthState::TakeSlot(CBranch& slot, const CBranch& parent)
{
    // The slot keeps the pen width its last branch died with.
    slot.m_active = true;
    slot.m_x = parent.m_x;
    slot.m_y = parent.m_y;
    slot.m_length = parent.m_length;
    slot.m_angle = RoundNearest(UnitRandom() * 120 + 30);
    slot.m_color = parent.m_color;
    slot.m_count = parent.m_count;
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
    // Where the context knows that no pixel within the probes' reach is
    // above even the last (darkest) bar, every probe would fail: their draws
    // are skipped in one jump, leaving the generator where probing would.
    if (dc.NoneAbove(ProbeReach(slot, inside), LastProbeBar())) {
        GrowthRandom().Skip(2 * kProbeAttempts);
    } else {
        for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
            if (inside) {
                // Near the old tip; the offsets lean left and down on purpose.
                const std::int32_t dx = Truncate(UnitRandom() * 29) - 19;
                const std::int32_t dy = Truncate(UnitRandom() * 40) - 5;
                if (dc.PixelAbove(slot.m_x + dx, slot.m_y + dy, ProbeThreshold(attempt))) {
                    slot.m_x += dx;
                    slot.m_y += dy;
                    return;
                }
            } else {
                slot.m_x = Truncate(UnitRandom() * m_clientWidth);
                slot.m_y = Truncate(UnitRandom() * m_clientHeight);
                if (dc.PixelAbove(slot.m_x, slot.m_y, ProbeThreshold(attempt)))
                    return;
            }
        }
    }
    slot.m_x = Truncate(UnitRandom() * m_clientWidth);
    slot.m_y = Truncate(UnitRandom() * m_clientHeight);
}

CRect CGrowthState::ProbeReach(const CBranch& slot, bool inside) const
{
    if (!inside)
        return CRect(0, 0, m_clientWidth, m_clientHeight);
    // Offsets -19..9 across and -5..34 down; a tip this near the 32-bit
    // limit gets no box, and is probed.
    if (slot.m_x > INT32_MAX - 10 || slot.m_y > INT32_MAX - 35)
        return CRect();
    return CRect(slot.m_x - 19, slot.m_y - 5, slot.m_x + 10, slot.m_y + 35);
}
