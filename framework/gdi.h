// Drawing objects: pens and solid brushes.
//
// Each object keeps its logical description, which the surface device context
// draws from, and (on ports that have one) the platform handle, which a
// platform device context selects. A brush's handle is created by
// CreateSolidBrush; a pen's only when a platform device context first asks
// for it, so pens drawn with on the surface context cost no platform object.
// Handles are released by DeleteObject or the destructor, so an object never
// outlives its handle and vice versa.
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
    CPen(int style, int width, COLORREF color) : m_logPen{style, width, color}, m_created(true) {}
    ~CPen() { DeleteObject(); }
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    // Describes the pen, releasing a platform pen made for an earlier
    // description. Always succeeds: nothing is asked of the platform yet.
    BOOL CreatePen(int style, int width, COLORREF color)
    {
        DeleteObject();
        m_logPen = CLogPen{style, width, color};
        m_created = true;
        return TRUE;
    }
    // Ends the pen as a platform object, releasing the platform pen if one
    // was made; FALSE when the pen had not been created. The description is
    // kept for the surface context.
    BOOL DeleteObject()
    {
        if (!m_created)
            return FALSE;
        m_created = false;
        BOOL released = TRUE;
        if (m_hPen != nullptr)
            released = m_releaseHandle(m_hPen);
        m_hPen = nullptr;
        return released;
    }

    const CLogPen& GetLogPen() const { return m_logPen; }
    // The platform pen of a created pen, made on the first request on ports
    // that have platform pens; nullptr on the others, for a pen not created
    // (or deleted), or when the platform refuses. Defined by the port; only
    // platform device contexts ask, so code that draws on surfaces links
    // without a port.
    HPEN GetSafeHandle() const;

private:
    CLogPen m_logPen;
    bool m_created = false;
    mutable HPEN m_hPen = nullptr;
    // How the port that made m_hPen releases it.
    mutable BOOL (*m_releaseHandle)(HPEN) = nullptr;
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
