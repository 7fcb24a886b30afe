// Window timers that the port runs itself keep Windows' rules: a killed
// timer never ticks again, one set again starts its period anew, a window
// destroyed with its timers set takes them along without upsetting the
// others, ticks never come faster than USER_TIMER_MINIMUM, and one thread
// timer per thread wakes for them, invisible to the windows.
#include "message_pump.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct CTick {
    UINT_PTR id;
    Clock::time_point at;
};

class CTimerWnd : public CWnd {
public:
    std::vector<CTick> m_ticks;

    BOOL CreatePopup() { return CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 20, 20, nullptr, 0); }
    int TicksOf(UINT_PTR id) const
    {
        int n = 0;
        for (const CTick& tick : m_ticks)
            n += tick.id == id ? 1 : 0;
        return n;
    }

protected:
    void OnTimer(UINT_PTR id) { m_ticks.push_back({id, Clock::now()}); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerWnd, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void Pump(DWORD ms)
{
    PumpMessagesUntil([] { return false; }, ms);
}

TEST(WindowTimers, KilledTimerNeverTicksAgainAndAnUnknownOneIsNotKilled)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_FALSE(wnd.KillTimer(3));
    ASSERT_EQ(wnd.SetTimer(1, 0, nullptr), 1u);
    ASSERT_EQ(wnd.SetTimer(2, 0, nullptr), 2u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return wnd.TicksOf(1) >= 3; }));
    EXPECT_TRUE(wnd.KillTimer(1));
    EXPECT_FALSE(wnd.KillTimer(1));
    const int ticksOfOne = wnd.TicksOf(1);
    const int ticksOfTwo = wnd.TicksOf(2);
    Pump(200);
    EXPECT_EQ(wnd.TicksOf(1), ticksOfOne);
    EXPECT_GT(wnd.TicksOf(2), ticksOfTwo) << "the other timer ticks on";
    wnd.DestroyWindow();
}

TEST(WindowTimers, TimerSetAgainFirstTicksAPeriodAfterThat)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    constexpr UINT kPeriodMs = 400;
    ASSERT_EQ(wnd.SetTimer(5, kPeriodMs, nullptr), 5u);
    Pump(200);
    ASSERT_EQ(wnd.TicksOf(5), 0);
    // Set again half-way: the tick the first setting planned does not come.
    const Clock::time_point setAgain = Clock::now();
    ASSERT_EQ(wnd.SetTimer(5, kPeriodMs, nullptr), 5u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return wnd.TicksOf(5) >= 1; }, 5000));
    const auto firstAfter = std::chrono::duration_cast<milliseconds>(wnd.m_ticks.front().at - setAgain);
    EXPECT_GE(firstAfter.count(), kPeriodMs - 15) << "ms after it was set again";
    wnd.DestroyWindow();
}

TEST(WindowTimers, WindowDestroyedWithTimersSetTakesThemAlong)
{
    CTimerWnd staying;
    ASSERT_TRUE(staying.CreatePopup());
    auto* going = new CTimerWnd;
    ASSERT_TRUE(going->CreatePopup());
    const HWND goingHandle = going->m_hWnd;
    ASSERT_EQ(going->SetTimer(1, 0, nullptr), 1u);
    ASSERT_EQ(staying.SetTimer(1, 0, nullptr), 1u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return going->TicksOf(1) >= 2; }));
    going->DestroyWindow();
    delete going;
    const int before = staying.TicksOf(1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return staying.TicksOf(1) >= before + 5; }));
    // A window that is gone has no timers to set.
    CTimerWnd never;
    never.m_hWnd = goingHandle;
    EXPECT_EQ(never.SetTimer(2, 0, nullptr), 0u);
    never.m_hWnd = nullptr;
    staying.DestroyWindow();
}

TEST(WindowTimers, TicksNeverComeFasterThanTheFloorAndTheWakeUpIsNoWindowsTick)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    ASSERT_EQ(wnd.SetTimer(9, 1, nullptr), 9u);
    const Clock::time_point start = Clock::now();
    Pump(500);
    const auto elapsed = Clock::now() - start;
    // Ticks due on the floor's grid from when the timer was set, however
    // they are gathered into batches.
    const long long allowed = elapsed / milliseconds(USER_TIMER_MINIMUM) + 1;
    EXPECT_LE(wnd.TicksOf(9), allowed);
    EXPECT_GE(wnd.TicksOf(9), allowed / 4) << "a loaded machine still ticks";
    EXPECT_EQ(static_cast<int>(wnd.m_ticks.size()), wnd.TicksOf(9)) << "no tick of another id";
    wnd.DestroyWindow();
}

}  // namespace
