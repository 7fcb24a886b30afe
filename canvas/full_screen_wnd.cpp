#include "full_screen_wnd.h"

BEGIN_MESSAGE_MAP(CFullScreenWnd, CGrowthWnd)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEHWHEEL()
    ON_WM_XBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

namespace {

const CPoint kNoPosition(-1, -1);

}  // namespace

CFullScreenWnd::CFullScreenWnd()
    : CGrowthWnd(TRUE)
{
}

CFullScreenWnd::~CFullScreenWnd() = default;

void CFullScreenWnd::CreateFullScreen()
{
    Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE,
           CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), nullptr);
}

// A second screen-saver start and the window menu's Close are refused; the
// Alt key that precedes the latter has already closed the window anyway.
void CFullScreenWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    if (id == SC_SCREENSAVE || id == SC_CLOSE)
        return;
    CGrowthWnd::OnSysCommand(id, lParam);
}

void CFullScreenWnd::OnDestroy()
{
    PostQuitMessage(0);
    CGrowthWnd::OnDestroy();
}

BOOL CFullScreenWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    SetCursor(nullptr);
    return TRUE;
}

// The window refuses to be drawn as inactive.
BOOL CFullScreenWnd::OnNcActivate(BOOL active)
{
    if (!active)
        return FALSE;
    return CGrowthWnd::OnNcActivate(active);
}

void CFullScreenWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    if (state == WA_INACTIVE)
        PostMessage(WM_CLOSE);
    CGrowthWnd::OnActivate(state, other, minimized);
}

void CFullScreenWnd::OnActivateApp(BOOL active, DWORD threadId)
{
    if (!active)
        PostMessage(WM_CLOSE);
    CGrowthWnd::OnActivateApp(active, threadId);
}

// The first report only records where the pointer rests; any later report
// elsewhere is the user.
void CFullScreenWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_lastMouse == kNoPosition)
        m_lastMouse = point;
    else if (point != m_lastMouse)
        PostMessage(WM_CLOSE);
    CGrowthWnd::OnMouseMove(flags, point);
}

void CFullScreenWnd::OnLButtonDown(UINT flags, CPoint point)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnLButtonDown(flags, point);
}

void CFullScreenWnd::OnMButtonDown(UINT flags, CPoint point)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnMButtonDown(flags, point);
}

void CFullScreenWnd::OnRButtonDown(UINT flags, CPoint point)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnRButtonDown(flags, point);
}

// A wheel turned either way, or a side button, is the user like any other
// button.
BOOL CFullScreenWnd::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    PostMessage(WM_CLOSE);
    return CGrowthWnd::OnMouseWheel(flags, delta, screenPoint);
}

void CFullScreenWnd::OnMouseHWheel(UINT flags, short delta, CPoint screenPoint)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnMouseHWheel(flags, delta, screenPoint);
}

void CFullScreenWnd::OnXButtonDown(UINT flags, UINT button, CPoint point)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnXButtonDown(flags, button, point);
}

void CFullScreenWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnKeyDown(key, repeat, flags);
}

void CFullScreenWnd::OnSysKeyDown(UINT key, UINT repeat, UINT flags)
{
    PostMessage(WM_CLOSE);
    CGrowthWnd::OnSysKeyDown(key, repeat, flags);
}
