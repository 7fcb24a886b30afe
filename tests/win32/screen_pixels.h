// What the primary screen shows, read back as a user would see it.
#pragma once

#include "afxtypes.h"

#include <vector>

// Every pixel of the primary screen, row by row from the top, as COLORREF
// values (0x00BBGGRR); empty when the screen cannot be read.
std::vector<COLORREF> CapturePrimaryScreen();

// A colour that a branch can have: green 40..184 (with the small carries
// that colour growth adds), blue below 40 and red anything, since growth
// runs through the red byte.
bool IsBranchColour(COLORREF colour);
