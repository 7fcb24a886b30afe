#include "narrow_line.h"

#include "sloped_body.h"
#include "thin_line.h"
#include "wide_line.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Fills a rectangle that lies on the surface.
void FillBlock(CSurface& surface, const CRect& block, std::uint32_t word)
{
    for (LONG y = block.top; y < block.bottom; ++y) {
        std::uint32_t* row = surface.RowToDraw(y);
        for (LONG x = block.left; x < block.right; ++x)
            row[x] = word;
    }
}

}  // namespace

void CNarrowLine::DrawThin(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip,
                           std::uint32_t word, CRect& written)
{
    const int dx = x1 - x0;  // within 2 * kReach
    const int dy = y1 - y0;
    if (dx == 0 && dy == 0) {
        written = CRect();
        return;
    }
    const bool inside = clip.PtInRect(CPoint(x0, y0)) && clip.PtInRect(CPoint(x1, y1));
    if (!inside) {
        // A line that leaves the clip is rare: the walk's own clipping finds
        // where it enters and leaves.
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        ForEachThinLinePixel(x0, y0, x1, y1, clip, [&](int x, int y) {
            surface.RowToDraw(y)[x] = word;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        });
        written = left < right ? CRect(left, top, right, bottom) : CRect();
        return;
    }

    // Every pixel lies inside: the walk of thin_line.h on a pointer, the
    // start pixel lit and the end pixel not.
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady;
    const int minor = xMajor ? ady : adx;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::ptrdiff_t stride = surface.Width();
    const std::ptrdiff_t majorStep = xMajor ? majorSign : majorSign * stride;
    const std::ptrdiff_t minorStep = xMajor ? minorSign * stride : minorSign;
    const std::int64_t a = 2 * std::int64_t{minor};
    const std::int64_t b = 2 * std::int64_t{major};
    std::int64_t f = a - major + (minorSign < 0 ? 1 : 0);
    std::uint32_t* pixel = surface.RowToDraw(y0) + x0;
    std::int64_t steps = 0;
    // The last pixel is written after the loop, so the pointer never moves
    // past it. Whether a pixel steps along the minor axis too follows the
    // slope, which a processor cannot guess: the step is taken by a mask
    // (all ones or zero) rather than a branch that it would mispredict
    // every few pixels.
    for (int k = 1; k < major; ++k) {
        *pixel = word;
        const std::int64_t minorMask = -static_cast<std::int64_t>(f > 0);
        pixel += majorStep + (minorStep & minorMask);
        f += a - (b & minorMask);
        steps -= minorMask;
    }
    *pixel = word;

    const int lastMajor = (xMajor ? x0 : y0) + majorSign * (major - 1);
    const int lastMinor = (xMajor ? y0 : x0) + minorSign * static_cast<int>(steps);
    const int lastX = xMajor ? lastMajor : lastMinor;
    const int lastY = xMajor ? lastMinor : lastMajor;
    written = CRect(std::min(x0, lastX), std::min(y0, lastY), std::max(x0, lastX) + 1, std::max(y0, lastY) + 1);
}

namespace {

// The sloped strokes of width 2 at most kKeptDelta long on either axis,
// which is nearly every segment the growth draws on a screen up to full HD:
// the rows of each, relative to its start point, made the first time it is
// drawn and copied from then on. A stroke depends on the delta alone (a
// polygon with integer corners rasterises the same wherever it lies). Every
// row of these strokes is one run (the end blocks touch the body; the
// comparison over every delta up to 100 checks it), so the blocks are kept
// merged into the body's rows. All of them share one block of about a
// megabyte, allocated at the first use, so that no later tick allocates.
// Like the rest of the drawing code it is meant for one thread.
class CKeptBodies {
public:
    static constexpr int kKeptDelta = 48;

    // One row's run [left, right) from the start point's x; empty when
    // left >= right.
    struct Run {
        std::int16_t left, right;
    };

    static bool Keeps(int dx, int dy) { return std::abs(dx) <= kKeptDelta && std::abs(dy) <= kKeptDelta; }

    // The |dy| + 2 rows of the stroke of delta (dx, dy) (Keeps must hold),
    // from the row min(0, dy) - 1 relative to the start point down.
    const Run* Rows(int dx, int dy)
    {
        const std::size_t shape = static_cast<std::size_t>((dy + kKeptDelta) * kSide + dx + kKeptDelta);
        Run* const rows = m_runs.data() + m_firstRunOfDy[static_cast<std::size_t>(dy + kKeptDelta)] +
                          static_cast<std::size_t>(dx + kKeptDelta) * static_cast<std::size_t>(std::abs(dy) + 2);
        if (m_made[shape] == 0) {
            const int top = std::min(0, dy) - 1;
            std::fill(rows, rows + std::abs(dy) + 2, Run{0, 0});
            const CRect bounds(std::min(0, dx) - 1, top, std::max(0, dx) + 1, std::max(0, dy) + 1);
            sloped_body::Walk(0, 0, dx, dy, bounds, [&](int y, std::int64_t begin, std::int64_t end) {
                rows[y - top] = Run{static_cast<std::int16_t>(begin), static_cast<std::int16_t>(end)};
            });
            AddBlock(rows, top, 0, 0);
            AddBlock(rows, top, dx, dy);
            m_made[shape] = 1;
        }
        return rows;
    }

