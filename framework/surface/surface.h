// A 32-bit pixel buffer: width x height pixels, row by row, top row first.
// It is what the surface device context draws on and what the ports keep
// as a window's picture.
//
// The pixels are stored as words 0x00RRGGBB, the order of a 32-bit top-down
// BI_RGB device-independent bitmap and of a 24- or 32-bit TrueColor X image
// on a little-endian machine, so that a port hands rows to the display as
// they are. Every colour read or written through the surface is a COLORREF
// (0x00BBGGRR): At swaps on read, Set on write, and drawing code swaps its
// colour once with WordOf before filling. Only code that talks to a
// display or a file uses the words themselves (WordRow, Words).
//
// The words may live in memory the surface does not own: a port can move
// them into a buffer the display reads from (a shared-memory segment), so
// that the picture is itself what is shown and presenting copies nothing.
//
// Beside the pixels it keeps a summary: for each block of kBlockSide x
// kBlockSide pixels, whether the block may hold a pixel whose colour is
// above kSummaryBar. A block marked clear certainly holds none, so a reader
// that only asks "is this pixel above a bar of at least kSummaryBar" learns
// the answer from a few kilobytes instead of the whole picture. The summary
// never claims a block clear that is not: every way of writing pixels either
// marks the blocks it may have brightened or has the summary rebuilt before
// it is next read.
#pragma once

#include "afxtypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The program that builds the framework chooses the summary's bar: the
// darkest bar it asks about often (see the top-level CMakeLists.txt).
#ifndef VERDANE_SUMMARY_BAR
#error "VERDANE_SUMMARY_BAR is not defined: build through the project's CMake"
#endif

class CSurface {
public:
    // The largest width or height a surface may have; larger requests are
    // refused by Resize so that a bad size can never exhaust memory.
    static constexpr int kMaxSide = 16384;

    // Memory for the words that someone else provides and releases, at least
    // Width() x Height() words, rows Width() words apart.
    class CMemory {
    public:
        virtual ~CMemory() = default;
        virtual std::uint32_t* Words() = 0;
    };

    // A colour as a stored word, and back: red and blue change places and
    // the top byte is cleared.
    static constexpr std::uint32_t WordOf(COLORREF color)
    {
        return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    }
    static constexpr COLORREF ColorOf(std::uint32_t word) { return static_cast<COLORREF>(WordOf(word)); }

    CSurface() = default;
    // A surface of the given size filled with one colour. Sizes outside
    // 0..kMaxSide give an empty surface.
    CSurface(int width, int height, COLORREF fill = 0);
    // Copies own their words; moves take the memory along.
    CSurface(const CSurface& other);
    CSurface(CSurface&& other) noexcept;
    CSurface& operator=(const CSurface& other);
    CSurface& operator=(CSurface&& other) noexcept;
    ~CSurface() = default;

    // Changes the size and fills every pixel with the colour, in memory of
    // the surface's own. Returns false (and leaves the surface unchanged)
    // when a side is outside 0..kMaxSide.
    bool Resize(int width, int height, COLORREF fill = 0);

    // Moves the pixels into memory (which must hold Width() x Height()
    // words) and keeps them there until the next Resize, move or Adopt;
    // nullptr moves them back into memory of the surface's own.
    void Adopt(std::unique_ptr<CMemory> memory);
    // The memory given to Adopt, or nullptr while the surface owns its words.
    CMemory* Memory() const { return m_memory.get(); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Unchecked access; callers test Contains first.
    COLORREF At(int x, int y) const { return ColorOf(m_words[Index(x, y)]); }
    // Writing may brighten the pixel, so its block is marked.
    void Set(int x, int y, COLORREF color)
    {
        m_blocks[BlockIndex(x, y)] = kMayBeAbove;
        m_anyMarked = true;
        m_words[Index(x, y)] = WordOf(color);
    }
    // Every pixel's colour, row by row.
    std::vector<COLORREF> Colors() const;

    // The stored words: row y's, left to right, and all of them, rows
    // Width() words apart; unchecked like At. Through the writable ones the
    // summary is rebuilt before it is next read, since any word may change.
    const std::uint32_t* WordRow(int y) const { return m_words + Index(0, y); }
    std::uint32_t* WordRow(int y)
    {
        m_summaryStale = true;
        return m_words + Index(0, y);
    }
    const std::uint32_t* Words() const { return m_words; }
    std::uint32_t* Words()
    {
        m_summaryStale = true;
        return m_words;
    }

    // The summary's bar, chosen by the program at build time. Reads against
    // it or any higher bar are answered from the summary; lower bars read
    // the pixel.
    static constexpr COLORREF kSummaryBar = VERDANE_SUMMARY_BAR;
    static constexpr int kBlockShift = 3;
    static constexpr int kBlockSide = 1 << kBlockShift;

    // False when no pixel of the block holding (x, y) has a colour above
    // kSummaryBar; true when one may. (x, y) must lie on the surface.
    bool MayBeAbove(int x, int y) const
    {
        if (m_summaryStale)
            RebuildSummary();
        return m_blocks[BlockIndex(x, y)] != kClear;
    }
    // False when no pixel inside box (which must lie on the surface) has a
    // colour above kSummaryBar; true when one may. On a picture with no
    // bright block at all it answers at once, whatever the box.
    bool MayBeAboveIn(const RECT& box) const;

    // For drawing code that writes many pixels of one colour: row y like
    // WordRow, without giving up the summary. The writer stores WordOf its
    // colour and must call Wrote for what it writes.
    std::uint32_t* RowToDraw(int y) { return m_words + Index(0, y); }
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
    std::size_t Count() const { return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height); }
    void MarkMayBeAbove(const RECT& box);
    // Reads every pixel once to set every block exactly.
    void RebuildSummary() const;

    int m_width = 0;
    int m_height = 0;
    // The words live in m_owned, or in m_memory after Adopt; m_words points
    // at them either way.
    std::vector<std::uint32_t> m_owned;
    std::unique_ptr<CMemory> m_memory;
    std::uint32_t* m_words = nullptr;
    int m_blocksPerRow = 0;
    // The summary is a cache of the pixels: const readers may rebuild it.
    mutable std::vector<std::uint8_t> m_blocks;
    // False only while every block is clear (set whenever one is marked).
    mutable bool m_anyMarked = false;
    mutable bool m_summaryStale = false;
};
