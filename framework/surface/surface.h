// A 32-bit pixel buffer: width x height pixels of 0x00BBGGRR, row by row,
// top row first. It is what the surface device context draws on and what
// the off-screen port keeps as a window's picture.
#pragma once

#include "afxtypes.h"

#include <cstddef>
#include <vector>

class CSurface {
public:
    // The largest width or height a surface may have; larger requests are
    // refused by Resize so that a bad size can never exhaust memory.
    static constexpr int kMaxSide = 16384;

    CSurface() = default;
    // A surface of the given size filled with one colour. Sizes outside
    // 0..kMaxSide give an empty surface.
    CSurface(int width, int height, COLORREF fill = 0);

    // Changes the size and fills every pixel with the colour. Returns false
    // (and leaves the surface unchanged) when a side is outside 0..kMaxSide.
    bool Resize(int width, int height, COLORREF fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Unchecked access; callers test Contains first.
    COLORREF At(int x, int y) const { return m_pixels[Index(x, y)]; }
    COLORREF& At(int x, int y) { return m_pixels[Index(x, y)]; }

    // Row y's pixels, left to right; unchecked like At.
    COLORREF* Row(int y) { return m_pixels.data() + Index(0, y); }

    const std::vector<COLORREF>& Pixels() const { return m_pixels; }
    std::vector<COLORREF>& Pixels() { return m_pixels; }

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
