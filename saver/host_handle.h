// The host window handle that the system passes to a preview: the window's
// 32-bit handle value in unsigned decimal.
#pragma once

#include "afxtypes.h"

// Parses text as an unsigned decimal number of at most 32 bits (digits only:
// no sign, no white space, nothing after the digits) and stores the handle
// it names in *handle. Handles carry 32 significant bits and are widened by
// sign extension, as the platform does when a 32-bit handle reaches 64-bit
// code. Returns false, leaving *handle alone, when text is missing, empty,
// not such a number, or zero (which names no window).
bool ParseHostHandle(const char* text, HWND* handle);
