// X events as window messages, without a display: what the full-screen
// window's rules receive for each kind of input.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "x11_events.h"

#include <X11/keysym.h>

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x10010);
constexpr Atom kDelete = 77;

std::vector<UINT> MessagesOf(const XEvent& event, KeySym keysym = 0)
{
    std::vector<UINT> messages;
    for (const CX11Message& m : TranslateInput(event, kWindow, keysym, kDelete))
        messages.push_back(m.message);
    return messages;
}

TEST(X11Events, PointerMotionIsSetCursorThenMouseMoveAtThePoint)
{
    XEvent event{};
    event.type = MotionNotify;
    event.xmotion.x = 321;
    event.xmotion.y = 45;
    event.xmotion.state = Button1Mask;
    const std::vector<CX11Message> messages = TranslateInput(event, kWindow, 0, kDelete);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_SETCURSOR);
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(messages[0].lParam)), HTCLIENT);
    EXPECT_EQ(messages[1].message, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(messages[1].lParam), 321);
    EXPECT_EQ(GET_Y_LPARAM(messages[1].lParam), 45);
    EXPECT_EQ(messages[1].wParam, MK_LBUTTON);
}

TEST(X11Events, EveryButtonTheWheelIncludedIsAButtonDown)
{
    XEvent event{};
    event.type = ButtonPress;
    const std::pair<unsigned, UINT> cases[] = {{Button1, WM_LBUTTONDOWN}, {Button2, WM_MBUTTONDOWN},
                                              {Button3, WM_RBUTTONDOWN}, {Button4, WM_MBUTTONDOWN},
                                              {Button5, WM_MBUTTONDOWN}, {8, WM_MBUTTONDOWN}};
    for (const auto& [button, message] : cases) {
        event.xbutton.button = button;
        EXPECT_EQ(MessagesOf(event), (std::vector<UINT>{WM_SETCURSOR, message})) << button;
    }
}

TEST(X11Events, KeysAreKeyDownAndWithAltSysKeyDown)
{
    XEvent event{};
    event.type = KeyPress;
    const std::vector<CX11Message> plain = TranslateInput(event, kWindow, XK_q, kDelete);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].message, WM_KEYDOWN);
    EXPECT_EQ(plain[0].wParam, static_cast<WPARAM>('Q'));

    EXPECT_EQ(MessagesOf(event, XK_Alt_L), std::vector<UINT>{WM_SYSKEYDOWN});
    event.xkey.state = Mod1Mask;
    EXPECT_EQ(MessagesOf(event, XK_F4), std::vector<UINT>{WM_SYSKEYDOWN});
    EXPECT_EQ(VirtualKeyOf(XK_Escape), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyOf(XK_7), static_cast<UINT>('7'));
    EXPECT_EQ(VirtualKeyOf(XK_F4), 0u);
}

// The keys a dialog's controls take, the keypad's as the main keys, with
// Shift carried along for ::GetKeyState.
TEST(X11Events, DialogKeysAreTheirVirtualKeysWithShift)
{
    const std::pair<KeySym, UINT> keys[] = {
        {XK_Tab, VK_TAB},         {XK_ISO_Left_Tab, VK_TAB},  {XK_Return, VK_RETURN},    {XK_KP_Enter, VK_RETURN},
        {XK_Left, VK_LEFT},       {XK_KP_Up, VK_UP},          {XK_Right, VK_RIGHT},      {XK_KP_Down, VK_DOWN},
        {XK_Page_Up, VK_PRIOR},   {XK_KP_Page_Down, VK_NEXT}, {XK_KP_Home, VK_HOME},     {XK_End, VK_END},
        {XK_Shift_L, VK_SHIFT},   {XK_space, VK_SPACE},
    };
    for (const auto& [keysym, key] : keys)
        EXPECT_EQ(VirtualKeyOf(keysym), key) << XKeysymToString(keysym);

    XEvent event{};
    event.type = KeyPress;
    EXPECT_FALSE(TranslateInput(event, kWindow, XK_Tab, kDelete).at(0).shift);
    event.xkey.state = ShiftMask;
    const std::vector<CX11Message> shifted = TranslateInput(event, kWindow, XK_Tab, kDelete);
    ASSERT_EQ(shifted.size(), 1u);
    EXPECT_EQ(shifted[0].message, WM_KEYDOWN);
    EXPECT_EQ(shifted[0].wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_TRUE(shifted[0].shift);
}

TEST(X11Events, LosingTheFocusDeactivatesButFocusFollowingThePointerDoesNot)
{
    XEvent event{};
    event.type = FocusOut;
    event.xfocus.mode = NotifyNormal;
    event.xfocus.detail = NotifyNonlinear;
    EXPECT_EQ(MessagesOf(event), (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE}));
    event.xfocus.detail = NotifyPointer;
    EXPECT_TRUE(MessagesOf(event).empty());
    event.xfocus.detail = NotifyInferior;
    EXPECT_TRUE(MessagesOf(event).empty());
    event.xfocus.detail = NotifyNonlinear;
    event.xfocus.mode = NotifyGrab;
    EXPECT_TRUE(MessagesOf(event).empty());
}

TEST(X11Events, OnlyTheDeleteProtocolCloses)
{
    XEvent event{};
    event.type = ClientMessage;
    event.xclient.format = 32;
    event.xclient.data.l[0] = kDelete;
    EXPECT_EQ(MessagesOf(event), std::vector<UINT>{WM_CLOSE});
    event.xclient.data.l[0] = kDelete + 1;
    EXPECT_TRUE(MessagesOf(event).empty());
    event.type = Expose;
    EXPECT_TRUE(MessagesOf(event).empty());
}

}  // namespace
