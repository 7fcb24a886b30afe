#include "tick_batches.h"

void CTickBatches::Plan()
{
    const std::optional<Clock::time_point> due = m_schedule.NextDue();
    // A floor of 0 asks for ticks as fast as they come: not gathered.
    if (!due || m_floorMicros <= 0)
        m_planned = due;
    else
        m_planned = m_schedule.LastDueBy(*due + m_frame);
}