    static CKeptBodies& Instance()
    {
        static CKeptBodies bodies;
        return bodies;
    }

private:
    static constexpr int kSide = 2 * kKeptDelta + 1;

    // Merges the 2 x 2 block on (x, y) into the rows.
    static void AddBlock(Run* rows, int top, int x, int y)
    {
        for (int row = y - 1; row <= y; ++row) {
            Run& run = rows[row - top];
            const auto left = static_cast<std::int16_t>(x - 1), right = static_cast<std::int16_t>(x + 1);
            run = run.left < run.right ? Run{std::min(run.left, left), std::max(run.right, right)} : Run{left, right};
        }
    }

    CKeptBodies() : m_made(static_cast<std::size_t>(kSide) * kSide, 0)
    {
        std::size_t total = 0;
        for (int dy = -kKeptDelta; dy <= kKeptDelta; ++dy) {
            m_firstRunOfDy[static_cast<std::size_t>(dy + kKeptDelta)] = total;
            total += static_cast<std::size_t>(kSide) * static_cast<std::size_t>(std::abs(dy) + 2);
        }
        m_runs.resize(total);
    }

    std::vector<Run> m_runs;
    std::size_t m_firstRunOfDy[kSide] = {};
    std::vector<std::uint8_t> m_made;
};

}  // namespace

// A stroke of width 2 is the union of a 2 x 2 block on each end point, its
// lower right pixel on the point, and the body between them. Along an axis
// (or for a dot) that union is one rectangle. A sloped body is a
// parallelogram whose corners lie at most a pixel from the end points, so
// the blocks reach its outermost rows and columns: the stroke's box is the
// end points' box grown by one to the left and top and by two (one past the
// last pixel) to the right and bottom, whatever the slope. A pixel of the
// body under a block is written twice, in the same colour.
void CNarrowLine::DrawWidthTwo(CSurface& surface, int x0, int y0, int x1, int y1, const CRect& clip,
                               std::uint32_t word, CRect& written)
{
    const CRect box = CRect::Intersection(
        CRect(std::min(x0, x1) - 1, std::min(y0, y1) - 1, std::max(x0, x1) + 1, std::max(y0, y1) + 1), clip);
    written = box;
    if (box.IsRectEmpty())
        return;
    if (x0 == x1 || y0 == y1) {
        FillBlock(surface, box, word);
        return;
    }

    const int dx = x1 - x0, dy = y1 - y0;
    if (CKeptBodies::Keeps(dx, dy)) {  // end blocks included
        const CKeptBodies::Run* const rows = CKeptBodies::Instance().Rows(dx, dy);
        const int top = y0 + std::min(0, dy) - 1;
        for (LONG y = box.top; y < box.bottom; ++y) {
            const CKeptBodies::Run& run = rows[y - top];
            const LONG begin = std::max<LONG>(x0 + run.left, box.left);
            const LONG end = std::min<LONG>(x0 + run.right, box.right);
            std::uint32_t* const pixels = surface.RowToDraw(y);
            // Nearly every row of these strokes is two to four pixels: its
            // first two and last two, which may be the same pixels, are
            // written without asking how many there are, since a loop
            // would end after a count the processor cannot guess.
            if (end - begin >= 2 && end - begin <= 4) {
                pixels[begin] = word;
                pixels[begin + 1] = word;
                pixels[end - 2] = word;
                pixels[end - 1] = word;
                continue;
            }
            for (LONG x = begin; x < end; ++x)
                pixels[x] = word;
        }
        return;
    }
    sloped_body::Walk(x0, y0, x1, y1, box, [&](int y, std::int64_t begin, std::int64_t end) {
        std::uint32_t* const pixels = surface.RowToDraw(y);
        for (std::int64_t x = begin; x < end; ++x)
            pixels[x] = word;
    });
    FillBlock(surface, CRect::Intersection(CRect(x0 - 1, y0 - 1, x0 + 1, y0 + 1), clip), word);
    FillBlock(surface, CRect::Intersection(CRect(x1 - 1, y1 - 1, x1 + 1, y1 + 1), clip), word);
}
