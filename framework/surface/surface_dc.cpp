#include "surface_dc.h"

#include "narrow_line.h"
#include "stroke_shapes.h"
#include "thin_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// The pen a context holds before anything is selected: black, one pixel.
const CLogPen kInitialPen{PS_SOLID, 1, 0};

// A box given in wide integers, limited to the range of a rectangle.
CRect BoxOfSpan(long long left, long long top, long long right, long long bottom)
{
    const auto limit = [](long long v) {
        return static_cast<LONG>(std::clamp<long long>(v, CSurface::kMaxSide * -2LL, CSurface::kMaxSide * 2LL));
    };
    return CRect(limit(left), limit(top), limit(right), limit(bottom));
}

}  // namespace

CSurfaceDC::CSurfaceDC(CSurface& surface)
    : CSurfaceDC(surface, std::vector<CRect>{surface.Bounds()})
{
}

// The rectangles are limited in the list given, which is kept: a context is
// made every tick, and this way it allocates nothing of its own.
CSurfaceDC::CSurfaceDC(CSurface& surface, std::vector<CRect> clip)
    : m_surface(surface), m_clip(std::move(clip))
{
    for (CRect& r : m_clip)
        r = CRect::Intersection(r, surface.Bounds());
    m_clip.erase(std::remove_if(m_clip.begin(), m_clip.end(), [](const CRect& r) { return r.IsRectEmpty(); }),
                 m_clip.end());
}

CPen* CSurfaceDC::SelectObject(CPen* pen)
{
    return std::exchange(m_pen, pen);
}

CBrush* CSurfaceDC::SelectObject(CBrush* brush)
{
    return std::exchange(m_brush, brush);
}

CPoint CSurfaceDC::MoveTo(int x, int y)
{
    const CPoint previous = m_position;
    StorePosition(x, y);
    return previous;
}

// The point is written as one 64-bit word. MoveTo reads it back whole right
// after a segment, while that segment's pixel writes are still queued, and
// a read spanning two narrower writes would have to wait for all of them to
// reach memory (at 4K that showed as a tenth of the program in MoveTo).
void CSurfaceDC::StorePosition(int x, int y)
{
    static_assert(sizeof(CPoint) == sizeof(std::uint64_t) && offsetof(CPoint, x) == 0, "CPoint is x, then y");
    const std::uint64_t packed =
        std::uint64_t{static_cast<std::uint32_t>(x)} | std::uint64_t{static_cast<std::uint32_t>(y)} << 32;
    // CPoint is two plain ints with constructors only, so its bytes may be
    // written directly.
    std::memcpy(static_cast<void*>(&m_position), &packed, sizeof packed);
}

BOOL CSurfaceDC::LineTo(int x, int y)
{
    DrawLine(m_position.x, m_position.y, x, y, m_pen ? m_pen->GetLogPen() : kInitialPen);
    StorePosition(x, y);
    return TRUE;
}

const CRoundCap& CSurfaceDC::CapOfWidth(int width)
{
    if (m_cap.Width() != std::min(width, CRoundCap::kMaxWidth))
        m_cap = CRoundCap(width);
    return m_cap;
}

// Each clip rectangle is drawn on its own: a line clipped to a rectangle
// lights exactly the unclipped line's pixels there, so the union over the
// rectangles is the line clipped to the region. Where rectangles overlap a
// pixel is written twice with the same colour, which changes nothing.
void CSurfaceDC::DrawLine(int x0, int y0, int x1, int y1, const CLogPen& pen)
{
    if (pen.style == PS_NULL)
        return;
    const COLORREF color = pen.color & 0x00FFFFFF;
    const std::uint32_t word = CSurface::WordOf(color);
    if ((pen.style == PS_SOLID || pen.style == PS_INSIDEFRAME) && CNarrowLine::Takes(pen.width, x0, y0, x1, y1)) {
        DrawNarrowLine(x0, y0, x1, y1, pen.width, color, word);
        return;
    }
    const bool thin = pen.width <= 1;
    // A stroke stays within its pen width of the segment's box (round caps
    // reach at most (width + 1) / 2 + 1 beyond an end point). The box is
    // made only where it is used: a thin dark line drawn without a damage
    // record (the growth's most common segment) needs none.
    CRect box;
    if (!thin || m_damage != nullptr || color > CSurface::kSummaryBar) {
        const long long margin = thin ? 0 : pen.width;
        box = BoxOfSpan(std::min(x0, x1) - margin, std::min(y0, y1) - margin, std::max(x0, x1) + margin + 1,
                        std::max(y0, y1) + margin + 1);
        if (m_damage != nullptr)
            RecordDamage(box);
        m_surface.Wrote(box, color);
    }
    if (thin) {
        for (const CRect& clip : m_clip) {
            ForEachThinLinePixel(x0, y0, x1, y1, clip, [&](int x, int y) { m_surface.RowToDraw(y)[x] = word; });
        }
        return;
    }
    const CRoundCap& cap = CapOfWidth(pen.width);
    if (const auto* shape = CStrokeShapes::Find(static_cast<long long>(x1) - x0, static_cast<long long>(y1) - y0, cap)) {
        // Most strokes lie wholly inside the one clip rectangle of a client
        // context: their runs need no clipping.
        if (m_clip.size() == 1 && CRect::Intersection(box, m_clip.front()) == box) {
            FillShapeInside(*shape, x0, y0, word);
            return;
        }
        for (const CRect& clip : m_clip)
            FillShape(*shape, x0, y0, clip, word);
        return;
    }
    for (const CRect& clip : m_clip) {
        ForEachWideLineSpan(x0, y0, x1, y1, cap, clip, [&](int y, int xBegin, int xEnd) {
            std::uint32_t* row = m_surface.RowToDraw(y);
            for (int x = xBegin; x < xEnd; ++x)  // a few pixels: a plain loop beats memset's set-up
                row[x] = word;
        });
    }
}

