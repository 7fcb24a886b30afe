// Surface pixels (0x00BBGGRR) packed as 0x00RRGGBB, the layout of a 32-bit
// device-independent bitmap and of a 24-bit TrueColor X image on a
// little-endian machine, for a port that copies a rectangle to the screen
// or takes a picture from it.
#pragma once

#include "surface.h"

#include <cstddef>
#include <cstdint>

// Writes the pixels of rect, limited to the surface, into out: one row of
// the limited rectangle's width after another, starting stride pixels
// apart (stride at least that width). Returns the limited rectangle, which
// is empty (and nothing is written) when rect misses the surface.
CRect CopyRgbRows(const CSurface& surface, const RECT& rect, std::uint32_t* out, std::size_t stride);

// The reverse: reads the rows of rect, limited to the surface, from in (laid
// out as CopyRgbRows writes them) and stores them in the surface. Returns
// the limited rectangle.
CRect PasteRgbRows(CSurface& surface, const RECT& rect, const std::uint32_t* in, std::size_t stride);
