// The program verdane's loop under load, on a private Xvfb: storms of
// resizes, timers far faster than the display, and the frame rate it
// reports.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "x_screen.h"
#include "xvfb_suite.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kStartTimeoutMs = 10000;

class HackLoopTest : public CXvfbSuite<1024, 768> {
protected:
    Window WaitForHackWindow()
    {
        Window window = 0;
        WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kStartTimeoutMs);
        return window;
    }

};

// A hundred resizes around 2000x1125 in a burst (a window manager's live
// resize, or xrandr changing modes), then the window is destroyed: the
// program applies only the latest size it has heard of, so it ends well
// within a second rather than working through every size, and it leaves
// no X error behind (a graphics context made for a window that went
// meanwhile must not be freed). Three storms, since the window can go at
// any point of one.
TEST_F(HackLoopTest, AResizeStormEndsPromptlyAndCleanlyWhenTheWindowGoes)
{
    using Clock = std::chrono::steady_clock;
    for (int storm = 0; storm < 3; ++storm) {
        SCOPED_TRACE("storm " + std::to_string(storm));
        CHackProcess hack(s_server->Display(), {"-window", "-geometry", "300x200+0+0", "--growth-rate", "100"});
        const Window window = WaitForHackWindow();
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(WaitFor([&] { return m_screen->CountBranchPixels(window) > 0; }, kStartTimeoutMs));
        for (int i = 0; i < 100; ++i) {
            XResizeWindow(m_screen->Get(), window, static_cast<unsigned>(1900 + (i * 37) % 200),
                          static_cast<unsigned>(1070 + (i * 53) % 110));
        }
        XDestroyWindow(m_screen->Get(), window);
        XSync(m_screen->Get(), False);
        const Clock::time_point closed = Clock::now();
        EXPECT_EQ(hack.WaitExit(1500), 0)
            << "still running " << std::chrono::duration<double>(Clock::now() - closed).count() << " s after";
        EXPECT_EQ(hack.Errors().find("X error"), std::string::npos) << hack.Errors();
    }
}

// With a timer of 1 µs far more ticks are due in a frame than the machine
// can run; the ticks that do not fit are dropped, and a key still ends
// -fullscreen at once: on this screen at the default growth, and on a 4K
// screen at "Growth Rate" and "Plant Size" 100, where each tick costs most.
TEST_F(HackLoopTest, ATinyDelayLeavesInputPrompt)
{
    using Clock = std::chrono::steady_clock;
    CXvfbServer large(3840, 2160);
    ASSERT_FALSE(large.Display().empty()) << "Xvfb did not start";
    struct CCase {
        const char* what;
        std::string display;
        std::vector<std::string> arguments;
    };
    const CCase cases[] = {
        {"1024x768, the defaults", s_server->Display(), {"-fullscreen", "-delay", "1"}},
        {"3840x2160 at 100/100", large.Display(),
         {"-fullscreen", "-delay", "1", "--growth-rate", "100", "--plant-size", "100"}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.what);
        CXScreen screen(c.display);
        ASSERT_NE(screen.Get(), nullptr);
        CHackProcess hack(c.display, c.arguments);
        Window window = 0;
        ASSERT_TRUE(WaitFor([&] { return (window = screen.FindHackWindow()) != 0; }, kStartTimeoutMs));
        // Let the ticks pile up for a while before the key.
        EXPECT_FALSE(hack.WaitExit(1000).has_value());
        screen.Key(window, 'a');
        const Clock::time_point pressed = Clock::now();
        EXPECT_EQ(hack.WaitExit(1500), 0)
            << "still running " << std::chrono::duration<double>(Clock::now() - pressed).count()
            << " s after the key";
    }
}

// -fps shows frames put on the screen, not timer ticks: with a timer of
// 1 ms (a thousand ticks a second) on a 60 Hz display it shows at most 60
// and a little. The figure is read off the window by matching its glyphs
// against the same server's rendering of them.
TEST_F(HackLoopTest, FpsCountsFramesShownNotTicks)
{
    CHackProcess hack(s_server->Display(),
                      {"-window", "-geometry", "300x200+0+0", "-fps", "--growth-rate", "100", "-delay", "1000"});
    const Window window = WaitForHackWindow();
    ASSERT_NE(window, 0u);
    // The first figure comes after a second of running.
    double fps = -1;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::string text = m_screen->ReadText(window, 10, 200 - 10, 11, "FPS: 0123456789.");
            if (text.rfind("FPS: ", 0) != 0)
                return false;
            fps = std::atof(text.c_str() + 5);
            return fps > 0;
        },
        kStartTimeoutMs))
        << "no frame rate readable in the window";
    EXPECT_LE(fps, 65.0);
}

}  // namespace
