#include "paced_presents.h"

#include "client_hdc.h"
#include "pacing/display_frame.h"
#include "pacing/present_pacer.h"
#include "pacing/tick_batches.h"
#include "surface/damage.h"
#include "window_picture.h"
#include "window_timers.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

using Clock = CPresentPacer::Clock;

// Windows raises shorter timer periods to this.
constexpr long kTimerFloorMicros = USER_TIMER_MINIMUM * 1000L;
// Windows' timers count whole milliseconds, so the thread timer may come a
// little before the time it was armed for; a batch due that soon runs.
constexpr Clock::duration kTimerSlack = std::chrono::milliseconds(1);

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

bool OfThisThread(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd) && ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId();
}

void CALLBACK OnWake(HWND, UINT, UINT_PTR id, DWORD);

class CThreadPacing {
public:
    void Drew(HWND hWnd, HDC hdc, const std::vector<CRect>& rects)
    {
        CDamage& damage = WaitingOf(hWnd);
        for (const CRect& r : rects)
            damage.Add(r);
        // A batch's drawing waits from its first tick, and is settled once
        // the batch has run.
        if (m_inTicks) {
            m_ticksDrew = true;
            return;
        }
        m_pacer.Drew(Clock::now());
        Settle(hWnd, hdc);
    }

    void Forget(HWND hWnd)
    {
        m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                       [hWnd](const CWaiting& w) { return w.hWnd == hWnd; }),
                        m_waiting.end());
        m_timers.KillAll(hWnd, [this](const CTickSchedule::CTimerKey& key) { m_batches.Forget(key); });
        if (m_batchHdc && m_batchHdc->m_hWnd == hWnd)
            m_batchHdc.reset();
        Settle(nullptr, nullptr);
    }

    UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse)
    {
        if (!OfThisThread(hWnd))
            return 0;
        m_timers.Set(hWnd, id, elapse);
        m_batches.Restart({hWnd, id, elapse}, Clock::now());
        Settle(nullptr, nullptr);
        // Success is a value other than 0, also for a timer of id 0.
        return id != 0 ? id : 1;
    }

    bool KillTimer(HWND hWnd, UINT_PTR id)
    {
        if (!m_timers.Kill(hWnd, id))
            return false;
        m_batches.Forget({hWnd, id});
        Settle(nullptr, nullptr);
        return true;
    }

    void Wake(UINT_PTR id)
    {
        if (id != m_wakeTimer)
            return;  // one killed after it was queued
        // Windows' timers repeat: unless armed anew, this one comes again a
        // period on, which is just when the next of steady batches is due.
        if (m_wakeAt)
            *m_wakeAt += m_wakePeriod;
        const Clock::time_point now = Clock::now();
        // A tick that runs a message loop of its own (a message box) gets
        // no nested batch: the ticks still due run when it returns.
        if (m_inTicks || !m_batches.Planned() || !m_batches.Due(now + kTimerSlack)) {
            Settle(nullptr, nullptr);
            return;
        }
        RunTicks(std::max(now, *m_batches.Planned()));
        if (m_batchHdc)
            Settle(m_batchHdc->m_hWnd, m_batchHdc->m_hdc);
        else
            Settle(nullptr, nullptr);
        m_batchHdc.reset();
    }

    HDC BatchHdc(HWND hWnd)
    {
        if (!m_inTicks)
            return nullptr;
        if (!m_batchHdc)
            m_batchHdc.emplace(hWnd);
        return m_batchHdc->m_hWnd == hWnd ? m_batchHdc->m_hdc : nullptr;
    }

