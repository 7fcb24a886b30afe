// Pens and brushes of the off-screen port: logical descriptions only, since
// the surface device context draws straight from them.
#include "gdi.h"

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_logPen = CLogPen{style, width, color};
    return TRUE;
}

BOOL CPen::DeleteObject()
{
    return TRUE;
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
