// The timers that the framework's windows of one thread have set without a
// callback: the port runs them itself (paced_presents.h) rather than
// through timers of Windows' own, keyed as Windows keys them, by window and
// id. Few, so kept in a list searched in turn; its storage stays from tick
// to tick.
#pragma once

#include "pacing/tick_schedule.h"

#include <vector>

class CWindowTimers {
public:
    // Sets the timer, or replaces the one set with its id.
    void Set(HWND hWnd, UINT_PTR id, UINT elapseMs);
    // Whether the timer was set (it is not any more).
    bool Kill(HWND hWnd, UINT_PTR id);
    // Kills every timer of the window, calling killed(key) for each.
    template <class Killed>
    void KillAll(HWND hWnd, Killed killed);

    const std::vector<CTickSchedule::CTimer>& All() const { return m_timers; }

private:
    std::vector<CTickSchedule::CTimer> m_timers;  // in the order first set
};

template <class Killed>
void CWindowTimers::KillAll(HWND hWnd, Killed killed)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->hWnd == hWnd) {
            killed(CTickSchedule::CTimerKey(it->hWnd, it->id));
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}
