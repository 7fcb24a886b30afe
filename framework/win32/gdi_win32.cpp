// Pens and brushes of the Win32 port: the logical description for the
// surface device context, and a GDI object for GDI device contexts (made
// for a pen when a GDI context first selects it).
#include "gdi.h"

#include "gdi_object_count.h"

namespace {

BOOL ReleasePen(HPEN pen)
{
    const BOOL deleted = ::DeleteObject(pen);
    if (deleted)
        CGdiObjectCount::Deleted();
    return deleted;
}

}  // namespace

HPEN CPen::GetSafeHandle() const
{
    if (m_hPen == nullptr && m_created) {
        m_hPen = ::CreatePen(m_logPen.style, m_logPen.width, m_logPen.color);
        if (m_hPen != nullptr)
            CGdiObjectCount::Created();
        m_releaseHandle = &ReleasePen;
    }
    return m_hPen;
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
