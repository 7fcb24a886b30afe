// What a window's client contexts draw reaches the screen at the display's
// pace, never later than a frame after it was drawn. Ticks faster than
// frames carry it; when no tick follows (the timer stopped), the port's own
// wake-up shows it, and that wake-up never reaches the window's OnTimer. A
// paint shows its part at once, waiting drawing included.
#include "message_pump.h"
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT_PTR kTick = 7;
constexpr int kTicks = 40;
constexpr COLORREF kLast = RGB(255, 255, 0);
// A frame at 60 Hz is 17 ms; a loaded machine is allowed fifteen.
constexpr auto kAllowed = std::chrono::milliseconds(250);

COLORREF ScreenPixel(int x, int y)
{
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// Ticks at the platform's fastest rate, filling its client area with a
// colour of its own on every tick, and stops its timer after kTicks, when
// it fills it with kLast.
class CTickingWnd : public CWnd {
public:
    static COLORREF ColourOf(int tick) { return RGB(4 * tick, 0, 255 - 4 * tick); }

    int m_ticks = 0;
    Clock::time_point m_lastDrawn;
    std::vector<UINT_PTR> m_foreignTicks;  // ids OnTimer saw besides its own
    COLORREF m_partShown = 0;  // what the screen showed of a part repainted after kLast

protected:
    int OnCreate(LPCREATESTRUCT)
    {
        SetTimer(kTick, 0, nullptr);
        return 0;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != kTick) {
            m_foreignTicks.push_back(id);
            return;
        }
        ++m_ticks;
        Fill(ColourOf(m_ticks));
        if (m_ticks < kTicks)
            return;
        KillTimer(kTick);
        // Drawn again at once: whether or not the first drawing went to the
        // screen at once, this one comes within a frame of a present, so it
        // waits, and no tick follows to carry it.
        Fill(kLast);
        // A part repainted meanwhile goes to the screen at once.
        const RECT part{0, 0, 8, 8};
        InvalidateRect(m_hWnd, &part, FALSE);
        UpdateWindow();
        // Wine puts a window's drawing on the X display when its thread
        // looks for messages and finds none; no message is taken here, so
        // the port's wake-up cannot run.
        MSG none;
        ::PeekMessage(&none, nullptr, WM_APP, WM_APP, PM_NOREMOVE);
        m_partShown = ScreenPixel(2, 2);
    }

    void Fill(COLORREF colour)
    {
        CClientDC dc(this);
        CBrush brush(colour);
        CRect client;
        GetClientRect(&client);
        dc.FillRect(client, &brush);
        m_lastDrawn = Clock::now();
    }

    void OnPaint() { CPaintDC dc(this); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTickingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(PacedPresent, LastTicksDrawingIsShownWithinFramesThoughNoTickFollowsAndARepaintedPartAtOnce)
{
    CTickingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr, 0));
    wnd.UpdateWindow();
    ASSERT_TRUE(PumpMessagesUntil([&] { return wnd.m_ticks == kTicks; }));

    ASSERT_TRUE(PumpMessagesUntil([&] { return ScreenPixel(20, 20) == kLast; }, 3000))
        << "the last tick's drawing never reached the screen";
    const auto shownAfter = Clock::now() - wnd.m_lastDrawn;
    EXPECT_LE(shownAfter, kAllowed) << std::chrono::duration_cast<std::chrono::milliseconds>(shownAfter).count()
                                    << " ms";
    // Whatever woke the thread for it was not the window's timer.
    PumpMessagesUntil([] { return false; }, 100);
    EXPECT_EQ(wnd.m_ticks, kTicks);
    EXPECT_EQ(wnd.m_partShown, kLast);
    EXPECT_TRUE(wnd.m_foreignTicks.empty());
    wnd.DestroyWindow();
}

}  // namespace
