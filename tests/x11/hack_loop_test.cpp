// The program verdane's loop under load, on a private Xvfb: storms of
// resizes.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "x_screen.h"
#include "xvfb_server.h"

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

constexpr int kStartTimeoutMs = 10000;

class HackLoopTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new CXvfbServer(1024, 768); }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_server->Display().empty()) << "Xvfb did not start";
        m_screen = std::make_unique<CXScreen>(s_server->Display());
        ASSERT_NE(m_screen->Get(), nullptr);
        m_screen->SetRootPicture(0, 0, 0, 0);
    }

    Window WaitForHackWindow()
    {
        Window window = 0;
        WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kStartTimeoutMs);
        return window;
    }

    static CXvfbServer* s_server;
    std::unique_ptr<CXScreen> m_screen;
};

CXvfbServer* HackLoopTest::s_server = nullptr;

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

}  // namespace
