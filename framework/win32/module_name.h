// The application name that a program gets from its module's file name.
#pragma once

#include "afxtypes.h"

#include <string>

// The file name of path without its folders and without its extension (the
// part from the last dot of the file name on): "C:\Savers\verdane.scr" gives
// "verdane". Both slash kinds separate folders.
std::string AfxModuleBaseName(const std::string& path);

// The full path of the module of instance (the program itself for nullptr);
// empty when the platform cannot tell.
std::string AfxModuleFileName(HINSTANCE instance);
