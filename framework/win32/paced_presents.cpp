#include "paced_presents.h"

#include "client_hdc.h"
#include "surface/damage.h"
#include "pacing/display_frame.h"
#include "pacing/present_pacer.h"
#include "window_picture.h"

#include <chrono>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {

using Clock = CPresentPacer::Clock;

// Windows raises shorter timer periods to this (USER_TIMER_MINIMUM).
constexpr Clock::duration kShortestTick = std::chrono::milliseconds(USER_TIMER_MINIMUM);

// The display's frame, from the refresh rate of the primary display's
// current mode (0 or 1: the hardware's default, which gives 60 Hz).
Clock::duration ReadDisplayFrame()
{
    DEVMODE mode{};
    mode.dmSize = sizeof mode;
    if (!::EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return DisplayFrame(0.0);
    return DisplayFrame(static_cast<double>(mode.dmDisplayFrequency));
}

struct CTimerTrack {
    Clock::duration period;
    Clock::time_point last;  // when it was set or last ticked
};

void CALLBACK OnWake(HWND, UINT, UINT_PTR id, DWORD);

class CThreadPacing {
public:
    void Drew(HWND hWnd, HDC hdc, const std::vector<CRect>& rects)
    {
        CDamage& damage = m_waiting[hWnd];
        for (const CRect& r : rects)
            damage.Add(r);
        m_pacer.Drew(Clock::now());
        Settle(hWnd, hdc);
    }

    void Forget(HWND hWnd)
    {
        m_waiting.erase(hWnd);
        for (auto it = m_timers.begin(); it != m_timers.end();)
            it = it->first.first == hWnd ? m_timers.erase(it) : std::next(it);
        Settle(nullptr, nullptr);
    }

    void TimerSet(HWND hWnd, UINT_PTR id, UINT elapse)
    {
        const Clock::duration period = std::chrono::milliseconds(elapse);
        m_timers[{hWnd, id}] = CTimerTrack{period < kShortestTick ? kShortestTick : period, Clock::now()};
    }

    void TimerKilled(HWND hWnd, UINT_PTR id)
    {
        if (m_timers.erase({hWnd, id}) != 0)
            Settle(nullptr, nullptr);
    }

    void TickStarts(HWND hWnd, UINT_PTR id)
    {
        const auto found = m_timers.find({hWnd, id});
        if (found != m_timers.end())
            found->second.last = Clock::now();
    }

    void TickEnded()
    {
        if (m_pacer.Waiting())
            Settle(nullptr, nullptr);
    }

    void Wake(UINT_PTR id)
    {
        if (id != m_wakeTimer)
            return;  // one killed after it was queued
        Disarm();
        // Armed for when the waiting changes are due.
        if (m_pacer.Waiting())
            PresentWaiting(nullptr, nullptr);
    }

private:
    // When the next tick of a timer set through the framework is due. A
    // timer overdue by more than its period is not counted on: its ticks
    // are not coming (a busy queue delays them by less).
    std::optional<Clock::time_point> NextTick(Clock::time_point now) const
    {
        std::optional<Clock::time_point> next;
        for (const auto& [key, timer] : m_timers) {
            const Clock::time_point due = timer.last + timer.period;
            if (due + timer.period >= now && (!next || due < *next))
                next = due;
        }
        return next;
    }

    // Presents what waits if it is due now, else makes sure the thread
    // wakes for it when no tick comes in time. hWnd and hdc: a client
    // context still open, to present that window's changes through.
    void Settle(HWND hWnd, HDC hdc)
    {
        if (!m_pacer.Waiting()) {
            Disarm();
            return;
        }
        const Clock::time_point now = Clock::now();
        const std::optional<Clock::time_point> next = NextTick(now);
        if (m_pacer.PresentNow(now, next)) {
            Disarm();
            PresentWaiting(hWnd, hdc);
            return;
        }
        const std::optional<Clock::time_point> wake = m_pacer.WakeAt(next);
        if (!wake) {
            Disarm();
            return;
        }
        if (m_wakeTimer != 0 && m_wakeAt == wake)
            return;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
        m_wakeTimer = ::SetTimer(nullptr, m_wakeTimer, static_cast<UINT>(wait > 1 ? wait : 1), &OnWake);
        m_wakeAt = wake;
    }

    void Disarm()
    {
        if (m_wakeTimer != 0)
            ::KillTimer(nullptr, m_wakeTimer);
        m_wakeTimer = 0;
        m_wakeAt.reset();
    }

    void PresentWaiting(HWND hWnd, HDC hdc)
    {
        for (auto& [waiting, damage] : m_waiting) {
            const CSurface* picture = CWindowPictures::Find(waiting);
            if (damage.IsEmpty() || picture == nullptr)
                continue;
            if (waiting == hWnd && hdc != nullptr) {
                CWindowPictures::Present(hdc, *picture, damage.Rects());
            } else {
                const CClientHdc client(waiting);
                if (client.m_hdc != nullptr)
                    CWindowPictures::Present(client.m_hdc, *picture, damage.Rects());
            }
            damage.Clear();
        }
        m_pacer.Presented(Clock::now());
    }

    CPresentPacer m_pacer{ReadDisplayFrame()};
    // What each window's client contexts changed since the last present.
    std::unordered_map<HWND, CDamage> m_waiting;
    std::map<std::pair<HWND, UINT_PTR>, CTimerTrack> m_timers;
    UINT_PTR m_wakeTimer = 0;
    std::optional<Clock::time_point> m_wakeAt;
};

thread_local CThreadPacing t_pacing;

void CALLBACK OnWake(HWND, UINT, UINT_PTR id, DWORD)
{
    t_pacing.Wake(id);
}

}  // namespace

void CPacedPresents::Drew(HWND hWnd, HDC hdc, const std::vector<CRect>& rects)
{
    t_pacing.Drew(hWnd, hdc, rects);
}

void CPacedPresents::Forget(HWND hWnd)
{
    t_pacing.Forget(hWnd);
}

void CPacedPresents::TimerSet(HWND hWnd, UINT_PTR id, UINT elapse, bool callback)
{
    if (callback)
        t_pacing.TimerKilled(hWnd, id);  // replaces any timer of that id
    else
        t_pacing.TimerSet(hWnd, id, elapse);
}

void CPacedPresents::TimerKilled(HWND hWnd, UINT_PTR id)
{
    t_pacing.TimerKilled(hWnd, id);
}

void CPacedPresents::TickStarts(HWND hWnd, UINT_PTR id)
{
    t_pacing.TickStarts(hWnd, id);
}

void CPacedPresents::TickEnded()
{
    t_pacing.TickEnded();
}
