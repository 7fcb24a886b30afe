// Timer ticks run in batches paced to the display's frames: when timers
// tick faster than the display shows frames, the ticks due within a frame
// of the next one run together, at the last of them, so that a port wakes
// once for them (100 ticks a second at 60 Hz: two every 20 ms), and what
// the first drew is still on the screen within its frame. Ticks that a
// port slept past are delivered in time order as far as they fit in a
// frame (CTickSchedule); the rest coalesce, so that input is read at least
// once a frame however short the timers' period.
#pragma once

#include "tick_schedule.h"

#include <chrono>
#include <optional>
#include <vector>

class CTickBatches {
public:
    using Clock = CTickSchedule::Clock;

    // floorMicros: the timer floor (0: ticks as fast as they come, one at
    // a time); frame: the display's frame period.
    CTickBatches(long floorMicros, Clock::duration frame) : m_floorMicros(floorMicros), m_frame(frame) {}

    // Whether the planned batch is due at now (or nothing is planned yet).
    bool Due(Clock::time_point now) const { return !m_planned || now >= *m_planned; }

    // Every tick due by now, those slept past included, as far as they run
    // within a frame (CTickSchedule::RunDue's collect and fire). Does not
    // plan the next batch: Plan() does.
    template <class Collect, class Fire>
    CTickSchedule::CRun FireDue(Clock::time_point now, Collect collect, Fire fire)
    {
        const Clock::time_point deadline = now + m_frame;
        return m_schedule.RunDue(now, m_floorMicros, CatchUp(), collect, fire,
                                 [deadline] { return Clock::now() >= deadline; });
    }

    // Plans the next batch from what the schedule holds now.
    void Plan();
    // A timer set (again) at now, or killed, for a port that knows when
    // its timers are set (CTickSchedule::Restart, Forget); plans anew.
    void Restart(const CTickSchedule::CTimer& timer, Clock::time_point now)
    {
        m_schedule.Restart(timer, now, m_floorMicros);
        Plan();
    }
    void Forget(const CTickSchedule::CTimerKey& key)
    {
        m_schedule.Forget(key);
        Plan();
    }
    // When the next batch runs: the last tick due within a frame of the
    // next one, or the next one alone with a floor of 0. None while no
    // timer is set.
    const std::optional<Clock::time_point>& Planned() const { return m_planned; }

private:
    // Ticks slept past by choice are at most a frame late; later ones come
    // from a busy machine and coalesce rather than pile up. A floor of 0
    // (ticks as fast as they come) gathers none.
    Clock::duration CatchUp() const { return m_floorMicros > 0 ? 2 * m_frame : Clock::duration::zero(); }

    long m_floorMicros;
    Clock::duration m_frame;
    CTickSchedule m_schedule;
    std::optional<Clock::time_point> m_planned;
};
