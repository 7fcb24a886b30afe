// CClientDC and CPaintDC on Win32: surface contexts on the window's picture
// in memory (window_picture.h), with GDI's clipping of a window's contexts.
// A client context is clipped to the visible part of the client area, a
// paint context to the region being repainted. What a client context
// changes reaches the window at the display's pace (paced_presents.h); a
// paint context copies the whole repainted region when it closes, so an
// uncovered window shows its picture at once.
#include "window_dc.h"

#include "surface/kept_block.h"
#include "surface/presenting_dc.h"
#include "client_hdc.h"
#include "gdi_object_count.h"
#include "paced_presents.h"
#include "window_picture.h"
#include "wnd.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Appends the rectangles of a region, in the region's coordinates, to
// rects. The region's data is read into storage kept from call to call,
// since a client context reads its visible region on every tick.
void AppendRectsOf(HRGN region, std::vector<CRect>& rects)
{
    static std::vector<unsigned char> storage;
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    if (size == 0)
        return;
    if (storage.size() < size)
        storage.resize(size);
    auto* data = reinterpret_cast<RGNDATA*>(storage.data());
    if (::GetRegionData(region, size, data) == 0)
        return;
    const auto* begin = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        rects.emplace_back(begin[i]);
}

// The visible region of a window's client context, in client coordinates,
// in the storage a closed context left. GetRandomRgn gives it in screen
// coordinates.
std::vector<CRect> VisibleClientRects(HWND hWnd, HDC hdc)
{
    std::vector<CRect> rects = CPresentingDC::TakeClip();
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (region == nullptr)
        return rects;
    CGdiObjectCount::Created();
    if (::GetRandomRgn(hdc, region, SYSRGN) == 1) {
        POINT origin{0, 0};
        ::ClientToScreen(hWnd, &origin);
        ::OffsetRgn(region, -origin.x, -origin.y);
        AppendRectsOf(region, rects);
    }
    if (::DeleteObject(region))
        CGdiObjectCount::Deleted();
    return rects;
}

// The DC a client context draws through: the batch's while the thread
// runs a batch of ticks (CPacedPresents::BatchHdc), otherwise its own.
struct CClientContextHdc {
    explicit CClientContextHdc(HWND hWnd) : m_hdc(CPacedPresents::BatchHdc(hWnd))
    {
        if (m_hdc == nullptr)
            m_hdc = m_own.emplace(hWnd).m_hdc;
    }

    std::optional<CClientHdc> m_own;
    HDC m_hdc;
};

// The DC is a base class, so that it is released after the drawing context
// has handed on what it changed. Opened on every tick, so its block is
// kept for the next.
class CClientPictureDC final : private CClientContextHdc,
                               public CPresentingDC,
                               public CKeptBlock<CClientPictureDC> {
public:
    explicit CClientPictureDC(HWND hWnd)
        : CClientContextHdc(hWnd),
          CPresentingDC(CWindowPictures::Of(hWnd), VisibleClientRects(hWnd, m_hdc),
                        [hWnd, hdc = m_hdc](const CSurface&, const std::vector<CRect>& changed) {
                            CPacedPresents::Drew(hWnd, hdc, changed);
                        })
    {
    }
};

// A paint of the window: the update region is taken before BeginPaint
// validates it, and EndPaint comes after the picture has been presented.
struct CPaintSession {
    explicit CPaintSession(HWND hWnd) : m_hWnd(hWnd)
    {
        const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        if (region != nullptr) {
            CGdiObjectCount::Created();
            if (::GetUpdateRgn(hWnd, region, FALSE) != ERROR)
                AppendRectsOf(region, m_region);
            if (::DeleteObject(region))
                CGdiObjectCount::Deleted();
        }
        m_hdc = ::BeginPaint(hWnd, &m_paint);
        if (m_hdc != nullptr)
            CGdiObjectCount::Created();
        ExcludeChildren(hWnd, m_hdc);
    }
    ~CPaintSession()
    {
        ::EndPaint(m_hWnd, &m_paint);
        if (m_hdc != nullptr)
            CGdiObjectCount::Deleted();
    }
    CPaintSession(const CPaintSession&) = delete;
    CPaintSession& operator=(const CPaintSession&) = delete;

    HWND m_hWnd;
    HDC m_hdc = nullptr;
    PAINTSTRUCT m_paint{};
    std::vector<CRect> m_region;
};

class CPaintPictureDC final : private CPaintSession, public CPresentingDC {
public:
    explicit CPaintPictureDC(HWND hWnd)
        : CPaintSession(hWnd),
          CPresentingDC(CWindowPictures::Of(hWnd), m_region,
                        [hdc = m_hdc](const CSurface& picture, const std::vector<CRect>& changed) {
                            CWindowPictures::Present(hdc, picture, changed);
                        })
    {
        for (const CRect& r : ClipRects())
            MarkChanged(r);
    }

    const RECT& PaintRect() const { return m_paint.rcPaint; }
};

}  // namespace

CClientDC::CClientDC(CWnd* wnd)
{
    m_target = std::make_unique<CClientPictureDC>(wnd->GetSafeHwnd());
}

CClientDC::~CClientDC() = default;

CPaintDC::CPaintDC(CWnd* wnd)
{
    auto target = std::make_unique<CPaintPictureDC>(wnd->GetSafeHwnd());
    m_paintRect = target->PaintRect();
    m_target = std::move(target);
}

CPaintDC::~CPaintDC() = default;
