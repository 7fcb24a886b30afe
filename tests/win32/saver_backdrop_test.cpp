// verdane.scr /s over what the screen showed: a full-screen picture of the
// test's own, bright on the left and dark on the right, is on screen when
// the saver starts. The saver's window starts with that picture, its
// branches start on the bright half, and the picture is back at the end.
#include "message_pump.h"
#include "saver_test.h"
#include "screen_pixels.h"
#include "user_input.h"

#include <gtest/gtest.h>

#include <cstddef>
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

}  // namespace
