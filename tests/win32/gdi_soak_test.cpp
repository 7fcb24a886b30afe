// A long run of the real saver window: 20,000 ticks of the full-screen
// window at "Growth Rate" 100, with a repaint every thousand, must give
// back every GDI object it takes (counted where the port creates and
// deletes them, since Wine has no GetGuiResources) and must not grow its
// memory. The ticks are sent one after another, as the timer would send
// them, without waiting the timer's period between them.
#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "canvas/full_screen_wnd.h"
#include "gdi_object_count.h"
#include "message_pump.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kTicks = 20000;
constexpr int kWarmUpTicks = 2000;
constexpr int kTicksPerRepaint = 1000;
// Growth the memory may show after the warm-up: far less than one byte per
// segment drawn, so that any per-tick or per-segment leak shows.
constexpr SIZE_T kMemorySlack = 512 * 1024;

// The process's committed private memory: its heaps, stacks and private
// mappings, walked region by region.
SIZE_T CommittedPrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr;
         VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
    }
    return total;
}

TEST(GdiSoak, TwentyThousandTicksGiveBackEveryGdiObjectAndKeepMemoryFlat)
{
    // The soak's settings instead of the user's store.
    CFixedSettingsApp app("verdane-soak", {{settings::kNames.growthRate, 100}});
    app.m_hInstance = GetModuleHandle(nullptr);
    const long long liveBefore = CGdiObjectCount::Live();
    const long long createdBefore = CGdiObjectCount::CreatedTotal();

    auto* saver = new CFullScreenWnd;  // deletes itself when destroyed
    saver->CreateFullScreen();
    const HWND hWnd = saver->m_hWnd;
    ASSERT_TRUE(IsWindow(hWnd));
    saver->UpdateWindow();
    saver->KillTimer(1);
    ASSERT_GT(saver->m_inUse, 100) << "a full screen's worth of branches";
    // What the window keeps between messages, if anything, stays the same.
    const long long liveWhileRunning = CGdiObjectCount::Live();

    SIZE_T memoryAfterWarmUp = 0;
    for (int tick = 1; tick <= kTicks; ++tick) {
        saver->SendMessage(WM_TIMER, 1, 0);
        if (tick % kTicksPerRepaint == 0) {
            saver->Invalidate(FALSE);
            saver->UpdateWindow();
            ASSERT_EQ(CGdiObjectCount::Live(), liveWhileRunning) << "after tick " << tick;
        }
        if (tick == kWarmUpTicks)
            memoryAfterWarmUp = CommittedPrivateBytes();
    }
    const SIZE_T memoryAtEnd = CommittedPrivateBytes();
    ASSERT_TRUE(IsWindow(hWnd)) << "nothing closed the window";
    saver->DestroyWindow();
    std::printf("soak: %d ticks, %lld GDI objects created, %lld live before and %lld after; committed private "
                "memory %zu KB after %d ticks, %zu KB at the end\n",
                kTicks, CGdiObjectCount::CreatedTotal() - createdBefore, liveBefore, CGdiObjectCount::Live(),
                static_cast<std::size_t>(memoryAfterWarmUp / 1024), kWarmUpTicks,
                static_cast<std::size_t>(memoryAtEnd / 1024));

    EXPECT_EQ(CGdiObjectCount::Live(), liveBefore);
    // At least a context per tick: the count saw the work.
    EXPECT_GE(CGdiObjectCount::CreatedTotal() - createdBefore, kTicks);
    EXPECT_LE(memoryAtEnd, memoryAfterWarmUp + kMemorySlack)
        << "committed private memory grew from " << memoryAfterWarmUp << " to " << memoryAtEnd << " bytes";

    // The window's destruction posted the quit message; take it.
    DiscardMessages();
}

}  // namespace
