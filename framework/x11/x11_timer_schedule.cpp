#include "x11_timer_schedule.h"

#include <algorithm>

std::vector<CX11TimerSchedule::CTimerKey> CX11TimerSchedule::TakeDue(const std::vector<CTimer>& timers,
                                                                       Clock::time_point now, long floorMicros)
{
    std::map<CTimerKey, Clock::time_point> due;
    std::vector<CTimerKey> fire;
    for (const CTimer& timer : timers) {
        const auto period = std::chrono::microseconds(std::max<long long>(timer.elapseMs * 1000LL, floorMicros));
        const CTimerKey key(timer.hWnd, timer.id);
        const auto known = m_due.find(key);
        if (known == m_due.end()) {
            due[key] = now + period;
        } else if (known->second <= now) {
            fire.push_back(key);
            due[key] = std::max(known->second + period, now);
        } else {
            due[key] = known->second;
        }
    }
    m_due = std::move(due);
    return fire;
}

std::optional<CX11TimerSchedule::Clock::time_point> CX11TimerSchedule::NextDue() const
{
    std::optional<Clock::time_point> next;
    for (const auto& entry : m_due) {
        if (!next || entry.second < *next)
            next = entry.second;
    }
    return next;
}
