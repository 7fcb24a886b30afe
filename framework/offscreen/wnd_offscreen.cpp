// CWnd on the off-screen port: creation, destruction and the window
// services over the port's window table.
#include "wnd.h"

#include "offscreen_classes.h"
#include "offscreen_resources.h"
#include "offscreen_world.h"

namespace {

COffscreenWindow* FindWindowOf(HWND hWnd)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->Find(hWnd) : nullptr;
}

CPoint ClientOrigin(HWND hWnd)
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->ClientOriginOnScreen(hWnd) : CPoint();
}

}  // namespace

CWnd::CWnd() = default;

// A window still attached when its object goes is destroyed with it, as
// MFC does; the handlers of the classes already destructed no longer run.
CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    if (COffscreenWorld* world = COffscreenWorld::Installed())
        world->DetachObject(this);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, UINT_PTR id, LPVOID param)
{
    if (m_hWnd != nullptr)
        return FALSE;
    // A child needs a parent; a parent must be a window; a window needs a
    // world to live in. A creation refused before the window exists still
    // ends in PostNcDestroy, as every failed creation does, so that a heap
    // window deletes itself.
    COffscreenWorld* const installed = COffscreenWorld::Installed();
    const COffscreenClass* windowClass = OffscreenClasses().Find(className);
    if (installed == nullptr || windowClass == nullptr || ((style & WS_CHILD) != 0 && parent == nullptr) ||
        (parent != nullptr && !::IsWindow(parent))) {
        PostNcDestroy();
        return FALSE;
    }

    COffscreenWindow window;
    window.parent = parent;
    window.object = this;
    window.className = windowClass->name;
    window.text = windowName != nullptr ? windowName : "";
    window.style = style;
    window.exStyle = exStyle;
    window.id = (style & WS_CHILD) != 0 ? id : 0;
    window.rect = CRect(x, y, x + width, y + height);
    COffscreenWorld& world = *installed;
    const HWND hWnd = world.AddWindow(std::move(window));
    if (hWnd == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    m_hWnd = hWnd;

    CREATESTRUCT create{param,
                        OffscreenModuleInstance(),
                        nullptr,
                        parent,
                        height,
                        width,
                        y,
                        x,
                        static_cast<LONG>(style),
                        windowName != nullptr ? windowName : "",
                        windowClass->name.c_str(),
                        exStyle};
    const LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    // From the first refusal on, the object may be gone (a heap window
    // deletes itself when destroyed): only the handle is used.
    if (world.Send(hWnd, WM_NCCREATE, 0, createParam) == FALSE || world.Send(hWnd, WM_CREATE, 0, createParam) == -1) {
        world.DestroyRefused(hWnd);
        return FALSE;
    }
    if (!::IsWindow(hWnd))
        return FALSE;  // a creation handler destroyed the window
    // A window shown at creation is painted by the next pump.
    if ((style & WS_VISIBLE) != 0)
        world.InvalidateClient(hWnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    const COffscreenWindow* window = FindWindowOf(hWnd);
    return window != nullptr ? window->object : nullptr;
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    const CPoint origin = ClientOrigin(m_hWnd);
    *rect = CRect(origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height());
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    const CPoint origin = ClientOrigin(m_hWnd);
    *rect = CRect(rect->left - origin.x, rect->top - origin.y, rect->right - origin.x, rect->bottom - origin.y);
}

HWND CWnd::GetParentHandle() const
{
    const COffscreenWindow* window = FindWindowOf(m_hWnd);
    return window != nullptr ? window->parent : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    if (world == nullptr)
        return nullptr;
    for (HWND child : world->Children(m_hWnd)) {
        if (world->Find(child)->id == static_cast<UINT_PTR>(id))
            return FromHandle(child);
    }
    return nullptr;
}

BOOL CWnd::IsWindowVisible() const
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr && world->IsVisible(m_hWnd) ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const
{
    const COffscreenWindow* window = FindWindowOf(m_hWnd);
    return window != nullptr && (window->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

// Centres the window over the alternate owner, else over its parent's
// client area, else over the primary screen.
void CWnd::CenterWindow(CWnd* alternateOwner)
{
    COffscreenWindow* window = FindWindowOf(m_hWnd);
    if (window == nullptr)
        return;
    const COffscreenWorld& world = *COffscreenWorld::Installed();
    // The area to centre over, in the coordinates of the window's rect.
    CRect over(0, 0, world.ScreenSize().cx, world.ScreenSize().cy);
    if (alternateOwner != nullptr && ::IsWindow(alternateOwner->m_hWnd)) {
        alternateOwner->GetWindowRect(&over);
        const CPoint origin = world.ClientOriginOnScreen(window->parent);
        over = CRect(over.left - origin.x, over.top - origin.y, over.right - origin.x, over.bottom - origin.y);
    } else if (const COffscreenWindow* parent = world.Find(window->parent)) {
        over = CRect(0, 0, parent->rect.Width(), parent->rect.Height());
    }
    const CRect rect = window->rect;
    const LONG left = over.left + (over.Width() - rect.Width()) / 2;
    const LONG top = over.top + (over.Height() - rect.Height()) / 2;
    window->rect = CRect(left, top, left + rect.Width(), top + rect.Height());
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void (*callback)(HWND, UINT, UINT_PTR, DWORD))
{
    COffscreenWindow* window = FindWindowOf(m_hWnd);
    if (window == nullptr || window->destroying)
        return 0;
    window->timers[id] = COffscreenTimer{elapse, callback};
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    COffscreenWindow* window = FindWindowOf(m_hWnd);
    return window != nullptr && window->timers.erase(id) != 0 ? TRUE : FALSE;
}

// No window class of this port has a background brush, so erasing changes
// nothing and the flag is not kept.
void CWnd::Invalidate(BOOL)
{
    if (COffscreenWorld* world = COffscreenWorld::Installed())
        world->InvalidateClient(m_hWnd);
}

void CWnd::UpdateWindow()
{
    if (COffscreenWorld* world = COffscreenWorld::Installed())
        world->UpdateWindow(m_hWnd);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->DefaultProcessing(m_hWnd, message, wParam, lParam) : 0;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    if (COffscreenWorld* world = COffscreenWorld::Installed())
        world->CountClassRegistration();
    return OffscreenClasses().Register(classStyle, cursor, background, icon);
}
