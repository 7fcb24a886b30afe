// Pens and brushes of the off-screen port: logical descriptions only, since
// the surface device context draws straight from them.
#include "gdi.h"

HPEN CPen::GetSafeHandle() const
{
    return nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_color = color;
    return TRUE;
}

BOOL CBrush::DeleteObject()
{
    return TRUE;
}
