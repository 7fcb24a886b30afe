#include "present_pacer.h"

bool CPresentPacer::PresentNow(Clock::time_point now, std::optional<Clock::time_point> nextTick) const
{
    if (!m_waitingSince)
        return false;
    if (m_lastPresent && now < *m_lastPresent + m_frame)
        return false;  // one present per frame
    // A late tick (a busy machine) presents at once; else the next tick
    // carries the changes if it comes in time.
    return now >= *m_waitingSince + m_frame || !TickCarries(nextTick);
}

std::optional<CPresentPacer::Clock::time_point> CPresentPacer::WakeAt(std::optional<Clock::time_point> nextTick) const
{
    if (!m_waitingSince || TickCarries(nextTick))
        return std::nullopt;
    // The frame after the last present is never later than the deadline,
    // since the changes were drawn after that present.
    if (m_lastPresent)
        return *m_lastPresent + m_frame;
    return *m_waitingSince;
}
