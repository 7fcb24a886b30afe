// The window contract that program code relies on, whichever port runs it:
// a window is attached to its object before its first message, the
// creation and destruction messages come in the platform's order, every
// failed creation ends in PostNcDestroy, heap windows delete themselves
// after their last message, and the main window's end ends the message
// loop. One source, compiled into the suite of each port.
#include "app.h"
#include "life_probe.h"
#include "window_contract_port.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

class WindowContract : public ::testing::Test {
protected:
    CWindowContractPort m_port;
    CLog m_log;
};

TEST_F(WindowContract, CreationAttachesBeforeTheFirstMessage)
{
    CLifeProbe wnd(m_log, "w");
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_TRUE(wnd.m_attachedAtNcCreate);
    EXPECT_EQ(m_log, (CLog{"w nccreate", "w create 70x80"}));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_TRUE(wnd.DestroyWindow());
}

// WM_DESTROY goes down from the parent, WM_NCDESTROY comes back up from the
// children; each object is detached before its PostNcDestroy.
TEST_F(WindowContract, DestructionReachesChildrenInOrderAndDetachesBeforePostNcDestroy)
{
    auto* parent = new CLifeProbe(m_log, "p", true);
    ASSERT_TRUE(parent->CreatePopup());
    auto* child = new CLifeProbe(m_log, "c", true);
    ASSERT_TRUE(child->CreateEx(0, nullptr, "", WS_CHILD, 1, 1, 5, 5, parent->m_hWnd, 7));
    EXPECT_EQ(parent->GetDlgItem(7), child);
    const HWND parentHandle = parent->m_hWnd;
    const HWND childHandle = child->m_hWnd;
    m_log.clear();

    EXPECT_TRUE(parent->DestroyWindow());
    EXPECT_EQ(m_log, (CLog{"p destroy", "c destroy", "c ncdestroy", "c postncdestroy", "c deleted",
                           "p ncdestroy", "p postncdestroy", "p deleted"}));
    for (const HWND gone : {parentHandle, childHandle}) {
        EXPECT_FALSE(::IsWindow(gone));
        EXPECT_EQ(CWnd::FromHandle(gone), nullptr);
    }
}

TEST_F(WindowContract, ObjectGoingFirstTakesItsWindowWithIt)
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

// Whether the window got as far as its first message or not, a failed
// creation ends in PostNcDestroy, so heap windows never leak or linger.
TEST_F(WindowContract, EveryFailedCreationEndsInPostNcDestroy)
{
    auto* refused = new CLifeProbe(m_log, "r", true);
    refused->m_createResult = -1;
    EXPECT_FALSE(refused->CreatePopup());
    // A window whose creation was refused never was: no WM_DESTROY.
    EXPECT_EQ(m_log, (CLog{"r nccreate", "r create 70x80", "r ncdestroy", "r postncdestroy", "r deleted"}));

    m_log.clear();
    auto* unknownClass = new CLifeProbe(m_log, "u", true);
    EXPECT_FALSE(unknownClass->CreatePopup("VerdaneNoSuchClass"));
    EXPECT_EQ(m_log, (CLog{"u postncdestroy", "u deleted"}));
}

TEST_F(WindowContract, OnlyTheMainWindowsEndPostsTheQuitMessage)
{
    CWinApp app("WindowContract");
    CLifeProbe other(m_log, "o");
    ASSERT_TRUE(other.CreatePopup());
    other.DestroyWindow();
    int code = 99;
    EXPECT_FALSE(m_port.TakeQuit(&code));

    CLifeProbe mainWnd(m_log, "m");
    ASSERT_TRUE(mainWnd.CreatePopup());
    app.m_pMainWnd = &mainWnd;
    mainWnd.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(m_port.TakeQuit(&code));
    EXPECT_EQ(code, 0);
}

}  // namespace
