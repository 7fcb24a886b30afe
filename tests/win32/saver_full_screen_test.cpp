// verdane.scr /s driven as a user meets it: one topmost window over the
// whole screen, no pointer, branches growing on screen, and an end at the
// first key, button, pointer movement or switch to another window.
#include "case_name.h"
#include "forged_power_reports.h"
#include "message_pump.h"
#include "saver_test.h"
#include "screen_pixels.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Long enough for a close request, had one been posted, to end the saver.
constexpr DWORD kStaysMs = 1500;

class FullScreenSaver : public SaverTest {
protected:
    // Starts the saver and waits for its window. The first pointer report
    // that reaches the window only records where the pointer rests, so one
    // is made here, with no movement, and seen taken: the cases start from
    // a window that has its resting point.
    void Start()
    {
        Launch("/s");
        m_window = m_saver->WaitForWindow([](HWND) { return true; }, kOpenMs);
        ASSERT_NE(m_window, nullptr);
        MovePointerBy(0, 0);
        ASSERT_TRUE(WaitForInputTaken(m_window, kEndMs));
    }

    bool StillRunningAfterAWhile() { return !m_saver->WaitForEnd(kStaysMs); }

    HWND m_window = nullptr;
};

TEST_F(FullScreenSaver, CoversThePrimaryScreenWithOneTopmostPopup)
{
    Start();
    EXPECT_EQ(m_saver->VisibleWindows().size(), 1u);

    const LONG style = ::GetWindowLong(m_window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_CHILD));
    EXPECT_TRUE(::GetWindowLong(m_window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    RECT frame{};
    ::GetWindowRect(m_window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(::GetForegroundWindow(), m_window);
}

// The pointer shown is that of the foreground window under it. The control
// is a window of the test's own with the arrow pointer, which the same
// reading must see.
TEST_F(FullScreenSaver, HidesThePointer)
{
    auto shownPointer = [] {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        ::GetCursorInfo(&info);
        return info.hCursor;
    };

    WNDCLASS arrowClass{};
    arrowClass.lpfnWndProc = &::DefWindowProc;
    arrowClass.hInstance = ::GetModuleHandle(nullptr);
    arrowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    arrowClass.lpszClassName = "VerdaneTestArrowWindow";
    ::RegisterClass(&arrowClass);
    const HWND control = ::CreateWindowEx(WS_EX_TOPMOST, arrowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                          ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                          nullptr, arrowClass.hInstance, nullptr);
    ASSERT_NE(control, nullptr);
    ::SetForegroundWindow(control);
    MovePointerBy(0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return shownPointer() != nullptr; }));
    ::DestroyWindow(control);
    ::UnregisterClass(arrowClass.lpszClassName, arrowClass.hInstance);

    Start();
    EXPECT_TRUE(WaitUntil([&] { return shownPointer() == nullptr; }, kEndMs));
    EXPECT_TRUE(StillRunningAfterAWhile());
}

TEST_F(FullScreenSaver, GrowsBranchesOnScreen)
{
    saver_settings::Store("Star Number", 100);
    const std::vector<COLORREF> before = CapturePrimaryScreen();
    ASSERT_FALSE(before.empty());
    const auto branchPixels = [](const std::vector<COLORREF>& screen) {
        return std::count_if(screen.begin(), screen.end(), &IsBranchColour);
    };
    const auto branchPixelsBefore = branchPixels(before);

    Start();
    // A re-seed comes about once every 25 ticks; a few seconds see many.
    EXPECT_TRUE(WaitUntil([&] { return branchPixels(CapturePrimaryScreen()) > branchPixelsBefore + 500; }, kEndMs));
    EXPECT_TRUE(StillRunningAfterAWhile());
}

TEST_F(FullScreenSaver, PointerReportAtTheRestingPointDoesNotEndIt)
{
    Start();
    MovePointerBy(0, 0);
    ASSERT_TRUE(WaitForInputTaken(m_window, kEndMs));
    EXPECT_TRUE(StillRunningAfterAWhile());
}

struct EndingCase {
    const char* name;
    std::function<void(HWND saverWindow)> act;
};

const EndingCase kEndingCases[] = {
    {"OnePixelRight", [](HWND) { MovePointerBy(1, 0); }},
    {"OnePixelUp", [](HWND) { MovePointerBy(0, -1); }},
    {"LeftButton", [](HWND) { ClickButton(MouseButton::Left); }},
    {"MiddleButton", [](HWND) { ClickButton(MouseButton::Middle); }},
    {"RightButton", [](HWND) { ClickButton(MouseButton::Right); }},
    {"WheelTowardsUser", [](HWND) { TurnWheel(MOUSEEVENTF_WHEEL, -WHEEL_DELTA); }},
    {"WheelAway", [](HWND) { TurnWheel(MOUSEEVENTF_WHEEL, WHEEL_DELTA); }},
    {"WheelTilted", [](HWND) { TurnWheel(MOUSEEVENTF_HWHEEL, WHEEL_DELTA); }},
    {"FirstSideButton", [](HWND) { ClickSideButton(XBUTTON1); }},
    {"SecondSideButton", [](HWND) { ClickSideButton(XBUTTON2); }},
    {"LetterKey", [](HWND) { PressKey('A'); }},
    {"ShiftKey", [](HWND) { PressKey(VK_SHIFT); }},
    {"AltKey", [](HWND) { PressKey(VK_MENU); }},
    {"F10Key", [](HWND) { PressKey(VK_F10); }},
    // Only the exact commands are refused; with a low bit set Close is
    // Close to the platform.
    {"CloseCommandWithLowBitSet", [](HWND w) { ::PostMessage(w, WM_SYSCOMMAND, SC_CLOSE | 1, 0); }},
};

class FullScreenSaverEnding : public FullScreenSaver, public testing::WithParamInterface<EndingCase> {};

TEST_P(FullScreenSaverEnding, EndsTheSaver)
{
    Start();
    GetParam().act(m_window);
    ExpectEndsCleanly();
}

INSTANTIATE_TEST_SUITE_P(UserActions, FullScreenSaverEnding, testing::ValuesIn(kEndingCases), CaseName());

TEST_F(FullScreenSaver, SwitchingToAnotherWindowEndsIt)
{
    Start();
    const HWND other = ::CreateWindowEx(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                        ::GetModuleHandle(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    ::SetForegroundWindow(other);
    ExpectEndsCleanly();
    ::DestroyWindow(other);
}

// The system's repeated start request and the window menu's Close are
// refused while the saver runs.
TEST_F(FullScreenSaver, IgnoresScreenSaveAndCloseCommands)
{
    Start();
    ::PostMessage(m_window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    ::PostMessage(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitForInputTaken(m_window, kEndMs));
    EXPECT_TRUE(StillRunningAfterAWhile());
    EXPECT_EQ(m_saver->VisibleWindows().size(), 1u);
}

// Another program can post or send the power message with any lParam; the
// saver reads none of them and goes on, ending at the user's key as ever.
TEST_F(FullScreenSaver, MadeUpPowerReportsFromAnotherProgramAreIgnored)
{
    Start();
    ASSERT_TRUE(SendForgedPowerReports(m_window, kEndMs));
    EXPECT_TRUE(StillRunningAfterAWhile());
    EXPECT_EQ(m_saver->VisibleWindows().size(), 1u);
    PressKey('A');
    ExpectEndsCleanly();
}

}  // namespace
