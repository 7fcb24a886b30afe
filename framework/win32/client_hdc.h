// A window's client context as the framework's window contexts use it:
// counted among the GDI objects made, and with the window's visible
// children left out.
#pragma once

#include "afxtypes.h"

// Controls and other children draw themselves: a window's picture is shown
// around them, never over them, also when the window does not clip its
// children (dialogs do not). Does nothing without a context.
void ExcludeChildren(HWND hWnd, HDC hdc);

// The window's client context, children excluded, for as long as it lives.
// m_hdc is nullptr when the window has none.
struct CClientHdc {
    explicit CClientHdc(HWND hWnd);
    ~CClientHdc();
    CClientHdc(const CClientHdc&) = delete;
    CClientHdc& operator=(const CClientHdc&) = delete;

    HWND m_hWnd;
    HDC m_hdc;
};
