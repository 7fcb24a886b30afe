// GDI's own drawing of the line cases: a 32-bit top-down DIB section in a
// memory device context, drawn on with real pens exactly as the growth
// draws (CreatePen with PS_INSIDEFRAME, select, MoveToEx, LineTo, select
// the previous pen back, delete).
#pragma once

#include "line_cases.h"

#include <afxport.h>

#include <cstdint>
#include <vector>

class CGdiCanvas {
public:
    CGdiCanvas(int width, int height);
    ~CGdiCanvas();
    CGdiCanvas(const CGdiCanvas&) = delete;
    CGdiCanvas& operator=(const CGdiCanvas&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HDC Dc() const { return m_dc; }

    void Fill(COLORREF color);
    // The clipping region: the union of the rectangles, or none at all
    // (the whole bitmap) for an empty list.
    void SetClip(const std::vector<CRect>& rects);
    void Draw(const CSegment& segment);

    // Waits until GDI has written all it was asked to draw.
    void Finish() const;
    // The pixel as 0x00BBGGRR, read from the bits; call Finish first.
    COLORREF At(int x, int y) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    std::uint32_t* m_bits = nullptr;  // 0x00RRGGBB, rows top to bottom
};
