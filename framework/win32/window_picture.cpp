#include "window_picture.h"

#include "surface/rgb_rows.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {

// Windows belong to the thread that made them, and so do their pictures.
thread_local std::unordered_map<HWND, CSurface> t_pictures;

SIZE ClientSize(HWND hWnd)
{
    RECT client{};
    ::GetClientRect(hWnd, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

}  // namespace

BITMAPINFO PackedRowsInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void CWindowPictures::Start(HWND hWnd)
{
    const SIZE size = ClientSize(hWnd);
    CSurface picture(size.cx, size.cy);
    CaptureBeneath(hWnd, picture);
    t_pictures[hWnd] = std::move(picture);
}

CSurface& CWindowPictures::Of(HWND hWnd)
{
    const SIZE size = ClientSize(hWnd);
    if (t_pictures.find(hWnd) == t_pictures.end()) {
        CSurface own(size.cx, size.cy);
        CaptureOwnDrawing(hWnd, own);
        t_pictures[hWnd] = std::move(own);
    }
    CSurface& picture = t_pictures[hWnd];
    if (picture.Width() != size.cx || picture.Height() != size.cy) {
        CSurface remade(size.cx, size.cy);
        const int width = std::min(picture.Width(), remade.Width());
        for (int y = 0; y < std::min(picture.Height(), remade.Height()); ++y)
            std::copy_n(picture.Row(y), width, remade.Row(y));
        picture = std::move(remade);
    }
    return picture;
}

const CSurface* CWindowPictures::Find(HWND hWnd)
{
    const auto found = t_pictures.find(hWnd);
    return found != t_pictures.end() ? &found->second : nullptr;
}

void CWindowPictures::Forget(HWND hWnd)
{
    t_pictures.erase(hWnd);
}

void CWindowPictures::Present(HDC hdc, const CSurface& picture, const std::vector<CRect>& rects)
{
    thread_local std::vector<std::uint32_t> rows;
    for (const CRect& rect : rects) {
        const CRect r = CRect::Intersection(rect, picture.Bounds());
        if (r.IsRectEmpty())
            continue;
        rows.resize(static_cast<std::size_t>(r.Width()) * static_cast<std::size_t>(r.Height()));
        CopyRgbRows(picture, r, rows.data(), static_cast<std::size_t>(r.Width()));
        const BITMAPINFO info = PackedRowsInfo(r.Width(), r.Height());
        ::SetDIBitsToDevice(hdc, r.left, r.top, static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()), 0, 0,
                            0, static_cast<UINT>(r.Height()), rows.data(), &info, DIB_RGB_COLORS);
    }
}
