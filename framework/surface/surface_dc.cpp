#include "surface_dc.h"

#include "thin_line.h"
#include "wide_line.h"

#include <algorithm>
#include <utility>

namespace {

// The pen a context holds before anything is selected: black, one pixel.
const CLogPen kInitialPen{PS_SOLID, 1, 0};

}  // namespace

CSurfaceDC::CSurfaceDC(CSurface& surface)
    : CSurfaceDC(surface, std::vector<CRect>{surface.Bounds()})
{
}

CSurfaceDC::CSurfaceDC(CSurface& surface, std::vector<CRect> clip)
    : m_surface(surface)
{
    for (const CRect& r : clip) {
        const CRect inside = CRect::Intersection(r, surface.Bounds());
        if (inside.IsRectEmpty())
            continue;
        m_clip.push_back(inside);
        if (m_clipBox.IsRectEmpty()) {
            m_clipBox = inside;
        } else {
            m_clipBox = CRect(std::min(m_clipBox.left, inside.left), std::min(m_clipBox.top, inside.top),
                              std::max(m_clipBox.right, inside.right), std::max(m_clipBox.bottom, inside.bottom));
        }
    }
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
    return std::exchange(m_position, CPoint(x, y));
}

BOOL CSurfaceDC::LineTo(int x, int y)
{
    DrawLine(m_position.x, m_position.y, x, y, m_pen ? m_pen->GetLogPen() : kInitialPen);
    m_position = CPoint(x, y);
    return TRUE;
}

bool CSurfaceDC::InClip(int x, int y) const
{
    // One rectangle (the usual case) is the clip box itself.
    if (m_clip.size() == 1)
        return true;
    for (const CRect& r : m_clip) {
        if (r.PtInRect(CPoint(x, y)))
            return true;
    }
    return false;
}

void CSurfaceDC::DrawLine(int x0, int y0, int x1, int y1, const CLogPen& pen)
{
    if (pen.style == PS_NULL || m_clip.empty())
        return;
    const COLORREF color = pen.color & 0x00FFFFFF;
    if (pen.width <= 1) {
        ForEachThinLinePixel(x0, y0, x1, y1, m_clipBox, [&](int x, int y) {
            if (InClip(x, y))
                m_surface.At(x, y) = color;
        });
        return;
    }
    ForEachWideLineSpan(x0, y0, x1, y1, pen.width, m_clipBox, [&](int y, int xBegin, int xEnd) {
        for (int x = xBegin; x < xEnd; ++x) {
            if (InClip(x, y))
                m_surface.At(x, y) = color;
        }
    });
}

COLORREF CSurfaceDC::GetPixel(int x, int y) const
{
    if (m_clip.empty() || !m_clipBox.PtInRect(CPoint(x, y)) || !InClip(x, y))
        return CLR_INVALID;
    return m_surface.At(x, y);
}

void CSurfaceDC::FillRect(const RECT& rect, CBrush* brush)
{
    const COLORREF color = (brush ? brush->GetColor() : RGB(255, 255, 255)) & 0x00FFFFFF;
    for (const CRect& clip : m_clip) {
        const CRect r = CRect::Intersection(rect, clip);
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x)
                m_surface.At(x, y) = color;
        }
    }
}
