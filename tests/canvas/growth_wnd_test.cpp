// The growth window on the off-screen port: pool and counts, the first
// paint's blackening rules, partial repaints, the timer, resolution changes,
// window classes, and the end of its life.
#include "canvas/growth_wnd.h"
#include "canvas_test_app.h"
#include "growth/growth_random.h"
#include "offscreen_driver.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGrey = 0x808080;

class GrowthWnd : public ::testing::Test {
protected:
    // A window of the given size at (0, 0) over a screen showing one colour.
    std::unique_ptr<CGrowthWnd> MakeCanvas(int width, int height, COLORREF screen = kGrey)
    {
        m_driver.SetScreenPicture(CSurface(width, height, screen));
        auto canvas = std::make_unique<CGrowthWnd>(FALSE);
        EXPECT_TRUE(canvas->Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr));
        return canvas;
    }
    // Paints the whole window as the first paint after creation does.
    void Paint(CGrowthWnd& canvas) { m_driver.UpdateWindow(canvas.m_hWnd); }

    COffscreenDriver m_driver;
    CCanvasTestApp m_app;
};

TEST_F(GrowthWnd, PoolIsSizedOnceForThePrimaryScreen)
{
    EXPECT_EQ(CGrowthWnd(FALSE).m_capacity, 1820);
    m_driver.SetScreenSize(1920, 1080);
    EXPECT_EQ(CGrowthWnd(FALSE).m_capacity, 3049);
}

struct CountCase {
    const char* name;
    int width, height, growthRate, expected;
};

TEST_F(GrowthWnd, PaintPutsSlotsInUseFromClientSizeAndGrowthRate)
{
    const CountCase cases[] = {
        {"full screen at 0", 1024, 768, 0, 29},
        {"full screen at 50", 1024, 768, 50, 924},
        {"full screen at 100", 1024, 768, 100, 1820},
        {"preview at 0", 152, 112, 0, 4},
        {"preview at 100", 152, 112, 100, 267},
        {"negative growth rate: none in use", 1024, 768, -20, -329},
        {"growth rate above 100 stays within the pool", 1024, 768, 150, 1820},
        {"client beyond the screen stays within the pool", 2048, 1536, 100, 1820},
    };
    for (const CountCase& c : cases) {
        m_app.Set("Star Number", c.growthRate);
        auto canvas = MakeCanvas(c.width, c.height);
        Paint(*canvas);
        EXPECT_EQ(canvas->m_inUse, c.expected) << c.name;
        EXPECT_EQ(canvas->m_clientWidth, c.width) << c.name;
        EXPECT_EQ(canvas->m_clientHeight, c.height) << c.name;
        canvas->DestroyWindow();
    }
}

TEST_F(GrowthWnd, ReadsItsSettingsWhenConstructedAndCreated)
{
    m_app.Set("Blankscr", 1);
    m_app.Set("Resolution", -3);
    m_app.Set("Star Speed", 100);
    auto canvas = MakeCanvas(300, 200);
    EXPECT_EQ(canvas->m_blank, 1);
    EXPECT_EQ(canvas->m_resolution, 1) << "raised to 1";
    EXPECT_DOUBLE_EQ(canvas->m_sizeFactor, 6.0);
    EXPECT_EQ(m_driver.TimerElapse(canvas->m_hWnd, 1), std::optional<UINT>(0u));
}

TEST_F(GrowthWnd, FreshUserGetsTheDefaults)
{
    auto canvas = MakeCanvas(300, 200);
    EXPECT_EQ(canvas->m_blank, 0);
    EXPECT_EQ(canvas->m_resolution, 10);
    EXPECT_DOUBLE_EQ(canvas->m_sizeFactor, 1.0);
    Paint(*canvas);
    EXPECT_EQ(canvas->m_inUse, 8);
}

TEST_F(GrowthWnd, NarrowCanvasIsSmallAndKeepsTheDefaultClass)
{
    CGrowthWnd::s_className = nullptr;  // as in a process with no large canvas yet
    auto narrow = MakeCanvas(799, 100);
    EXPECT_TRUE(narrow->m_small);
    const auto windowClass = m_driver.WindowClass(m_driver.Window(narrow->m_hWnd)->className.c_str());
    ASSERT_TRUE(windowClass.has_value());
    EXPECT_EQ(windowClass->cursor, COffscreenDriver::ArrowCursor());
    EXPECT_EQ(CGrowthWnd::s_className, nullptr);

    // Once a large canvas has registered the class, every later canvas of
    // the process is created with it, small or not.
    auto wide = MakeCanvas(800, 100);
    auto laterNarrow = MakeCanvas(300, 100);
    EXPECT_TRUE(laterNarrow->m_small);
    EXPECT_EQ(m_driver.Window(laterNarrow->m_hWnd)->className, CGrowthWnd::s_className);
}

