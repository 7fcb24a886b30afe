// The line-drawing cases that the surface context is measured on: named
// edge cases in every pen width, batches of random short lines like the
// growth's, and whole growth traces. The comparison with GDI (under Wine)
// draws each case with both and compares every pixel; the native suite
// checks our output against hashes recorded from that verified output.
#pragma once

#include "afxtypes.h"
#include "surface/surface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CSegment {
    int x0, y0, x1, y1;
    int width;
    COLORREF color;
};

struct CLineCase {
    std::string name;
    int width = 0, height = 0;   // the surface
    std::vector<CRect> clip;     // the clipping region; empty for the whole surface
    std::vector<CSegment> segments;
    // A cumulative case is one picture of all its segments in order; any
    // other draws each segment alone on a fresh surface, so that no later
    // segment can hide a wrong pixel of an earlier one.
    bool cumulative = false;
};

// The colour every surface starts as; no segment is drawn in it.
constexpr COLORREF kLineCaseBackground = 0x00000000;

// Every case, in a fixed order. Growth traces are read from the fixture
// files named at build time.
std::vector<CLineCase> AllLineCases();

// The frames of a case: the runs of segments drawn onto one fresh surface.
struct CFrame {
    std::size_t begin, end;
};
std::vector<CFrame> FramesOf(const CLineCase& lineCase);

// Draws segments [frame.begin, frame.end) of a case on a fresh surface with
// the surface device context, as the growth draws: per segment a pen is
// created, selected, the line drawn, the previous pen selected back.
void DrawFrame(const CLineCase& lineCase, const CFrame& frame, CSurface& surface);

// FNV-1a over the pixels of a surface, continuing from hash.
std::uint64_t HashPixels(std::uint64_t hash, const CSurface& surface);
constexpr std::uint64_t kHashSeed = 0xcbf29ce484222325ull;

// The hash of our drawing of every frame of a case, in order.
std::uint64_t HashOfCase(const CLineCase& lineCase);

// Parses the render tool's trace (step slot x0 y0 x1 y1 width color, tab
// separated, colour in hex); returns false on a malformed line.
bool ParseTrace(const std::string& text, std::vector<CSegment>& segments);
