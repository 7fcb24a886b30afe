// Timers and paints through the driver: ticks only for timers that are
// set, paints clipped to the update region, the picture a window starts
// with, and the pump's order and bounds.
#include "offscreen_driver.h"
#include "offscreen_world.h"
#include "surface/surface.h"
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kPaint = 0x00FF00;

// Records its ticks and paints; a paint reads the probe points and then
// fills the whole client area, which only colours the repainted part.
class CCanvasProbe : public CWnd {
public:
    std::vector<UINT_PTR> m_ticks;
    std::vector<CRect> m_paintRects;
    std::vector<COLORREF> m_probed;
    std::vector<POINT> m_probes;
    bool m_invalidateWhilePainting = false;

protected:
    void OnTimer(UINT_PTR id) { m_ticks.push_back(id); }
    void OnPaint()
    {
        CPaintDC dc(this);
        m_paintRects.push_back(dc.PaintRect());
        for (const POINT& p : m_probes)
            m_probed.push_back(dc.GetPixel(p.x, p.y));
        CRect client;
        GetClientRect(&client);
        CBrush brush(kPaint);
        dc.FillRect(client, &brush);
        if (std::exchange(m_invalidateWhilePainting, false))
            Invalidate();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCanvasProbe, CWnd)
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Handles WM_PAINT without painting, so its region is never validated.
class CStubbornPainter : public CWnd {
protected:
    void OnPaint() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStubbornPainter, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class TimersAndPaints : public ::testing::Test {
protected:
    void Create(CWnd& wnd, DWORD style, const CRect& rect, HWND parent = nullptr)
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", style, rect.left, rect.top, rect.Width(), rect.Height(), parent, 0));
    }

    COffscreenDriver m_driver;
};

int g_callbackTicks = 0;
void CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_callbackTicks;
}

TEST_F(TimersAndPaints, OnlyTimersThatAreSetFire)
{
    CCanvasProbe wnd;
    Create(wnd, WS_POPUP, CRect(0, 0, 10, 10));
    const HWND hWnd = wnd.m_hWnd;
    EXPECT_FALSE(m_driver.FireTimer(hWnd, 1));

    EXPECT_EQ(wnd.SetTimer(1, 0, nullptr), 1u);
    EXPECT_EQ(wnd.SetTimer(2, 50, nullptr), 2u);
    EXPECT_EQ(m_driver.TimerElapse(hWnd, 1), 0u);
    EXPECT_EQ(wnd.SetTimer(2, 70, nullptr), 2u);  // a timer set again is replaced
    EXPECT_EQ(m_driver.TimerElapse(hWnd, 2), 70u);
    EXPECT_TRUE(m_driver.FireTimer(hWnd, 2));
    EXPECT_EQ(m_driver.FireAllTimers(), 2);
    EXPECT_EQ(wnd.m_ticks, (std::vector<UINT_PTR>{2, 1, 2}));

    EXPECT_TRUE(wnd.KillTimer(1));
    EXPECT_FALSE(wnd.KillTimer(1));
    EXPECT_FALSE(m_driver.FireTimer(hWnd, 1));
    EXPECT_EQ(m_driver.TimerElapse(hWnd, 1), std::nullopt);

    // A timer with a callback calls it instead of sending WM_TIMER.
    g_callbackTicks = 0;
    wnd.SetTimer(3, 10, &CountTick);
    EXPECT_TRUE(m_driver.FireTimer(hWnd, 3));
    EXPECT_EQ(g_callbackTicks, 1);
    EXPECT_EQ(wnd.m_ticks.size(), 3u);

    // Destruction stops them all.
    wnd.DestroyWindow();
    EXPECT_FALSE(m_driver.FireTimer(hWnd, 2));
    EXPECT_EQ(m_driver.FireAllTimers(), 0);
}

TEST_F(TimersAndPaints, PartialRepaintClipsReadsAndDrawing)
{
    CSurface screen(200, 200, kWhite);
    m_driver.SetScreenPicture(screen);
    CCanvasProbe wnd;
    wnd.m_probes = {{15, 15}, {50, 10}, {10, 70}};
    Create(wnd, WS_POPUP, CRect(0, 0, 100, 80));  // hidden: no first paint
    const HWND hWnd = wnd.m_hWnd;

    m_driver.InvalidateRect(hWnd, CRect(10, 10, 30, 30));
    m_driver.InvalidateRect(hWnd, CRect(12, 12, 20, 20));  // inside: adds nothing
    m_driver.InvalidateRect(hWnd, CRect(90, 70, 150, 150));  // limited to the client area
    EXPECT_EQ(m_driver.UpdateRegion(hWnd), (std::vector<CRect>{CRect(10, 10, 30, 30), CRect(90, 70, 100, 80)}));
    EXPECT_TRUE(m_driver.UpdateWindow(hWnd));

    ASSERT_EQ(wnd.m_paintRects.size(), 1u);
    EXPECT_EQ(wnd.m_paintRects[0], CRect(10, 10, 100, 80));  // the bounding box
    EXPECT_EQ(wnd.m_probed, (std::vector<COLORREF>{kWhite, CLR_INVALID, CLR_INVALID}));
    const CSurface& picture = *m_driver.Surface(hWnd);
    EXPECT_EQ(picture.At(15, 15), kPaint);
    EXPECT_EQ(picture.At(95, 75), kPaint);
    EXPECT_EQ(picture.At(50, 10), kWhite);  // between the two rectangles
    EXPECT_TRUE(m_driver.UpdateRegion(hWnd).empty());
    EXPECT_FALSE(m_driver.UpdateWindow(hWnd));  // nothing left to paint
}

