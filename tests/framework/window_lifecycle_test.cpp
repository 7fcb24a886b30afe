// Window creation and destruction on the off-screen port, beyond the
// contract both ports keep (window_contract_test.cpp): where a window is
// placed, creations the port refuses, the quit message among the posted
// ones, and what a reset leaves behind.
#include "app.h"
#include "life_probe.h"
#include "offscreen_driver.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

class CTestApp : public CWinApp {
};

class WindowLifecycle : public ::testing::Test {
protected:
    COffscreenDriver m_driver;
    CLog m_log;
};

TEST_F(WindowLifecycle, CreationPlacesTheWindowAndIsRefusedASecondTime)
{
    CLifeProbe wnd(m_log, "w");
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 5, 6, 70, 80, nullptr, 0));
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(5, 6, 75, 86));
    wnd.GetClientRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 70, 80));
    // A second creation on an attached object is refused.
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, 0));
}

TEST_F(WindowLifecycle, InvalidCreationsSendNothing)
{
    struct CCase {
        const char* name;
        LPCTSTR className;
        DWORD style;
        int width;
        HWND parent;
    };
    const CCase cases[] = {
        {"unregistered class", "NoSuchClass", WS_POPUP, 10, nullptr},
        {"child without a parent", nullptr, WS_CHILD, 10, nullptr},
        {"parent that is no window", nullptr, WS_CHILD, 10, reinterpret_cast<HWND>(0x5678)},
        {"wider than a surface may be", nullptr, WS_POPUP, CSurface::kMaxSide + 1, nullptr},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        CLifeProbe wnd(m_log, "w");
        EXPECT_FALSE(wnd.CreateEx(0, c.className, "", c.style, 0, 0, c.width, 10, c.parent, 0));
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        // No message, but the end of a failed creation.
        EXPECT_EQ(m_log, CLog{"w postncdestroy"});
    }
}

TEST_F(WindowLifecycle, MainWindowDestroyedPostsQuit)
{
    CTestApp app;
    CLifeProbe wnd(m_log, "w");
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    app.m_pMainWnd = &wnd;
    PostMessage(wnd.m_hWnd, WM_CLOSE, 0, 0);
    // The quit comes after the posted messages before it.
    PostMessage(wnd.m_hWnd, WM_NULL, 0, 0);

    const COffscreenPumpResult pumped = m_driver.Pump();
    EXPECT_TRUE(pumped.quit);
    EXPECT_EQ(pumped.exitCode, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(m_driver.Pump().quit);  // taken once
}

TEST_F(WindowLifecycle, OtherWindowsDoNotQuitAndRunReturnsAQuitCode)
{
    CTestApp app;
    {
        CLifeProbe wnd(m_log, "w");
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    }  // destroyed with its object
    EXPECT_EQ(m_log.back(), "w deleted");
    EXPECT_FALSE(m_driver.Pump().quit);

    PostQuitMessage(3);
    EXPECT_EQ(app.Run(), 3);
    EXPECT_EQ(app.Run(), 0);  // nothing left: the loop drains and ends
}

TEST_F(WindowLifecycle, ResetDestroysEverythingIncludingOrphans)
{
    const HWND host = m_driver.CreateHostWindow(CRect(0, 0, 100, 100));
    auto* child = new CLifeProbe(m_log, "c", true);
    ASSERT_TRUE(child->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, host, 0));
    auto* popup = new CLifeProbe(m_log, "p", true);
    ASSERT_TRUE(popup->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));

    // The host vanishes without destroying its child, as a killed process's
    // window does: the child is orphaned but still a window.
    EXPECT_TRUE(m_driver.AbandonHostWindow(host));
    EXPECT_FALSE(IsWindow(host));
    EXPECT_TRUE(IsWindow(child->m_hWnd));
    EXPECT_EQ(child->GetParentHandle(), host);
    EXPECT_FALSE(m_driver.AbandonHostWindow(popup->m_hWnd));  // not a host

    PostMessage(popup->m_hWnd, WM_NULL, 0, 0);
    popup->SetTimer(1, 10, nullptr);
    m_driver.SetScreenSize(640, 480);
    m_log.clear();
    m_driver.Reset();

    EXPECT_EQ(m_log, (CLog{"c destroy", "c ncdestroy", "c postncdestroy", "c deleted", "p destroy", "p ncdestroy",
                           "p postncdestroy", "p deleted"}));
    EXPECT_TRUE(m_driver.TopLevelWindows().empty());
    EXPECT_TRUE(m_driver.PostedMessages().empty());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

}  // namespace
