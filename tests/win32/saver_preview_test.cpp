// verdane.scr /p HWND in a host's preview pane: one visible child that
// fills the pane, and a process that ends with its host, whether the host
// destroys the pane or dies.
#include "forged_power_reports.h"
#include "message_pump.h"
#include "preview_host_process.h"
#include "preview_pane.h"
#include "saver_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class SaverPreview : public SaverTest {
protected:
    void TearDown() override
    {
        SaverTest::TearDown();
        if (m_pane != nullptr && ::IsWindow(m_pane))
            ::DestroyWindow(m_pane);
    }

    // Starts the saver on the pane and waits for its canvas to show (a
    // window is made visible only at the end of its creation). The pane's
    // thread keeps running its messages meanwhile: the canvas's creation
    // notifies its parent, and waits for the answer.
    void StartOn(HWND pane)
    {
        ASSERT_NE(pane, nullptr);
        Launch("/p " + HandleText(pane));
        PumpMessagesUntil(
            [&] {
                const std::vector<HWND> children = m_saver->ChildWindows(pane);
                return !children.empty() && ::IsWindowVisible(children.front());
            },
            kOpenMs);
        const std::vector<HWND> children = m_saver->ChildWindows(pane);
        ASSERT_EQ(children.size(), 1u);
        m_canvas = children.front();
    }

    HWND m_pane = nullptr;
    HWND m_canvas = nullptr;
};

TEST_F(SaverPreview, OneVisibleChildFillsThePane)
{
    m_pane = CreatePreviewPane(kPaneWidth, kPaneHeight);
    StartOn(m_pane);

    EXPECT_EQ(::GetParent(m_canvas), m_pane);
    EXPECT_TRUE(::IsWindowVisible(m_canvas));
    const LONG style = ::GetWindowLong(m_canvas, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & (WS_BORDER | WS_CAPTION));

    RECT pane{};
    ::GetClientRect(m_pane, &pane);
    RECT canvas{};
    ::GetWindowRect(m_canvas, &canvas);
    ::MapWindowPoints(nullptr, m_pane, reinterpret_cast<POINT*>(&canvas), 2);
    EXPECT_EQ(canvas.left, 0);
    EXPECT_EQ(canvas.top, 0);
    EXPECT_EQ(canvas.right, kPaneWidth);
    EXPECT_EQ(canvas.bottom, kPaneHeight);
    EXPECT_EQ(canvas.right, pane.right);
    EXPECT_EQ(canvas.bottom, pane.bottom);

    // The preview shows nothing of its own outside the pane.
    EXPECT_TRUE(m_saver->VisibleWindows().empty());
}

TEST_F(SaverPreview, AWideHostGetsAWideCanvas)
{
    m_pane = CreatePreviewPane(900, 300);
    StartOn(m_pane);
    RECT canvas{};
    ::GetClientRect(m_canvas, &canvas);
    EXPECT_EQ(canvas.right, 900);
    EXPECT_EQ(canvas.bottom, 300);
}

TEST_F(SaverPreview, EndsWhenTheHostDestroysThePane)
{
    m_pane = CreatePreviewPane(kPaneWidth, kPaneHeight);
    StartOn(m_pane);
    ::DestroyWindow(m_pane);
    ExpectEndsCleanly();
}

TEST_F(SaverPreview, EndsWhenTheHostProcessDies)
{
    CPreviewHostProcess host;
    ASSERT_NE(host.Pane(), nullptr);
    StartOn(host.Pane());
    host.Kill();
    ExpectEndsCleanly();
}

// Made-up power reports from another program leave the preview running.
TEST_F(SaverPreview, MadeUpPowerReportsFromAnotherProgramAreIgnored)
{
    CPreviewHostProcess host;
    ASSERT_NE(host.Pane(), nullptr);
    StartOn(host.Pane());
    ASSERT_TRUE(SendForgedPowerReports(m_canvas, kEndMs));
    EXPECT_FALSE(m_saver->WaitForEnd(1000));
    EXPECT_TRUE(::IsWindowVisible(m_canvas));
    host.Kill();
    ExpectEndsCleanly();
}

}  // namespace
