// The saver's window ticking from its real timer at "Growth Rate" 100 and
// "Plant Size" 100: once the first ticks have sized what is kept, the
// thread timer's rounds, the ticks' client contexts, their visible regions
// and the paced presents allocate nothing. This suite counts every
// allocation of the process (allocation_count.h replaces operator new, so
// it is a program of its own).
#include "allocation_count.h"
#include "canvas/full_screen_wnd.h"
#include "message_pump.h"
#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

// Counts the growth timer's ticks on their way to the saver's window.
class CCountingSaver : public CFullScreenWnd {
public:
    int m_ticks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER)
            ++m_ticks;
        return CFullScreenWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(Win32TickAllocation, TimerTicksAtFullRateAllocateNothing)
{
    CFixedSettingsApp app("verdane-allocation", {{settings::kNames.growthRate, 100}, {settings::kNames.plantSize, 100}});
    app.m_hInstance = GetModuleHandle(nullptr);
    auto& saver = *new CCountingSaver;  // deletes itself when destroyed
    saver.CreateFullScreen();
    ASSERT_TRUE(IsWindow(saver.m_hWnd));
    saver.UpdateWindow();
    ASSERT_TRUE(PumpMessagesUntil([&] { return saver.m_ticks >= 200; }, 20000)) << "the timer ticks";

    const int ticksBefore = saver.m_ticks;
    const long long before = AllocationCount();
    const bool ticked = PumpMessagesUntil([&] { return saver.m_ticks >= ticksBefore + 100; }, 20000);
    const long long allocated = AllocationCount() - before;
    ASSERT_TRUE(ticked);
    EXPECT_EQ(allocated, 0) << "over " << saver.m_ticks - ticksBefore << " ticks";
    saver.DestroyWindow();  // last use of saver
}

}  // namespace
