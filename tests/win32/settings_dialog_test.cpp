// The settings dialog of the real verdane.scr, worked from outside: which
// command lines open it, what it shows, and what it stores when the user
// leaves it.
#include "case_name.h"
#include "saver_test.h"
#include "screen_pixels.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kCaption = "Tarnwell Verdane 1.1";

// Trackbar messages and styles (the platform's common-control values).
constexpr UINT kTrackbarGetPos = WM_USER;
constexpr DWORD kTrackbarAutoTicks = 0x0001;
constexpr DWORD kTrackbarVertical = 0x0002;
constexpr DWORD kTrackbarBoth = 0x0008;
constexpr DWORD kTrackbarSelectionRange = 0x0020;

constexpr WORD kNoId = 0xFFFF;

class SettingsDialog : public SaverTest {
protected:
    // Starts the saver and waits for its settings dialog.
    void Open(const std::string& arguments = "/c")
    {
        Launch(arguments);
        m_dialog = m_saver->WaitForWindow([](HWND w) { return IsDialogWithCaption(w, kCaption); }, kOpenMs);
        ASSERT_NE(m_dialog, nullptr) << "no dialog for \"" << arguments << "\"";
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }
    int TrackbarPosition(int id) const { return static_cast<int>(::SendMessage(Item(id), kTrackbarGetPos, 0, 0)); }

    void PressOk()
    {
        ::PostMessage(Item(IDOK), BM_CLICK, 0, 0);
        ExpectEndsCleanly();
    }

    void StoreAll(int speed, int blank, int starSpeed, int starNumber)
    {
        saver_settings::Store("Speed", speed);
        saver_settings::Store("Blankscr", blank);
        saver_settings::Store("Star Speed", starSpeed);
        saver_settings::Store("Star Number", starNumber);
    }

    void ExpectStored(int speed, int blank, int starSpeed, int starNumber)
    {
        EXPECT_EQ(saver_settings::Stored("Speed"), speed);
        EXPECT_EQ(saver_settings::Stored("Blankscr"), blank);
        EXPECT_EQ(saver_settings::Stored("Star Speed"), starSpeed);
        EXPECT_EQ(saver_settings::Stored("Star Number"), starNumber);
    }

    HWND m_dialog = nullptr;
};

// --- Which command lines open it ---------------------------------------

struct SwitchCase {
    const char* name;
    const char* arguments;
};

const SwitchCase kConfigureSwitches[] = {
    {"SlashC", "/c"},         {"DashUpperC", "-C"},          {"BareC", "c"},
    {"NumberAfterColon", "/c:1234"}, {"Word", "/config"}, {"NoArgument", ""},
};

class SettingsDialogSwitch : public SettingsDialog, public testing::WithParamInterface<SwitchCase> {};

TEST_P(SettingsDialogSwitch, OpensTheDialogWithoutOwner)
{
    Open(GetParam().arguments);
    EXPECT_EQ(::GetWindow(m_dialog, GW_OWNER), nullptr);
    ::PostMessage(Item(IDCANCEL), BM_CLICK, 0, 0);
    ExpectEndsCleanly();
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SettingsDialogSwitch, testing::ValuesIn(kConfigureSwitches), CaseName());

// --- What it shows ---------------------------------------------------------

struct ControlCase {
    WORD id;
    const char* className;
    const char* text;  // nullptr: not compared
    bool visible;
    DWORD typeMask;    // the style bits that tell the kind of control
    DWORD type;
    bool tabStop;
    bool group;
    RECT dialogUnits;  // left, top, width, height
};

constexpr DWORD kButtonType = BS_TYPEMASK;
constexpr DWORD kStaticType = SS_TYPEMASK;
constexpr DWORD kTrackbarType = kTrackbarAutoTicks | kTrackbarVertical | kTrackbarBoth | kTrackbarSelectionRange;

