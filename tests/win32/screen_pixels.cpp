#include "screen_pixels.h"

std::vector<COLORREF> CapturePrimaryScreen()
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const HDC screen = ::GetDC(nullptr);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = ::CreateCompatibleDC(screen);
    if (bitmap != nullptr && memory != nullptr) {
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        if (::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY)) {
            // A 32-bit DIB holds 0x00RRGGBB; COLORREF is the other way round.
            const auto* row = static_cast<const DWORD*>(bits);
            pixels.reserve(static_cast<size_t>(width) * height);
            for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
                pixels.push_back(RGB(GetBValue(row[i]), GetGValue(row[i]), GetRValue(row[i])));
        }
        ::SelectObject(memory, previous);
    }
    if (memory != nullptr)
        ::DeleteDC(memory);
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool IsBranchColour(COLORREF colour)
{
    const int green = GetGValue(colour);
    return GetBValue(colour) < 40 && green >= 40 && green < 200;
}
