#include "gdi_canvas.h"

#include <algorithm>

CGdiCanvas::CGdiCanvas(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_previousBitmap = SelectObject(m_dc, m_bitmap);
}

CGdiCanvas::~CGdiCanvas()
{
    SelectObject(m_dc, m_previousBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void CGdiCanvas::Fill(COLORREF color)
{
    GdiFlush();
    const std::uint32_t pixel = GetBValue(color) | GetGValue(color) << 8 | GetRValue(color) << 16;
    std::fill(m_bits, m_bits + static_cast<std::size_t>(m_width) * m_height, pixel);
}

void CGdiCanvas::SetClip(const std::vector<CRect>& rects)
{
    if (rects.empty()) {
        SelectClipRgn(m_dc, nullptr);
        return;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const CRect& r : rects) {
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    SelectClipRgn(m_dc, region);  // the DC keeps its own copy
    DeleteObject(region);
}

void CGdiCanvas::Draw(const CSegment& s)
{
    HPEN pen = CreatePen(PS_INSIDEFRAME, s.width, s.color);
    HGDIOBJ previous = SelectObject(m_dc, pen);
    MoveToEx(m_dc, s.x0, s.y0, nullptr);
    LineTo(m_dc, s.x1, s.y1);
    SelectObject(m_dc, previous);
    DeleteObject(pen);
}

void CGdiCanvas::Finish() const
{
    GdiFlush();
}

COLORREF CGdiCanvas::At(int x, int y) const
{
    const std::uint32_t p = m_bits[static_cast<std::size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
