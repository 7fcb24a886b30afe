// CScrollBar on Win32: the control's own scroll bar (SB_CTL).
#include "scrollbar.h"

int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int position, BOOL redraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
}

void CScrollBar::SetScrollRange(int minPosition, int maxPosition, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, minPosition, maxPosition, redraw);
}
