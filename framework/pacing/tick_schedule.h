// When each window timer ticks under a port that runs the timers itself
// (the X11 port's loop), as Windows paces WM_TIMER: a timer asking for less than the floor ticks at the
// floor's period; a new timer (or one set again after being killed) first
// ticks one period after the schedule first sees it; a tick that comes late
// is not made up for (late ticks coalesce into one, as Windows coalesces
// them), and the next is one period after the missed one or, when that has
// passed too, at once on the next round.
//
// The loop may also sleep past ticks on purpose, to wake once for all the
// ticks due within a display frame rather than once per tick: RunDue then
// delivers each tick it slept past, in time order, so the timers keep
// their rate, as far as they can be run in the time the loop gives it;
// the rest coalesce as late ticks do.
#pragma once

#include "afxtypes.h"

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

class CTickSchedule {
public:
    using Clock = std::chrono::steady_clock;
    using CTimerKey = std::pair<HWND, UINT_PTR>;

    struct CTimer {
        HWND hWnd;
        UINT_PTR id;
        UINT elapseMs;  // as the window asked
    };

    struct CRun {
        int fired = 0;  // ticks delivered
        // When the first of them was planned; none when none was.
        std::optional<Clock::time_point> firstPlanned;
    };

    // Delivers every tick planned up to now, in time order: a round at each
    // planned tick's own time, then one at now. A round takes the timers
    // that are set then (all of them: one missing is forgotten, as killed)
    // and fires those due, in the order given, planning each one's next
    // tick. Ticks
    // planned more than catchUp before now (a busy machine, not the loop's
    // choice) are judged at now - catchUp, where they coalesce as above.
    // collect(timers) fills in the timers set, and is asked again before
    // every round, since a tick may set or kill timers; fire(key) delivers
    // one tick and says whether it did. outOfTime() is asked after every
    // round but the last: once it says yes, the ticks still behind
    // coalesce into one due at now, so that a timer far faster than the
    // machine cannot hold the caller (and its input) for longer than it
    // allows.
    template <class Collect, class Fire, class OutOfTime>
    CRun RunDue(Clock::time_point now, long floorMicros, Clock::duration catchUp, Collect collect, Fire fire,
                OutOfTime outOfTime);

    // The timer is set (again) at now: its first tick is one period on,
    // whatever was planned for a timer of that key before, as Windows
    // restarts a timer that is set again. For a port that knows when its
    // timers are set, so that the first tick does not wait for a round.
    void Restart(const CTimer& timer, Clock::time_point now, long floorMicros);
    // The timer is killed: no tick of it is planned any more.
    void Forget(const CTimerKey& key);

    // The earliest planned tick; none while no timer is set.
    std::optional<Clock::time_point> NextDue() const;
    // The latest tick due by limit, each timer ticking on at its period
    // from its planned tick; none when no tick is planned by limit.
    std::optional<Clock::time_point> LastDueBy(Clock::time_point limit) const;

private:
    struct CPlan {
        CTimerKey key;
        Clock::time_point due;
        Clock::duration period;
        bool seen;  // set in the current round
    };

    // A timer's period: what it asks for, but never less than the floor.
    static Clock::duration PeriodOf(UINT elapseMs, long floorMicros);
    // The timers due at `at` into m_fire, which it empties first.
    void Round(const std::vector<CTimer>& timers, Clock::time_point at, long floorMicros);
    // Every tick planned before now becomes one due at now.
    void Coalesce(Clock::time_point now);

    std::vector<CPlan> m_plans;  // in the order first seen; few, so searched in turn
    // Reused from round to round, so that a round allocates nothing.
    std::vector<CTimer> m_timers;
    std::vector<CTimerKey> m_fire;
};

template <class Collect, class Fire, class OutOfTime>
CTickSchedule::CRun CTickSchedule::RunDue(Clock::time_point now, long floorMicros, Clock::duration catchUp,
                                                  Collect collect, Fire fire, OutOfTime outOfTime)
{
    CRun run;
    std::optional<Clock::time_point> previous;
    for (;;) {
        // The next round's time: the earliest planned tick, or now when
        // none is past; a round never goes back, so a period of 0 (always
        // due) ends in the round at now.
        const std::optional<Clock::time_point> next = NextDue();
        Clock::time_point at = now;
        if (next && *next < now && (!previous || *next > *previous))
            at = std::max(*next, now - catchUp);
        m_timers.clear();
        collect(m_timers);
        Round(m_timers, at, floorMicros);
        for (const CTimerKey& key : m_fire) {
            if (fire(key)) {
                if (!run.firstPlanned)
                    run.firstPlanned = at;
                ++run.fired;
            }
        }
        if (at == now)
            return run;
        if (outOfTime()) {
            Coalesce(now);
            return run;
        }
        previous = at;
    }
}
