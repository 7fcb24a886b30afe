// A real tick of the growth window: the timer fires, the window opens a
// client context on its picture, grows one step and closes it, and what it
// changed goes to the display's damage sink. A hundred ticks a second must
// allocate nothing once the first ticks have sized what is kept. This suite
// counts every allocation of the process (allocation_count.h replaces
// operator new, so it is a program of its own).
#include "allocation_count.h"
#include "canvas/growth_wnd.h"
#include "canvas_test_app.h"
#include "offscreen_driver.h"
#include "surface/damage.h"
#include "world_ticks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

// Collects changes as a display does until its next frame, which takes and
// clears them.
class CCollectingSink : public COffscreenDamageSink {
public:
    void Damaged(HWND, bool painted, const std::vector<CRect>& rects) override
    {
        CDamage& record = painted ? m_painted : m_changed;
        for (const CRect& rect : rects)
            record.Add(rect);
        m_collected += static_cast<long long>(rects.size());
    }
    void Frame()
    {
        m_painted.Clear();
        m_changed.Clear();
    }
    long long Collected() const { return m_collected; }

private:
    CDamage m_painted{CDamage::kSpanJoinGap};
    CDamage m_changed{CDamage::kSpanJoinGap};
    long long m_collected = 0;
};

TEST(CanvasTickAllocation, TimerTicksAtFullRateAllocateNothing)
{
    constexpr int kWidth = 1920, kHeight = 1080;
    COffscreenDriver driver;
    CCanvasTestApp app;
    app.Set("Star Number", 100);  // "Growth Rate"
    app.Set("Star Speed", 100);   // "Plant Size"
    driver.SetScreenSize(kWidth, kHeight);
    driver.SetScreenPicture(CSurface(kWidth, kHeight, 0x808080));
    auto canvas = std::make_unique<CGrowthWnd>(FALSE);
    ASSERT_TRUE(canvas->Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr));
    CCollectingSink sink;
    driver.World().SetDamageSink(canvas->m_hWnd, &sink);
    driver.UpdateWindow(canvas->m_hWnd);

    // A display's loop at 60 Hz: every frame it runs the ticks due (the
    // timer floor is 10 ms, so one or two) and takes what they changed.
    using Clock = CWorldTicks::Clock;
    constexpr std::chrono::microseconds kFrame(16667);
    CWorldTicks ticks(driver.World(), 10000, kFrame);
    const Clock::time_point start = Clock::now() + std::chrono::hours(1);
    int frames = 0;
    int fired = 0;
    const auto frame = [&] {
        fired += ticks.FireDue(start + kFrame * frames++).fired;
        sink.Frame();
    };
    // The first ticks size the kept records, clip lists and stroke shapes.
    for (int i = 0; i < 600; ++i)
        frame();

    const long long collectedBefore = sink.Collected();
    const int firedBefore = fired;
    const long long before = AllocationCount();
    for (int i = 0; i < 200; ++i)
        frame();
    EXPECT_EQ(AllocationCount() - before, 0);
    EXPECT_EQ(fired - firedBefore, 333) << "a hundred ticks a second over 200 frames";
    EXPECT_GT(sink.Collected(), collectedBefore) << "the ticks drew and handed on what they changed";

    driver.World().SetDamageSink(canvas->m_hWnd, nullptr);
    canvas->DestroyWindow();
}

}  // namespace
