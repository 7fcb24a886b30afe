#include "wayland_loop.h"

#include <poll.h>

#include <algorithm>

CWaylandLoop::CWaylandLoop(const CWaylandDisplay& display, COffscreenWorld& world, CWaylandTargets& targets,
                           const CWaylandRunOptions& options, Clock::duration frame)
    : m_display(display),
      m_world(world),
      m_targets(targets),
      m_seat(display, world, targets),
      m_pacer(frame),
      m_ticks(world, options.delayMicros, frame)
{
}

int CWaylandLoop::Run()
{
    return RunDisplayLoop(
        m_world, [this] { return RunDue(); }, [this] { Present(); }, [this] { Wait(); });
}

std::optional<int> CWaylandLoop::RunDue()
{
    m_display.DispatchPending();
    m_targets.Sync();  // the compositor's close requests become messages
    const COffscreenPumpResult pumped = m_world.Pump();
    m_now = Clock::now();
    const CWorldTicks::CRound round = m_ticks.Run(m_now, pumped, false);
    if (round.pumped.quit)
        return round.pumped.exitCode;
    if (m_targets.TakeTicksDrew())
        m_pacer.Drew(round.firstTick.value_or(m_now));
    return std::nullopt;
}

void CWaylandLoop::Present()
{
    m_targets.Sync();
    m_seat.SyncPointer();
    // What timers drew waits for the display's pace; paints go now, as far
    // as the surfaces' frame callbacks let them.
    const bool ticks = m_pacer.PresentNow(m_now, m_ticks.Planned());
    const CWaylandTarget::CPresented presented = m_targets.Present(ticks);
    m_surfaceWaits = presented.heldBack;
    if (ticks && !m_surfaceWaits)
        m_pacer.Presented(m_now);
    m_display.Flush();
}

void CWaylandLoop::Wait()
{
    wl_display* display = m_display.Get();
    // Events already read are dispatched by the next round, not waited for.
    if (wl_display_prepare_read(display) != 0)
        return;
    m_display.Flush();
    // Until the compositor speaks, the next ticks are due or changes are
    // due on the screen. A surface waiting for its frame callback is woken
    // by the callback, not by the pacer.
    std::optional<Clock::time_point> next = m_ticks.Planned();
    const std::optional<Clock::time_point> present = m_surfaceWaits ? std::nullopt : m_pacer.WakeAt(m_ticks.Planned());
    if (present && (!next || *present < *next))
        next = present;
    timespec timeout{};
    if (next) {
        const auto wait = std::max(*next - Clock::now(), Clock::duration::zero());
        const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timeout.tv_sec = static_cast<time_t>(nanos / 1000000000);
        timeout.tv_nsec = static_cast<long>(nanos % 1000000000);
    }
    pollfd socket{wl_display_get_fd(display), POLLIN, 0};
    if (ppoll(&socket, 1, next ? &timeout : nullptr, nullptr) > 0)
        m_display.ReadEvents();
    else
        wl_display_cancel_read(display);
}
