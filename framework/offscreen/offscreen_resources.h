// Resource handles of the off-screen port. There are no resource files
// here, so a handle is made from the resource's kind and identifier: every
// identifier 1..0xFFFF names a resource, equal requests give equal handles
// and different resources different ones. Nothing dereferences them.
#pragma once

#include "afxport.h"

#include <string>

// A cursor of the system, such as the arrow (32512).
HCURSOR OffscreenSystemCursor(UINT id);
// A cursor or icon of the program's module; nullptr for identifiers
// outside 1..0xFFFF.
HCURSOR OffscreenModuleCursor(UINT id);
HICON OffscreenModuleIcon(UINT id);

// The system's arrow pointer: the default window class's cursor and the
// pointer's shape before anything sets one.
HCURSOR OffscreenArrowCursor();

// The handle of the program's module, as WinMain receives it on Windows.
HINSTANCE OffscreenModuleInstance();

// A copy of the text kept for the life of the process, as a module's
// strings are (the application's name).
LPCTSTR OffscreenKeepString(const std::string& text);
