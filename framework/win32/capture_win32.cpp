// What is beneath a window, for the start of its picture: the screen under
// a top-level window; for a child, the parent's picture when the parent is
// a framework window of this thread, what the parent prints of its client
// area when it belongs to this process (it may not be shown yet, as a
// dialog being initialised), and otherwise the screen under the child
// while its parent is shown. And what a window draws itself, for the
// windows that the framework attaches to after their creation.
#include "window_picture.h"

#include "gdi_object_count.h"

#include <algorithm>
#include <cstdint>

namespace {

// A memory context on a top-down 32-bit bitmap whose pixels it exposes as
// packed 0x00RRGGBB rows.
class CCaptureBitmap {
public:
    CCaptureBitmap(int width, int height) : m_width(width)
    {
        const BITMAPINFO info = PackedRowsInfo(width, height);
        m_dc = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        for (const HGDIOBJ made : {static_cast<HGDIOBJ>(m_dc), static_cast<HGDIOBJ>(m_bitmap)}) {
            if (made != nullptr)
                CGdiObjectCount::Created();
        }
        m_bits = static_cast<std::uint32_t*>(bits);
        if (m_dc != nullptr && m_bitmap != nullptr)
            m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~CCaptureBitmap()
    {
        if (m_old != nullptr)
            ::SelectObject(m_dc, m_old);
        if (m_bitmap != nullptr && ::DeleteObject(m_bitmap))
            CGdiObjectCount::Deleted();
        if (m_dc != nullptr && ::DeleteDC(m_dc))
            CGdiObjectCount::Deleted();
    }
    CCaptureBitmap(const CCaptureBitmap&) = delete;
    CCaptureBitmap& operator=(const CCaptureBitmap&) = delete;

    bool IsValid() const { return m_old != nullptr && m_bits != nullptr; }
    HDC Dc() const { return m_dc; }

    // Stores the block of the bitmap at (x, y) in the picture, whose words
    // have the bitmap's layout; the unused top byte is cleared. False (and
    // the picture left alone) when the block is all black, which is what a
    // refused read gives.
    bool CopyTo(CSurface& picture, int x, int y) const
    {
        ::GdiFlush();
        bool lit = false;
        for (int row = 0; row < picture.Height() && !lit; ++row) {
            const std::uint32_t* pixels = Row(x, y + row);
            for (int col = 0; col < picture.Width() && !lit; ++col)
                lit = (pixels[col] & 0x00FFFFFF) != 0;
        }
        if (!lit)
            return false;
        for (int row = 0; row < picture.Height(); ++row) {
            const std::uint32_t* pixels = Row(x, y + row);
            std::uint32_t* words = picture.WordRow(row);
            for (int col = 0; col < picture.Width(); ++col)
                words[col] = pixels[col] & 0x00FFFFFF;
        }
        return true;
    }

private:
    const std::uint32_t* Row(int x, int y) const { return m_bits + static_cast<std::size_t>(y) * m_width + x; }

    int m_width;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

// The client area of hWnd on the screen, as it is shown now.
bool CaptureScreen(HWND hWnd, CSurface& picture)
{
    POINT origin{0, 0};
    ::ClientToScreen(hWnd, &origin);
    CCaptureBitmap capture(picture.Width(), picture.Height());
    const HDC screen = ::GetDC(nullptr);
    if (screen != nullptr)
        CGdiObjectCount::Created();
    const bool copied = capture.IsValid() && screen != nullptr &&
                        ::BitBlt(capture.Dc(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y,
                                 SRCCOPY | CAPTUREBLT);
    if (screen != nullptr && ::ReleaseDC(nullptr, screen) == 1)
        CGdiObjectCount::Deleted();
    return copied && capture.CopyTo(picture, 0, 0);
}

// The child's part of its parent's client area, as the parent prints it
// (background and client drawing, without the parent's children); with the
// window as its own parent, the window's own client area.
bool CapturePrintedParent(HWND hWnd, HWND parent, CSurface& picture)
{
    RECT parentClient{};
    ::GetClientRect(parent, &parentClient);
    POINT origin{0, 0};
    ::MapWindowPoints(hWnd, parent, &origin, 1);
    const CRect place(origin.x, origin.y, origin.x + picture.Width(), origin.y + picture.Height());
    if (CRect::Intersection(place, parentClient) != place)
        return false;
    CCaptureBitmap capture(parentClient.right, parentClient.bottom);
    if (!capture.IsValid())
        return false;
    ::SendMessage(parent, WM_PRINT, reinterpret_cast<WPARAM>(capture.Dc()), PRF_ERASEBKGND | PRF_CLIENT);
    return capture.CopyTo(picture, place.left, place.top);
}

// The child's part of its parent's picture in memory.
bool CopyParentPicture(HWND hWnd, const CSurface& parentPicture, CSurface& picture)
{
    POINT origin{0, 0};
    ::MapWindowPoints(hWnd, ::GetParent(hWnd), &origin, 1);
    const CRect place(origin.x, origin.y, origin.x + picture.Width(), origin.y + picture.Height());
    if (CRect::Intersection(place, parentPicture.Bounds()) != place)
        return false;
    for (int y = 0; y < picture.Height(); ++y)
        std::copy_n(parentPicture.WordRow(place.top + y) + place.left, picture.Width(), picture.WordRow(y));
    return true;
}

}  // namespace

bool CaptureOwnDrawing(HWND hWnd, CSurface& picture)
{
    return picture.Width() != 0 && picture.Height() != 0 && CapturePrintedParent(hWnd, hWnd, picture);
}

bool CaptureBeneath(HWND hWnd, CSurface& picture)
{
    if (picture.Width() == 0 || picture.Height() == 0)
        return false;
    const bool child = (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) != 0;
    const HWND parent = child ? ::GetParent(hWnd) : nullptr;
    if (!child || parent == nullptr)
        return CaptureScreen(hWnd, picture);

    if (const CSurface* parentPicture = CWindowPictures::Find(parent))
        return CopyParentPicture(hWnd, *parentPicture, picture);
    DWORD parentProcess = 0;
    ::GetWindowThreadProcessId(parent, &parentProcess);
    if (parentProcess == ::GetCurrentProcessId())
        return CapturePrintedParent(hWnd, parent, picture);
    return ::IsWindowVisible(parent) && CaptureScreen(hWnd, picture);
}
