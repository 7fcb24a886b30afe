// GDI device contexts of the Win32 port: selection that hands back the
// previous object and restores the context's own, drawing through the
// selected objects, and the window contexts' clipping.
#include "gdi_dc.h"
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

// A memory context on an 8 x 8 top-down 32-bit bitmap, black at first.
class MemoryContext {
public:
    MemoryContext()
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 8;
        info.bmiHeader.biHeight = -8;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    }
    ~MemoryContext()
    {
        ::SelectObject(m_dc, m_oldBitmap);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC Handle() const { return m_dc; }
    HGDIOBJ CurrentPen() const { return ::GetCurrentObject(m_dc, OBJ_PEN); }
    HGDIOBJ CurrentBrush() const { return ::GetCurrentObject(m_dc, OBJ_BRUSH); }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_oldBitmap;
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(GdiDC, PenSelectionReturnsThePreviousPen)
{
    MemoryContext memory;
    const HGDIOBJ original = memory.CurrentPen();
    CPen red(PS_SOLID, 1, kRed);
    CPen blue(PS_SOLID, 1, kBlue);
    CGdiDC dc(memory.Handle());

    EXPECT_EQ(dc.SelectObject(&red), nullptr);
    EXPECT_EQ(memory.CurrentPen(), red.GetSafeHandle());
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(memory.CurrentPen(), blue.GetSafeHandle());
    // nullptr puts the context's own pen back.
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), &blue);
    EXPECT_EQ(memory.CurrentPen(), original);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_EQ(memory.CurrentPen(), original);
}

TEST(GdiDC, ObjectWithoutHandleLeavesTheSelection)
{
    MemoryContext memory;
    CPen red(PS_SOLID, 1, kRed);
    CPen none;
    CBrush noBrush;
    CGdiDC dc(memory.Handle());
    dc.SelectObject(&red);
    EXPECT_EQ(dc.SelectObject(&none), &red);
    EXPECT_EQ(memory.CurrentPen(), red.GetSafeHandle());
    EXPECT_EQ(dc.SelectObject(&noBrush), nullptr);
}

TEST(GdiDC, OriginalsAreBackWhenTheWrapperGoes)
{
    MemoryContext memory;
    const HGDIOBJ originalPen = memory.CurrentPen();
    const HGDIOBJ originalBrush = memory.CurrentBrush();
    CPen red(PS_SOLID, 1, kRed);
    CBrush blue(kBlue);
    {
        CGdiDC dc(memory.Handle());
        dc.SelectObject(&red);
        dc.SelectObject(&blue);
        EXPECT_EQ(memory.CurrentBrush(), blue.GetSafeHandle());
    }
    EXPECT_EQ(memory.CurrentPen(), originalPen);
    EXPECT_EQ(memory.CurrentBrush(), originalBrush);
}

TEST(GdiDC, DrawsWithTheSelectedObjects)
{
    MemoryContext memory;
    CGdiDC dc(memory.Handle());
    CPen red(PS_SOLID, 1, kRed);
    CBrush blue(kBlue);

    dc.FillRect(CRect(0, 0, 8, 8), nullptr);  // the initial white brush
    EXPECT_EQ(dc.GetPixel(7, 7), RGB(255, 255, 255));
    dc.FillRect(CRect(0, 4, 8, 8), &blue);
    EXPECT_EQ(dc.GetPixel(0, 3), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(0, 4), kBlue);

    dc.SelectObject(&red);
    EXPECT_EQ(dc.MoveTo(1, 1), CPoint(0, 0));
    EXPECT_EQ(dc.MoveTo(0, 1), CPoint(1, 1));
    EXPECT_TRUE(dc.LineTo(5, 1));
    EXPECT_EQ(dc.GetPixel(0, 1), kRed);
    EXPECT_EQ(dc.GetPixel(4, 1), kRed);
    EXPECT_EQ(dc.GetPixel(5, 1), RGB(255, 255, 255));  // the end point is left out
    EXPECT_EQ(dc.GetPixel(8, 1), CLR_INVALID);
    dc.SelectObject(static_cast<CPen*>(nullptr));
}

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
