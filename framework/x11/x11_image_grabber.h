// The picture XScreenSaver's own image hacks start on, for a window that
// XScreenSaver hands over: its helper xscreensaver-getimage chooses it from
// the user's image settings in ~/.xscreensaver (the desktop as it was before
// the screen blanked only when grabDesktopImages is True; otherwise an image
// file, or colour bars) and draws it on a pixmap of the window's size.
#pragma once

#include "surface/surface.h"

#include <X11/Xlib.h>

#include <string>

// The picture for the window, width x height. When the helper cannot be
// found, fails, or takes longer than a few seconds, the picture is black,
// never the window's own contents, and note says why in one line.
CSurface ReadGrabbedPicture(Display* display, Window window, std::string& note);
