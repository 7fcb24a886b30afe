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

COffscreenDriver::COffscreenDriver()
{
    Reset();
}

COffscreenDriver::~COffscreenDriver()
{
    Reset();
}

void COffscreenDriver::Reset()
{
    OffscreenWorld().Reset();
}

void COffscreenDriver::SetScreenSize(int width, int height)
{
    OffscreenWorld().m_screenSize = SIZE{width, height};
}

void COffscreenDriver::SetScreenPicture(const CSurface& picture)
{
    OffscreenWorld().m_screenPicture = picture;
}

std::vector<HWND> COffscreenDriver::TopLevelWindows() const
{
    return OffscreenWorld().TopLevelWindows();
}

std::vector<HWND> COffscreenDriver::Children(HWND parent) const
{
    return OffscreenWorld().Children(parent);
}

std::optional<COffscreenWindowInfo> COffscreenDriver::Window(HWND hWnd) const
{
    const COffscreenWorld& world = OffscreenWorld();
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
    COffscreenWindow* window = OffscreenWorld().Find(hWnd);
    return window != nullptr ? window->surface.get() : nullptr;
}

HWND COffscreenDriver::CreateHostWindow(const RECT& rect, DWORD style, HWND parent)
{
    COffscreenWorld& world = OffscreenWorld();
    if (parent != nullptr && world.Find(parent) == nullptr)
        return nullptr;
    COffscreenWindow window;
    window.parent = parent;
    window.className = "OffscreenHost";
    window.style = style | (parent != nullptr ? WS_CHILD : 0);
    window.rect = rect;
    return world.AddWindow(std::move(window));
}

bool COffscreenDriver::AbandonHostWindow(HWND hWnd)
{
    return OffscreenWorld().Abandon(hWnd);
}

std::optional<COffscreenClass> COffscreenDriver::WindowClass(LPCTSTR name) const
{
    const COffscreenClass* windowClass = OffscreenWorld().Classes().Find(name);
    return windowClass != nullptr ? std::optional<COffscreenClass>(*windowClass) : std::nullopt;
}

int COffscreenDriver::ClassRegistrations() const
{
    return OffscreenWorld().m_classRegistrations;
}

HCURSOR COffscreenDriver::ArrowCursor()
{
    return OffscreenArrowCursor();
}

void COffscreenDriver::InvalidateRect(HWND hWnd, const RECT& rect)
{
    OffscreenWorld().Invalidate(hWnd, rect);
}

bool COffscreenDriver::UpdateWindow(HWND hWnd)
{
    return OffscreenWorld().UpdateWindow(hWnd);
}

std::vector<CRect> COffscreenDriver::UpdateRegion(HWND hWnd) const
{
    const COffscreenWindow* window = OffscreenWorld().Find(hWnd);
    return window != nullptr ? window->updateRegion : std::vector<CRect>();
}

bool COffscreenDriver::FireTimer(HWND hWnd, UINT_PTR id)
{
    return OffscreenWorld().FireTimer(hWnd, id);
}

int COffscreenDriver::FireAllTimers()
{
    return OffscreenWorld().FireAllTimers();
}

std::optional<UINT> COffscreenDriver::TimerElapse(HWND hWnd, UINT_PTR id) const
{
    const COffscreenWindow* window = OffscreenWorld().Find(hWnd);
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
    return OffscreenWorld().Send(hWnd, message, wParam, lParam);
}

COffscreenPumpResult COffscreenDriver::Pump(std::size_t limit)
{
    return OffscreenWorld().Pump(limit);
}

const std::deque<COffscreenMessage>& COffscreenDriver::PostedMessages() const
{
    return OffscreenWorld().Queue();
}

HCURSOR COffscreenDriver::Cursor() const
{
    return OffscreenWorld().m_cursor;
}

int COffscreenDriver::ScreenSaveRequests() const
{
    return OffscreenWorld().m_screenSaveRequests;
}
