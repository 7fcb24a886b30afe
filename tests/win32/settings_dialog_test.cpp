// The settings dialog of the real verdane.scr, worked from outside: which
// command lines open it, what it shows, and what it stores when the user
// leaves it.
#include "case_name.h"
#include "saver_test.h"
#include "screen_pixels.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
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

    void StoreAll(int speed, int blank, int plantSize, int growthRate)
    {
        saver_settings::Store("Speed", speed);
        saver_settings::Store("Blankscr", blank);
        saver_settings::Store("Star Speed", plantSize);
        saver_settings::Store("Star Number", growthRate);
    }

    void ExpectStored(int speed, int blank, int plantSize, int growthRate)
    {
        EXPECT_EQ(saver_settings::Stored("Speed"), speed);
        EXPECT_EQ(saver_settings::Stored("Blankscr"), blank);
        EXPECT_EQ(saver_settings::Stored("Star Speed"), plantSize);
        EXPECT_EQ(saver_settings::Stored("Star Number"), growthRate);
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

// The dialog's horizontal and vertical base units, found from its client
// size and the template's 345 x 284 dialog units; 0 where none fits.
CPoint BaseUnits(HWND dialog)
{
    CRect client;
    ::GetClientRect(dialog, &client);
    return CPoint(BaseUnit(client.Width(), 345, 4), BaseUnit(client.Height(), 284, 8));
}

// The live preview: the dialog's child with identifier 0.
HWND PreviewOf(HWND dialog)
{
    for (HWND child : Children(dialog)) {
        if (::GetDlgCtrlID(child) == 0)
            return child;
    }
    return nullptr;
}

// Every control of the template, in order, with its id, class, text,
// visibility, kind, tab stop, group start, position and size; the template
// is 345 x 284 dialog units, which gives the base units to check them by.
TEST_F(SettingsDialog, ControlsAreThoseOfTheTemplate)
{
    Open();
    const CPoint base = BaseUnits(m_dialog);
    const int baseX = base.x;
    const int baseY = base.y;
    ASSERT_NE(baseX, 0);
    ASSERT_NE(baseY, 0);

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
        EXPECT_EQ(rect.Width(), ::MulDiv(units.right, baseX, 4));
        EXPECT_EQ(rect.Height(), ::MulDiv(units.bottom, baseY, 8));
    }
    // The banner keeps its frame's size instead of taking its bitmap's.
    EXPECT_TRUE(::GetWindowLongPtr(controls[kBannerIndex], GWL_STYLE) & SS_REALSIZECONTROL);
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

// --- At the screen's DPI -----------------------------------------------------

// The dialog under a DPI set the way a user sets it (the per-user
// LogPixels), which processes read when they start; the value is removed
// again afterwards.
class SettingsDialogAtDpi : public SettingsDialog, public testing::WithParamInterface<int> {
protected:
    static constexpr const char* kDesktopKey = "Control Panel\\Desktop";

    void SetUp() override
    {
        SettingsDialog::SetUp();
        const DWORD dpi = static_cast<DWORD>(GetParam());
        ASSERT_EQ(::RegSetKeyValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegDeleteKeyValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
        SettingsDialog::TearDown();
    }

    HWND ChildWithStyle(DWORD typeMask, DWORD type, const char* text) const
    {
        for (HWND child : Children(m_dialog)) {
            const auto style = static_cast<DWORD>(::GetWindowLongPtr(child, GWL_STYLE));
            if ((style & typeMask) == type && (text == nullptr || WindowText(child) == text))
                return child;
        }
        return nullptr;
    }
};

// The mean brightness (0..255) of a screen rectangle; -1 when the screen
// was not read.
int MeanBrightness(const std::vector<COLORREF>& screen, const CRect& area)
{
    if (screen.empty())
        return -1;
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    long long sum = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = screen[static_cast<size_t>(y) * width + x];
            sum += GetRValue(c) + GetGValue(c) + GetBValue(c);
        }
    }
    return static_cast<int>(sum / (3LL * area.Width() * area.Height()));
}

// The first and last positions along a line of the screen (a row when
// horizontal, else a column) from begin to end where it is dark; {-1, -1}
// when nowhere.
std::pair<int, int> DarkExtent(const std::vector<COLORREF>& screen, bool horizontal, int at, int begin, int end)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    std::pair<int, int> extent{-1, -1};
    for (int i = begin; i < end; ++i) {
        const COLORREF c = horizontal ? screen[static_cast<size_t>(at) * width + i] : screen[static_cast<size_t>(i) * width + at];
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
            if (extent.first < 0)
                extent.first = i;
            extent.second = i;
        }
    }
    return extent;
}

