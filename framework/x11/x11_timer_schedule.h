// When each window timer ticks under the X11 port's poll loop, as Windows
// paces WM_TIMER: a timer asking for less than the floor ticks at the
// floor's period; a new timer (or one set again after being killed) first
// ticks one period after the schedule first sees it; a tick that comes late
// is not made up for (late ticks coalesce into one, as Windows coalesces
// them), and the next is one period after the missed one or, when that has
// passed too, at once on the next round.
#pragma once

#include "afxtypes.h"

#include <chrono>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class CX11TimerSchedule {
public:
    using Clock = std::chrono::steady_clock;
    using CTimerKey = std::pair<HWND, UINT_PTR>;

    struct CTimer {
        HWND hWnd;
        UINT_PTR id;
        UINT elapseMs;  // as the window asked
    };

    // Takes the timers that are set now (all of them: one missing is
    // forgotten, as killed) and returns those due at now, in the order
    // given, planning each one's next tick.
    std::vector<CTimerKey> TakeDue(const std::vector<CTimer>& timers, Clock::time_point now, long floorMicros);

    // The earliest planned tick; none while no timer is set.
    std::optional<Clock::time_point> NextDue() const;

private:
    std::map<CTimerKey, Clock::time_point> m_due;
};