private:
    struct CWaiting {
        HWND hWnd;
        CDamage damage;  // what its client contexts changed since the last present
    };

    CDamage& WaitingOf(HWND hWnd)
    {
        for (CWaiting& waiting : m_waiting) {
            if (waiting.hWnd == hWnd)
                return waiting.damage;
        }
        m_waiting.push_back({hWnd, CDamage()});
        return m_waiting.back().damage;
    }

    // The batch due by now, each tick sent to its window.
    void RunTicks(Clock::time_point now)
    {
        m_inTicks = true;
        m_ticksDrew = false;
        const CTickSchedule::CRun run = m_batches.FireDue(
            now,
            [this](std::vector<CTickSchedule::CTimer>& timers) {
                const std::vector<CTickSchedule::CTimer>& set = m_timers.All();
                timers.insert(timers.end(), set.begin(), set.end());
            },
            [](const CTickSchedule::CTimerKey& key) {
                if (!::IsWindow(key.first))
                    return false;
                ::SendMessage(key.first, WM_TIMER, key.second, 0);
                return true;
            });
        m_inTicks = false;
        m_batches.Plan();
        if (m_ticksDrew)
            m_pacer.Drew(run.firstPlanned.value_or(now));
    }

    // Presents what waits if it is due now, then arms the thread timer for
    // the next batch or for when what waits is due, whichever comes first.
    // hWnd and hdc: a client context still open, to present that window's
    // changes through.
    void Settle(HWND hWnd, HDC hdc)
    {
        const Clock::time_point now = Clock::now();
        const std::optional<Clock::time_point>& batch = m_batches.Planned();
        if (m_pacer.PresentNow(now, batch))
            PresentWaiting(hWnd, hdc);
        std::optional<Clock::time_point> wake = batch;
        const std::optional<Clock::time_point> present = m_pacer.WakeAt(batch);
        if (present && (!wake || *present < *wake))
            wake = present;
        Arm(now, wake);
    }

    void Arm(Clock::time_point now, const std::optional<Clock::time_point>& wake)
    {
        if (!wake) {
            if (m_wakeTimer != 0)
                ::KillTimer(nullptr, m_wakeTimer);
            m_wakeTimer = 0;
            m_wakeAt.reset();
            return;
        }
        // Arming costs a call to the wine server or the kernel: a timer
        // that comes within its millisecond is left as it is.
        if (m_wakeTimer != 0 && m_wakeAt && *m_wakeAt - *wake < kTimerSlack && *wake - *m_wakeAt < kTimerSlack)
            return;
        // Windows raises waits under USER_TIMER_MINIMUM to it.
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - now);
        m_wakePeriod = std::max<Clock::duration>(wait, std::chrono::milliseconds(USER_TIMER_MINIMUM));
        m_wakeTimer = ::SetTimer(nullptr, m_wakeTimer, static_cast<UINT>(wait.count() > 1 ? wait.count() : 1), &OnWake);
        m_wakeAt = m_wakeTimer != 0 ? std::optional<Clock::time_point>(now + m_wakePeriod) : std::nullopt;
    }

    void PresentWaiting(HWND hWnd, HDC hdc)
    {
        for (CWaiting& waiting : m_waiting) {
            const CSurface* picture = CWindowPictures::Find(waiting.hWnd);
            if (waiting.damage.IsEmpty() || picture == nullptr)
                continue;
            if (waiting.hWnd == hWnd && hdc != nullptr) {
                CWindowPictures::Present(hdc, *picture, waiting.damage.Rects());
            } else {
                const CClientHdc client(waiting.hWnd);
                if (client.m_hdc != nullptr)
                    CWindowPictures::Present(client.m_hdc, *picture, waiting.damage.Rects());
            }
            waiting.damage.Clear();
        }
        m_pacer.Presented(Clock::now());
    }

    CPresentPacer m_pacer{ReadDisplayFrame()};
    CTickBatches m_batches{kTimerFloorMicros, m_pacer.Frame()};
    CWindowTimers m_timers;
    std::vector<CWaiting> m_waiting;  // one per window that drew; few
    bool m_inTicks = false;
    bool m_ticksDrew = false;
    std::optional<CClientHdc> m_batchHdc;  // BatchHdc's
    UINT_PTR m_wakeTimer = 0;
    std::optional<Clock::time_point> m_wakeAt;  // when the thread timer comes next
    Clock::duration m_wakePeriod{};             // and how often it repeats
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

UINT_PTR CPacedPresents::SetTimer(HWND hWnd, UINT_PTR id, UINT elapse)
{
    return t_pacing.SetTimer(hWnd, id, elapse);
}

bool CPacedPresents::KillTimer(HWND hWnd, UINT_PTR id)
{
    return t_pacing.KillTimer(hWnd, id);
}

HDC CPacedPresents::BatchHdc(HWND hWnd)
{
    return t_pacing.BatchHdc(hWnd);
}
