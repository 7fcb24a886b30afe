#include "x11_loop.h"

#include "pacing/display_frame.h"
#include "x11_refresh.h"

#include <poll.h>

#include <algorithm>


CX11Loop::CX11Loop(const CX11Display& display, COffscreenWorld& world, CX11Targets& targets,
                   const CX11RunOptions& options)
    : m_display(display),
      m_world(world),
      m_targets(targets),
      m_options(options),
      m_dispatch(display, world, targets),
      m_power(display.Get()),
      // Presents follow the monitor's frames, read once: a hack lives on one.
      m_pacer(DisplayFrame(ReadRefreshRate(display.Get(), display.Root()))),
      m_ticks(world, options.delayMicros, m_pacer.Frame())
{
    if (options.showFps)
        m_fps.emplace(display);
}

int CX11Loop::Run()
{
    m_flushedRequest = NextRequest(m_display.Get());
    return RunDisplayLoop(
        m_world, [this] { return RunDue(); }, [this] { Present(); }, [this] { Wait(); });
}

std::optional<int> CX11Loop::RunDue()
{
    m_dispatch.Dispatch(m_readable);
    const COffscreenPumpResult pumped = m_world.Pump();
    m_now = Clock::now();
    // While the monitor is dark nothing grows: no tick, so no step and no
    // random number; input and closing work as ever.
    m_asleep = m_options.sleepWithDisplay && m_power.IsOff(m_now);
    const CWorldTicks::CRound round = m_ticks.Run(m_now, pumped, m_asleep);
    if (round.pumped.quit)
        return round.pumped.exitCode;
    if (m_targets.TakeTicksDrew())
        m_pacer.Drew(round.firstTick.value_or(m_now));
    return std::nullopt;
}

void CX11Loop::Present()
{
    m_targets.Sync();
    // What timers drew waits for the display's pace; the rest goes now.
    // While the monitor is dark no tick comes to carry what the last one
    // drew, so that goes out within a frame as well.
    const bool ticks = m_pacer.PresentNow(m_now, m_asleep ? std::nullopt : m_ticks.Planned());
    const CX11Target::CPresented presented = m_targets.Present(ticks);
    m_presenterWaits = presented.heldBack;
    if (ticks && !m_presenterWaits)
        m_pacer.Presented(m_now);
    if (m_fps)
        m_fps->Draw(m_targets, presented.any);
    // A round that asked nothing of the server (most ticks at a low growth
    // rate draw nothing) costs no system call here.
    Display* dpy = m_display.Get();
    if (NextRequest(dpy) != m_flushedRequest) {
        XFlush(dpy);
        m_flushedRequest = NextRequest(dpy);
    }
}

void CX11Loop::Wait()
{
    Display* dpy = m_display.Get();
    // Events that replies brought along are held by Xlib, where poll
    // cannot see them.
    if (XEventsQueued(dpy, QueuedAlready) > 0) {
        m_readable = false;
        return;
    }
    // Until the server speaks, the next ticks are due, changes are due on
    // the screen or, with the monitor dark, it is time to ask again whether
    // it still is. A presenter that was not ready is woken by its
    // confirmation; the pacer's wake-up may then lie in the past and is not
    // waited for.
    std::optional<Clock::time_point> next = m_asleep ? std::optional<Clock::time_point>(m_power.NextCheck())
                                                     : m_ticks.Planned();
    const std::optional<Clock::time_point> present =
        m_presenterWaits && !m_asleep ? std::optional<Clock::time_point>(Clock::now() + std::chrono::milliseconds(100))
                                      : m_pacer.WakeAt(m_asleep ? std::nullopt : m_ticks.Planned());
    if (present && (!next || *present < *next))
        next = present;
    const Clock::time_point before = Clock::now();
    timespec timeout{};
    if (next) {
        const auto wait = std::max(*next - before, Clock::duration::zero());
        const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timeout.tv_sec = static_cast<time_t>(nanos / 1000000000);
        timeout.tv_nsec = static_cast<long>(nanos % 1000000000);
    }
    // The server confirms each shared-memory present with an event. When
    // the loop wakes within two frames anyway, it reads that event then
    // rather than waking for it alone: anything else the server says
    // meanwhile (input included) waits at most that long, as it does in a
    // hack that handles events once per frame.
    const bool watchServer = !(next && *next <= before + 2 * m_pacer.Frame() && m_targets.AwaitingConfirmation());
    pollfd server{ConnectionNumber(dpy), POLLIN, 0};
    const int ready = ppoll(watchServer ? &server : nullptr, watchServer ? 1 : 0, next ? &timeout : nullptr, nullptr);
    m_readable = !watchServer || ready > 0;
}