TEST_F(GrowthWnd, WideCanvasesShareOneClassWithTheInvisiblePointer)
{
    auto first = MakeCanvas(800, 100);
    auto second = MakeCanvas(1024, 768);
    EXPECT_FALSE(first->m_small);
    EXPECT_FALSE(second->m_small);
    ASSERT_NE(CGrowthWnd::s_className, nullptr);
    EXPECT_LE(m_driver.ClassRegistrations(), 1) << "registered once per process";
    EXPECT_EQ(m_driver.Window(first->m_hWnd)->className, CGrowthWnd::s_className);
    EXPECT_EQ(m_driver.Window(second->m_hWnd)->className, CGrowthWnd::s_className);
    const auto windowClass = m_driver.WindowClass(CGrowthWnd::s_className);
    ASSERT_TRUE(windowClass.has_value());
    EXPECT_EQ(windowClass->cursor, m_app.LoadCursor(IDC_TRANSPARENT));
    EXPECT_EQ(windowClass->style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
}

int CountPixels(const CSurface& surface, COLORREF color)
{
    int count = 0;
    for (COLORREF c : surface.Colors())
        count += c == color ? 1 : 0;
    return count;
}

TEST_F(GrowthWnd, PlainWhiteHostIsTurnedBlackOnTheFirstPaint)
{
    auto canvas = MakeCanvas(200, 150, kWhite);
    Paint(*canvas);
    EXPECT_EQ(CountPixels(*m_driver.Surface(canvas->m_hWnd), kWhite), 0);
}

TEST_F(GrowthWnd, HostPictureStaysWhenAnyProbePointIsNotWhite)
{
    // Each of the three probe points in turn shows grey on a white host.
    const CPoint probes[] = {{100, 10}, {10, 140}, {190, 140}};
    for (const CPoint& p : probes) {
        CSurface host(200, 150, kWhite);
        host.Set(p.x, p.y, kGrey);
        m_driver.SetScreenPicture(host);
        CGrowthWnd canvas(FALSE);
        canvas.Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr);
        Paint(canvas);
        // Nothing grows before the first re-seed, so the picture is untouched.
        EXPECT_EQ(m_driver.Surface(canvas.m_hWnd)->Colors(), host.Colors()) << p.x << "," << p.y;
    }
}

TEST_F(GrowthWnd, BlankingPaintsBlackOverAnyHost)
{
    m_app.Set("Blankscr", 1);
    auto canvas = MakeCanvas(200, 150, kGrey);
    Paint(*canvas);
    EXPECT_EQ(CountPixels(*m_driver.Surface(canvas->m_hWnd), kGrey), 0);
}

TEST_F(GrowthWnd, PartialRepaintNeitherBlackensNorDrawsOutsideItsPart)
{
    m_app.Set("Star Number", 100);
    auto canvas = MakeCanvas(200, 150, kGrey);
    Paint(*canvas);
    CSurface& picture = *m_driver.Surface(canvas->m_hWnd);
    picture.Resize(200, 150, kWhite);
    for (int i = 0; i < 200; ++i) {  // enough repaints for several re-seeds
        m_driver.InvalidateRect(canvas->m_hWnd, CRect(40, 40, 60, 60));
        m_driver.UpdateWindow(canvas->m_hWnd);
    }
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (!CRect(40, 40, 60, 60).PtInRect(CPoint(x, y))) {
                ASSERT_EQ(picture.At(x, y), kWhite) << x << "," << y;
            }
        }
    }
}

TEST_F(GrowthWnd, OnlyTimerOneGrows)
{
    auto canvas = MakeCanvas(300, 200);
    Paint(*canvas);
    const std::uint32_t before = GrowthRandom().State();
    m_driver.Send(canvas->m_hWnd, WM_TIMER, 2, 0);
    EXPECT_EQ(GrowthRandom().State(), before) << "another timer's tick draws nothing";
    EXPECT_TRUE(m_driver.FireTimer(canvas->m_hWnd, 1));
    EXPECT_NE(GrowthRandom().State(), before) << "a growth tick steps";
}

TEST_F(GrowthWnd, ResolutionRepaintsOnlyOnARealChange)
{
    auto canvas = MakeCanvas(300, 200);
    Paint(*canvas);
    auto repaints = [&](int resolution) {
        const std::uint32_t before = GrowthRandom().State();
        canvas->SetResolution(resolution);
        return GrowthRandom().State() != before;  // every paint steps
    };
    EXPECT_FALSE(repaints(10)) << "the current value";
    EXPECT_TRUE(repaints(0)) << "0 becomes 1";
    EXPECT_EQ(canvas->m_resolution, 1);
    EXPECT_FALSE(repaints(0)) << "0 when already 1";
    EXPECT_FALSE(repaints(1));
    EXPECT_TRUE(repaints(5));
}

// Records its own deletion.
class CDeletionProbe : public CGrowthWnd {
public:
    CDeletionProbe(BOOL autoDelete, bool& deleted) : CGrowthWnd(autoDelete), m_deleted(deleted) {}
    ~CDeletionProbe() override { m_deleted = true; }

private:
    bool& m_deleted;
};

TEST_F(GrowthWnd, AutoDeleteDecidesWhoDeletesTheObject)
{
    bool deleted = false;
    auto* heap = new CDeletionProbe(TRUE, deleted);
    heap->Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr);
    heap->DestroyWindow();
    EXPECT_TRUE(deleted);

    bool kept = false;
    {
        CDeletionProbe member(FALSE, kept);
        member.Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr);
        member.DestroyWindow();
        EXPECT_FALSE(kept) << "a member canvas outlives its window";
    }
    EXPECT_TRUE(kept);
}

TEST_F(GrowthWnd, PreviewEndsWithAHostThatVanishes)
{
    const HWND host = m_driver.CreateHostWindow(CRect(0, 0, 152, 112));
    bool deleted = false;
    auto* preview = new CDeletionProbe(TRUE, deleted);
    ASSERT_TRUE(preview->Create(0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 152, 112), host));
    const HWND child = preview->m_hWnd;
    m_driver.Pump();
    EXPECT_TRUE(m_driver.FireTimer(child, 1));
    EXPECT_TRUE(IsWindow(child)) << "ticks go on while the host lives";

    ASSERT_TRUE(m_driver.AbandonHostWindow(host));
    m_driver.FireTimer(child, 1);
    m_driver.Pump();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(deleted);
}

}  // namespace
