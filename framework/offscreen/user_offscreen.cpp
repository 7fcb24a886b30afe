// The Win32-named user-interface services over the port's window table.
#include "offscreen_user.h"

#include "offscreen_world.h"

namespace {

constexpr int kIconSide = 32;

}  // namespace

int GetSystemMetrics(int index)
{
    const SIZE screen = OffscreenWorld().m_screenSize;
    switch (index) {
    case SM_CXSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
        return screen.cy;
    case SM_CXICON:
    case SM_CYICON:
        return kIconSide;
    default:
        return 0;
    }
}

short GetKeyState(int virtualKey)
{
    constexpr short kHeld = static_cast<short>(0x8000);
    return virtualKey == static_cast<int>(VK_SHIFT) && OffscreenWorld().m_shiftHeld ? kHeld : 0;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    COffscreenWorld& world = OffscreenWorld();
    const HCURSOR previous = world.m_cursor;
    world.m_cursor = cursor;
    return previous;
}

void PostQuitMessage(int exitCode)
{
    OffscreenWorld().PostQuit(exitCode);
}

BOOL IsWindow(HWND hWnd)
{
    return OffscreenWorld().Find(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect)
{
    const COffscreenWindow* window = OffscreenWorld().Find(hWnd);
    *rect = window != nullptr ? window->surface->Bounds() : CRect();
    return window != nullptr ? TRUE : FALSE;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OffscreenWorld().Post(hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OffscreenWorld().Send(hWnd, message, wParam, lParam);
}

BOOL DestroyWindow(HWND hWnd)
{
    return OffscreenWorld().Destroy(hWnd) ? TRUE : FALSE;
}
