// Power reports that another program makes up: WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE and an lParam that points nowhere in the
// receiving process. The system's own reports carry a pointer to memory it
// has put there; these must never be read.
#pragma once

#include "afxtypes.h"

// Posts each made-up report to the window, and sends it (waiting at most
// timeoutMs for each answer); returns once the window's thread has
// dispatched them all, or false when the window stopped answering.
bool SendForgedPowerReports(HWND hWnd, DWORD timeoutMs);
