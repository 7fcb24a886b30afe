// The start of a framework program on Win32, called by its WinMain.
#pragma once

#include "afxtypes.h"

// Completes the application object (instance, the C runtime's arguments,
// the module's base name as application name when none was given), runs
// InitInstance and, when it returns TRUE, the message loop. Returns the
// process's exit code: the loop's, or 0 when no loop ran.
int AfxWinMain(HINSTANCE instance);
