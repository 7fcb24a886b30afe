// Message tables: a derived class's table is searched before its base's,
// unlisted messages get default processing, Default() inside a handler
// reaches it, and a handler may destroy its own window.
#include "offscreen_driver.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CLog = std::vector<std::string>;

class CBaseProbe : public CWnd {
public:
    explicit CBaseProbe(CLog& log) : m_log(log) {}

protected:
    void OnTimer(UINT_PTR id) { m_log.push_back("base timer " + std::to_string(id)); }
    void OnKeyDown(UINT, UINT, UINT) { m_log.push_back("base key"); }
    BOOL OnNcActivate(BOOL active)
    {
        m_log.push_back("base ncactivate");
        return CWnd::OnNcActivate(active);
    }

    CLog& m_log;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
public:
    using CBaseProbe::CBaseProbe;

protected:
    void OnKeyDown(UINT key, UINT, UINT) { m_log.push_back("derived key " + std::to_string(key)); }
    BOOL OnSetCursor(CWnd*, UINT, UINT)
    {
        m_log.push_back("derived setcursor");
        return 7;
    }
    // Passes every system command on to the framework's handler, whose
    // Default() turns SC_CLOSE into WM_CLOSE.
    void OnSysCommand(UINT id, LPARAM lParam)
    {
        m_log.push_back("derived syscommand");
        CBaseProbe::OnSysCommand(id, lParam);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
    ON_WM_KEYDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

class MessageDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 40, 30, nullptr, 0));
    }

    COffscreenDriver m_driver;
    CLog m_log;
    CDerivedProbe m_wnd{m_log};
};

struct CDispatchCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CLog expectedLog;
    LRESULT expectedResult;
};

TEST_F(MessageDispatch, FindsTheNearestTableOrDefaultProcessing)
{
    const CDispatchCase cases[] = {
        {"derived table wins over the base's", WM_KEYDOWN, 'A', 1, {"derived key 65"}, 0},
        {"base table answers what the derived one lacks", WM_TIMER, 3, 0, {"base timer 3"}, 0},
        {"base handler's Default reaches default processing", WM_NCACTIVATE, TRUE, 0, {"base ncactivate"}, TRUE},
        {"handler's result is the message's", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, 0), {"derived setcursor"}, 7},
        {"no table lists it: default processing", WM_MOUSEMOVE, 0, 0, {}, 0},
        {"no table lists it: WM_NCCREATE defaults to success", WM_NCCREATE, 0, 0, {}, TRUE},
    };
    for (const CDispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        EXPECT_EQ(m_driver.Send(m_wnd.m_hWnd, c.message, c.wParam, c.lParam), c.expectedResult);
        EXPECT_EQ(m_log, c.expectedLog);
    }
}

TEST_F(MessageDispatch, DefaultInsideAHandlerActsOnTheCurrentMessage)
{
    // SC_SCREENSAVE reaches default processing, where Windows would start
    // the screen saver; nothing else happens.
    m_driver.SysCommand(m_wnd.m_hWnd, SC_SCREENSAVE);
    EXPECT_EQ(m_driver.ScreenSaveRequests(), 1);
    EXPECT_TRUE(IsWindow(m_wnd.m_hWnd));

    // SC_CLOSE with low bits set is still a close: Windows masks them.
    const HWND hWnd = m_wnd.m_hWnd;
    m_driver.SysCommand(hWnd, SC_CLOSE | 0x3);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(m_wnd.m_hWnd, nullptr);
    EXPECT_EQ(m_log, (CLog{"derived syscommand", "derived syscommand"}));
}

// A heap window that deletes itself when a key destroys it, like the
// full-screen canvas closing on input.
class CSelfClosingWnd : public CWnd {
public:
    explicit CSelfClosingWnd(bool& deleted) : m_deleted(deleted) {}
    ~CSelfClosingWnd() override { m_deleted = true; }
    void PostNcDestroy() override { delete this; }

protected:
    void OnKeyDown(UINT, UINT, UINT) { DestroyWindow(); }
    // The close goes through default processing, nested inside this
    // handler, which returns to a deleted object and touches nothing.
    void OnLButtonDown(UINT, CPoint) { SendMessage(WM_CLOSE); }

    bool& m_deleted;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClosingWnd, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(HandlerDestroysItsWindow, TheObjectGoesAndTheCallReturns)
{
    for (UINT message : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_LBUTTONDOWN)}) {
        SCOPED_TRACE(message);
        COffscreenDriver driver;
        bool deleted = false;
        auto* wnd = new CSelfClosingWnd(deleted);
        ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, 0));
        const HWND hWnd = wnd->m_hWnd;
        // Messages queued behind the one that destroys are dropped.
        PostMessage(hWnd, WM_KEYDOWN, 'B', 1);
        PostMessage(hWnd, WM_KEYDOWN, 'C', 1);
        if (message == WM_KEYDOWN)
            driver.Key(hWnd, WM_KEYDOWN, 'A');
        else
            driver.MouseButton(hWnd, WM_LBUTTONDOWN, 1, 1);
        EXPECT_TRUE(deleted);
        EXPECT_FALSE(IsWindow(hWnd));
        const COffscreenPumpResult pumped = driver.Pump();
        EXPECT_EQ(pumped.delivered, 0u);
        EXPECT_TRUE(pumped.idle);
    }
}

}  // namespace
