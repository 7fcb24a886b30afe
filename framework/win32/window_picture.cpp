#include "window_picture.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

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
            std::copy_n(std::as_const(picture).WordRow(y), width, remade.WordRow(y));
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

// The picture's words are already a 32-bit BI_RGB bitmap's. Each box is
// handed over as the band of whole rows it lies in, a top-down bitmap of
// the picture's width that starts at the box's top row, with the box's
// columns chosen as the source: the band covers every scan line given, so
// no reading of a top-down bitmap's scan-line numbers is relied on.
void CWindowPictures::Present(HDC hdc, const CSurface& picture, const std::vector<CRect>& rects)
{
    for (const CRect& rect : rects) {
        const CRect r = CRect::Intersection(rect, picture.Bounds());
        if (r.IsRectEmpty())
            continue;
        const BITMAPINFO info = PackedRowsInfo(picture.Width(), r.Height());
        ::SetDIBitsToDevice(hdc, r.left, r.top, static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()), r.left,
                            0, 0, static_cast<UINT>(r.Height()), picture.WordRow(r.top), &info, DIB_RGB_COLORS);
    }
}
