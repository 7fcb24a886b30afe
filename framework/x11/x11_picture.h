// The picture a hack starts on: what its target showed before it drew.
#pragma once

#include "surface/surface.h"

#include <X11/Xlib.h>

// The rectangle (x, y, width, height) of the drawable as a surface, read
// through the visual (TrueColor only) of the given depth; empty when the
// server refuses it.
CSurface ReadDrawablePicture(Display* display, Drawable drawable, const Visual* visual, int depth, int x, int y,
                             int width, int height);

// XScreenSaver's driver leaves a screenshot of the desktop for its hacks on
// the window it hands them (a Pixmap in the _SCREENSAVER_SCREENSHOT
// property, of the window's size or of the whole screen); that is taken
// first. Otherwise the window's own contents, when it is viewable. An empty
// surface when neither can be had (the growth then starts black).
CSurface ReadStartPicture(Display* display, Window window);