// In tab order, which is the order of the sibling list.
const ControlCase kControls[] = {
    {IDOK, "Button", "OK", true, kButtonType, BS_DEFPUSHBUTTON, true, false, {233, 266, 50, 14}},
    {IDCANCEL, "Button", "Cancel", true, kButtonType, BS_PUSHBUTTON, true, false, {288, 266, 50, 14}},
    {1002, "ScrollBar", nullptr, false, SBS_VERT, SBS_HORZ, true, true, {99, 151, 94, 11}},
    {1008, "Button", "Blank Screen", false, kButtonType, BS_AUTOCHECKBOX, true, false, {14, 141, 63, 15}},
    {kNoId, "Button", "Preview", true, kButtonType, BS_GROUPBOX, false, false, {233, 163, 105, 97}},
    {kNoId, "Button", "Blanking", false, kButtonType, BS_GROUPBOX, false, false, {5, 130, 74, 32}},
    {kNoId, "Button", "Frequency", false, kButtonType, BS_GROUPBOX, false, false, {90, 130, 113, 37}},
    {kNoId, "Static", "Low", false, kStaticType, SS_LEFT, false, true, {99, 140, 14, 8}},
    {kNoId, "Static", "High", false, kStaticType, SS_RIGHT, false, true, {162, 140, 30, 8}},
    {1006, "Static", "", false, kStaticType, SS_LEFT, false, false, {241, 175, 89, 80}},
    {kNoId, "Static", nullptr, true, kStaticType, SS_BITMAP, false, false, {5, 5, 333, 154}},
    {kNoId, "Static", nullptr, true, kStaticType, SS_LEFT, false, true, {5, 269, 224, 9}},
    {1010, "msctls_trackbar32", nullptr, true, kTrackbarType, kTrackbarBoth | kTrackbarSelectionRange, true, false,
     {7, 183, 217, 23}},
    {1012, "msctls_trackbar32", nullptr, true, kTrackbarType,
     kTrackbarAutoTicks | kTrackbarBoth | kTrackbarSelectionRange, true, false, {7, 233, 217, 23}},
    {kNoId, "Static", "Tiny", true, kStaticType, SS_LEFT, false, true, {14, 175, 14, 8}},
    {kNoId, "Static", "Huge", true, kStaticType, SS_RIGHT, false, true, {197, 175, 22, 8}},
    {kNoId, "Button", "Plant Size", true, kButtonType, BS_GROUPBOX, false, false, {5, 163, 221, 47}},
    {kNoId, "Static", "Low", true, kStaticType, SS_LEFT, false, true, {14, 225, 13, 8}},
    {kNoId, "Static", "High", true, kStaticType, SS_RIGHT, false, true, {198, 225, 21, 8}},
    {kNoId, "Button", "Growth Rate", true, kButtonType, BS_GROUPBOX, false, false, {5, 213, 221, 47}},
};

constexpr int kBannerIndex = 10;
constexpr int kCreditIndex = 11;

// The integer base unit with which `units` dialog units map to `pixels`
// (pixels = units * base / divisor, rounded); 0 when there is none.
int BaseUnit(LONG pixels, int units, int divisor)
{
    for (int base = 1; base < 100; ++base) {
        if (::MulDiv(units, base, divisor) == pixels)
            return base;
    }
    return 0;
}

CRect ClientRectOf(HWND control, HWND dialog)
{
    CRect rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// Every control of the template, in order, with its id, class, text,
// visibility, kind, tab stop, group start, position and size; the template
// is 345 x 284 dialog units, which gives the base units to check them by.
TEST_F(SettingsDialog, ControlsAreThoseOfTheTemplate)
{
    Open();
    CRect client;
    ::GetClientRect(m_dialog, &client);
    const int baseX = BaseUnit(client.Width(), 345, 4);
    const int baseY = BaseUnit(client.Height(), 284, 8);
    ASSERT_NE(baseX, 0) << client.Width();
    ASSERT_NE(baseY, 0) << client.Height();

    std::vector<HWND> controls;
    for (HWND child : Children(m_dialog)) {
        if (::GetDlgCtrlID(child) != 0)  // the preview has identifier 0
            controls.push_back(child);
    }
    ASSERT_EQ(controls.size(), std::size(kControls));

    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlCase& expected = kControls[i];
        const HWND control = controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + WindowText(control) + "\"");
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtr(control, GWL_STYLE));
        EXPECT_EQ(static_cast<WORD>(::GetDlgCtrlID(control)), expected.id);
        EXPECT_EQ(WindowClass(control), expected.className);
        if (expected.text != nullptr) {
            EXPECT_EQ(WindowText(control), expected.text);
        }
        EXPECT_EQ(::IsWindowVisible(control) != FALSE, expected.visible);
        EXPECT_EQ(style & expected.typeMask, expected.type);
        EXPECT_EQ((style & WS_TABSTOP) != 0, expected.tabStop);
        EXPECT_EQ((style & WS_GROUP) != 0, expected.group);

        const RECT& units = expected.dialogUnits;
        const CRect rect = ClientRectOf(control, m_dialog);
        EXPECT_EQ(rect.left, ::MulDiv(units.left, baseX, 4));
        EXPECT_EQ(rect.top, ::MulDiv(units.top, baseY, 8));
        if (i == kBannerIndex)
            continue;  // sized by its bitmap, below
        EXPECT_EQ(rect.Width(), ::MulDiv(units.right, baseX, 4));
        EXPECT_EQ(rect.Height(), ::MulDiv(units.bottom, baseY, 8));
    }

    // The banner control takes its bitmap's own size.
    const CRect banner = ClientRectOf(controls[kBannerIndex], m_dialog);
    EXPECT_EQ(banner.Width(), 500);
    EXPECT_EQ(banner.Height(), 250);
    EXPECT_FALSE(WindowText(controls[kCreditIndex]).empty());
}

