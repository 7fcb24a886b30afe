// Pens and brushes of the Win32 port: the logical description for the
// surface device context, and a GDI object for GDI device contexts.
#include "gdi.h"

#include "gdi_object_count.h"

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    DeleteObject();
    m_logPen = CLogPen{style, width, color};
    m_hPen = ::CreatePen(style, width, color);
    if (m_hPen != nullptr)
        CGdiObjectCount::Created();
    return m_hPen != nullptr;
}

BOOL CPen::DeleteObject()
{
    if (m_hPen == nullptr)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hPen);
    if (deleted)
        CGdiObjectCount::Deleted();
    m_hPen = nullptr;
    return deleted;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    DeleteObject();
    m_color = color;
    m_hBrush = ::CreateSolidBrush(color);
    if (m_hBrush != nullptr)
        CGdiObjectCount::Created();
    return m_hBrush != nullptr;
}

BOOL CBrush::DeleteObject()
{
    if (m_hBrush == nullptr)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hBrush);
    if (deleted)
        CGdiObjectCount::Deleted();
    m_hBrush = nullptr;
    return deleted;
}
