// Device contexts on windows of the off-screen port: surface device
// contexts on the window's picture, clipped to the client area or to the
// part being repainted. What they change is added to the window's record
// of changes when they close, for a display attached to the window system.
#include "window_dc.h"

#include "offscreen_world.h"
#include "surface/presenting_dc.h"
#include "wnd.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Holds the picture for as long as the context draws on it.
struct CSurfaceKeeper {
    std::shared_ptr<CSurface> m_keptSurface;
};

// Adds what a context changed to the window's record (that of paints or
// the other), if the window is still there when the context closes.
CPresentingDC::Presenter RecordChangesOf(HWND hWnd, CDamage COffscreenWindow::*record)
{
    return [hWnd, record](const CSurface&, const std::vector<CRect>& changed) {
        if (COffscreenWindow* window = OffscreenWorld().Find(hWnd)) {
            for (const CRect& rect : changed)
                (window->*record).Add(rect);
        }
    };
}

// A surface context that keeps its surface alive, so that it stays valid
// even if the window goes while the context is open. Without a window it
// draws on an empty surface, which clips everything away.
class CWindowSurfaceDC : private CSurfaceKeeper, public CPresentingDC {
public:
    CWindowSurfaceDC(HWND hWnd, std::shared_ptr<CSurface> surface, std::vector<CRect> clip,
                     CDamage COffscreenWindow::*record)
        : CSurfaceKeeper{surface != nullptr ? std::move(surface) : std::make_shared<CSurface>()},
          CPresentingDC(*m_keptSurface, std::move(clip), RecordChangesOf(hWnd, record), CDamage::kSpanJoinGap)
    {
    }
};

std::shared_ptr<CSurface> SurfaceOf(const CWnd* wnd)
{
    const COffscreenWindow* window = OffscreenWorld().Find(wnd != nullptr ? wnd->m_hWnd : nullptr);
    return window != nullptr ? window->surface : nullptr;
}

CRect BoundingBox(const std::vector<CRect>& rects)
{
    if (rects.empty())
        return CRect();
    CRect box = rects.front();
    for (const CRect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

}  // namespace

CClientDC::CClientDC(CWnd* wnd)
{
    std::shared_ptr<CSurface> surface = SurfaceOf(wnd);
    std::vector<CRect> clip;
    if (surface != nullptr)
        clip.push_back(surface->Bounds());
    m_target = std::make_unique<CWindowSurfaceDC>(wnd != nullptr ? wnd->m_hWnd : nullptr, std::move(surface),
                                                  std::move(clip), &COffscreenWindow::changed);
}

CClientDC::~CClientDC() = default;

// The update region is taken and validated here, as BeginPaint does, so
// that whatever is invalidated while painting waits for the next paint.
CPaintDC::CPaintDC(CWnd* wnd)
{
    std::vector<CRect> region = OffscreenWorld().BeginPaint(wnd != nullptr ? wnd->m_hWnd : nullptr);
    m_paintRect = BoundingBox(region);
    m_target = std::make_unique<CWindowSurfaceDC>(wnd != nullptr ? wnd->m_hWnd : nullptr, SurfaceOf(wnd),
                                                  std::move(region), &COffscreenWindow::painted);
}

CPaintDC::~CPaintDC() = default;
