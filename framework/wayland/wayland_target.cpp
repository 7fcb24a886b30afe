#include "wayland_target.h"

#include "window_tree.h"
#include "wayland_surface_damage.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <cstring>

namespace {

// Two buffers let one be filled while the compositor reads the other; a
// third is made only when both are held at once.
constexpr std::size_t kMaxBuffers = 3;

const zwlr_layer_surface_v1_listener kLayerListener = {
    [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width, std::uint32_t height) {
        static_cast<CWaylandTarget*>(data)->OnConfigure(serial, static_cast<int>(width), static_cast<int>(height));
    },
    [](void* data, zwlr_layer_surface_v1*) { static_cast<CWaylandTarget*>(data)->OnClose(); },
};

const xdg_surface_listener kXdgSurfaceListener = {
    [](void* data, xdg_surface*, std::uint32_t serial) {
        static_cast<CWaylandTarget*>(data)->OnSurfaceConfigure(serial);
    },
};

const xdg_toplevel_listener kToplevelListener = {
    [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
        static_cast<CWaylandTarget*>(data)->OnToplevelSize(width, height);
    },
    [](void* data, xdg_toplevel*) { static_cast<CWaylandTarget*>(data)->OnClose(); },
    [](void*, xdg_toplevel*, std::int32_t, std::int32_t) {},
    [](void*, xdg_toplevel*, wl_array*) {},
};

const wl_callback_listener kFrameListener = {
    [](void* data, wl_callback*, std::uint32_t) { static_cast<CWaylandTarget*>(data)->OnFrameDone(); },
};

}  // namespace

