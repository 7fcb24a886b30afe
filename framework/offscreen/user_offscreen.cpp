// The Win32-named user-interface services over the port's window table.
#include "afxport.h"

#include "offscreen_world.h"

namespace {

constexpr int kIconSide = 32;

const COffscreenWindow* FindWindowOf(HWND hWnd)
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->Find(hWnd) : nullptr;
}

}  // namespace

int GetSystemMetrics(int index)
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    const SIZE screen = world != nullptr ? world->ScreenSize() : SIZE{0, 0};
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
    const COffscreenWorld* world = COffscreenWorld::Installed();
    return virtualKey == static_cast<int>(VK_SHIFT) && world != nullptr && world->ShiftHeld() ? kHeld : 0;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->SetCursor(cursor) : nullptr;
}

void PostQuitMessage(int exitCode)
{
    if (COffscreenWorld* world = COffscreenWorld::Installed())
        world->PostQuit(exitCode);
}

BOOL IsWindow(HWND hWnd)
{
    return FindWindowOf(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect)
{
    const COffscreenWindow* window = FindWindowOf(hWnd);
    *rect = window != nullptr ? window->surface->Bounds() : CRect();
    return window != nullptr ? TRUE : FALSE;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr && world->Post(hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr ? world->Send(hWnd, message, wParam, lParam) : 0;
}

BOOL DestroyWindow(HWND hWnd)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    return world != nullptr && world->Destroy(hWnd) ? TRUE : FALSE;
}
