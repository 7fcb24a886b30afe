// Platform types and constants of the Win32 port: the platform's own.
// This is the only header outside the port's sources that pulls in
// <windows.h>, and only in Win32 builds.
#pragma once

// The framework and everything above it use narrow-character text (the
// portable headers' LPCTSTR is const char*), so the generic Win32 names must
// resolve to their ANSI forms.
#if defined(UNICODE) || defined(_UNICODE)
#error "Verdane is built without UNICODE: its framework uses narrow-character text."
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>
