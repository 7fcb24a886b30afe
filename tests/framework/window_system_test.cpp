// The off-screen window system as an object: the free functions reach the
// world made last of those alive, none without one, and what a window's
// contexts draw goes to the damage sink of the window or of its nearest
// ancestor that has one.
#include "life_probe.h"
#include "offscreen_world.h"
#include "window_dc.h"
#include "wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct CDamageCall {
    HWND hWnd;
    bool painted;
    std::vector<CRect> rects;
};

class CRecordingSink final : public COffscreenDamageSink {
public:
    void Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects) override
    {
        m_calls.push_back({hWnd, painted, rects});
    }
    std::vector<CDamageCall> m_calls;
};

void DrawLine(CWnd& wnd, int x0, int y0, int x1, int y1)
{
    CClientDC dc(&wnd);
    CPen pen(PS_SOLID, 1, RGB(0, 200, 0));
    dc.SelectObject(&pen);
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

TEST(WindowSystem, FreeFunctionsReachTheWorldMadeLast)
{
    CLog log;
    std::optional<COffscreenWorld> outer(std::in_place);
    outer->SetScreenSize(640, 480);
    CLifeProbe first(log, "first");
    ASSERT_TRUE(first.CreatePopup());
    {
        COffscreenWorld inner;
        EXPECT_EQ(COffscreenWorld::Installed(), &inner);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), COffscreenWorld::kDefaultScreenWidth);
        EXPECT_FALSE(::IsWindow(first.m_hWnd));
        auto* second = new CLifeProbe(log, "second", true);  // deletes itself when destroyed
        ASSERT_TRUE(second->CreatePopup());
        log.clear();
    }
    // The inner world took its window with it; the outer one is back.
    EXPECT_EQ(log, (CLog{"second destroy", "second ncdestroy", "second postncdestroy", "second deleted"}));
    EXPECT_EQ(COffscreenWorld::Installed(), &*outer);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_TRUE(::IsWindow(first.m_hWnd));
    log.clear();
    outer.reset();
    EXPECT_EQ(log, (CLog{"first destroy", "first ncdestroy", "first postncdestroy"}));
    EXPECT_EQ(first.m_hWnd, nullptr);
}

// A program that makes windows before (or after) any window system fails
// as on handles that name no window, and nothing crashes.
TEST(WindowSystem, WithoutAWorldEverythingFailsQuietly)
{
    ASSERT_EQ(COffscreenWorld::Installed(), nullptr);
    CLog log;
    CLifeProbe wnd(log, "w");
    EXPECT_FALSE(wnd.CreatePopup());
    EXPECT_EQ(log, CLog{"w postncdestroy"});
    const HWND stale = reinterpret_cast<HWND>(0x10010);
    EXPECT_FALSE(::IsWindow(stale));
    EXPECT_FALSE(::PostMessage(stale, WM_CLOSE, 0, 0));
    EXPECT_EQ(::SendMessage(stale, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(::SetCursor(nullptr), nullptr);
    ::PostQuitMessage(3);
    DrawLine(wnd, 0, 0, 5, 5);
}

TEST(WindowSystem, DrawingGoesToTheNearestSinkAmongItsAncestors)
{
    COffscreenWorld world;
    CLog log;
    CLifeProbe parent(log, "parent");
    ASSERT_TRUE(parent.CreatePopup());
    CLifeProbe child(log, "child");
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent.m_hWnd, 1));

    DrawLine(child, 0, 0, 5, 0);  // no sink: the change stays in the picture
    CRecordingSink outer;
    world.SetDamageSink(parent.m_hWnd, &outer);
    DrawLine(child, 0, 0, 5, 0);
    ASSERT_EQ(outer.m_calls.size(), 1u);
    EXPECT_EQ(outer.m_calls[0].hWnd, child.m_hWnd);
    EXPECT_FALSE(outer.m_calls[0].painted);
    // Every pixel the line drew (x 0..4 of row 0) lies in a rectangle handed over.
    for (int x = 0; x < 5; ++x) {
        const auto& rects = outer.m_calls[0].rects;
        EXPECT_TRUE(std::any_of(rects.begin(), rects.end(), [x](const CRect& r) { return r.PtInRect(CPoint(x, 0)); }))
            << x;
    }

    // A paint's context says so.
    world.Invalidate(child.m_hWnd, CRect(0, 0, 20, 20));
    {
        CPaintDC dc(&child);
        CPen pen(PS_SOLID, 1, RGB(0, 200, 0));
        dc.SelectObject(&pen);
        dc.MoveTo(2, 2);
        dc.LineTo(8, 2);
    }
    ASSERT_EQ(outer.m_calls.size(), 2u);
    EXPECT_TRUE(outer.m_calls[1].painted);

    // The child's own sink takes its drawing; the parent's still gets the
    // parent's.
    CRecordingSink inner;
    world.SetDamageSink(child.m_hWnd, &inner);
    DrawLine(child, 0, 0, 5, 0);
    DrawLine(parent, 0, 0, 5, 0);
    EXPECT_EQ(inner.m_calls.size(), 1u);
    ASSERT_EQ(outer.m_calls.size(), 3u);
    EXPECT_EQ(outer.m_calls[2].hWnd, parent.m_hWnd);

    // A context still open when its window goes reaches no sink.
    world.SetDamageSink(child.m_hWnd, nullptr);
    {
        CClientDC dc(&child);
        child.DestroyWindow();
        CPen pen(PS_SOLID, 1, RGB(0, 200, 0));
        dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(5, 5);
    }
    EXPECT_EQ(outer.m_calls.size(), 3u);
}

}  // namespace
