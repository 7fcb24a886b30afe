#include "line_cases.h"

#include "gdi.h"
#include "surface/surface_dc.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>

#ifndef VERDANE_LINE_FIXTURES
#error "VERDANE_LINE_FIXTURES must name the folder of the growth trace fixtures"
#endif

namespace {

// Widths the edge-case table is drawn in: the growth's 0, 1 and 2, and a
// few wider pens, odd and even, for the shape of caps and bodies in general.
const int kWidths[] = {0, 1, 2, 3, 4, 5, 6, 9};

// A small deterministic generator (SplitMix64), so that the random batches
// are the same on every platform and library.
class CCaseRandom {
public:
    explicit CCaseRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi].
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }

private:
    std::uint64_t m_state;
};

// Distinct non-background colours, so a pixel of the wrong segment shows.
COLORREF ColorOf(std::size_t index)
{
    const auto i = static_cast<std::uint32_t>(index);
    return RGB(static_cast<BYTE>(64 + (i * 37) % 192), static_cast<BYTE>(64 + (i * 91) % 192),
               static_cast<BYTE>(64 + (i * 53) % 192));
}

struct CLine {
    int x0, y0, x1, y1;
};

CLineCase MakeCase(const std::string& name, int w, int h, std::vector<CRect> clip, const std::vector<CLine>& lines,
                   int width)
{
    CLineCase c;
    c.name = name + "/w" + std::to_string(width);
    c.width = w;
    c.height = h;
    c.clip = std::move(clip);
    for (const CLine& l : lines)
        c.segments.push_back(CSegment{l.x0, l.y0, l.x1, l.y1, width, ColorOf(c.segments.size())});
    return c;
}

// Lines from (cx, cy) to every point of the square ring of the given radius:
// every octant, both exact diagonals and the axes, each slope's both senses.
std::vector<CLine> Ring(int cx, int cy, int radius)
{
    std::vector<CLine> lines;
    for (int i = -radius; i < radius; ++i) {
        lines.push_back({cx, cy, cx + i, cy - radius});
        lines.push_back({cx, cy, cx + radius, cy + i});
        lines.push_back({cx, cy, cx - i, cy + radius});
        lines.push_back({cx, cy, cx - radius, cy - i});
    }
    return lines;
}

// Rings of odd and even radius: an even major length has exact half-way
// ties, where the bias decides.
std::vector<CLine> Rings(int cx, int cy, std::initializer_list<int> radii)
{
    std::vector<CLine> lines;
    for (int radius : radii) {
        const std::vector<CLine> ring = Ring(cx, cy, radius);
        lines.insert(lines.end(), ring.begin(), ring.end());
    }
    return lines;
}

std::vector<CLine> EightDirections(int cx, int cy, int length)
{
    std::vector<CLine> lines;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0)
                lines.push_back({cx, cy, cx + dx * length, cy + dy * length});
        }
    }
    return lines;
}

std::vector<CLine> Diagonals(int cx, int cy)
{
    std::vector<CLine> lines;
    for (int len = 1; len <= 8; ++len) {
        for (int sx : {-1, 1}) {
            for (int sy : {-1, 1})
                lines.push_back({cx, cy, cx + sx * len, cy + sy * len});
        }
    }
    return lines;
}

std::vector<CLine> Short(int cx, int cy)
{
    std::vector<CLine> lines;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx)
            lines.push_back({cx, cy, cx + dx, cy + dy});
    }
    return lines;
}

// A 20 x 20 surface: lines that end on its edges, just past them, run along
// them, and cross them and the corners.
std::vector<CLine> SurfaceEdges()
{
    std::vector<CLine> lines;
    for (int end : {-2, -1, 0, 1, 18, 19, 20, 21}) {
        lines.push_back({10, 10, end, 10});
        lines.push_back({10, 10, 10, end});
        lines.push_back({10, 10, end, end});
        lines.push_back({10, 10, end, 20 - end});
        lines.push_back({10, 10, end, 13});
        lines.push_back({10, 10, 4, end});
        lines.push_back({end, 3, 10, 10});
    }
    for (int edge : {-1, 0, 19, 20}) {
        lines.push_back({-5, edge, 25, edge});
        lines.push_back({edge, 25, edge, -5});
        lines.push_back({2, edge, 15, edge + 1});
        lines.push_back({edge, 17, edge - 1, 3});
    }
    lines.push_back({-3, -3, 23, 23});
    lines.push_back({23, -3, -3, 23});
    lines.push_back({-4, 1, 1, -4});
    lines.push_back({18, 24, 24, 18});
    lines.push_back({-10, 5, 30, 14});
    lines.push_back({7, 30, 12, -10});
    return lines;
}

