// CWnd's life on Win32: creation, destruction, the handle map and default
// processing.
#include "wnd_class.h"
#include "wnd_port.h"

CWnd::CWnd() = default;

// An object that goes while its window stays would leave the window sending
// messages to freed memory, so the window goes with it. Handlers of derived
// classes are gone by now; only CWnd's own processing sees the destruction.
CWnd::~CWnd()
{
    if (m_hWnd == nullptr)
        return;
    ::DestroyWindow(m_hWnd);
    if (m_hWnd != nullptr)  // destruction refused, e.g. a window of another thread
        CWndPort::Detach(*this);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, UINT_PTR id, LPVOID param)
{
    if (className == nullptr || className[0] == '\0')
        className = AfxDefaultWndClass();

    CWnd* const self = this;
    CWnd* const outer = CWndPort::ExchangeWindowBeingCreated(self);
    const HWND hWnd = ::CreateWindowEx(exStyle, className, windowName, style, x, y, width, height, parent,
                                       reinterpret_cast<HMENU>(id), ::GetModuleHandle(nullptr), param);
    // The framework's procedure takes the object at the window's first
    // message; a window of another class never calls it.
    const bool attachedAtFirstMessage = CWndPort::ExchangeWindowBeingCreated(outer) != self;

    if (hWnd == nullptr) {
        // A window that got as far as its first message has already been
        // through its final message and PostNcDestroy, and the object may be
        // gone. One that never got there ends its life here, so that every
        // failed creation ends in PostNcDestroy, as a destroyed window does.
        if (!attachedAtFirstMessage)
            PostNcDestroy();
        return FALSE;
    }
    if (!attachedAtFirstMessage)
        CWndPort::Subclass(*this, hWnd);
    return TRUE;
}

// The object may delete itself during the destruction (PostNcDestroy), so
// nothing of it is touched afterwards.
BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return CWndPort::Lookup(hWnd);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const WNDPROC superProc = CWndPort::SuperProcedure(m_hWnd))
        return ::CallWindowProc(superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}