// The dialog grows with the DPI, and so does its banner: the control fills
// its 333 x 154 dialog-unit frame, and the (dark) picture keeps its 2 : 1
// shape in it, as large as fits and centred on the light dialog face, which
// shows at the sides of the wider frame. The live preview stays inside its
// "Preview" frame.
TEST_P(SettingsDialogAtDpi, BannerKeepsItsShapeCentredInItsFrameAndPreviewStaysInItsFrame)
{
    Open();
    const HWND banner = ChildWithStyle(SS_TYPEMASK, SS_BITMAP, nullptr);
    ASSERT_NE(banner, nullptr);
    const CPoint base = BaseUnits(m_dialog);
    ASSERT_TRUE(base.x != 0 && base.y != 0);
    const CRect bannerRect = ClientRectOf(banner, m_dialog);
    EXPECT_EQ(bannerRect.left, ::MulDiv(5, base.x, 4));
    EXPECT_EQ(bannerRect.top, ::MulDiv(5, base.y, 8));
    EXPECT_EQ(bannerRect.Width(), ::MulDiv(333, base.x, 4));
    EXPECT_EQ(bannerRect.Height(), ::MulDiv(154, base.y, 8));
    if (GetParam() > 96) {  // the DPI took: the frame is larger than the bitmap
        EXPECT_GT(bannerRect.Width(), 500);
        EXPECT_GT(bannerRect.Height(), 250);
    }

    CRect onScreen;
    ::GetWindowRect(banner, &onScreen);
    const CRect screenRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ASSERT_EQ(CRect::Intersection(onScreen, screenRect), onScreen) << "the banner fits on the screen";
    // Where the picture should be: full height, 2 : 1, centred.
    const LONG pictureWidth = 2 * onScreen.Height();
    const LONG left = onScreen.left + (onScreen.Width() - pictureWidth) / 2;
    const CRect face(onScreen.left + 2, onScreen.top, left - 2, onScreen.bottom);
    ASSERT_FALSE(face.IsRectEmpty()) << "the frame is wider than 2 : 1";

    // Painting comes after every other message, so the picture is awaited:
    // the face at the banner's left and the dark picture both showing.
    std::vector<COLORREF> screen;
    std::pair<int, int> across, down;
    EXPECT_TRUE(WaitUntil(
        [&] {
            screen = CapturePrimaryScreen();
            if (screen.empty() || MeanBrightness(screen, face) < 160)
                return false;
            across = DarkExtent(screen, true, (onScreen.top + onScreen.bottom) / 2, onScreen.left, onScreen.right);
            down = DarkExtent(screen, false, left + 4, onScreen.top, onScreen.bottom);
            return across.first >= 0 && down.first >= 0;
        },
        kEndMs))
        << "face " << MeanBrightness(screen, face);
    // Within a pixel or two of the expected place (the smooth stretch may
    // lighten an edge pixel).
    EXPECT_NEAR(across.first, left, 2);
    EXPECT_NEAR(across.second + 1, left + pictureWidth, 2);
    EXPECT_NEAR(down.first, onScreen.top, 2);
    EXPECT_NEAR(down.second + 1, onScreen.bottom, 2);
    EXPECT_NEAR(across.second + 1 - across.first, 2 * (down.second + 1 - down.first), 4);

    const HWND previewFrame = ChildWithStyle(BS_TYPEMASK, BS_GROUPBOX, "Preview");
    ASSERT_NE(previewFrame, nullptr);
    const HWND preview = PreviewOf(m_dialog);
    ASSERT_NE(preview, nullptr);
    const CRect previewRect = ClientRectOf(preview, m_dialog);
    const CRect frameRect = ClientRectOf(previewFrame, m_dialog);
    CRect inside;
    ::IntersectRect(&inside, &previewRect, &frameRect);
    EXPECT_EQ(inside, previewRect);
    EXPECT_FALSE(previewRect.IsRectEmpty());
}

// The number of different colours the screen shows inside the window.
std::size_t ColoursShowing(const std::vector<COLORREF>& screen, HWND hWnd)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    std::vector<COLORREF> colours;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        for (LONG x = rect.left; x < rect.right; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            if (x >= 0 && y >= 0 && x < width && i < screen.size())
                colours.push_back(screen[i]);
        }
    }
    std::sort(colours.begin(), colours.end());
    return static_cast<std::size_t>(std::unique(colours.begin(), colours.end()) - colours.begin());
}

// The About box, opened over the dialog, draws itself: most of it shows
// the dialog face, and its icon, both text lines and its OK button each
// show a picture of more than one colour, not a plain area.
TEST_P(SettingsDialogAtDpi, AboutBoxShowsItsIconTextsAndButton)
{
    Open();
    ::PostMessage(m_dialog, WM_SYSCOMMAND, 0x0010, 0);
    const HWND about = m_saver->WaitForWindow(
        [this](HWND w) { return WindowClass(w) == "#32770" && ::GetWindow(w, GW_OWNER) == m_dialog; }, kEndMs);
    ASSERT_NE(about, nullptr);
    std::vector<HWND> parts;
    for (HWND child : Children(about))
        parts.push_back(child);
    ASSERT_EQ(parts.size(), 4u) << "icon, two text lines, OK";

    const COLORREF faceColour = ::GetSysColor(COLOR_BTNFACE);
    std::vector<std::size_t> colours(parts.size());
    double faceShare = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<COLORREF> screen = CapturePrimaryScreen();
            for (std::size_t i = 0; i < parts.size(); ++i)
                colours[i] = ColoursShowing(screen, parts[i]);
            faceShare = ShareOfScreenShowing(about, faceColour);
            return faceShare > 0.5 && std::all_of(colours.begin(), colours.end(), [](std::size_t n) { return n > 1; });
        },
        kEndMs))
        << "face " << faceShare << "; colours of icon, texts and button: " << colours[0] << ", " << colours[1]
        << ", " << colours[2] << ", " << colours[3];

    ::PostMessage(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kEndMs));
    ::PostMessage(Item(IDCANCEL), BM_CLICK, 0, 0);
    ExpectEndsCleanly();
}

INSTANTIATE_TEST_SUITE_P(Dpi, SettingsDialogAtDpi, testing::Values(96, 120, 144),
                         [](const testing::TestParamInfo<int>& dpi) { return std::to_string(dpi.param); });

// The live preview is a visible child of the dialog on the hidden static
// 1006, with identifier 0. It starts on what the dialog shows there, its
// face, and grows on it.
TEST_F(SettingsDialog, PreviewLiesOnItsPlace)
{
    Open();
    const HWND preview = PreviewOf(m_dialog);
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