// Coordinates millions of pixels away: lines that come in from far off,
// cross the surface from afar on both sides, or pass it by.
std::vector<CLine> FarAway()
{
    return {
        {-3000000, 10, 25, 10},        {10, -2000000, 10, 30},        {-1000000, -999990, 30, 30},
        {-5000000, 7, 5000000, 13},    {-5000000, -100, 5000000, -50}, {1234567, -7654321, 5, 12},
        {-2000000, -1000000, 2000000, 1000003}, {7, 9, 4000000, 3999999}, {3000000, 12, -3000000, 5},
        {12, 3000000, 5, -3000000},    {-999999, 1000013, 1000001, -999987}, {15, 15, -6000000, -6000001},
    };
}

void AddTable(std::vector<CLineCase>& cases)
{
    const std::vector<CRect> whole;
    const std::vector<CRect> one{CRect(4, 6, 15, 13)};
    const std::vector<CRect> several{CRect(0, 0, 6, 20), CRect(8, 3, 13, 9), CRect(8, 11, 20, 17)};
    const std::vector<CRect> overlapping{CRect(2, 2, 12, 12), CRect(8, 8, 18, 18)};
    for (int width : kWidths) {
        cases.push_back(MakeCase("directions", 20, 20, whole, EightDirections(10, 10, 6), width));
        cases.push_back(MakeCase("octants", 20, 20, whole, Rings(10, 10, {7, 8}), width));
        cases.push_back(MakeCase("diagonals", 20, 20, whole, Diagonals(10, 10), width));
        cases.push_back(MakeCase("lengths 0-3", 12, 12, whole, Short(6, 6), width));
        cases.push_back(MakeCase("surface edges", 20, 20, whole, SurfaceEdges(), width));
        cases.push_back(MakeCase("far away", 20, 20, whole, FarAway(), width));
        cases.push_back(MakeCase("far away, clipped", 20, 20, several, FarAway(), width));
        cases.push_back(MakeCase("one clip rect", 20, 20, one, Ring(10, 10, 9), width));
        cases.push_back(MakeCase("several clip rects", 20, 20, several, Ring(10, 10, 9), width));
        cases.push_back(MakeCase("overlapping clip rects", 20, 20, overlapping, Ring(10, 10, 9), width));
        cases.push_back(MakeCase("clip rect edges", 20, 20, several, SurfaceEdges(), width));
    }
}

// Short lines like the growth's: from any point of the surface or up to 6
// pixels outside it, lengths 0 to 40 in any direction (integer deltas, so
// that no floating-point library decides an end point).
CLineCase RandomCase(const std::string& name, std::uint64_t seed, int count, int minWidth, int maxWidth,
                     std::vector<CRect> clip)
{
    CCaseRandom random(seed);
    CLineCase c;
    c.name = name;
    c.width = 40;
    c.height = 40;
    c.clip = std::move(clip);
    while (static_cast<int>(c.segments.size()) < count) {
        const int dx = random.Between(-40, 40);
        const int dy = random.Between(-40, 40);
        if (dx * dx + dy * dy > 40 * 40)
            continue;
        const int x = random.Between(-6, c.width + 5);
        const int y = random.Between(-6, c.height + 5);
        const int width = random.Between(minWidth, maxWidth);
        c.segments.push_back(CSegment{x, y, x + dx, y + dy, width, ColorOf(c.segments.size())});
    }
    return c;
}

