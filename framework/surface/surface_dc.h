// A device context on a CSurface with GDI's drawing rules: thin pens (widths
// 0 and 1) draw Bresenham lines without their end pixel, wider pens draw
// strokes with round caps, and everything is clipped to a region made of
// rectangles. Reading outside the region gives CLR_INVALID, as Windows
// documents for GetPixel. A context may record what it changes in a CDamage,
// so that a port can show just that part.
#pragma once

#include "damage.h"
#include "dc.h"
#include "stroke_shapes.h"
#include "surface.h"
#include "wide_line.h"

#include <cstdint>
#include <utility>
#include <vector>

class CSurfaceDC : public CDC {
public:
    // A context whose clipping region is the whole surface.
    explicit CSurfaceDC(CSurface& surface);
    // A context clipped to the union of the given rectangles (each limited
    // to the surface; they may overlap). An empty list clips everything away.
    CSurfaceDC(CSurface& surface, std::vector<CRect> clip);

    CPen* SelectObject(CPen* pen) override;
    CBrush* SelectObject(CBrush* brush) override;
    CPoint MoveTo(int x, int y) override;
    BOOL LineTo(int x, int y) override;
    COLORREF GetPixel(int x, int y) const override;
    bool PixelAbove(int x, int y, COLORREF bar) const override;
    // Answered from the surface's summary, for bars it covers.
    bool NoneAbove(const RECT& box, COLORREF bar) const override;
    void FillRect(const RECT& rect, CBrush* brush) override;

    // From now on every drawing call adds a rectangle that holds the pixels
    // it changed (within the clipping region) to damage; nullptr stops it.
    // The damage must outlive the context or be detached first.
    void SetDamage(CDamage* damage) { m_damage = damage; }

    CPoint GetCurrentPosition() const { return m_position; }
    const CSurface& Surface() const { return m_surface; }
    const std::vector<CRect>& ClipRects() const { return m_clip; }

protected:
    // Hands over the clip list with its storage, for the next context to
    // reuse; from then on this context clips everything away. For a
    // context that is closing.
    std::vector<CRect> ReleaseClip() { return std::exchange(m_clip, {}); }

private:
    void DrawLine(int x0, int y0, int x1, int y1, const CLogPen& pen);
    void StorePosition(int x, int y);
    // A solid pen of width 0..2 (CNarrowLine), word being WordOf its colour.
    void DrawNarrowLine(int x0, int y0, int x1, int y1, int width, COLORREF color, std::uint32_t word);
    const CRoundCap& CapOfWidth(int width);
    // Fills a kept stroke shape placed at (x, y), within clip, with a
    // stored word (CSurface::WordOf the colour).
    void FillShape(const std::vector<CStrokeShapes::Run>& shape, int x, int y, const CRect& clip, std::uint32_t word);
    // The same for a shape known to lie inside the clipping region.
    void FillShapeInside(const std::vector<CStrokeShapes::Run>& shape, int x, int y, std::uint32_t word);

    // Adds box, clipped to each clip rectangle, to the damage.
    void RecordDamage(const CRect& box);

    CSurface& m_surface;
    std::vector<CRect> m_clip;
    CDamage* m_damage = nullptr;
    CPoint m_position;
    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    // The cap of the last wide pen drawn with; pens rarely change width.
    // None until one is drawn, since a context is made every tick.
    CRoundCap m_cap;
};
