// The growth of one canvas: the pool of branch slots, the part of it in use,
// and the step that grows, forks and re-seeds them. The canvas window
// derives from it; anything else (tests, the render tool) can drive it on
// any device context.
#pragma once

#include "branch.h"
#include "dc.h"

#include <cstdint>
#include <memory>

class CGrowthState {
public:
    // Allocates a pool of capacity slots, all inactive at (0, 0). A negative
    // capacity gives an empty pool.
    explicit CGrowthState(std::int32_t capacity);
    virtual ~CGrowthState() = default;
    CGrowthState(const CGrowthState&) = delete;
    CGrowthState& operator=(const CGrowthState&) = delete;

    // One growth step on dc. Phase 1 grows every active slot in use by one
    // segment, in index order; a fork hands every free slot in use to the
    // forking branch. Phase 2 draws one random number and, with chance
    // 1311 in 32768, restarts every slot in use and places each on a bright
    // pixel of dc found by probing. Touches only slots 0..m_inUse-1 (none
    // when m_inUse <= 0) and never more than the pool holds.
    void Step(CDC& dc);

    // The probe threshold of try l (0..59) of a re-seed search: a pixel is
    // accepted when its whole 0x00BBGGRR value is above it.
    static constexpr std::uint32_t ProbeThreshold(int attempt)
    {
        return 0xEEEEEEu - static_cast<std::uint32_t>(attempt) * 0x020202u;
    }
    static constexpr int kProbeAttempts = 60;
    // The darkest bar a probe asks about, that of the last try. Every branch
    // colour lies below it, so branches never count as a bright spot.
    static constexpr std::uint32_t LastProbeBar() { return ProbeThreshold(kProbeAttempts - 1); }

    std::int32_t m_inUse = 0;
    std::unique_ptr<CBranch[]> m_branches;
    std::int32_t m_capacity = 0;
    double m_sizeFactor = 1.0;
    bool m_small = false;
    std::int32_t m_clientWidth = 0;
    std::int32_t m_clientHeight = 0;

protected:
    // Grows slot index by one segment; true when it forks. Observers such as
    // the render tool's tracer override it to see each segment with its slot.
    virtual bool GrowBranch(std::int32_t index, CDC& dc) { return m_branches[index].Grow(dc); }

private:
    // Gives every free slot, in index order, to the branch that forked.
    void ForkInto(const CBranch& parent);
    void TakeSlot(CBranch& slot, const CBranch& parent);
    void Reseed(CDC& dc, std::int32_t n);
    void PlaceReseededTip(CDC& dc, CBranch& slot) const;
    // The box every probe for slot falls in (empty: none is known).
    CRect ProbeReach(const CBranch& slot, bool inside) const;

    // The free slots in use during phase 1, so that a fork visits only
    // those instead of every slot in use: the ones free when the step
    // began and not yet taken, and the ones whose branches died since,
    // each list in ascending index order. A fork takes them all, so both
    // are empty after it. Sized for the whole pool once, so the step
    // allocates nothing.
    std::unique_ptr<std::int32_t[]> m_freeAtStart;
    std::int32_t m_freeAtStartCount = 0;
    std::unique_ptr<std::int32_t[]> m_diedSince;
    std::int32_t m_diedSinceCount = 0;
};
