// Platform types and constants of the Win32 port: the platform's own.
// This is the only header outside the port's sources that pulls in
// <windows.h>, and only in Win32 builds.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>
