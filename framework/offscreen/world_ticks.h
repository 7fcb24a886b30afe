// The timer ticks of a world whose owner runs its timers itself (a display
// port's loop), in batches paced to the display's frames (CTickBatches).
#pragma once

#include "offscreen_world.h"
#include "pacing/tick_batches.h"

#include <chrono>
#include <optional>

class CWorldTicks {
public:
    using Clock = std::chrono::steady_clock;

    // floorMicros: the timer floor (0: ticks as fast as they come, one at
    // a time); frame: the display's frame period.
    CWorldTicks(COffscreenWorld& world, long floorMicros, Clock::duration frame)
        : m_world(world), m_batches(floorMicros, frame)
    {
    }

    // Every tick due by now, those the loop slept past included, as far as
    // they run within a frame: input is read at least once a frame however
    // short the timers' period, and the ticks that do not fit are dropped.
    CTickSchedule::CRun FireDue(Clock::time_point now);

    // What one round of a loop's ticks did.
    struct CRound {
        COffscreenPumpResult pumped;  // what the world delivered last
        // When the first tick that ran was due: what the ticks drew waits
        // for the screen from then, which may be before this round when it
        // ran together with later ones. None when no tick ran.
        std::optional<Clock::time_point> firstTick;
    };

    // One round's ticks: when the next batch is due by now, and ticks are
    // not held (a dark monitor), the ticks due run and what they posted is
    // delivered. Ticks run at their batch's time, not early for an event
    // that happened to wake the loop (that would only shift the batches).
    // pumped: what the round delivered before; with its quit message no
    // tick runs. Afterwards Planned() says when the next batch runs.
    CRound Run(Clock::time_point now, const COffscreenPumpResult& pumped, bool held);

    // When the next ticks run, as of the last round (CTickBatches::Planned).
    const std::optional<Clock::time_point>& Planned() const { return m_batches.Planned(); }

private:
    COffscreenWorld& m_world;
    CTickBatches m_batches;
};
