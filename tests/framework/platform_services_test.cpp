// The Win32-named services, window classes and resources of the port, and
// the start of a program through AfxOffscreenMain.
#include "app.h"
#include "offscreen_driver.h"
#include "offscreen_entry.h"
#include "offscreen_world.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SystemMetrics, FollowTheDriversScreen)
{
    COffscreenDriver driver;
    driver.SetScreenSize(799, 600);
    const struct {
        int index;
        int expected;
    } cases[] = {{SM_CXSCREEN, 799}, {SM_CYSCREEN, 600}, {SM_CXICON, 32}, {SM_CYICON, 32}, {4242, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetSystemMetrics(c.index), c.expected);
    }
}

TEST(WindowClasses, OneClassPerArgumentSetWithItsCursor)
{
    COffscreenDriver driver;
    CWinApp app;
    const HCURSOR transparent = app.LoadCursor(129);
    ASSERT_NE(transparent, nullptr);
    EXPECT_NE(transparent, app.LoadCursor(130));
    EXPECT_NE(static_cast<HICON>(transparent), app.LoadIcon(129));
    EXPECT_EQ(app.LoadCursor(0), nullptr);

    LPCTSTR name = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, transparent);
    EXPECT_EQ(AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, transparent), name);
    EXPECT_NE(std::string(AfxRegisterWndClass(CS_HREDRAW, transparent)), name);
    EXPECT_EQ(driver.ClassRegistrations(), 3);
    const std::optional<COffscreenClass> registered = driver.WindowClass(name);
    ASSERT_TRUE(registered);
    EXPECT_EQ(registered->style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(registered->cursor, transparent);
    EXPECT_EQ(driver.WindowClass(nullptr)->cursor, COffscreenDriver::ArrowCursor());

    // Over the client area the pointer takes the class's cursor.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, name, "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, 0));
    EXPECT_EQ(driver.Window(wnd.m_hWnd)->className, name);
    EXPECT_EQ(driver.Cursor(), COffscreenDriver::ArrowCursor());
    driver.MouseMove(wnd.m_hWnd, 3, 4);
    EXPECT_EQ(driver.Cursor(), transparent);
    EXPECT_EQ(SetCursor(nullptr), transparent);
    EXPECT_EQ(driver.Cursor(), nullptr);

    // Classes outlive a reset: code keeps their names for the process.
    driver.Reset();
    EXPECT_TRUE(driver.WindowClass(name));
    EXPECT_EQ(driver.ClassRegistrations(), 0);
}

TEST(WindowServices, CentreAndVisibility)
{
    COffscreenDriver driver;
    const HWND host = driver.CreateHostWindow(CRect(100, 100, 300, 200), 0);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host, 0));
    EXPECT_FALSE(child.IsWindowVisible());  // its parent is hidden
    EXPECT_FALSE(child.IsIconic());
    child.CenterWindow();
    CRect rect;
    child.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(175, 140, 225, 160));
    child.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 50, 20));

    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 24, 8, nullptr, 0));
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.CenterWindow();
    popup.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(500, 380, 524, 388));  // over the 1024 x 768 screen
    popup.CenterWindow(&child);
    popup.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(188, 146, 212, 154));
}

// Runs as WinMain would have it: records what it saw and either ends at
// once or posts its quit code.
class CEntryApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL InitInstance() override
    {
        m_seenArgc = m_argc;
        if (m_quitCode < 0)
            return FALSE;
        PostQuitMessage(m_quitCode);
        return TRUE;
    }
    int m_quitCode = -1;
    int m_seenArgc = 0;
};

// Records whether Shift was held for each key it is given.
class CKeyStateProbe : public CWnd {
public:
    std::vector<bool> m_shift;

protected:
    void OnKeyDown(UINT, UINT, UINT) { m_shift.push_back(::GetKeyState(VK_SHIFT) < 0); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyStateProbe, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// Shift reads as the input being handled found it, not as later input in
// the queue has it, as on Windows.
TEST(KeyState, ShiftFollowsTheInputMessagesAsTheyAreDelivered)
{
    COffscreenDriver driver;
    CKeyStateProbe wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    COffscreenWorld& world = driver.World();
    world.PostInput(wnd.m_hWnd, WM_KEYDOWN, VK_TAB, 1, true);
    world.PostInput(wnd.m_hWnd, WM_KEYDOWN, VK_TAB, 1, true);
    world.PostInput(wnd.m_hWnd, WM_KEYDOWN, VK_TAB, 1, false);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);  // nothing delivered yet
    driver.Pump();
    EXPECT_EQ(wnd.m_shift, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(GetKeyState('A'), 0);
}

TEST(OffscreenMain, StartsTheApplicationLikeWinMain)
{
    COffscreenDriver driver;
    char program[] = "/opt/saver/verdane.scr";
    char option[] = "/s";
    char* argv[] = {program, option, nullptr};
    {
        CEntryApp app;
        EXPECT_EQ(AfxOffscreenMain(2, argv), 0);
        EXPECT_EQ(app.m_seenArgc, 2);
        EXPECT_STREQ(app.m_pszAppName, "verdane");
        EXPECT_NE(app.m_hInstance, nullptr);
    }
    {
        CEntryApp app("given");
        app.m_quitCode = 5;
        EXPECT_EQ(AfxOffscreenMain(2, argv), 5);
        EXPECT_STREQ(app.m_pszAppName, "given");
    }
    EXPECT_EQ(AfxOffscreenMain(2, argv), -1);  // no application object
}

}  // namespace
