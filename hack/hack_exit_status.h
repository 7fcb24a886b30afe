// The exit statuses of the X11 program verdane, the same in every mode.
// Every status but 0 comes with one line on standard error that says why.
#pragma once

#include "x11_port.h"

namespace hack_exit {

// Done, or ended by the user: a key or the pointer in -fullscreen, the
// window closed or destroyed, OK or Cancel in the settings window.
constexpr int kDone = 0;
// OK was pressed but the settings could not be stored.
constexpr int kNotStored = 1;
// Bad usage, or a display or window that cannot be used (its visual
// included).
constexpr int kUnusable = 2;
// The X server or the Wayland compositor went away or broke the
// connection.
constexpr int kServerGone = CX11Port::kConnectionLostStatus;

}  // namespace hack_exit
