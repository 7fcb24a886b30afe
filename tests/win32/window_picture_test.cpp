// Windows' pictures kept in memory: a window starts with what was beneath
// it (the screen, or what its parent prints), black when that cannot be
// had, and a window the framework attached to after its creation with its
// own drawing; its contexts keep GDI's clipping on the picture; what they
// draw is shown on the window, around its children, and shown again when
// the window is uncovered.
#include "message_pump.h"
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackdrop = RGB(200, 150, 100);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF ScreenPixel(int x, int y)
{
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

bool ScreenShows(int x, int y, COLORREF colour)
{
    return PumpMessagesUntil([&] { return ScreenPixel(x, y) == colour; }, 3000);
}

// A plain popup (or child) of the platform's own, filled with one colour
// by its class brush.
class CPlainWindow {
public:
    CPlainWindow(COLORREF colour, const RECT& rect, DWORD style, HWND parent = nullptr)
        : m_brush(::CreateSolidBrush(colour))
    {
        WNDCLASS plainClass{};
        plainClass.lpfnWndProc = &::DefWindowProc;
        plainClass.hInstance = ::GetModuleHandle(nullptr);
        plainClass.hbrBackground = m_brush;
        plainClass.lpszClassName = "VerdaneTestPlainWindow";
        ::UnregisterClass(plainClass.lpszClassName, plainClass.hInstance);
        ::RegisterClass(&plainClass);
        m_hWnd = ::CreateWindowEx(parent == nullptr ? WS_EX_TOPMOST : 0, plainClass.lpszClassName, "", style,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  nullptr, plainClass.hInstance, nullptr);
        ::UpdateWindow(m_hWnd);
    }
    ~CPlainWindow()
    {
        ::DestroyWindow(m_hWnd);
        ::DeleteObject(m_brush);
    }
    HWND Handle() const { return m_hWnd; }

private:
    HBRUSH m_brush;
    HWND m_hWnd = nullptr;
};

// A canvas-like window: its paints open a paint context, which shows the
// repainted part from the picture; with m_blacken set they also fill the
// client area black, within the repainted part only.
class CPictureWnd : public CWnd {
public:
    bool m_blacken = false;
    COLORREF m_outside = 0;

    BOOL Create(const RECT& rect, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr)
    {
        return CreateEx(parent == nullptr ? WS_EX_TOPMOST : 0, nullptr, "", style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent, 0);
    }
    COLORREF ClientPixel(int x, int y)
    {
        CClientDC dc(this);
        return dc.GetPixel(x, y);
    }
    void Fill(const RECT& rect, COLORREF colour)
    {
        CClientDC dc(this);
        CBrush brush(colour);
        dc.FillRect(rect, &brush);
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        if (m_blacken) {
            CBrush black(0);
            CRect client;
            GetClientRect(&client);
            dc.FillRect(client, &black);
        }
        m_outside = dc.GetPixel(0, 0);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPictureWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowPicture, TopLevelWindowStartsWithTheScreenBeneathIt)
{
    CPlainWindow backdrop(kBackdrop, CRect(40, 40, 240, 200), WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(ScreenShows(100, 100, kBackdrop));

    CPictureWnd wnd;
    ASSERT_TRUE(wnd.Create(CRect(80, 80, 180, 160)));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.ClientPixel(10, 10), kBackdrop);
    EXPECT_TRUE(ScreenShows(90, 90, kBackdrop));
    // The far corner too, once the window system has shown all of it.
    EXPECT_EQ(wnd.ClientPixel(99, 79), kBackdrop);
    EXPECT_TRUE(ScreenShows(179, 159, kBackdrop));
    wnd.DestroyWindow();
}

TEST(WindowPicture, WindowWhereNoPictureCanBeHadStartsBlack)
{
    CPlainWindow backdrop(kBackdrop, CRect(40, 40, 240, 200), WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(ScreenShows(100, 100, kBackdrop));

    // Created off the screen, where a capture gives nothing, then moved over
    // the backdrop: the picture stays what it started as.
    CPictureWnd wnd;
    ASSERT_TRUE(wnd.Create(CRect(-3000, -3000, -2900, -2920)));
    ::MoveWindow(wnd.m_hWnd, 80, 80, 100, 80, TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.ClientPixel(10, 10), 0u);
    EXPECT_TRUE(ScreenShows(90, 90, 0));
    wnd.DestroyWindow();
}

TEST(WindowPicture, ChildStartsWithWhatItsParentShows)
{
    // The parent is not shown yet, as a dialog that creates its preview
    // while it is being initialised.
    CPlainWindow parent(kBackdrop, CRect(60, 60, 260, 220), WS_POPUP);
    CPictureWnd child;
    ASSERT_TRUE(child.Create(CRect(20, 30, 120, 110), WS_CHILD | WS_VISIBLE, parent.Handle()));
    ::ShowWindow(parent.Handle(), SW_SHOW);
    ::UpdateWindow(parent.Handle());
    EXPECT_EQ(child.ClientPixel(50, 40), kBackdrop);
    EXPECT_TRUE(ScreenShows(60 + 20 + 50, 60 + 30 + 40, kBackdrop));
    child.DestroyWindow();
}

TEST(WindowPicture, UncoveredWindowShowsItsDrawingAgain)
{
    CPictureWnd wnd;
    ASSERT_TRUE(wnd.Create(CRect(0, 0, 120, 90)));
    wnd.UpdateWindow();
    wnd.Fill(CRect(10, 10, 60, 60), kBlue);
    ASSERT_TRUE(ScreenShows(20, 20, kBlue));

    {
        CPlainWindow cover(kWhite, CRect(0, 0, 100, 80), WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(ScreenShows(20, 20, kWhite));
    }
    EXPECT_TRUE(ScreenShows(20, 20, kBlue));
    EXPECT_EQ(wnd.ClientPixel(20, 20), kBlue);
    wnd.DestroyWindow();
}

TEST(WindowPicture, PartialRepaintChangesNothingOutsideItsPart)
{
    CPictureWnd wnd;
    wnd.m_blacken = true;
    ASSERT_TRUE(wnd.Create(CRect(0, 0, 100, 80)));
    wnd.UpdateWindow();
    wnd.Fill(CRect(0, 0, 100, 80), kBlue);
    ASSERT_TRUE(ScreenShows(15, 22, kBlue));

    const RECT part{10, 20, 30, 25};
    ::InvalidateRect(wnd.m_hWnd, &part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_outside, CLR_INVALID);
    EXPECT_EQ(wnd.ClientPixel(10, 20), 0u);
    EXPECT_EQ(wnd.ClientPixel(29, 24), 0u);
    EXPECT_EQ(wnd.ClientPixel(9, 20), kBlue);
    EXPECT_EQ(wnd.ClientPixel(30, 24), kBlue);
    EXPECT_EQ(wnd.ClientPixel(10, 25), kBlue);
    EXPECT_TRUE(ScreenShows(15, 22, 0));
    EXPECT_EQ(ScreenPixel(5, 5), kBlue);
    wnd.DestroyWindow();
}

// A window of a class of the platform's own (as a dialog is) that the
// framework attaches to after its creation, with a child of another colour
// that draws itself. The window does not clip its children, as dialogs do
// not.
TEST(WindowPicture, AttachedWindowStartsWithItsOwnDrawingAndNeverCoversItsChildren)
{
    const HBRUSH brush = ::CreateSolidBrush(kBackdrop);
    WNDCLASS foreignClass{};
    foreignClass.lpfnWndProc = &::DefWindowProc;
    foreignClass.hInstance = ::GetModuleHandle(nullptr);
    foreignClass.hbrBackground = brush;
    foreignClass.lpszClassName = "VerdaneTestForeignWindow";
    ASSERT_NE(::RegisterClass(&foreignClass), 0);

    CPictureWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, foreignClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 300, 300, 120,
                             90, nullptr, 0));
    {
        CPlainWindow child(kBlue, CRect(60, 40, 100, 80), WS_CHILD | WS_VISIBLE, wnd.m_hWnd);
        // A repaint through the framework's paint context shows the picture.
        wnd.Invalidate(TRUE);
        wnd.UpdateWindow();
        EXPECT_EQ(wnd.ClientPixel(10, 10), kBackdrop);
        EXPECT_TRUE(ScreenShows(310, 310, kBackdrop));
        EXPECT_TRUE(ScreenShows(370, 350, kBlue));

        // Drawing over the whole client area shows everywhere but on the child.
        wnd.Fill(CRect(0, 0, 120, 90), kWhite);
        EXPECT_TRUE(ScreenShows(310, 310, kWhite));
        EXPECT_TRUE(ScreenShows(370, 350, kBlue));
    }
    wnd.DestroyWindow();
    ::UnregisterClass(foreignClass.lpszClassName, foreignClass.hInstance);
    ::DeleteObject(brush);
}

}  // namespace
