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

// What pens and brushes share: whether the object has been created. Deleting
// keeps the description, so a context that still has the object selected
// goes on drawing with it.
class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // FALSE when the object had not been created.
    BOOL DeleteObject()
    {
        const BOOL wasCreated = m_created ? TRUE : FALSE;
        m_created = false;
        return wasCreated;
    }

protected:
    explicit CGdiObject(bool created = false) : m_created(created) {}
    ~CGdiObject() = default;

    bool m_created;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) : CGdiObject(true), m_logPen{style, width, color} {}

    BOOL CreatePen(int style, int width, COLORREF color)
    {
        m_logPen = CLogPen{style, width, color};
        m_created = true;
        return TRUE;
    }

    const CLogPen& GetLogPen() const { return m_logPen; }

private:
    CLogPen m_logPen;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) : CGdiObject(true), m_color(color) {}

    BOOL CreateSolidBrush(COLORREF color)
    {
        m_color = color;
        m_created = true;
        return TRUE;
    }

    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = 0;
};
