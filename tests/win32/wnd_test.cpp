// Windows of the Win32 port beyond the contract both ports keep
// (tests/framework/window_contract_test.cpp): dispatch through the message
// tables, default processing (also of a subclassed window of another
// class), and the window classes.
#include "message_pump.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Logs every message it sees and which handlers ran.
class CLoggingWnd : public CWnd {
public:
    std::vector<UINT> m_messages;
    bool m_attachedAtCreate = false;
    std::vector<UINT_PTR> m_timers;
    bool m_postNcDestroyed = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    void PostNcDestroy() override { m_postNcDestroyed = true; }

    BOOL CreatePopup(LPCTSTR className = nullptr, LPCTSTR text = "logging")
    {
        return CreateEx(0, className, text, WS_POPUP, 0, 0, 50, 40, nullptr, 0);
    }

protected:
    int OnCreate(LPCREATESTRUCT createStruct)
    {
        m_attachedAtCreate = m_hWnd != nullptr && FromHandle(m_hWnd) == this;
        return CWnd::OnCreate(createStruct);
    }

    void OnTimer(UINT_PTR id)
    {
        m_timers.push_back(id);
        KillTimer(id);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Overrides one handler of its base's table and leaves the rest to it.
class CDerivedWnd : public CLoggingWnd {
public:
    int m_paints = 0;

protected:
    void OnPaint()
    {
        ++m_paints;
        CWnd::OnPaint();  // default processing validates the window
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CLoggingWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

bool Contains(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(Window, FromHandleKnowsOnlyFrameworkWindows)
{
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CWnd::FromHandle(::GetDesktopWindow()), nullptr);
}

TEST(Window, DerivedTableFallsBackToBaseTableAndDefaultProcessing)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, "four"));
    // WM_CREATE is in the base's table only.
    EXPECT_TRUE(wnd.m_attachedAtCreate);
    // WM_PAINT is the derived table's.
    ::InvalidateRect(wnd.m_hWnd, nullptr, FALSE);
    wnd.SendMessage(WM_PAINT);
    EXPECT_EQ(wnd.m_paints, 1);
    // No table lists WM_GETTEXTLENGTH: the platform's processing answers.
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 4);
    // WM_TIMER through the base's table, from a real timer.
    ASSERT_EQ(wnd.SetTimer(7, 1, nullptr), 7u);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !wnd.m_timers.empty(); }));
    EXPECT_EQ(wnd.m_timers, std::vector<UINT_PTR>{7});
    wnd.DestroyWindow();
}

TEST(Window, WindowOfAnotherClassIsSubclassedWithItsOwnDefaultProcessing)
{
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup("STATIC", "static text"));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    // The static control's own procedure keeps its text.
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 11);
    EXPECT_TRUE(Contains(wnd.m_messages, WM_GETTEXTLENGTH));
    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.m_postNcDestroyed);
}

TEST(WindowClass, SameArgumentsShareOneClass)
{
    const HCURSOR cross = ::LoadCursor(nullptr, IDC_CROSS);
    const LPCTSTR first = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, cross);
    const LPCTSTR again = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, cross);
    const LPCTSTR otherStyle = AfxRegisterWndClass(CS_HREDRAW, cross);
    EXPECT_EQ(first, again);
    EXPECT_STRNE(first, otherStyle);

    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(::GetClassInfoEx(::GetModuleHandle(nullptr), first, &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hCursor, cross);
    EXPECT_EQ(wc.hbrBackground, nullptr);

    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(first));
    EXPECT_TRUE(wnd.m_attachedAtCreate);
    wnd.DestroyWindow();
}

TEST(WindowClass, DefaultClassHasArrowAndNoBackground)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtr(wnd.m_hWnd, GCLP_HCURSOR)),
              ::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(::GetClassLongPtr(wnd.m_hWnd, GCLP_HBRBACKGROUND), 0);
    wnd.DestroyWindow();
}

}  // namespace
