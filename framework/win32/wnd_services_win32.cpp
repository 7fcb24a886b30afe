// CWnd's window services on Win32: thin calls of the platform's, on the
// attached window.
#include "wnd.h"

#include "paced_presents.h"

#include <algorithm>

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

HWND CWnd::GetParentHandle() const
{
    return ::GetParent(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

// A child window is centred in its parent's client area. Any other window is
// centred over the alternate owner or its own owner when that is visible and
// not minimised, else over the work area of its monitor, and is kept inside
// that work area.
void CWnd::CenterWindow(CWnd* alternateOwner)
{
    const bool child = (::GetWindowLongPtr(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    HWND center = alternateOwner != nullptr ? alternateOwner->m_hWnd
                                            : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));

    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    CRect bounds;
    CRect target;
    if (child) {
        const HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &bounds);
        target = bounds;
        if (center != nullptr && center != parent) {
            ::GetWindowRect(center, &target);
            ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<LPPOINT>(&target), 2);
        }
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfo(::MonitorFromWindow(center != nullptr ? center : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                         &monitor);
        bounds = monitor.rcWork;
        target = bounds;
        if (center != nullptr && ::IsWindowVisible(center) && !::IsIconic(center))
            ::GetWindowRect(center, &target);
    }

    LONG left = target.left + (target.Width() - window.Width()) / 2;
    LONG top = target.top + (target.Height() - window.Height()) / 2;
    // Keep the window inside the bounds; one larger than them keeps its
    // top-left corner at theirs.
    left = std::max(bounds.left, std::min(left, bounds.right - window.Width()));
    top = std::max(bounds.top, std::min(top, bounds.bottom - window.Height()));
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A timer without a callback is run by the port (paced_presents.h); one
// with a callback is Windows' own. Either replaces the other of its id.
// Timer callbacks share the platform's calling convention: on x86-64 there
// is only one.
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void (*callback)(HWND, UINT, UINT_PTR, DWORD))
{
    if (callback == nullptr) {
        ::KillTimer(m_hWnd, id);
        return CPacedPresents::SetTimer(m_hWnd, id, elapse);
    }
    CPacedPresents::KillTimer(m_hWnd, id);
    return ::SetTimer(m_hWnd, id, elapse, callback);
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    if (CPacedPresents::KillTimer(m_hWnd, id))
        return TRUE;
    return ::KillTimer(m_hWnd, id);
}

void CWnd::Invalidate(BOOL erase)
{
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}
