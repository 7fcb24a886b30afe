// Window services of the Win32 port that compute something of their own:
// centring, and screen-to-client mapping.
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

struct Popup : CWnd {
    Popup(const CRect& r, HWND owner = nullptr, DWORD style = WS_POPUP | WS_VISIBLE)
    {
        CreateEx(0, nullptr, "", style, r.left, r.top, r.Width(), r.Height(), owner, 0);
    }
    CRect WindowRect() const
    {
        CRect r;
        GetWindowRect(&r);
        return r;
    }
};

CRect PrimaryWorkArea()
{
    RECT work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

TEST(CenterWindow, OverItsOwner)
{
    Popup owner(CRect(100, 100, 500, 400));
    Popup owned(CRect(0, 0, 200, 100), owner.m_hWnd);
    owned.CenterWindow();
    EXPECT_EQ(owned.WindowRect(), CRect(200, 200, 400, 300));
}

TEST(CenterWindow, OverTheAlternateOwner)
{
    Popup owner(CRect(100, 100, 500, 400));
    Popup other(CRect(0, 0, 100, 100));
    Popup owned(CRect(0, 0, 50, 50), owner.m_hWnd);
    owned.CenterWindow(&other);
    EXPECT_EQ(owned.WindowRect(), CRect(25, 25, 75, 75));
}

TEST(CenterWindow, WithoutOwnerInTheWorkArea)
{
    const CRect work = PrimaryWorkArea();
    Popup lone(CRect(0, 0, 200, 100));
    lone.CenterWindow();
    const CRect r = lone.WindowRect();
    EXPECT_EQ(r.left, work.left + (work.Width() - 200) / 2);
    EXPECT_EQ(r.top, work.top + (work.Height() - 100) / 2);
}

TEST(CenterWindow, HiddenOwnerCountsAsNone)
{
    const CRect work = PrimaryWorkArea();
    Popup owner(CRect(0, 0, 100, 100), nullptr, WS_POPUP);
    Popup owned(CRect(0, 0, 200, 100), owner.m_hWnd);
    owned.CenterWindow();
    EXPECT_EQ(owned.WindowRect().left, work.left + (work.Width() - 200) / 2);
}

TEST(CenterWindow, KeptInsideTheWorkArea)
{
    const CRect work = PrimaryWorkArea();
    Popup owner(CRect(work.left, work.top, work.left + 20, work.top + 20));
    Popup owned(CRect(0, 0, 200, 100), owner.m_hWnd);
    owned.CenterWindow();
    EXPECT_EQ(owned.WindowRect().left, work.left);
    EXPECT_EQ(owned.WindowRect().top, work.top);
}

TEST(CenterWindow, ChildInItsParentsClientArea)
{
    Popup parent(CRect(50, 50, 350, 250));
    CRect client;
    parent.GetClientRect(&client);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, parent.m_hWnd, 1));
    child.CenterWindow();
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    EXPECT_EQ(r, CRect((client.Width() - 100) / 2, (client.Height() - 50) / 2, (client.Width() - 100) / 2 + 100,
                       (client.Height() - 50) / 2 + 50));
    EXPECT_EQ(child.GetParentHandle(), parent.m_hWnd);
    EXPECT_EQ(parent.GetDlgItem(1), &child);
}

}  // namespace
