// The timer ticks of a world whose owner runs its timers itself (a display
// port's loop), paced to the display's frames: the ticks due within one
// frame run together, and those the loop slept past are delivered in time
// order as far as they fit in a frame (CTickSchedule).
#pragma once

#include "offscreen_world.h"
#include "pacing/tick_schedule.h"

#include <chrono>
#include <optional>

class CWorldTicks {
public:
    using Clock = std::chrono::steady_clock;

    // floorMicros: the timer floor (0: ticks as fast as they come, one at
    // a time); frame: the display's frame period.
    CWorldTicks(COffscreenWorld& world, long floorMicros, Clock::duration frame)
        : m_world(world), m_floorMicros(floorMicros), m_frame(frame)
    {
    }

    // Every tick due by now, those the loop slept past included, as far as
    // they run within a frame: input is read at least once a frame however
    // short the timers' period, and the ticks that do not fit are dropped.
    CTickSchedule::CRun FireDue(Clock::time_point now);

    // When the next ticks run: when timers tick faster than the display
    // shows frames, at the last tick due within a frame of the next one,
    // all of them together (100 ticks a second at 60 Hz: two every 20 ms);
    // otherwise when the next is due. None while no timer is set.
    std::optional<Clock::time_point> NextTicks() const;

private:
    COffscreenWorld& m_world;
    long m_floorMicros;
    Clock::duration m_frame;
    CTickSchedule m_schedule;
};
