// The portable half of CWnd: message dispatch and the default handlers.
// Creation, destruction and the window services are the port's.
#include "wnd.h"

AFX_CURRENT_MSG* CWnd::s_currentMsg = nullptr;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_CURRENT_MSG current{message, wParam, lParam};
    AFX_CURRENT_MSG* const outer = s_currentMsg;
    s_currentMsg = &current;
    LRESULT result = 0;
    if (!DispatchMessageEntry(message, wParam, lParam, result))
        result = DefWindowProc(message, wParam, lParam);
    // `this` may be gone now (a handler can destroy its own window); only
    // the static is touched from here on.
    s_currentMsg = outer;
    return result;
}

LRESULT CWnd::Default()
{
    if (s_currentMsg == nullptr)
        return 0;
    return DefWindowProc(s_currentMsg->message, s_currentMsg->wParam, s_currentMsg->lParam);
}

void CWnd::PostNcDestroy()
{
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
UINT CWnd::OnPowerBroadcast(UINT, LPARAM) { return static_cast<UINT>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHWheel(UINT, short, CPoint) { Default(); }
void CWnd::OnXButtonDown(UINT, UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
