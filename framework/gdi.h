// Drawing objects: pens and solid brushes, as plain descriptions.
//
// Every device context of the framework draws on a surface straight from
// these descriptions, so neither object holds a platform handle: creating,
// changing or deleting one asks nothing of the platform and cannot fail.
// One ownership rule for both: the object owns its description, and a
// device context that selects it only borrows it until it is deselected
// (the caller keeps it alive that long).
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
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    BOOL CreatePen(int style, int width, COLORREF color)
    {
        m_logPen = CLogPen{style, width, color};
        m_created = true;
        return TRUE;
    }
    // FALSE when the pen had not been created. The description is kept, so
    // a context that still has the pen selected goes on drawing with it.
    BOOL DeleteObject()
    {
        const BOOL wasCreated = m_created ? TRUE : FALSE;
        m_created = false;
        return wasCreated;
    }

    const CLogPen& GetLogPen() const { return m_logPen; }

private:
    CLogPen m_logPen;
    bool m_created = false;
};

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) : m_color(color), m_created(true) {}
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    BOOL CreateSolidBrush(COLORREF color)
    {
        m_color = color;
        m_created = true;
        return TRUE;
    }
    // FALSE when the brush had not been created; the colour is kept, as a
    // pen's description is.
    BOOL DeleteObject()
    {
        const BOOL wasCreated = m_created ? TRUE : FALSE;
        m_created = false;
        return wasCreated;
    }

    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = 0;
    bool m_created = false;
};