// The share of the window's area on the screen that shows the colour.
double ShareOfScreenShowing(HWND hWnd, COLORREF colour)
{
    const std::vector<COLORREF> screen = CapturePrimaryScreen();
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    std::size_t total = 0, showing = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        for (LONG x = rect.left; x < rect.right; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            if (x < 0 || y < 0 || x >= width || i >= screen.size())
                continue;
            ++total;
            showing += screen[i] == colour ? 1 : 0;
        }
    }
    return total == 0 ? 0.0 : static_cast<double>(showing) / static_cast<double>(total);
}

// The live preview is a visible child of the dialog on the hidden static
// 1006, with identifier 0. It starts on what the dialog shows there, its
// face, and grows on it.
TEST_F(SettingsDialog, PreviewLiesOnItsPlace)
{
    Open();
    HWND preview = nullptr;
    for (HWND child : Children(m_dialog)) {
        if (::GetDlgCtrlID(child) == 0)
            preview = child;
    }
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(::IsWindowVisible(preview));
    EXPECT_EQ(ClientRectOf(preview, m_dialog), ClientRectOf(Item(1006), m_dialog));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(WaitUntil([&] { return ShareOfScreenShowing(preview, face) > 0.8; }, kEndMs));
}

// The controls show the stored values as far as they can hold them: the
// trackbars and the hidden scroll bar keep 0..100, and the check box shows
// unchecked for a state it does not have. (Values inside the ranges are
// shown and stored back by the keyboard test below.)
TEST_F(SettingsDialog, ControlsShowOutOfRangeValuesAtTheirLimits)
{
    StoreAll(250, 5, -20, 150);
    Open();
    EXPECT_EQ(::SendMessage(Item(1002), SBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(::SendMessage(Item(1008), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(TrackbarPosition(1010), 0);
    EXPECT_EQ(TrackbarPosition(1012), 100);
}

// --- What it stores ----------------------------------------------------------

// A fresh user: OK writes all four values, and nothing else. (The order of
// the writes cannot be seen from outside: Wine's registry lists values by
// name.)
TEST_F(SettingsDialog, OkStoresTheFourValues)
{
    Open();
    PressOk();
    EXPECT_EQ(saver_settings::Names(),
              (std::vector<std::string>{"Blankscr", "Speed", "Star Number", "Star Speed"}));
    ExpectStored(0, 0, 0, 0);
}

// What comes back is what the controls hold: limited to 0..100, and a check
// box state it does not have comes back unchecked.
TEST_F(SettingsDialog, OkStoresOutOfRangeValuesAsTheControlsHoldThem)
{
    StoreAll(250, 5, -20, 150);
    Open();
    PressOk();
    ExpectStored(100, 0, 0, 100);

    StoreAll(-5, -1, 20, -3);
    Open();
    PressOk();
    ExpectStored(0, 0, 20, 0);
}

// The keyboard as a user uses it: Tab from OK past Cancel to "Plant Size"
// (the hidden controls take no focus), End to its top; Tab to "Growth
// Rate", two steps right; Enter for the default button. Every key goes to
// the window that has the focus, and is handled by the dialog's thread in
// its own time.
TEST_F(SettingsDialog, TrackbarsMovedWithTheKeyboardAreStored)
{
    StoreAll(7, 1, 25, 40);
    Open();
    auto focusIs = [this](int id) { return WaitUntil([&] { return FocusOfThreadOf(m_dialog) == Item(id); }, kEndMs); };
    auto positionIs = [this](int id, int position) {
        return WaitUntil([&] { return TrackbarPosition(id) == position; }, kEndMs);
    };
    ASSERT_TRUE(focusIs(IDOK));
    EXPECT_EQ(::SendMessage(Item(1002), SBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(::SendMessage(Item(1008), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TrackbarPosition(1010), 25);
    EXPECT_EQ(TrackbarPosition(1012), 40);

    PostKey(FocusOfThreadOf(m_dialog), VK_TAB);
    ASSERT_TRUE(focusIs(IDCANCEL));
    PostKey(FocusOfThreadOf(m_dialog), VK_TAB);
    ASSERT_TRUE(focusIs(1010));
    PostKey(FocusOfThreadOf(m_dialog), VK_END);
    EXPECT_TRUE(positionIs(1010, 100));

    PostKey(FocusOfThreadOf(m_dialog), VK_TAB);
    ASSERT_TRUE(focusIs(1012));
    PostKey(FocusOfThreadOf(m_dialog), VK_RIGHT);
    PostKey(FocusOfThreadOf(m_dialog), VK_RIGHT);
    EXPECT_TRUE(positionIs(1012, 42));

    PostKey(FocusOfThreadOf(m_dialog), VK_RETURN);
    ExpectEndsCleanly();
    ExpectStored(7, 1, 100, 42);
}

// Every way out but OK leaves the store as it was: values stay, even those
// OK would have changed, and absent ones stay absent.
struct LeaveCase {
    const char* name;
    void (*leave)(HWND dialog);
};

const LeaveCase kLeaveWithoutOk[] = {
    {"CancelButton", [](HWND d) { ::PostMessage(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
    {"EscapeKey", [](HWND d) { PostKey(FocusOfThreadOf(d), VK_ESCAPE); }},
    {"CloseCommand", [](HWND d) { ::PostMessage(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"CloseMessage", [](HWND d) { ::PostMessage(d, WM_CLOSE, 0, 0); }},
};

class SettingsDialogLeave : public SettingsDialog, public testing::WithParamInterface<LeaveCase> {};

TEST_P(SettingsDialogLeave, StoresNothing)
{
    saver_settings::Store("Blankscr", 5);
    saver_settings::Store("Star Speed", -20);
    Open();
    GetParam().leave(m_dialog);
    ExpectEndsCleanly();
    EXPECT_EQ(saver_settings::Names(), (std::vector<std::string>{"Blankscr", "Star Speed"}));
    EXPECT_EQ(saver_settings::Stored("Blankscr"), 5);
    EXPECT_EQ(saver_settings::Stored("Star Speed"), -20);
}

INSTANTIATE_TEST_SUITE_P(WaysOut, SettingsDialogLeave, testing::ValuesIn(kLeaveWithoutOk), CaseName());

// --- The About box -----------------------------------------------------------

bool HasChildWithText(HWND parent, const std::string& part)
{
    for (HWND child : Children(parent)) {
        if (WindowText(child).find(part) != std::string::npos)
            return true;
    }
    return false;
}

// System command 0x0010 (the low four bits aside) opens the About box,
// owned by the dialog, which is disabled until the box is closed.
TEST_F(SettingsDialog, AboutBoxOpensOnSystemCommand0x0010)
{
    Open();
    for (WPARAM command : {0x0010, 0x001F}) {
        SCOPED_TRACE(command);
        ::PostMessage(m_dialog, WM_SYSCOMMAND, command, 0);
        const HWND about = m_saver->WaitForWindow(
            [this](HWND w) { return WindowClass(w) == "#32770" && ::GetWindow(w, GW_OWNER) == m_dialog; }, kEndMs);
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(HasChildWithText(about, "Version 1.0"));
        EXPECT_FALSE(::IsWindowEnabled(m_dialog));

        ::PostMessage(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kEndMs));
        EXPECT_TRUE(::IsWindowEnabled(m_dialog));
    }
    ::PostMessage(Item(IDCANCEL), BM_CLICK, 0, 0);
    ExpectEndsCleanly();
}

}  // namespace
