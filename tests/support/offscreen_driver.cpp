#include "offscreen_driver.h"

#include "offscreen_resources.h"

namespace {

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

WPARAM ButtonFlag(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return MK_LBUTTON;
    case WM_MBUTTONDOWN:
        return MK_MBUTTON;
    case WM_RBUTTONDOWN:
        return MK_RBUTTON;
    default:
        return 0;
    }
}

// A key press's lParam: repeat count 1, and for WM_SYSKEYDOWN the context
// bit that says Alt is held.
LPARAM KeyParam(UINT message)
{
    constexpr LPARAM kAltHeld = LPARAM{1} << 29;
    return message == WM_SYSKEYDOWN ? (1 | kAltHeld) : 1;
}

}  // namespace

void COffscreenDriver::SetScreenSize(int width, int height)
{
    m_world.SetScreenSize(width, height);
}

void COffscreenDriver::SetScreenPicture(const CSurface& picture)
{
    m_world.SetScreenPicture(picture);
}

std::vector<HWND> COffscreenDriver::TopLevelWindows() const
{
    return m_world.TopLevelWindows();
}

std::vector<HWND> COffscreenDriver::Children(HWND parent) const
{
    return m_world.Children(parent);
}

std::optional<COffscreenWindowInfo> COffscreenDriver::Window(HWND hWnd) const
{
    const COffscreenWorld& world = m_world;
    const COffscreenWindow* window = world.Find(hWnd);
    if (window == nullptr)
        return std::nullopt;
    const CPoint origin = world.ClientOriginOnScreen(hWnd);
    return COffscreenWindowInfo{hWnd,
                                window->parent,
                                window->object,
                                window->className,
                                window->style,
                                window->exStyle,
                                window->id,
                                CRect(origin.x, origin.y, origin.x + window->rect.Width(),
                                      origin.y + window->rect.Height()),
                                world.IsVisible(hWnd)};
}

CSurface* COffscreenDriver::Surface(HWND hWnd)
{
    COffscreenWindow* window = m_world.Find(hWnd);
    return window != nullptr ? window->surface.get() : nullptr;
}

HWND COffscreenDriver::CreateHostWindow(const RECT& rect, DWORD style, HWND parent)
{
    return m_world.AddHostWindow(rect, style, parent);
}

bool COffscreenDriver::AbandonHostWindow(HWND hWnd)
{
    return m_world.Abandon(hWnd);
}

std::optional<COffscreenClass> COffscreenDriver::WindowClass(LPCTSTR name) const
{
    const COffscreenClass* windowClass = OffscreenClasses().Find(name);
    return windowClass != nullptr ? std::optional<COffscreenClass>(*windowClass) : std::nullopt;
}

int COffscreenDriver::ClassRegistrations() const
{
    return m_world.ClassRegistrations();
}

HCURSOR COffscreenDriver::ArrowCursor()
{
    return OffscreenArrowCursor();
}

void COffscreenDriver::InvalidateRect(HWND hWnd, const RECT& rect)
{
    m_world.Invalidate(hWnd, rect);
}

bool COffscreenDriver::UpdateWindow(HWND hWnd)
{
    return m_world.UpdateWindow(hWnd);
}

std::vector<CRect> COffscreenDriver::UpdateRegion(HWND hWnd) const
{
    const COffscreenWindow* window = m_world.Find(hWnd);
    return window != nullptr ? window->updateRegion : std::vector<CRect>();
}

bool COffscreenDriver::FireTimer(HWND hWnd, UINT_PTR id)
{
    return m_world.FireTimer(hWnd, id);
}

int COffscreenDriver::FireAllTimers()
{
    return m_world.FireAllTimers();
}

std::optional<UINT> COffscreenDriver::TimerElapse(HWND hWnd, UINT_PTR id) const
{
    const COffscreenWindow* window = m_world.Find(hWnd);
    if (window == nullptr)
        return std::nullopt;
    const auto timer = window->timers.find(id);
    return timer != window->timers.end() ? std::optional<UINT>(timer->second.elapse) : std::nullopt;
}

LRESULT COffscreenDriver::MouseMove(HWND hWnd, int x, int y, WPARAM keyFlags)
{
    Send(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, static_cast<WORD>(WM_MOUSEMOVE)));
    return Send(hWnd, WM_MOUSEMOVE, keyFlags, PointParam(x, y));
}

LRESULT COffscreenDriver::MouseButton(HWND hWnd, UINT message, int x, int y)
{
    Send(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, static_cast<WORD>(message)));
    return Send(hWnd, message, ButtonFlag(message), PointParam(x, y));
}

LRESULT COffscreenDriver::Key(HWND hWnd, UINT message, UINT virtualKey)
{
    return Send(hWnd, message, virtualKey, KeyParam(message));
}

LRESULT COffscreenDriver::NcActivate(HWND hWnd, BOOL active)
{
    return Send(hWnd, WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
}

LRESULT COffscreenDriver::Activate(HWND hWnd, UINT state, HWND other)
{
    return Send(hWnd, WM_ACTIVATE, MAKEWPARAM(static_cast<WORD>(state), 0), reinterpret_cast<LPARAM>(other));
}

LRESULT COffscreenDriver::ActivateApp(HWND hWnd, BOOL active, DWORD otherThreadId)
{
    return Send(hWnd, WM_ACTIVATEAPP, static_cast<WPARAM>(active), static_cast<LPARAM>(otherThreadId));
}

LRESULT COffscreenDriver::SysCommand(HWND hWnd, UINT command)
{
    return Send(hWnd, WM_SYSCOMMAND, command, 0);
}

LRESULT COffscreenDriver::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_world.Send(hWnd, message, wParam, lParam);
}

COffscreenPumpResult COffscreenDriver::Pump(std::size_t limit)
{
    return m_world.Pump(limit);
}

const std::deque<COffscreenMessage>& COffscreenDriver::PostedMessages() const
{
    return m_world.Queue();
}

HCURSOR COffscreenDriver::Cursor() const
{
    return m_world.Cursor();
}

int COffscreenDriver::ScreenSaveRequests() const
{
    return m_world.ScreenSaveRequests();
}
