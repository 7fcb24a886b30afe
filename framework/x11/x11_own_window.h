// The X window the port makes for a top-level framework window: placed and
// sized as the window is, with the hints a window manager reads (name,
// class, the close protocol, the position the program chose), mapped on
// top. A pop-up window (full screen) bypasses the window manager.
#pragma once

#include "offscreen_world.h"
#include "x11_display.h"

#include <X11/Xlib.h>

// deleteWindow: the WM_DELETE_WINDOW atom, the close protocol taken part in.
Window CreateOwnXWindow(const CX11Display& display, const COffscreenWindow& window, Atom deleteWindow);
