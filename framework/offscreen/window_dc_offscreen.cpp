// Device contexts on windows of the off-screen port: surface device
// contexts on the window's picture, clipped to the client area or to the
// part being repainted. What they change goes, when they close, to the
// damage sink of the world the window lives in (a display showing it).
#include "window_dc.h"

#include "offscreen_world.h"
#include "surface/kept_block.h"
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

// Hands what a context changed to the window's damage sink, if the window
// is still there when the context closes.
CPresentingDC::Presenter HandChangesOf(HWND hWnd, bool painted)
{
    return [hWnd, painted](const CSurface&, const std::vector<CRect>& changed) {
        if (COffscreenWorld* world = COffscreenWorld::Installed())
            world->Damaged(hWnd, painted, changed);
    };
}

// A surface context that keeps its surface alive, so that it stays valid
// even if the window goes while the context is open. Without a window it
// draws on an empty surface, which clips everything away. A client context
// is opened and closed on every timer tick, so its block is kept for the
// next one.
class CWindowSurfaceDC : private CSurfaceKeeper, public CPresentingDC, public CKeptBlock<CWindowSurfaceDC> {
public:
    CWindowSurfaceDC(HWND hWnd, std::shared_ptr<CSurface> surface, std::vector<CRect> clip, bool painted)
        : CSurfaceKeeper{surface != nullptr ? std::move(surface) : std::make_shared<CSurface>()},
          CPresentingDC(*m_keptSurface, std::move(clip), HandChangesOf(hWnd, painted), CDamage::kSpanJoinGap)
    {
    }
};

std::shared_ptr<CSurface> SurfaceOf(const CWnd* wnd)
{
    const COffscreenWorld* world = COffscreenWorld::Installed();
    const COffscreenWindow* window =
        world != nullptr && wnd != nullptr ? world->Find(wnd->m_hWnd) : nullptr;
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
    std::vector<CRect> clip = CPresentingDC::TakeClip();
    if (surface != nullptr)
        clip.push_back(surface->Bounds());
    m_target = std::make_unique<CWindowSurfaceDC>(wnd != nullptr ? wnd->m_hWnd : nullptr, std::move(surface),
                                                  std::move(clip), false);
}

CClientDC::~CClientDC() = default;

// The update region is taken and validated here, as BeginPaint does, so
// that whatever is invalidated while painting waits for the next paint.
CPaintDC::CPaintDC(CWnd* wnd)
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    std::vector<CRect> region = world != nullptr && wnd != nullptr ? world->BeginPaint(wnd->m_hWnd) : std::vector<CRect>();
    m_paintRect = BoundingBox(region);
    m_target = std::make_unique<CWindowSurfaceDC>(wnd != nullptr ? wnd->m_hWnd : nullptr, SurfaceOf(wnd),
                                                  std::move(region), true);
}

CPaintDC::~CPaintDC() = default;
