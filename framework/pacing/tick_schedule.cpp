#include "tick_schedule.h"

#include <algorithm>

CTickSchedule::Clock::duration CTickSchedule::PeriodOf(UINT elapseMs, long floorMicros)
{
    return std::chrono::microseconds(std::max<long long>(elapseMs * 1000LL, floorMicros));
}

void CTickSchedule::Restart(const CTimer& timer, Clock::time_point now, long floorMicros)
{
    const CTimerKey key(timer.hWnd, timer.id);
    Forget(key);
    const Clock::duration period = PeriodOf(timer.elapseMs, floorMicros);
    m_plans.push_back({key, now + period, period, true});
}

void CTickSchedule::Forget(const CTimerKey& key)
{
    m_plans.erase(std::remove_if(m_plans.begin(), m_plans.end(), [&](const CPlan& p) { return p.key == key; }),
                  m_plans.end());
}

void CTickSchedule::Round(const std::vector<CTimer>& timers, Clock::time_point at, long floorMicros)
{
    m_fire.clear();
    for (CPlan& plan : m_plans)
        plan.seen = false;
    for (const CTimer& timer : timers) {
        const Clock::duration period = PeriodOf(timer.elapseMs, floorMicros);
        const CTimerKey key(timer.hWnd, timer.id);
        const auto known = std::find_if(m_plans.begin(), m_plans.end(), [&](const CPlan& p) { return p.key == key; });
        if (known == m_plans.end()) {
            m_plans.push_back({key, at + period, period, true});
        } else if (!known->seen) {
            known->seen = true;
            known->period = period;
            if (known->due <= at) {
                m_fire.push_back(key);
                known->due = std::max(known->due + period, at);
            }
        }
    }
    m_plans.erase(std::remove_if(m_plans.begin(), m_plans.end(), [](const CPlan& p) { return !p.seen; }),
                  m_plans.end());
}

void CTickSchedule::Coalesce(Clock::time_point now)
{
    for (CPlan& plan : m_plans)
        plan.due = std::max(plan.due, now);
}

std::optional<CTickSchedule::Clock::time_point> CTickSchedule::NextDue() const
{
    std::optional<Clock::time_point> next;
    for (const CPlan& plan : m_plans) {
        if (!next || plan.due < *next)
            next = plan.due;
    }
    return next;
}

std::optional<CTickSchedule::Clock::time_point> CTickSchedule::LastDueBy(Clock::time_point limit) const
{
    std::optional<Clock::time_point> last;
    for (const CPlan& plan : m_plans) {
        if (plan.due > limit)
            continue;
        const Clock::time_point latest =
            plan.period > Clock::duration::zero() ? plan.due + (limit - plan.due) / plan.period * plan.period : plan.due;
        if (!last || latest > *last)
            last = latest;
    }
    return last;
}