CWaylandTarget::CWaylandTarget(const CWaylandDisplay& display, COffscreenWorld& world, HWND host, CWaylandRole role,
                               const CWaylandOutput* output, const std::string& title, bool& ticksDrew)
    : m_display(display),
      m_world(world),
      m_host(host),
      m_role(role),
      m_ticksDrew(ticksDrew),
      m_surface(wl_compositor_create_surface(display.Compositor()))
{
    wl_output* on = output != nullptr ? output->output : nullptr;
    if (role == CWaylandRole::Overlay || role == CWaylandRole::Underlay) {
        // The bottom layer lies over a wallpaper program's background layer
        // and under the windows; the overlay over everything.
        const std::uint32_t layer =
            role == CWaylandRole::Overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
        m_layer = zwlr_layer_shell_v1_get_layer_surface(display.LayerShell(), m_surface, on, layer, "verdane");
        zwlr_layer_surface_v1_add_listener(m_layer, &kLayerListener, this);
        zwlr_layer_surface_v1_set_size(m_layer, 0, 0);
        zwlr_layer_surface_v1_set_anchor(m_layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                      ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                      ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        // The whole output, panels' zones or not.
        zwlr_layer_surface_v1_set_exclusive_zone(m_layer, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            m_layer, role == CWaylandRole::Overlay ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                                                   : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        if (role == CWaylandRole::Underlay) {
            // Pointer input passes through to whatever is beneath.
            wl_region* none = wl_compositor_create_region(display.Compositor());
            wl_surface_set_input_region(m_surface, none);
            wl_region_destroy(none);
        }
    } else {
        m_xdgSurface = xdg_wm_base_get_xdg_surface(display.WmBase(), m_surface);
        xdg_surface_add_listener(m_xdgSurface, &kXdgSurfaceListener, this);
        m_toplevel = xdg_surface_get_toplevel(m_xdgSurface);
        xdg_toplevel_add_listener(m_toplevel, &kToplevelListener, this);
        xdg_toplevel_set_title(m_toplevel, title.c_str());
        xdg_toplevel_set_app_id(m_toplevel, program_invocation_short_name);
        if (role == CWaylandRole::Fullscreen)
            xdg_toplevel_set_fullscreen(m_toplevel, on);
    }
    // The first commit, without a buffer, asks for the first configure.
    wl_surface_commit(m_surface);
}

CWaylandTarget::~CWaylandTarget()
{
    m_world.SetDamageSink(m_host, nullptr);
    if (m_frame != nullptr)
        wl_callback_destroy(m_frame);
    if (m_layer != nullptr)
        zwlr_layer_surface_v1_destroy(m_layer);
    if (m_toplevel != nullptr)
        xdg_toplevel_destroy(m_toplevel);
    if (m_xdgSurface != nullptr)
        xdg_surface_destroy(m_xdgSurface);
    m_slots.clear();
    wl_surface_destroy(m_surface);
}

void CWaylandTarget::Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects)
{
    const CPoint base = m_world.ClientOriginOnScreen(m_host);
    const CPoint origin = m_world.ClientOriginOnScreen(hWnd);
    CDamage& record = painted ? m_painted : m_changed;
    for (const CRect& rect : rects) {
        record.Add(CRect(rect.left + origin.x - base.x, rect.top + origin.y - base.y, rect.right + origin.x - base.x,
                         rect.bottom + origin.y - base.y));
    }
    if (!painted && !rects.empty())
        m_ticksDrew = true;
}

void CWaylandTarget::OnConfigure(std::uint32_t serial, int width, int height)
{
    zwlr_layer_surface_v1_ack_configure(m_layer, serial);
    Resize(width, height);
}

void CWaylandTarget::OnToplevelSize(int width, int height)
{
    m_toplevelWidth = width;
    m_toplevelHeight = height;
}

void CWaylandTarget::OnSurfaceConfigure(std::uint32_t serial)
{
    xdg_surface_ack_configure(m_xdgSurface, serial);
    Resize(m_toplevelWidth, m_toplevelHeight);
}

void CWaylandTarget::Resize(int width, int height)
{
    const COffscreenWindow* window = m_world.Find(m_host);
    if (window == nullptr)
        return;
    const CRect was(0, 0, window->rect.Width(), window->rect.Height());
    // 0 leaves that side to the window.
    width = width > 0 ? width : was.Width();
    height = height > 0 ? height : was.Height();
    if (width != was.Width() || height != was.Height()) {
        // Canvases that filled the host go on filling it.
        std::vector<HWND> followers;
        for (HWND child : m_world.Children(m_host)) {
            if (const COffscreenWindow* c = m_world.Find(child); c != nullptr && c->rect == was)
                followers.push_back(child);
        }
        if (!m_world.Reshape(m_host, width, height))
            return;
        for (HWND child : followers)
            m_world.Reshape(child, width, height);
        m_slots.clear();
    }
    // Every pixel is opaque (XRGB): the compositor need not draw what lies
    // beneath.
    wl_region* opaque = wl_compositor_create_region(m_display.Compositor());
    wl_region_add(opaque, 0, 0, width, height);
    wl_surface_set_opaque_region(m_surface, opaque);
    wl_region_destroy(opaque);
    // The first configure, or a new size: the whole surface is shown.
    m_configured = true;
    m_painted.Add(CRect(0, 0, width, height));
}

void CWaylandTarget::OnFrameDone()
{
    wl_callback_destroy(m_frame);
    m_frame = nullptr;
}

CWaylandTarget::CPresented CWaylandTarget::Present(bool ticks)
{
    CPresented result;
    const bool waits = !m_painted.IsEmpty() || (ticks && !m_changed.IsEmpty());
    if (!waits)
        return result;
    if (!m_configured || m_frame != nullptr) {
        result.heldBack = true;
        return result;
    }
    const COffscreenWindow* window = m_world.Find(m_host);
    if (window == nullptr)
        return result;
    const int width = window->rect.Width();
    const int height = window->rect.Height();
    // A buffer the compositor does not hold, else a new one while there
    // may be more; none free: the frame waits for a release.
    CSlot* slot = nullptr;
    for (CSlot& candidate : m_slots) {
        if (!candidate.buffer->Busy()) {
            slot = &candidate;
            break;
        }
    }
    if (slot == nullptr && m_slots.size() < kMaxBuffers) {
        std::string error;
        std::unique_ptr<CWaylandShmBuffer> buffer =
            CWaylandShmBuffer::Create(m_display.Shm(), width, height, WL_SHM_FORMAT_XRGB8888, error);
        if (buffer != nullptr) {
            m_slots.push_back(CSlot{std::move(buffer), CDamage(CDamage::kSpanJoinGap)});
            slot = &m_slots.back();
            slot->stale.Add(CRect(0, 0, width, height));
        }
    }
    if (slot == nullptr) {
        result.heldBack = true;
        return result;
    }
    std::vector<CRect>& rects = m_presenting;
    rects.assign(m_painted.Rects().begin(), m_painted.Rects().end());
    m_painted.Clear();
    if (ticks) {
        rects.insert(rects.end(), m_changed.Rects().begin(), m_changed.Rects().end());
        m_changed.Clear();
    }
    for (CSlot& each : m_slots) {
        for (const CRect& rect : rects)
            each.stale.Add(rect);
    }
    Fill(*slot->buffer, slot->stale);
    wl_surface_attach(m_surface, slot->buffer->Buffer(), 0, 0);
    for (const CRect& box : MergeDamage(rects))
        wl_surface_damage_buffer(m_surface, box.left, box.top, box.Width(), box.Height());
    m_frame = wl_surface_frame(m_surface);
    wl_callback_add_listener(m_frame, &kFrameListener, this);
    wl_surface_commit(m_surface);
    slot->buffer->Committed();
    result.any = true;
    return result;
}

void CWaylandTarget::Fill(CWaylandShmBuffer& buffer, CDamage& stale)
{
    const CRect whole(0, 0, buffer.Width(), buffer.Height());
    const std::vector<std::pair<HWND, CPoint>> shown = ShownIn(m_world, m_host);
    for (const CRect& rect : stale.Rects()) {
        for (const auto& [hWnd, origin] : shown) {
            const CSurface& picture = *m_world.Find(hWnd)->surface;
            const CRect placed(origin.x, origin.y, origin.x + picture.Width(), origin.y + picture.Height());
            const CRect part = CRect::Intersection(CRect::Intersection(rect, placed), whole);
            if (part.IsRectEmpty())
                continue;
            for (LONG y = part.top; y < part.bottom; ++y) {
                std::memcpy(buffer.Row(y) + part.left, picture.WordRow(y - origin.y) + (part.left - origin.x),
                            static_cast<std::size_t>(part.Width()) * sizeof(std::uint32_t));
            }
        }
    }
    stale.Clear();
}
