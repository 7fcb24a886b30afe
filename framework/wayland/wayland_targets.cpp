#include "wayland_targets.h"

#include "offscreen_resources.h"

#include <vector>

void CWaylandTargets::Add(HWND host, CWaylandRole role, const CWaylandOutput* output)
{
    const COffscreenWindow* window = m_world.Find(host);
    auto target = std::make_unique<CWaylandTarget>(m_display, m_world, host, role, output,
                                                   window->text.empty() ? std::string("Verdane") : window->text,
                                                   m_ticksDrew);
    m_world.SetDamageSink(host, target.get());
    m_targets[host] = std::move(target);
}

HWND CWaylandTargets::AttachOutput(const CWaylandOutput& output, std::string& error)
{
    if (output.width <= 0 || output.height <= 0) {
        error = "the output " + output.name + " has no mode";
        return nullptr;
    }
    const HWND host = m_world.AddHostWindow(CRect(0, 0, output.width, output.height), WS_VISIBLE, nullptr);
    if (host == nullptr) {
        error = "the output " + output.name + " is too large";
        return nullptr;
    }
    Add(host, CWaylandRole::Underlay, &output);
    return host;
}

void CWaylandTargets::Sync()
{
    for (auto it = m_targets.begin(); it != m_targets.end();) {
        if (m_world.Find(it->first) != nullptr) {
            ++it;
            continue;
        }
        it = m_targets.erase(it);
    }
    std::vector<HWND> closed;
    for (auto& [host, target] : m_targets) {
        if (target->TakeCloseRequest())
            closed.push_back(host);
    }
    for (HWND host : closed) {
        if (m_world.Find(host)->object != nullptr) {
            m_world.Post(host, WM_CLOSE, 0, 0);
        } else {
            m_targets.erase(host);
            m_world.Destroy(host);
        }
    }
    m_world.TopLevelWindows(m_topLevel);
    for (HWND top : m_topLevel) {
        const COffscreenWindow* window = m_world.Find(top);
        if (window->object == nullptr || m_targets.count(top) != 0 || !m_world.IsVisible(top))
            continue;
        const bool popup = (window->style & WS_POPUP) != 0;
        CWaylandRole role = CWaylandRole::Toplevel;
        if (popup)
            role = m_display.LayerShell() != nullptr ? CWaylandRole::Overlay : CWaylandRole::Fullscreen;
        Add(top, role, popup ? m_fullScreenOutput : nullptr);
    }
}

CWaylandTarget* CWaylandTargets::Find(const wl_surface* surface)
{
    for (auto& [host, target] : m_targets) {
        if (target->Surface() == surface)
            return target.get();
    }
    return nullptr;
}

CWaylandTarget::CPresented CWaylandTargets::Present(bool ticks)
{
    CWaylandTarget::CPresented all;
    for (auto& [host, target] : m_targets) {
        const CWaylandTarget::CPresented one = target->Present(ticks);
        all.any = all.any || one.any;
        all.heldBack = all.heldBack || one.heldBack;
    }
    return all;
}

bool CWaylandTargets::PointerHidden() const
{
    // SetCursor(nullptr) and the large canvases' transparent cursor both
    // hide the pointer; anything else shows the compositor's.
    return m_world.Cursor() != OffscreenArrowCursor();
}
