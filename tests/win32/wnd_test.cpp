// Windows of the Win32 port: attachment before the first message, dispatch
// through the message tables, default processing (also of a subclassed
// window of another class), and the end of a window's life.
#include "app.h"
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
    int m_createResult = 0;
    std::vector<UINT_PTR> m_timers;
    bool m_postNcDestroyed = false;
    HWND m_handleAtPostNcDestroy = reinterpret_cast<HWND>(1);
    bool m_nativeSawNcDestroyFirst = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    void PostNcDestroy() override
    {
        m_postNcDestroyed = true;
        m_handleAtPostNcDestroy = m_hWnd;
        m_nativeSawNcDestroyFirst = !m_messages.empty() && m_messages.back() == WM_NCDESTROY;
    }

    BOOL CreatePopup(LPCTSTR className = nullptr, LPCTSTR text = "logging")
    {
        return CreateEx(0, className, text, WS_POPUP, 0, 0, 50, 40, nullptr, 0);
    }

protected:
    int OnCreate(LPCREATESTRUCT createStruct)
    {
        m_attachedAtCreate = m_hWnd != nullptr && FromHandle(m_hWnd) == this;
        if (m_createResult != 0)
            return m_createResult;
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

// Deletes itself after its final message, as heap windows do.
class CSelfDeletingWnd : public CWnd {
public:
    explicit CSelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWnd() override { *m_deleted = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

bool Contains(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(Window, IsAttachedBeforeItsFirstMessage)
{
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_TRUE(wnd.m_attachedAtCreate);
    EXPECT_TRUE(Contains(wnd.m_messages, WM_NCCREATE));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_TRUE(wnd.DestroyWindow());
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

TEST(Window, FinalMessageRunsThenDetachesThenPostNcDestroy)
{
    CLoggingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    const HWND hWnd = wnd.m_hWnd;
    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.m_postNcDestroyed);
    EXPECT_TRUE(wnd.m_nativeSawNcDestroyFirst);
    EXPECT_EQ(wnd.m_handleAtPostNcDestroy, nullptr);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Window, HeapWindowDeletesItselfWhenDestroyed)
{
    bool deleted = false;
    auto* wnd = new CSelfDeletingWnd(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    const HWND hWnd = wnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST(Window, ObjectGoingFirstTakesItsWindowWithIt)
{
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

// Every failed creation ends in PostNcDestroy, whether the window got as far
// as its first message or not, so heap windows never leak or linger.
TEST(Window, FailedCreationEndsInPostNcDestroy)
{
    CLoggingWnd refused;
    refused.m_createResult = -1;
    EXPECT_FALSE(refused.CreatePopup());
    EXPECT_TRUE(refused.m_postNcDestroyed);
    EXPECT_EQ(refused.m_hWnd, nullptr);

    CLoggingWnd unknownClass;
    EXPECT_FALSE(unknownClass.CreatePopup("VerdaneNoSuchClass"));
    EXPECT_TRUE(unknownClass.m_postNcDestroyed);
    EXPECT_TRUE(unknownClass.m_messages.empty());
    EXPECT_EQ(unknownClass.m_hWnd, nullptr);

    bool deleted = false;
    auto* heap = new CSelfDeletingWnd(&deleted);
    EXPECT_FALSE(heap->CreateEx(0, "VerdaneNoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    EXPECT_TRUE(deleted);
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

TEST(Window, DestroyingTheMainWindowPostsTheQuitMessage)
{
    TakeQuitMessage();
    CWinApp app("WindowTest");
    CLoggingWnd other;
    ASSERT_TRUE(other.CreatePopup());
    other.DestroyWindow();
    EXPECT_FALSE(TakeQuitMessage());

    CLoggingWnd mainWnd;
    ASSERT_TRUE(mainWnd.CreatePopup());
    app.m_pMainWnd = &mainWnd;
    mainWnd.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    WPARAM code = 99;
    EXPECT_TRUE(TakeQuitMessage(&code));
    EXPECT_EQ(code, 0u);
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
