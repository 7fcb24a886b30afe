// Tiny surfaces as pictures: one string per row, '.' for the background and
// '#' for the one drawing colour, so a test states every pixel it expects;
// and the one-segment drawing such tests make.
#pragma once

#include "surface/surface_dc.h"

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

// One segment from (x0, y0) to (x1, y1) with a pen of that colour and width,
// on a context covering the whole surface.
inline void DrawSegment(CSurface& surface, COLORREF color, int width, int x0, int y0, int x1, int y1)
{
    CSurfaceDC dc(surface);
    CPen pen(PS_INSIDEFRAME, width, color);
    dc.SelectObject(&pen);
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
    dc.SelectObject(static_cast<CPen*>(nullptr));
}
