// One Wayland surface that framework windows appear in: a layer surface
// covering an output (the full-screen window over everything, or a canvas
// beneath the windows), or an xdg toplevel for a window of its own. It is
// the damage sink of the framework windows shown in it. What they change
// waits here, in the surface's coordinates, until the loop presents it:
// the changed rectangles are copied from the pictures into a free one of
// the surface's shared buffers (two, a third while both are held), which
// is committed with few damage boxes and a frame callback. Until the
// compositor has answered that callback, the surface takes no new commit:
// its frames are the display's.
#pragma once

#include "offscreen_world.h"
#include "surface/damage.h"
#include "wayland_display.h"
#include "wayland_shm_buffers.h"

#include <memory>
#include <string>
#include <vector>

struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

enum class CWaylandRole {
    Overlay,     // above every window, the keyboard its own: the full-screen window
    Underlay,    // beneath the windows and over the wallpaper, no input: -root
    Toplevel,    // a window of its own
    Fullscreen,  // a full-screen toplevel, where the compositor has no layer shell
};

class CWaylandTarget final : public COffscreenDamageSink {
public:
    // host: the framework window the surface stands for; output: where a
    // layer or full-screen surface goes (nullptr: the compositor's
    // choice). ticksDrew is set whenever drawing other than a paint
    // reaches the target.
    CWaylandTarget(const CWaylandDisplay& display, COffscreenWorld& world, HWND host, CWaylandRole role,
                   const CWaylandOutput* output, const std::string& title, bool& ticksDrew);
    ~CWaylandTarget();
    CWaylandTarget(const CWaylandTarget&) = delete;
    CWaylandTarget& operator=(const CWaylandTarget&) = delete;

    void Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects) override;

    struct CPresented {
        bool any = false;       // a commit was made
        bool heldBack = false;  // something waits for the compositor's frame or first configure
    };
    // Commits what paints changed, and with ticks also what other drawing
    // changed, when the surface may take a commit; only when there is
    // something to show.
    CPresented Present(bool ticks);

    HWND Host() const { return m_host; }
    CWaylandRole Role() const { return m_role; }
    wl_surface* Surface() const { return m_surface; }
    // Input on the surface is the window's (not on an underlay).
    bool TakesInput() const { return m_role != CWaylandRole::Underlay; }
    // The compositor asked the surface to go (a toplevel's close, a layer
    // surface closed); reported once.
    bool TakeCloseRequest() { return std::exchange(m_closeRequested, false); }

    // The protocol's events.
    void OnConfigure(std::uint32_t serial, int width, int height);
    void OnToplevelSize(int width, int height);
    void OnSurfaceConfigure(std::uint32_t serial);
    void OnClose() { m_closeRequested = true; }
    void OnFrameDone();

private:
    // The host's new size, from the compositor: the window follows, and so
    // do windows that filled it; the whole surface is shown again.
    void Resize(int width, int height);
    // Copies what buffer lacks from the pictures shown in the surface.
    void Fill(CWaylandShmBuffer& buffer, CDamage& stale);

    struct CSlot {
        std::unique_ptr<CWaylandShmBuffer> buffer;
        CDamage stale{CDamage::kSpanJoinGap};  // what changed since it was last filled
    };

    const CWaylandDisplay& m_display;
    COffscreenWorld& m_world;
    HWND m_host;
    CWaylandRole m_role;
    bool& m_ticksDrew;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layer = nullptr;
    xdg_surface* m_xdgSurface = nullptr;
    xdg_toplevel* m_toplevel = nullptr;
    wl_callback* m_frame = nullptr;  // the frame callback awaited
    bool m_configured = false;
    bool m_closeRequested = false;
    int m_toplevelWidth = 0;  // the size of the toplevel's pending configure
    int m_toplevelHeight = 0;
    CDamage m_painted{CDamage::kSpanJoinGap};  // paints: shown at once
    CDamage m_changed{CDamage::kSpanJoinGap};  // everything else: at the display's pace
    std::vector<CSlot> m_slots;
    // What a present shows, kept so that presenting reuses its storage.
    std::vector<CRect> m_presenting;
};
