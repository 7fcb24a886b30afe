// What an output shows, copied through the wlroots screen copy into a
// picture of 0x00RRGGBB words (the pointer left out): the picture a
// full-screen window or a window of its own starts on.
#pragma once

#include "surface/surface.h"
#include "wayland_display.h"

// An empty surface when the compositor offers no screen copy, or the copy
// fails or comes in a format other than XRGB8888 or ARGB8888.
CSurface CaptureOutput(const CWaylandDisplay& display, const CWaylandOutput& output);
