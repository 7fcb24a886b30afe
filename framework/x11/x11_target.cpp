#include "x11_target.h"

#include <utility>

CX11Target::CX11Target(HWND host, Window window, bool own, std::unique_ptr<CX11Presenter> presenter, bool& ticksDrew)
    : m_host(host),
      m_window(window),
      m_own(own),
      m_presenter(std::move(presenter)),
      m_ticksDrew(ticksDrew)
{
}

void CX11Target::Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects)
{
    CWindowDamage& damage = m_waiting[hWnd];
    CDamage& record = painted ? damage.painted : damage.changed;
    for (const CRect& rect : rects)
        record.Add(rect);
    if (!painted && !rects.empty())
        m_ticksDrew = true;
}

void CX11Target::Exposed(HWND hWnd, const CRect& rect)
{
    m_waiting[hWnd].painted.Add(rect);
}

void CX11Target::ShowWhole(const COffscreenWorld& world, const std::vector<std::pair<HWND, CPoint>>& shown)
{
    for (auto it = m_shownWhole.begin(); it != m_shownWhole.end();)
        it = world.Find(*it) == nullptr ? m_shownWhole.erase(it) : std::next(it);
    for (const auto& [hWnd, origin] : shown) {
        if (m_shownWhole.insert(hWnd).second)
            Exposed(hWnd, world.Find(hWnd)->surface->Bounds());
    }
}

CX11Target::CPresented CX11Target::Present(const COffscreenWorld& world, bool ticks)
{
    CPresented result;
    if (m_presenter == nullptr)
        return result;
    const bool ready = m_presenter->Ready();
    const CPoint base = world.ClientOriginOnScreen(m_host);
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        auto& [hWnd, damage] = *it;
        const COffscreenWindow* window = world.Find(hWnd);
        if (window == nullptr) {
            it = m_waiting.erase(it);
            continue;
        }
        ++it;
        // A hidden window's changes wait until it shows again.
        if (window->object == nullptr || !world.IsVisible(hWnd))
            continue;
        const bool waits = !damage.painted.IsEmpty() || (ticks && !damage.changed.IsEmpty());
        if (!ready) {
            result.heldBack = result.heldBack || waits;
            continue;
        }
        if (!waits)
            continue;
        m_presenting.assign(damage.painted.Rects().begin(), damage.painted.Rects().end());
        damage.painted.Clear();
        if (ticks) {
            m_presenting.insert(m_presenting.end(), damage.changed.Rects().begin(), damage.changed.Rects().end());
            damage.changed.Clear();
        }
        const CPoint origin = world.ClientOriginOnScreen(hWnd);
        m_presenter->Present(*window->surface, m_presenting, CPoint(origin.x - base.x, origin.y - base.y));
        result.any = true;
    }
    return result;
}
