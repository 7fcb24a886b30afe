// The one pixel layout the X11 port draws: 32 bits per pixel, 0x00RRGGBB,
// in this machine's byte order (a 24-bit TrueColor visual).
#pragma once

#include <X11/Xlib.h>

bool IsPackedRgb(const Visual* visual, int depth);
// This machine's byte order as Xlib names it (LSBFirst or MSBFirst).
int NativeByteOrder();
