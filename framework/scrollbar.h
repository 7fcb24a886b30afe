// Scroll-bar controls, and the horizontal-scroll message that reports them.
#pragma once

#include "wnd.h"

// A scroll-bar control (SB_CTL): its position and range.
class CScrollBar : public CWnd {
public:
    CScrollBar() = default;

    int GetScrollPos() const;
    // Returns the previous position. The control keeps the position inside
    // its range.
    int SetScrollPos(int position, BOOL redraw = TRUE);
    void SetScrollRange(int minPosition, int maxPosition, BOOL redraw = TRUE);
};

// The control that sent a scroll message, as a CScrollBar for the length of
// one handler call. The framework keeps no temporary objects, so this one
// lives on the message thunk's stack and only borrows the control's handle:
// it neither attaches to nor destroys the control. A control that is not a
// scroll bar (a trackbar) has no scroll position: it reads 0 and ignores
// positions set on it. A message without a control (the window's own scroll
// bar) gets a bar over no window, which behaves the same way.
class CBorrowedScrollBar final : public CScrollBar {
public:
    explicit CBorrowedScrollBar(HWND control) { m_hWnd = control; }
    ~CBorrowedScrollBar() override { m_hWnd = nullptr; }
};

// WM_HSCROLL: OnHScroll(code, thumb position, sending control), the control
// never null.
#define ON_WM_HSCROLL()                                                                        \
    AFX_MSG_ENTRY(WM_HSCROLL, 0, {                                                             \
        CBorrowedScrollBar bar(reinterpret_cast<HWND>(lParam));                                \
        self->OnHScroll(LOWORD(wParam), HIWORD(wParam), &bar);                                 \
        return 0;                                                                              \
    })
