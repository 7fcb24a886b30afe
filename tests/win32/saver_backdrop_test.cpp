// verdane.scr /s over what the screen showed: a full-screen picture of the
// test's own, bright on the left and dark on the right, is on screen when
// the saver starts. The saver's window starts with that picture, its
// branches start on the bright half, and the picture is back at the end.
#include "message_pump.h"
#include "saver_process.h"
#include "saver_test.h"
#include "screen_pixels.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Bright enough for the re-seed probes at their first attempt, and neither
// white (which the canvas's first paint would blacken) nor branch-coloured.
constexpr COLORREF kBright = RGB(255, 255, 240);
constexpr COLORREF kDark = RGB(40, 40, 40);

LRESULT CALLBACK BackdropProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(hWnd, &paint);
    RECT client;
    ::GetClientRect(hWnd, &client);
    RECT left = client, right = client;
    left.right = right.left = client.right / 2;
    const HBRUSH bright = ::CreateSolidBrush(kBright), dark = ::CreateSolidBrush(kDark);
    ::FillRect(dc, &left, bright);
    ::FillRect(dc, &right, dark);
    ::DeleteObject(bright);
    ::DeleteObject(dark);
    ::EndPaint(hWnd, &paint);
    return 0;
}

class FullScreenBackdrop {
public:
    FullScreenBackdrop()
    {
        WNDCLASS backdropClass{};
        backdropClass.lpfnWndProc = &BackdropProcedure;
        backdropClass.hInstance = ::GetModuleHandle(nullptr);
        backdropClass.lpszClassName = "VerdaneTestBackdrop";
        ::RegisterClass(&backdropClass);
        m_hWnd = ::CreateWindowEx(0, backdropClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  backdropClass.hInstance, nullptr);
        ::UpdateWindow(m_hWnd);
    }
    ~FullScreenBackdrop() { ::DestroyWindow(m_hWnd); }
    FullScreenBackdrop(const FullScreenBackdrop&) = delete;
    FullScreenBackdrop& operator=(const FullScreenBackdrop&) = delete;

private:
    HWND m_hWnd = nullptr;
};

// The share of the screen that shows the backdrop, and the branch pixels
// on each half.
struct ScreenCount {
    double backdropShare = 0;
    std::size_t branchesLeft = 0;
    std::size_t branchesRight = 0;
};

ScreenCount CountScreen()
{
    ScreenCount count;
    const std::vector<COLORREF> screen = CapturePrimaryScreen();
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    if (screen.empty() || width <= 0)
        return count;
    std::size_t backdrop = 0;
    for (std::size_t i = 0; i < screen.size(); ++i) {
        const bool left = static_cast<int>(i % width) < width / 2;
        if (screen[i] == (left ? kBright : kDark))
            ++backdrop;
        else if (IsBranchColour(screen[i]))
            ++(left ? count.branchesLeft : count.branchesRight);
    }
    count.backdropShare = static_cast<double>(backdrop) / static_cast<double>(screen.size());
    return count;
}

class SaverOverPicture : public SaverTest {};

TEST_F(SaverOverPicture, GrowsOverTheScreensPictureFromItsBrightPartsAndGivesItBack)
{
    saver_settings::Store("Star Number", 50);
    FullScreenBackdrop backdrop;
    ASSERT_TRUE(PumpMessagesUntil([] { return CountScreen().backdropShare > 0.99; }));

    Launch("/s");
    const HWND window = m_saver->WaitForWindow([](HWND) { return true; }, kOpenMs);
    ASSERT_NE(window, nullptr);
    ScreenCount running;
    PumpMessagesUntil(
        [&] {
            running = CountScreen();
            return running.branchesLeft > 2000;
        },
        kEndMs);
    EXPECT_GT(running.backdropShare, 0.6);
    EXPECT_GT(running.branchesLeft, 2000u);
    EXPECT_GT(running.branchesLeft, 3 * running.branchesRight);

    MovePointerBy(0, 0);
    ASSERT_TRUE(WaitForInputTaken(window, kEndMs));
    PressKey('A');
    ExpectEndsCleanly();
    EXPECT_TRUE(PumpMessagesUntil([] { return CountScreen().backdropShare > 0.99; }));
}

// Starts of /s through the backdrop tool, which shows a picture full screen
// and then starts the saver over it, as the main job does: the saver must
// run until it is told to close, never end by itself for want of input.
// VERDANE_BACKDROP_STARTS sets how many starts (a handful by default; the
// measurement of a release takes fifty).
int BackdropStarts()
{
    const char* starts = std::getenv("VERDANE_BACKDROP_STARTS");
    return starts != nullptr && std::atoi(starts) > 0 ? std::atoi(starts) : 4;
}

// The saver's window: visible, topmost and not the backdrop's.
HWND FindSaverWindow(DWORD backdropProcess)
{
    struct Search {
        DWORD backdropProcess;
        HWND found;
    } search{backdropProcess, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hWnd, &owner);
            if (owner == wanted->backdropProcess || !::IsWindowVisible(hWnd)
                || (::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
                return TRUE;
            wanted->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(SaverOverPicture, StartsThroughTheBackdropToolRunUntilClosed)
{
    // Time the saver is watched once it takes input: far longer than the
    // activation and pointer reports of its start take.
    constexpr DWORD kWatchMs = 1500;
    const std::string arguments = "\"" + PlatformPath(VERDANE_PICTURE_PATH) + "\" \"" + SaverPath() + "\" /s";
    const int starts = BackdropStarts();
    int endedEarly = 0;
    for (int start = 1; start <= starts; ++start) {
        SCOPED_TRACE(start);
        CRunningSaver backdrop(arguments, PlatformPath(VERDANE_BACKDROP_PATH));
        ASSERT_TRUE(backdrop.Started());
        HWND window = nullptr;
        const bool shown = WaitUntil(
            [&] { return (window = FindSaverWindow(backdrop.ProcessId())) != nullptr || backdrop.WaitForEnd(0); },
            kOpenMs);
        ASSERT_TRUE(shown);
        if (window != nullptr && WaitForInputTaken(window, kEndMs) && !backdrop.WaitForEnd(kWatchMs)) {
            ::PostMessage(window, WM_CLOSE, 0, 0);
        } else {
            ++endedEarly;
        }
        DWORD exitCode = 1;
        ASSERT_TRUE(backdrop.WaitForEnd(kEndMs, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
    std::printf("backdrop starts: %d of %d ended without input\n", endedEarly, starts);
    EXPECT_EQ(endedEarly, 0);
}

}  // namespace
