#include "world_ticks.h"

#include <vector>

namespace {

// The timers of the window and of every window below it.
void CollectTimers(const COffscreenWorld& world, HWND hWnd, std::vector<CTickSchedule::CTimer>& timers)
{
    for (const auto& [id, timer] : world.Find(hWnd)->timers)
        timers.push_back({hWnd, id, timer.elapse});
    world.ForEachChild(hWnd, [&world, &timers](HWND child) { CollectTimers(world, child, timers); });
}

}  // namespace

CWorldTicks::CRound CWorldTicks::Run(Clock::time_point now, const COffscreenPumpResult& pumped, bool held)
{
    CRound round{pumped, std::nullopt};
    if (!pumped.quit && !held && (!m_planned || now >= *m_planned)) {
        const CTickSchedule::CRun ticks = FireDue(now);
        if (ticks.fired > 0) {
            round.firstTick = ticks.firstPlanned;
            round.pumped = m_world.Pump();
        }
    }
    m_planned = NextTicks();
    return round;
}

CTickSchedule::CRun CWorldTicks::FireDue(Clock::time_point now)
{
    // Ticks slept past by choice are at most a frame late; later ones come
    // from a busy machine and coalesce rather than pile up. A floor of 0
    // (ticks as fast as they come) gathers none.
    const Clock::duration catchUp = m_floorMicros > 0 ? 2 * m_frame : Clock::duration::zero();
    const Clock::time_point deadline = now + m_frame;
    return m_schedule.RunDue(
        now, m_floorMicros, catchUp,
        [this](std::vector<CTickSchedule::CTimer>& timers) {
            m_world.ForEachChild(nullptr, [this, &timers](HWND top) { CollectTimers(m_world, top, timers); });
        },
        [this](const CTickSchedule::CTimerKey& key) { return m_world.FireTimer(key.first, key.second); },
        [deadline] { return Clock::now() >= deadline; });
}

std::optional<CWorldTicks::Clock::time_point> CWorldTicks::NextTicks() const
{
    const std::optional<Clock::time_point> due = m_schedule.NextDue();
    // A floor of 0 asks for ticks as fast as they come: not gathered.
    if (!due || m_floorMicros <= 0)
        return due;
    // The last tick due within a frame of the next: all of them run then,
    // and what the first drew is still on the screen within its frame.
    return m_schedule.LastDueBy(*due + m_frame);
}
