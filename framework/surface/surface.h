// A 32-bit pixel buffer: width x height pixels of 0x00BBGGRR, row by row,
// top row first. It is what the surface device context draws on and what
// the off-screen port keeps as a window's picture.
//
// Beside the pixels it keeps a summary: for each block of kBlockSide x
// kBlockSide pixels, whether the block may hold a pixel above kSummaryBar.
// A block marked clear certainly holds none, so a reader that only asks
// "is this pixel above a bar of at least kSummaryBar" (the growth's probes
// for a bright spot) learns the answer from a few kilobytes instead of the
// whole picture. The summary never claims a block clear that is not: every
// way of writing pixels either marks the blocks it may have brightened or
// has the summary rebuilt before it is next read.
#pragma once

#include "afxtypes.h"

#include <cstddef>
#include <cstdint>
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

    // Unchecked access; callers test Contains first. Writing through the
    // reference may brighten the pixel, so its block is marked.
    COLORREF At(int x, int y) const { return m_pixels[Index(x, y)]; }
    COLORREF& At(int x, int y)
    {
        m_blocks[BlockIndex(x, y)] = kMayBeAbove;
        return m_pixels[Index(x, y)];
    }

    // Row y's pixels, left to right; unchecked like At. The summary is
    // rebuilt before it is next read, since any of them may change.
    COLORREF* Row(int y)
    {
        m_summaryStale = true;
        return m_pixels.data() + Index(0, y);
    }

    const std::vector<COLORREF>& Pixels() const { return m_pixels; }
    std::vector<COLORREF>& Pixels()
    {
        m_summaryStale = true;
        return m_pixels;
    }

    // The summary's bar: the darkest bar the growth's probes use (their 60th
    // try). Every branch colour lies below it.
    static constexpr COLORREF kSummaryBar = 0x787878;
    static constexpr int kBlockShift = 3;
    static constexpr int kBlockSide = 1 << kBlockShift;

    // False when no pixel of the block holding (x, y) is above kSummaryBar;
    // true when one may be. (x, y) must lie on the surface.
    bool MayBeAbove(int x, int y) const
    {
        if (m_summaryStale)
            RebuildSummary();
        return m_blocks[BlockIndex(x, y)] != kClear;
    }

    // For drawing code that writes many pixels of one colour: row y like
    // Row, without giving up the summary. The writer must call Wrote for
    // what it writes.
    COLORREF* RowToDraw(int y) { return m_pixels.data() + Index(0, y); }
    // The pixels inside box (limited to the surface) may have been set to
    // color: blocks there are marked when the colour is above the bar.
    void Wrote(const RECT& box, COLORREF color)
    {
        if (color > kSummaryBar)
            MarkMayBeAbove(box);
    }

private:
    static constexpr std::uint8_t kClear = 0;
    static constexpr std::uint8_t kMayBeAbove = 1;

    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }
    std::size_t BlockIndex(int x, int y) const
    {
        return static_cast<std::size_t>(y >> kBlockShift) * static_cast<std::size_t>(m_blocksPerRow) +
               static_cast<std::size_t>(x >> kBlockShift);
    }
    void MarkMayBeAbove(const RECT& box);
    // Reads every pixel once to set every block exactly.
    void RebuildSummary() const;

    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
    int m_blocksPerRow = 0;
    // The summary is a cache of the pixels: const readers may rebuild it.
    mutable std::vector<std::uint8_t> m_blocks;
    mutable bool m_summaryStale = false;
};