// The growth's pens: each clip rectangle's box of written pixels is the
// damage there, and marks the summary.
void CSurfaceDC::DrawNarrowLine(int x0, int y0, int x1, int y1, int width, COLORREF color, std::uint32_t word)
{
    for (const CRect& clip : m_clip) {
        CRect box;
        CNarrowLine::Draw(m_surface, x0, y0, x1, y1, width, clip, word, box);
        if (box.IsRectEmpty())
            continue;
        // The box's edges go on by value (see CDamage::Add).
        if (m_damage != nullptr)
            m_damage->Add(box.left, box.top, box.right, box.bottom);
        m_surface.Wrote(box, color);
    }
}

void CSurfaceDC::FillShape(const std::vector<CStrokeShapes::Run>& shape, int x, int y, const CRect& clip,
                           std::uint32_t word)
{
    for (const CStrokeShapes::Run& run : shape) {
        const long long row = static_cast<long long>(y) + run.dy;
        if (row < clip.top || row >= clip.bottom)
            continue;
        const long long begin = std::max<long long>(static_cast<long long>(x) + run.left, clip.left);
        const long long end = std::min<long long>(static_cast<long long>(x) + run.right, clip.right);
        std::uint32_t* pixels = m_surface.RowToDraw(static_cast<int>(row));
        for (long long px = begin; px < end; ++px)
            pixels[px] = word;
    }
}

void CSurfaceDC::FillShapeInside(const std::vector<CStrokeShapes::Run>& shape, int x, int y, std::uint32_t word)
{
    // The start point lies inside too, so its row is on the surface.
    std::uint32_t* const start = m_surface.RowToDraw(y) + x;
    const std::ptrdiff_t stride = m_surface.Width();
    for (const CStrokeShapes::Run& run : shape) {
        std::uint32_t* const pixels = start + run.dy * stride;
        for (int px = run.left; px < run.right; ++px)
            pixels[px] = word;
    }
}

// Windows documents CLR_INVALID for a point outside the clipping region on
// every device context. (Wine's GDI answers from the bitmap for a memory
// device context whatever its clipping region; this context follows the
// documentation, which is what the growth's re-seed probes rely on.)
COLORREF CSurfaceDC::GetPixel(int x, int y) const
{
    for (const CRect& r : m_clip) {
        if (r.PtInRect(CPoint(x, y)))
            return std::as_const(m_surface).At(x, y);
    }
    return CLR_INVALID;
}

// Answered from the surface's summary where it can: a block with no pixel
// above the summary's bar has none above a higher bar either.
bool CSurfaceDC::PixelAbove(int x, int y, COLORREF bar) const
{
    for (const CRect& r : m_clip) {
        if (r.PtInRect(CPoint(x, y))) {
            if (bar >= CSurface::kSummaryBar && !m_surface.MayBeAbove(x, y))
                return false;
            return std::as_const(m_surface).At(x, y) > bar;
        }
    }
    return CLR_INVALID > bar;
}

bool CSurfaceDC::NoneAbove(const RECT& box, COLORREF bar) const
{
    const CRect b(box);
    if (bar < CSurface::kSummaryBar || b.IsRectEmpty())
        return false;
    // A point outside the clipping region reads CLR_INVALID, which is above
    // every bar: the box must lie in the region, and one rectangle of it is
    // enough to look at (a box that only the union holds is probed).
    for (const CRect& r : m_clip) {
        if (CRect::Intersection(b, r) == b)
            return !m_surface.MayBeAboveIn(b);
    }
    return false;
}

void CSurfaceDC::RecordDamage(const CRect& box)
{
    for (const CRect& clip : m_clip)
        m_damage->Add(CRect::Intersection(box, clip));
}

void CSurfaceDC::FillRect(const RECT& rect, CBrush* brush)
{
    const COLORREF color = (brush ? brush->GetColor() : RGB(255, 255, 255)) & 0x00FFFFFF;
    if (m_damage != nullptr)
        RecordDamage(CRect(rect));
    m_surface.Wrote(rect, color);
    for (const CRect& clip : m_clip) {
        const CRect r = CRect::Intersection(rect, clip);
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = m_surface.RowToDraw(y);
            std::fill(row + r.left, row + r.right, CSurface::WordOf(color));
        }
    }
}
