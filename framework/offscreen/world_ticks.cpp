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
    if (!pumped.quit && !held && m_batches.Due(now)) {
        const CTickSchedule::CRun ticks = FireDue(now);
        if (ticks.fired > 0) {
            round.firstTick = ticks.firstPlanned;
            round.pumped = m_world.Pump();
        }
    }
    m_batches.Plan();
    return round;
}

CTickSchedule::CRun CWorldTicks::FireDue(Clock::time_point now)
{
    return m_batches.FireDue(
        now,
        [this](std::vector<CTickSchedule::CTimer>& timers) {
            m_world.ForEachChild(nullptr, [this, &timers](HWND top) { CollectTimers(m_world, top, timers); });
        },
        [this](const CTickSchedule::CTimerKey& key) { return m_world.FireTimer(key.first, key.second); });
}
