#include "scaled_banner.h"

#include "app.h"
#include "banner_place.h"

namespace {

// A memory device context with a bitmap selected, put back on release.
class CSelectedBitmap {
public:
    CSelectedBitmap(HDC like, HBITMAP bitmap)
        : m_dc(::CreateCompatibleDC(like)),
          m_old(m_dc != nullptr ? ::SelectObject(m_dc, bitmap) : nullptr)
    {
    }
    ~CSelectedBitmap()
    {
        if (m_dc != nullptr) {
            ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
    }
    CSelectedBitmap(const CSelectedBitmap&) = delete;
    CSelectedBitmap& operator=(const CSelectedBitmap&) = delete;

    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A bitmap of width x height showing the source bitmap at its own aspect
// ratio, as large as fits and centred, rescaled with the platform's smooth
// (HALFTONE, area-averaging) stretch, on the dialog's face colour; nullptr
// on failure.
HBITMAP Rescaled(HBITMAP source, int width, int height)
{
    BITMAP info{};
    if (::GetObject(source, sizeof info, &info) == 0)
        return nullptr;
    const CRect place = BannerPlace(SIZE{width, height}, SIZE{info.bmWidth, info.bmHeight});
    const HDC screen = ::GetDC(nullptr);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
    if (scaled != nullptr) {
        const CSelectedBitmap from(screen, source);
        const CSelectedBitmap to(screen, scaled);
        const CRect frame(0, 0, width, height);
        ::SetStretchBltMode(to.Dc(), HALFTONE);
        ::SetBrushOrgEx(to.Dc(), 0, 0, nullptr);  // as HALFTONE requires
        if (from.Dc() == nullptr || to.Dc() == nullptr || place.IsRectEmpty()
            || !::FillRect(to.Dc(), &frame, ::GetSysColorBrush(COLOR_BTNFACE))
            || !::StretchBlt(to.Dc(), place.left, place.top, place.Width(), place.Height(), from.Dc(), 0, 0,
                             info.bmWidth, info.bmHeight, SRCCOPY)) {
            ::DeleteObject(scaled);
            scaled = nullptr;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return scaled;
}

}  // namespace

CScaledBanner::~CScaledBanner()
{
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
}

void CScaledBanner::Fit(HWND dialog, UINT bitmapId)
{
    HWND control = ::GetWindow(dialog, GW_CHILD);
    while (control != nullptr && (::GetWindowLongPtr(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        control = ::GetWindow(control, GW_HWNDNEXT);
    CRect frame;
    if (control == nullptr || !::GetClientRect(control, &frame) || frame.IsRectEmpty())
        return;
    const auto source = static_cast<HBITMAP>(::LoadImage(AfxGetApp()->m_hInstance, MAKEINTRESOURCE(bitmapId),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (source == nullptr)
        return;
    const HBITMAP scaled = Rescaled(source, frame.Width(), frame.Height());
    ::DeleteObject(source);
    if (scaled == nullptr)
        return;

    // The control answers with the bitmap it showed until now: the one it
    // loaded from the template, or the one of an earlier fit. Nothing else
    // refers to either.
    const auto previous = reinterpret_cast<HBITMAP>(
        ::SendMessage(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
    if (previous != nullptr)
        ::DeleteObject(previous);
    m_bitmap = scaled;
}
