// CClientDC and CPaintDC on Win32: GDI contexts of a window's client area,
// acquired in the constructor and released in the destructor.
#include "window_dc.h"

#include "gdi_dc.h"
#include "gdi_object_count.h"
#include "wnd.h"

namespace {

class CClientGdiDC final : public CGdiDC {
public:
    explicit CClientGdiDC(HWND hWnd) : CGdiDC(::GetDC(hWnd)), m_hWnd(hWnd)
    {
        if (GetSafeHdc() != nullptr)
            CGdiObjectCount::Created();
    }
    ~CClientGdiDC() override
    {
        RestoreOriginalObjects();
        if (::ReleaseDC(m_hWnd, GetSafeHdc()) != 0)
            CGdiObjectCount::Deleted();
    }

private:
    HWND m_hWnd;
};

class CPaintGdiDC final : public CGdiDC {
public:
    explicit CPaintGdiDC(HWND hWnd) : m_hWnd(hWnd)
    {
        Attach(::BeginPaint(hWnd, &m_paint));
        if (GetSafeHdc() != nullptr)
            CGdiObjectCount::Created();
    }
    ~CPaintGdiDC() override
    {
        RestoreOriginalObjects();
        ::EndPaint(m_hWnd, &m_paint);
        if (GetSafeHdc() != nullptr)
            CGdiObjectCount::Deleted();
    }

    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
};

}  // namespace

CClientDC::CClientDC(CWnd* wnd)
    : m_wnd(wnd)
{
    m_target = std::make_unique<CClientGdiDC>(wnd->GetSafeHwnd());
}

CClientDC::~CClientDC() = default;

CPaintDC::CPaintDC(CWnd* wnd)
    : m_wnd(wnd)
{
    auto target = std::make_unique<CPaintGdiDC>(wnd->GetSafeHwnd());
    m_paintRect = target->PaintRect();
    m_target = std::move(target);
}

CPaintDC::~CPaintDC() = default;
