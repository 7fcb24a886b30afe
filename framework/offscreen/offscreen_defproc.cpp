#include "offscreen_defproc.h"

#include "offscreen_classes.h"

#include <cstdint>

LRESULT OffscreenDefaultProcessing(COffscreenDefaultHost& host, HWND hWnd, UINT message, WPARAM wParam,
                                   LPARAM lParam)
{
    const char* className = host.ClassNameOf(hWnd);
    if (className == nullptr)
        return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        host.Close(hWnd);
        return 0;
    case WM_PAINT:
        // Nobody painted: the region is validated so WM_PAINT does not
        // come back.
        host.Validate(hWnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_SETCURSOR:
        // Over the client area the pointer takes the class's cursor; a
        // class without one leaves the pointer as it is.
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
            const COffscreenClass* windowClass = OffscreenClasses().Find(className);
            if (windowClass != nullptr && windowClass->cursor != nullptr) {
                host.ShowCursor(windowClass->cursor);
                return TRUE;
            }
        }
        return FALSE;
    case WM_SYSCOMMAND:
        // Windows ignores the low four bits of the command here.
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            host.Deliver(hWnd, WM_CLOSE, 0, 0);
            break;
        case SC_SCREENSAVE:
            host.RequestScreenSave();
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}
