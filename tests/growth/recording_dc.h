// A device context that records what drawing code asks of it, for checking
// the calls rather than the pixels; reads answer from a caller-set function.
#pragma once

#include "dc.h"

#include <functional>
#include <vector>

struct CRecordedLine {
    int x0, y0, x1, y1;
    CLogPen pen;
};

class CRecordingDC : public CDC {
public:
    CPen* SelectObject(CPen* pen) override
    {
        ++m_selections;
        CPen* previous = m_pen;
        m_pen = pen;
        return previous;
    }
    CBrush* SelectObject(CBrush* brush) override
    {
        CBrush* previous = m_brush;
        m_brush = brush;
        return previous;
    }
    CPoint MoveTo(int x, int y) override
    {
        CPoint previous = m_position;
        m_position = CPoint(x, y);
        return previous;
    }
    BOOL LineTo(int x, int y) override
    {
        m_lines.push_back({m_position.x, m_position.y, x, y, m_pen ? m_pen->GetLogPen() : CLogPen{}});
        m_position = CPoint(x, y);
        return TRUE;
    }
    COLORREF GetPixel(int x, int y) const override
    {
        ++m_reads;
        return m_pixel ? m_pixel(x, y) : 0;
    }
    void FillRect(const RECT&, CBrush*) override {}

    std::vector<CRecordedLine> m_lines;
    std::function<COLORREF(int, int)> m_pixel;
    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    CPoint m_position;
    int m_selections = 0;
    mutable int m_reads = 0;
};
