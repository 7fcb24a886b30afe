#include "x11_events.h"

#include <X11/keysym.h>

namespace {

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

WPARAM ButtonFlags(unsigned state)
{
    WPARAM flags = 0;
    if ((state & Button1Mask) != 0)
        flags |= MK_LBUTTON;
    if ((state & Button2Mask) != 0)
        flags |= MK_MBUTTON;
    if ((state & Button3Mask) != 0)
        flags |= MK_RBUTTON;
    return flags;
}

}  // namespace

UINT VirtualKeyOf(KeySym keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<UINT>(keysym - XK_a + 'A');
    if ((keysym >= XK_A && keysym <= XK_Z) || (keysym >= XK_0 && keysym <= XK_9))
        return static_cast<UINT>(keysym);
    switch (keysym) {
    case XK_Escape:
        return VK_ESCAPE;
    case XK_space:
        return VK_SPACE;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Left:
    case XK_KP_Left:
        return VK_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return VK_UP;
    case XK_Right:
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return VK_DOWN;
    case XK_Page_Up:
    case XK_KP_Page_Up:
        return VK_PRIOR;
    case XK_Page_Down:
    case XK_KP_Page_Down:
        return VK_NEXT;
    case XK_Home:
    case XK_KP_Home:
        return VK_HOME;
    case XK_End:
    case XK_KP_End:
        return VK_END;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return VK_MENU;
    default:
        return 0;
    }
}

std::vector<CX11Message> TranslateInput(const XEvent& event, HWND hWnd, KeySym keysym, Atom deleteWindow)
{
    switch (event.type) {
    case MotionNotify: {
        const XMotionEvent& motion = event.xmotion;
        return {{WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, static_cast<WORD>(WM_MOUSEMOVE))},
                {WM_MOUSEMOVE, ButtonFlags(motion.state), PointParam(motion.x, motion.y)}};
    }
    case ButtonPress: {
        const XButtonEvent& button = event.xbutton;
        const UINT message = button.button == Button1 ? WM_LBUTTONDOWN
                             : button.button == Button3 ? WM_RBUTTONDOWN
                                                        : WM_MBUTTONDOWN;
        return {{WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, static_cast<WORD>(message))},
                {message, ButtonFlags(button.state), PointParam(button.x, button.y)}};
    }
    case KeyPress: {
        // Alt held, or Alt itself: the system variant, as on Windows.
        const UINT key = VirtualKeyOf(keysym);
        const bool alt = (event.xkey.state & Mod1Mask) != 0 || key == VK_MENU;
        constexpr LPARAM kAltHeld = LPARAM{1} << 29;
        const bool shift = (event.xkey.state & ShiftMask) != 0;
        return {{alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 | kAltHeld) : 1, shift}};
    }
    case FocusOut:
        // Focus moving inside the window, or following the pointer, is
        // not the window losing it.
        if (event.xfocus.mode != NotifyNormal || event.xfocus.detail == NotifyInferior ||
            event.xfocus.detail == NotifyPointer)
            return {};
        return {{WM_NCACTIVATE, FALSE, 0}, {WM_ACTIVATE, WA_INACTIVE, 0}};
    case ClientMessage:
        if (event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow &&
            deleteWindow != 0)
            return {{WM_CLOSE, 0, 0}};
        return {};
    default:
        return {};
    }
}
