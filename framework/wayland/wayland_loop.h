// The Wayland port's message loop. Each round runs what is due (the
// compositor's events, posted messages and paints, the timer ticks due),
// commits what changed, and waits for the next thing to do (the compositor
// speaking, the next ticks, changes due on the screen).
//
// Ticks come at the timers' rate, but the screen changes at most once per
// frame (CPresentPacer, paced to the output's refresh rate), and a surface
// takes a new commit only once the compositor has called back for the
// last: its frame callbacks are the display's frames. A surface the
// compositor does not show gets no callbacks, so it is not drawn to the
// screen in vain; its changes gather until it shows.
#pragma once

#include "display_loop.h"
#include "offscreen_world.h"
#include "pacing/present_pacer.h"
#include "wayland_display.h"
#include "wayland_run_options.h"
#include "wayland_seat.h"
#include "wayland_targets.h"
#include "world_ticks.h"

#include <chrono>
#include <optional>

class CWaylandLoop {
public:
    using Clock = std::chrono::steady_clock;

    // frame: the display's frame period.
    CWaylandLoop(const CWaylandDisplay& display, COffscreenWorld& world, CWaylandTargets& targets,
                 const CWaylandRunOptions& options, Clock::duration frame);

    // Runs until the quit message (returning its code) or until no
    // top-level window is left (0).
    int Run();

private:
    // Events, posted messages and paints, then the ticks due; the quit
    // message's code when it came.
    std::optional<int> RunDue();
    // Commits what is due on the screen.
    void Present();
    // Sleeps until there is something to do.
    void Wait();

    const CWaylandDisplay& m_display;
    COffscreenWorld& m_world;
    CWaylandTargets& m_targets;
    CWaylandSeat m_seat;
    CPresentPacer m_pacer;
    CWorldTicks m_ticks;

    // The round's plan.
    Clock::time_point m_now;                       // one time for the whole round
    bool m_surfaceWaits = false;  // a surface held changes back for its frame callback
};
