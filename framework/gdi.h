// Drawing objects: pens and solid brushes.
//
// Each object keeps its logical description, which the surface device context
// draws from, and (on ports that have one) the platform handle, which a
// platform device context selects. The handle is created by Create* and
// released by DeleteObject or the destructor, so an object never outlives its
// handle and vice versa.
#pragma once

#include "afxtypes.h"

struct CLogPen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    ~CPen() { DeleteObject(); }
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    // Describes the pen and creates the platform pen where the port has one.
    // Returns FALSE when the platform refuses; the description is kept anyway.
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL DeleteObject();

    const CLogPen& GetLogPen() const { return m_logPen; }
    HPEN GetSafeHandle() const { return m_hPen; }

private:
    CLogPen m_logPen;
    HPEN m_hPen = nullptr;
};

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    ~CBrush() { DeleteObject(); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    BOOL CreateSolidBrush(COLORREF color);
    BOOL DeleteObject();

    COLORREF GetColor() const { return m_color; }
    HBRUSH GetSafeHandle() const { return m_hBrush; }

private:
    COLORREF m_color = 0;
    HBRUSH m_hBrush = nullptr;
};