TEST_F(TimersAndPaints, WindowsStartWithThePictureBeneathThem)
{
    CSurface screen(100, 100, 0);
    screen.Set(20, 30, 0x112233);
    screen.Set(25, 36, 0x445566);
    m_driver.SetScreenPicture(screen);
    const HWND host = m_driver.CreateHostWindow(CRect(10, 20, 110, 120));
    CCanvasProbe child;
    Create(child, WS_CHILD, CRect(5, 6, 25, 26), host);

    const CSurface& hostPicture = *m_driver.Surface(host);
    EXPECT_EQ(hostPicture.At(10, 10), 0x112233u);
    EXPECT_EQ(m_driver.Surface(child.m_hWnd)->At(10, 10), 0x445566u);  // the host's (15, 16)
    EXPECT_EQ(hostPicture.At(95, 95), 0u);  // beyond the screen's picture
    EXPECT_EQ(m_driver.Window(child.m_hWnd)->windowRect, CRect(15, 26, 35, 46));
}

// The growth's probes are answered from the picture's summary, which must
// know the dark parts of a picture taken from the screen as dark (and the
// bright ones as possibly bright), also after a resize.
TEST_F(TimersAndPaints, APictureTakenFromTheScreenKnowsItsDarkParts)
{
    CSurface screen(100, 100, 0x101010);
    screen.Set(40, 50, kWhite);
    m_driver.SetScreenPicture(screen);
    const HWND host = m_driver.CreateHostWindow(CRect(10, 20, 90, 100));
    for (int pass = 0; pass < 2; ++pass) {
        const CSurface& picture = *m_driver.Surface(host);
        EXPECT_TRUE(picture.MayBeAbove(30, 30)) << pass;
        EXPECT_FALSE(picture.MayBeAbove(60, 10)) << pass;
        EXPECT_FALSE(picture.MayBeAbove(5, 70)) << pass;
        ASSERT_TRUE(m_driver.World().Reshape(host, 70, 90));
    }
}

TEST_F(TimersAndPaints, PumpPaintsVisibleWindowsAfterPostedMessages)
{
    CCanvasProbe shown;
    Create(shown, WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 20));
    CCanvasProbe hidden;
    Create(hidden, WS_POPUP, CRect(0, 0, 30, 20));
    hidden.Invalidate();
    PostMessage(shown.m_hWnd, WM_TIMER, 9, 0);

    const COffscreenPumpResult pumped = m_driver.Pump();
    EXPECT_TRUE(pumped.idle);
    EXPECT_EQ(pumped.delivered, 2u);
    EXPECT_EQ(shown.m_ticks, (std::vector<UINT_PTR>{9}));
    EXPECT_EQ(shown.m_paintRects, (std::vector<CRect>{CRect(0, 0, 30, 20)}));  // the first paint
    EXPECT_TRUE(hidden.m_paintRects.empty());
    EXPECT_FALSE(m_driver.UpdateRegion(hidden.m_hWnd).empty());  // waits until shown
}

TEST_F(TimersAndPaints, InvalidatingWhilePaintingWaitsForTheNextPaint)
{
    CCanvasProbe wnd;
    Create(wnd, WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 20));
    wnd.m_invalidateWhilePainting = true;
    EXPECT_EQ(m_driver.Pump().delivered, 2u);
    EXPECT_EQ(wnd.m_paintRects.size(), 2u);
}

TEST_F(TimersAndPaints, UnpaintedRegionsAreValidatedOrBounded)
{
    // Without a handler, default processing validates.
    CWnd plain;
    Create(plain, WS_POPUP | WS_VISIBLE, CRect(0, 0, 10, 10));
    EXPECT_EQ(m_driver.Pump().delivered, 1u);
    EXPECT_TRUE(m_driver.UpdateRegion(plain.m_hWnd).empty());

    // A handler that never paints would be repainted for ever; the pump
    // stops at its limit and says it is not idle.
    CStubbornPainter stubborn;
    Create(stubborn, WS_POPUP | WS_VISIBLE, CRect(0, 0, 10, 10));
    const COffscreenPumpResult pumped = m_driver.Pump(25);
    EXPECT_EQ(pumped.delivered, 25u);
    EXPECT_FALSE(pumped.idle);
}

TEST_F(TimersAndPaints, ClientContextCoversTheClientAreaOnly)
{
    CCanvasProbe wnd;
    Create(wnd, WS_POPUP, CRect(40, 40, 60, 50));
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.GetPixel(0, 0), 0u);
    EXPECT_EQ(dc.GetPixel(19, 9), 0u);
    EXPECT_EQ(dc.GetPixel(20, 9), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);

    // A context still open when its window goes stays usable; it draws
    // on nothing that is shown.
    wnd.DestroyWindow();
    dc.MoveTo(0, 0);
    EXPECT_TRUE(dc.LineTo(10, 5));
    CWnd none;
    CPaintDC nothing(&none);
    EXPECT_EQ(nothing.GetPixel(0, 0), CLR_INVALID);
    EXPECT_TRUE(nothing.PaintRect().IsRectEmpty());
}

}  // namespace
