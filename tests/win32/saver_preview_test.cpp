// verdane.scr /p HWND in a host's preview pane: one visible child that
// fills the pane, and a process that ends with its host, whether the host
// destroys the pane or dies.
#include "message_pump.h"
#include "preview_host_process.h"
#include "preview_pane.h"
#include "running_saver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Starting a process under Wine takes a moment, the first time several.
constexpr DWORD kOpenMs = 20000;
constexpr DWORD kEndMs = 10000;

struct ChildSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChildOfProcess(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == search->processId)
        search->found.push_back(hWnd);
    return TRUE;
}

// The windows of the process inside the pane, at any depth.
std::vector<HWND> ChildrenOfProcess(HWND pane, DWORD processId)
{
    ChildSearch search{processId, {}};
    ::EnumChildWindows(pane, &CollectChildOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class SaverPreview : public testing::Test {
protected:
    void SetUp() override { saver_settings::Clear(); }
    void TearDown() override
    {
        m_saver.reset();
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
        m_saver = std::make_unique<CRunningSaver>("/p " + HandleText(pane));
        ASSERT_TRUE(m_saver->Started());
        PumpMessagesUntil(
            [&] {
                const std::vector<HWND> children = ChildrenOfProcess(pane, m_saver->ProcessId());
                return !children.empty() && ::IsWindowVisible(children.front());
            },
            kOpenMs);
        const std::vector<HWND> children = ChildrenOfProcess(pane, m_saver->ProcessId());
        ASSERT_EQ(children.size(), 1u);
        m_canvas = children.front();
    }

    void ExpectEndsCleanly()
    {
        DWORD exitCode = 1;
        ASSERT_TRUE(m_saver->WaitForEnd(kEndMs, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    std::unique_ptr<CRunningSaver> m_saver;
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

}  // namespace
