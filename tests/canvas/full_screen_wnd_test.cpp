// The full-screen window's rules for when the user has come back.
#include "canvas/full_screen_wnd.h"
#include "canvas_test_app.h"
#include "offscreen_driver.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class FullScreenWnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_wnd = new CFullScreenWnd;  // deletes itself with its window
        m_wnd->CreateFullScreen();
        m_hWnd = m_wnd->m_hWnd;
        ASSERT_TRUE(IsWindow(m_hWnd));
        m_driver.Pump();  // the first paint
    }
    // Delivers what the window posted; true when that ended the program.
    bool Closed()
    {
        const COffscreenPumpResult result = m_driver.Pump();
        if (result.quit) {
            EXPECT_EQ(result.exitCode, 0);
        }
        EXPECT_EQ(result.quit, !IsWindow(m_hWnd));
        return result.quit;
    }

    COffscreenDriver m_driver;
    CCanvasTestApp m_app;
    CFullScreenWnd* m_wnd = nullptr;
    HWND m_hWnd = nullptr;
};

TEST_F(FullScreenWnd, CoversThePrimaryScreenTopmostWithTheInvisiblePointer)
{
    const auto info = m_driver.Window(m_hWnd);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->windowRect, CRect(0, 0, 1024, 768));
    EXPECT_EQ(info->style & (WS_POPUP | WS_VISIBLE), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(info->exStyle & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(info->className, CGrowthWnd::s_className);
    EXPECT_FALSE(m_wnd->m_small);
    EXPECT_EQ(m_wnd->m_inUse, 29);
    m_driver.MouseMove(m_hWnd, 5, 5);
    EXPECT_EQ(m_driver.Cursor(), nullptr);
}

TEST_F(FullScreenWnd, FirstPointerReportOnlyRecordsWhereItRests)
{
    m_driver.MouseMove(m_hWnd, 300, 200);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(m_wnd->m_lastMouse, CPoint(300, 200));
    m_driver.MouseMove(m_hWnd, 300, 200);
    EXPECT_FALSE(Closed()) << "the same position again";
    m_driver.MouseMove(m_hWnd, 301, 200);
    EXPECT_TRUE(Closed()) << "a one-pixel move";
}

TEST_F(FullScreenWnd, MoveInEitherCoordinateCloses)
{
    m_driver.MouseMove(m_hWnd, 0, 0);
    m_driver.MouseMove(m_hWnd, 0, 1);
    EXPECT_TRUE(Closed());
}

struct InputCase {
    const char* name;
    std::function<void(COffscreenDriver&, HWND)> deliver;
    bool closes;
};

TEST(FullScreenInput, EachSignOfTheUserClosesAndNothingElseDoes)
{
    const InputCase cases[] = {
        {"left button", [](COffscreenDriver& d, HWND h) { d.MouseButton(h, WM_LBUTTONDOWN, 1, 1); }, true},
        {"middle button", [](COffscreenDriver& d, HWND h) { d.MouseButton(h, WM_MBUTTONDOWN, 1, 1); }, true},
        {"right button", [](COffscreenDriver& d, HWND h) { d.MouseButton(h, WM_RBUTTONDOWN, 1, 1); }, true},
        {"wheel turned towards the user",
         [](COffscreenDriver& d, HWND h) { d.Send(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(1, 1)); },
         true},
        {"wheel tilted", [](COffscreenDriver& d, HWND h) { d.Send(h, WM_MOUSEHWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(1, 1)); },
         true},
        {"first side button",
         [](COffscreenDriver& d, HWND h) { d.Send(h, WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), MAKELPARAM(1, 1)); },
         true},
        {"second side button",
         [](COffscreenDriver& d, HWND h) { d.Send(h, WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), MAKELPARAM(1, 1)); },
         true},
        {"key", [](COffscreenDriver& d, HWND h) { d.Key(h, WM_KEYDOWN, VK_SPACE); }, true},
        {"system key", [](COffscreenDriver& d, HWND h) { d.Key(h, WM_SYSKEYDOWN, VK_MENU); }, true},
        {"deactivation", [](COffscreenDriver& d, HWND h) { d.Activate(h, WA_INACTIVE); }, true},
        {"another application activated", [](COffscreenDriver& d, HWND h) { d.ActivateApp(h, FALSE); }, true},
        {"activation", [](COffscreenDriver& d, HWND h) { d.Activate(h, WA_ACTIVE); }, false},
        {"application activated", [](COffscreenDriver& d, HWND h) { d.ActivateApp(h, TRUE); }, false},
        {"drawn inactive", [](COffscreenDriver& d, HWND h) { d.NcActivate(h, FALSE); }, false},
        {"screen saver again", [](COffscreenDriver& d, HWND h) { d.SysCommand(h, SC_SCREENSAVE); }, false},
        {"window menu close", [](COffscreenDriver& d, HWND h) { d.SysCommand(h, SC_CLOSE); }, false},
        {"close with low bits set", [](COffscreenDriver& d, HWND h) { d.SysCommand(h, SC_CLOSE | 2); }, true},
        {"growth ticks", [](COffscreenDriver& d, HWND h) { d.FireTimer(h, 1); }, false},
    };
    for (const InputCase& c : cases) {
        COffscreenDriver driver;
        CCanvasTestApp app;
        auto* wnd = new CFullScreenWnd;
        wnd->CreateFullScreen();
        const HWND hWnd = wnd->m_hWnd;
        driver.Pump();
        c.deliver(driver, hWnd);
        const COffscreenPumpResult result = driver.Pump();
        EXPECT_EQ(result.quit, c.closes) << c.name;
        EXPECT_EQ(IsWindow(hWnd) != FALSE, !c.closes) << c.name;
        EXPECT_EQ(driver.ScreenSaveRequests(), 0) << c.name;
    }
}

TEST_F(FullScreenWnd, RefusesToBeDrawnInactive)
{
    EXPECT_EQ(m_driver.NcActivate(m_hWnd, FALSE), FALSE);
    EXPECT_NE(m_driver.NcActivate(m_hWnd, TRUE), FALSE);
}

TEST_F(FullScreenWnd, ScreenSaveWithLowBitsGetsDefaultProcessing)
{
    m_driver.SysCommand(m_hWnd, SC_SCREENSAVE | 1);
    EXPECT_EQ(m_driver.ScreenSaveRequests(), 1);
    m_driver.SysCommand(m_hWnd, SC_SCREENSAVE);
    EXPECT_EQ(m_driver.ScreenSaveRequests(), 1) << "the exact command starts no second saver";
}

TEST_F(FullScreenWnd, BurstOfCloseRequestsDestroysOnce)
{
    m_driver.MouseMove(m_hWnd, 0, 0);
    for (int x = 1; x < 20; ++x)
        m_driver.MouseMove(m_hWnd, x, 0);
    EXPECT_TRUE(Closed());
}

TEST(FullScreenSmallScreen, NarrowPrimaryScreenGivesASmallCanvasStillWithoutPointer)
{
    COffscreenDriver driver;
    CCanvasTestApp app;
    driver.SetScreenSize(640, 480);
    CGrowthWnd::s_className = nullptr;  // as in a fresh process
    auto* wnd = new CFullScreenWnd;
    wnd->CreateFullScreen();
    EXPECT_TRUE(wnd->m_small);
    const auto info = driver.Window(wnd->m_hWnd);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(driver.WindowClass(info->className.c_str())->cursor, COffscreenDriver::ArrowCursor());
    driver.MouseMove(wnd->m_hWnd, 3, 3);
    EXPECT_EQ(driver.Cursor(), nullptr);
}

}  // namespace
