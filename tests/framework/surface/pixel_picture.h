// Tiny surfaces as pictures: one string per row, '.' for the background and
// '#' for the one drawing colour, so a test states every pixel it expects.
#pragma once

#include "surface/surface.h"

#include <string>
#include <vector>

constexpr COLORREF kPictureInk = RGB(0x20, 0xC0, 0x40);

inline std::vector<std::string> PictureOf(const CSurface& surface)
{
    std::vector<std::string> rows;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            const COLORREF p = surface.At(x, y);
            row += p == 0 ? '.' : p == kPictureInk ? '#' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}
