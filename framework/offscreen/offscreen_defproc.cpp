// Default processing: what DefWindowProc does on Windows for the messages
// this program leaves to it.
#include "offscreen_world.h"

LRESULT COffscreenWorld::DefaultProcessing(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        Destroy(hWnd);
        return 0;
    case WM_PAINT:
        // Nobody painted: the region is validated so WM_PAINT does not
        // come back.
        window->updateRegion.clear();
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_SETCURSOR:
        // Over the client area the pointer takes the class's cursor; a
        // class without one leaves the pointer as it is.
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
            const COffscreenClass* windowClass = OffscreenClasses().Find(window->className.c_str());
            if (windowClass != nullptr && windowClass->cursor != nullptr) {
                m_cursor = windowClass->cursor;
                return TRUE;
            }
        }
        return FALSE;
    case WM_SYSCOMMAND:
        // Windows ignores the low four bits of the command here.
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            Send(hWnd, WM_CLOSE, 0, 0);
            break;
        case SC_SCREENSAVE:
            ++m_screenSaveRequests;
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}
