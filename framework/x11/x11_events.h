// X input and window events as the window messages of the framework, so
// that the full-screen rules of the canvases apply unchanged: pointer
// motion is WM_SETCURSOR then WM_MOUSEMOVE, buttons are button-down
// messages (the wheel and any button past the third count as the middle
// button, which the wheel physically is), keys are WM_KEYDOWN (or
// WM_SYSKEYDOWN with Alt held), the window manager's close request is
// WM_CLOSE, and losing the input focus is deactivation.
#pragma once

#include "afxport.h"

#include <X11/Xlib.h>

#include <vector>

struct CX11Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool shift = false;  // Shift held, for ::GetKeyState(VK_SHIFT)
};

// The messages an event on window hWnd becomes, in delivery order; none for
// events that are not input (Expose and the structure events are the
// port's). keysym is the key's first symbol, for key events.
// deleteWindow is the WM_DELETE_WINDOW atom.
std::vector<CX11Message> TranslateInput(const XEvent& event, HWND hWnd, KeySym keysym, Atom deleteWindow);

// The virtual key of a key symbol: letters and digits as their upper-case
// character; Escape, space, Alt, Shift, Tab (ISO_Left_Tab too), Return, the
// arrows, Page Up/Down, Home and End (the keypad's as the main keys) by
// their codes; anything else 0.
UINT VirtualKeyOf(KeySym keysym);
