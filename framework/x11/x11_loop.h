// The X11 port's message loop. Each round runs what is due (the server's
// events, posted messages and paints, the timer ticks due), presents what
// changed, and waits for the next thing to do (the server speaking, the
// next ticks, changes due on the screen). When the ticks run and when the
// loop wakes are planned once per round, after the ticks ran.
//
// Ticks come at the timers' rate, but the screen changes at most once per
// frame of the monitor (CPresentPacer): the ticks due within a frame run
// together, and what they drew reaches the screen within a frame.
#pragma once

#include "display_loop.h"
#include "offscreen_world.h"
#include "pacing/present_pacer.h"
#include "x11_display.h"
#include "x11_display_power.h"
#include "x11_event_dispatch.h"
#include "x11_fps_overlay.h"
#include "x11_run_options.h"
#include "x11_targets.h"
#include "world_ticks.h"

#include <chrono>
#include <optional>

class CX11Loop {
public:
    using Clock = std::chrono::steady_clock;

    CX11Loop(const CX11Display& display, COffscreenWorld& world, CX11Targets& targets,
             const CX11RunOptions& options);

    // Runs until the quit message (returning its code) or until no
    // top-level window is left (0).
    int Run();

private:
    // Events, posted messages and paints, then the ticks due; the quit
    // message's code when it came.
    std::optional<int> RunDue();
    // Puts on the screen what is due there.
    void Present();
    // Sleeps until there is something to do.
    void Wait();

    const CX11Display& m_display;
    COffscreenWorld& m_world;
    CX11Targets& m_targets;
    const CX11RunOptions m_options;
    CX11EventDispatch m_dispatch;
    CX11DisplayPower m_power;
    CPresentPacer m_pacer;
    CWorldTicks m_ticks;
    std::optional<CX11FpsOverlay> m_fps;

    // The round's plan.
    Clock::time_point m_now;                       // one time for the whole round
    bool m_asleep = false;                         // the monitor is dark: nothing ticks
    bool m_presenterWaits = false;                 // a presenter was not ready at the last present
    bool m_readable = true;                        // the server may have spoken
    // The serial of the next request when the connection was last flushed:
    // a round that made no request has nothing to flush.
    unsigned long m_flushedRequest = 0;
};
