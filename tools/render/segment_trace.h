// The render tool's trace: one tab-separated line per segment drawn, in
// drawing order: step slot x0 y0 x1 y1 width color, where width is the
// slot's pen width as stored and color eight lower-case hex digits.
#pragma once

#include "growth/branch.h"

#include <cstdint>
#include <cstdio>

class CSegmentTrace {
public:
    explicit CSegmentTrace(std::FILE* stream) : m_stream(stream) {}

    void SetStep(long long step) { m_step = step; }
    // Writes the segment slot drew from `before` to its new tip in `after`.
    void Write(std::int32_t slot, const CBranch& before, const CBranch& after) const
    {
        std::fprintf(m_stream, "%lld\t%d\t%d\t%d\t%d\t%d\t%d\t%08x\n", m_step, static_cast<int>(slot),
                     static_cast<int>(before.m_x), static_cast<int>(before.m_y), static_cast<int>(after.m_x),
                     static_cast<int>(after.m_y), static_cast<int>(before.m_penWidth),
                     static_cast<unsigned>(before.m_color));
    }

private:
    std::FILE* m_stream;
    long long m_step = 0;
};

// A growth that reports every segment to a trace (when it has one).
template <class TGrowth>
class CTracedGrowth : public TGrowth {
public:
    using TGrowth::TGrowth;
    CSegmentTrace* m_trace = nullptr;

protected:
    bool GrowBranch(std::int32_t index, CDC& dc) override
    {
        const CBranch before = this->m_branches[index];
        const bool forks = TGrowth::GrowBranch(index, dc);
        if (m_trace != nullptr)
            m_trace->Write(index, before, this->m_branches[index]);
        return forks;
    }
};
