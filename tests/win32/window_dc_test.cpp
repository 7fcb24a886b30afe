// The window device contexts of the Win32 port: what a paint context
// covers and where a client context draws.
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);

// A visible window that records what its paints were given.
class CPaintProbeWnd : public CWnd {
public:
    CRect m_paintRect;
    COLORREF m_inside = 0;
    COLORREF m_outside = 0;
    int m_paints = 0;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_paints;
        m_paintRect = dc.PaintRect();
        m_inside = dc.GetPixel(m_paintRect.left, m_paintRect.top);
        m_outside = dc.GetPixel(m_paintRect.right, m_paintRect.bottom);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintProbeWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowDC, PaintContextCoversThePartBeingRepainted)
{
    CPaintProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, 0));
    wnd.UpdateWindow();

    const RECT part{10, 20, 30, 25};
    ::InvalidateRect(wnd.m_hWnd, &part, FALSE);
    const int paintsBefore = wnd.m_paints;
    wnd.UpdateWindow();
    ASSERT_EQ(wnd.m_paints, paintsBefore + 1);
    EXPECT_EQ(wnd.m_paintRect, CRect(part));
    EXPECT_NE(wnd.m_inside, CLR_INVALID);
    EXPECT_EQ(wnd.m_outside, CLR_INVALID);

    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_paintRect, CRect(0, 0, 100, 80));
    wnd.DestroyWindow();
}

TEST(WindowDC, ClientContextDrawsOnTheClientArea)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, 0));
    wnd.UpdateWindow();
    CBrush blue(kBlue);
    {
        CClientDC dc(&wnd);
        dc.FillRect(CRect(0, 0, 60, 40), &blue);
        EXPECT_EQ(dc.GetPixel(59, 39), kBlue);
        EXPECT_EQ(dc.GetPixel(60, 39), CLR_INVALID);
    }
    wnd.DestroyWindow();
}

}  // namespace
