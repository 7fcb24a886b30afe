// Text drawn with filled rectangles, one per lit pixel of a 5 x 7 font, so
// that the settings window needs nothing of a device context but FillRect.
// Only the characters of the window's own texts have glyphs; any other
// character (the space included) advances without drawing.
#pragma once

#include "dc.h"

namespace pixel_text {

// Each character takes this many pixels of width, its glyph and a gap.
constexpr int kAdvance = 6;
// Rows of a glyph above the baseline.
constexpr int kHeight = 7;

// Draws text with its baseline at y (the glyphs sit on the rows y - 7 to
// y - 1), starting at x, with the brush's colour.
void Draw(CDC& dc, int x, int y, const char* text, CBrush& brush);

}  // namespace pixel_text
