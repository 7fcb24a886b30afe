// Window classes of the Win32 port.
#pragma once

#include "afxtypes.h"

// The class that windows created without a class name get: the framework's
// window procedure, an arrow pointer and no background brush.
LPCTSTR AfxDefaultWndClass();
