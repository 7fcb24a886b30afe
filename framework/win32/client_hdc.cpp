#include "client_hdc.h"

#include "gdi_object_count.h"

void ExcludeChildren(HWND hWnd, HDC hdc)
{
    if (hdc == nullptr)
        return;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(HWND_DESKTOP, hWnd, reinterpret_cast<POINT*>(&place), 2);
        ::ExcludeClipRect(hdc, place.left, place.top, place.right, place.bottom);
    }
}

CClientHdc::CClientHdc(HWND hWnd)
    : m_hWnd(hWnd), m_hdc(::GetDC(hWnd))
{
    if (m_hdc != nullptr)
        CGdiObjectCount::Created();
    ExcludeChildren(hWnd, m_hdc);
}

CClientHdc::~CClientHdc()
{
    if (::ReleaseDC(m_hWnd, m_hdc) == 1)
        CGdiObjectCount::Deleted();
}
