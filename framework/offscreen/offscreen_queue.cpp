// The world's message queue, paints and timers: what a message loop
// delivers, and in which order.
#include "offscreen_world.h"

#include "wnd.h"

#include <algorithm>
#include <utility>

LRESULT COffscreenWorld::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return 0;
    if (window->object != nullptr)
        return window->object->WindowProc(message, wParam, lParam);
    return DefaultProcessing(hWnd, message, wParam, lParam);
}

bool COffscreenWorld::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Find(hWnd) == nullptr)
        return false;
    m_queue.push_back(COffscreenMessage{hWnd, message, wParam, lParam});
    return true;
}

bool COffscreenWorld::PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool shift)
{
    if (Find(hWnd) == nullptr)
        return false;
    m_queue.push_back(COffscreenMessage{hWnd, message, wParam, lParam, shift});
    return true;
}

void COffscreenWorld::PostQuit(int exitCode)
{
    m_quitPending = true;
    m_quitCode = exitCode;
}

COffscreenPumpResult COffscreenWorld::Pump(std::size_t limit)
{
    COffscreenPumpResult result;
    while (result.delivered < limit) {
        if (!m_queue.empty()) {
            const COffscreenMessage message = m_queue.front();
            m_queue.pop_front();
            if (Find(message.hWnd) == nullptr)
                continue;  // its window went before the message was delivered
            // As on Windows, the keyboard's state follows the input messages
            // as they are taken from the queue, not the hardware.
            if ((message.message >= WM_KEYDOWN && message.message <= WM_SYSKEYDOWN) ||
                (message.message >= WM_MOUSEMOVE && message.message <= WM_MOUSEHWHEEL))
                m_shiftHeld = message.shift;
            Send(message.hWnd, message.message, message.wParam, message.lParam);
            ++result.delivered;
        } else if (m_quitPending) {
            m_quitPending = false;
            result.quit = true;
            result.exitCode = m_quitCode;
            return result;
        } else if (const HWND hWnd = NextWindowToPaint()) {
            Send(hWnd, WM_PAINT, 0, 0);
            ++result.delivered;
        } else {
            result.idle = true;
            return result;
        }
    }
    return result;
}

HWND COffscreenWorld::NextWindowToPaint() const
{
    for (const auto& entry : m_windows) {
        const COffscreenWindow& window = *entry.second;
        if (!window.updateRegion.empty() && !window.destroying && IsVisible(window.handle))
            return window.handle;
    }
    return nullptr;
}

void COffscreenWorld::Invalidate(HWND hWnd, const RECT& rect)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return;
    const CRect part = CRect::Intersection(rect, window->surface->Bounds());
    if (part.IsRectEmpty())
        return;
    std::vector<CRect>& region = window->updateRegion;
    const auto contains = [](const CRect& outer, const CRect& inner) {
        return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
               outer.bottom >= inner.bottom;
    };
    if (std::any_of(region.begin(), region.end(), [&](const CRect& r) { return contains(r, part); }))
        return;
    region.erase(std::remove_if(region.begin(), region.end(), [&](const CRect& r) { return contains(part, r); }),
                 region.end());
    region.push_back(part);
}

void COffscreenWorld::InvalidateClient(HWND hWnd)
{
    if (const COffscreenWindow* window = Find(hWnd))
        Invalidate(hWnd, window->surface->Bounds());
}

bool COffscreenWorld::UpdateWindow(HWND hWnd)
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr || window->updateRegion.empty())
        return false;
    Send(hWnd, WM_PAINT, 0, 0);
    return true;
}

std::vector<CRect> COffscreenWorld::BeginPaint(HWND hWnd)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return {};
    return std::exchange(window->updateRegion, {});
}

bool COffscreenWorld::FireTimer(HWND hWnd, UINT_PTR id)
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return false;
    const auto timer = window->timers.find(id);
    if (timer == window->timers.end())
        return false;
    if (timer->second.callback != nullptr)
        timer->second.callback(hWnd, WM_TIMER, id, 0);
    else
        Send(hWnd, WM_TIMER, id, 0);
    return true;
}

int COffscreenWorld::FireAllTimers()
{
    std::vector<std::pair<HWND, UINT_PTR>> due;
    for (const auto& entry : m_windows) {
        for (const auto& timer : entry.second->timers)
            due.emplace_back(entry.second->handle, timer.first);
    }
    // A tick may kill timers or destroy windows; those not yet fired stay
    // silent, as they would on Windows.
    int fired = 0;
    for (const auto& [hWnd, id] : due)
        fired += FireTimer(hWnd, id) ? 1 : 0;
    return fired;
}

LRESULT COffscreenWorld::DefaultProcessing(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OffscreenDefaultProcessing(*this, hWnd, message, wParam, lParam);
}

const char* COffscreenWorld::ClassNameOf(HWND hWnd) const
{
    const COffscreenWindow* window = Find(hWnd);
    return window != nullptr ? window->className.c_str() : nullptr;
}

void COffscreenWorld::Validate(HWND hWnd)
{
    if (COffscreenWindow* window = Find(hWnd))
        window->updateRegion.clear();
}