void AddRandom(std::vector<CLineCase>& cases)
{
    const std::vector<CRect> several{CRect(0, 0, 17, 40), CRect(20, 3, 31, 18), CRect(20, 22, 40, 37)};
    cases.push_back(RandomCase("random/w0", 11, 4000, 0, 0, {}));
    cases.push_back(RandomCase("random/w1", 12, 4000, 1, 1, {}));
    cases.push_back(RandomCase("random/w2", 13, 6000, 2, 2, {}));
    cases.push_back(RandomCase("random/w0-2, clipped", 14, 6000, 0, 2, several));
    cases.push_back(RandomCase("random/w3-9", 15, 3000, 3, 9, {}));
    cases.push_back(RandomCase("random/w3-9, clipped", 16, 2000, 3, 9, several));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A growth trace as one picture, on the whole surface and under a region of
// several rectangles like a paint's.
void AddTrace(std::vector<CLineCase>& cases, const std::string& file, int w, int h)
{
    CLineCase c;
    c.name = "growth " + file;
    c.width = w;
    c.height = h;
    c.cumulative = true;
    if (!ParseTrace(ReadFile(std::string(VERDANE_LINE_FIXTURES) + "/" + file), c.segments) || c.segments.empty()) {
        std::fprintf(stderr, "cannot read the growth trace %s\n", file.c_str());
        std::abort();
    }
    cases.push_back(c);
    c.name += ", clipped";
    c.clip = {CRect(0, 0, w / 3, h), CRect(w / 2, h / 5, w - 7, h / 2), CRect(w / 3, h / 2 + 3, w, h - 11)};
    cases.push_back(c);
}

}  // namespace

std::vector<CLineCase> AllLineCases()
{
    std::vector<CLineCase> cases;
    AddTable(cases);
    AddRandom(cases);
    // Written by the render tool: verdane-render --size 320x240
    // --seed 20240611 --steps 300 --growth-rate 12 --trace FILE.
    AddTrace(cases, "growth_320x240.trace", 320, 240);
    return cases;
}

std::vector<CFrame> FramesOf(const CLineCase& lineCase)
{
    std::vector<CFrame> frames;
    if (lineCase.cumulative) {
        frames.push_back(CFrame{0, lineCase.segments.size()});
    } else {
        for (std::size_t i = 0; i < lineCase.segments.size(); ++i)
            frames.push_back(CFrame{i, i + 1});
    }
    return frames;
}

void DrawFrame(const CLineCase& lineCase, const CFrame& frame, CSurface& surface)
{
    surface.Resize(lineCase.width, lineCase.height, kLineCaseBackground);
    CSurfaceDC dc(surface, lineCase.clip.empty() ? std::vector<CRect>{surface.Bounds()} : lineCase.clip);
    for (std::size_t i = frame.begin; i < frame.end; ++i) {
        const CSegment& s = lineCase.segments[i];
        CPen pen(PS_INSIDEFRAME, s.width, s.color);
        CPen* previous = dc.SelectObject(&pen);
        dc.MoveTo(s.x0, s.y0);
        dc.LineTo(s.x1, s.y1);
        dc.SelectObject(previous);
    }
}

std::uint64_t HashPixels(std::uint64_t hash, const CSurface& surface)
{
    for (COLORREF p : surface.Colors()) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (p >> shift) & 0xFF;
            hash *= 0x100000001b3ull;
        }
    }
    return hash;
}

std::uint64_t HashOfCase(const CLineCase& lineCase)
{
    std::uint64_t hash = kHashSeed;
    CSurface surface;
    for (const CFrame& frame : FramesOf(lineCase)) {
        DrawFrame(lineCase, frame, surface);
        hash = HashPixels(hash, surface);
    }
    return hash;
}

bool ParseTrace(const std::string& text, std::vector<CSegment>& segments)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty())
            continue;
        long long step = 0, slot = 0;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 0;
        unsigned color = 0;
        char extra = 0;
        if (std::sscanf(line.c_str(), "%lld\t%lld\t%d\t%d\t%d\t%d\t%d\t%8x %c", &step, &slot, &x0, &y0, &x1, &y1,
                        &width, &color, &extra) != 8)
            return false;
        segments.push_back(CSegment{x0, y0, x1, y1, width, color});
    }
    return true;
}
