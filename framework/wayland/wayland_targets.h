// The Wayland surfaces that framework windows appear in (CWaylandTarget):
// one beneath the windows for each output a canvas is attached to (-root),
// and one for each visible top-level framework window, made when it first
// shows: a layer surface over everything for a full-screen (popup) window,
// else an xdg toplevel. Each target is set as the damage sink of its
// framework window, so that what is drawn inside it comes to it.
#pragma once

#include "offscreen_world.h"
#include "wayland_display.h"
#include "wayland_target.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CWaylandTargets {
public:
    CWaylandTargets(COffscreenWorld& world, const CWaylandDisplay& display) : m_world(world), m_display(display) {}
    CWaylandTargets(const CWaylandTargets&) = delete;
    CWaylandTargets& operator=(const CWaylandTargets&) = delete;

    // The output a full-screen window covers; nullptr: the compositor's
    // choice.
    void SetFullScreenOutput(const CWaylandOutput* output) { m_fullScreenOutput = output; }

    // A host window of the output's size with a surface beneath the windows
    // on that output; framework windows created as its children appear in
    // it. nullptr, with a one-line reason, when it cannot be made.
    HWND AttachOutput(const CWaylandOutput& output, std::string& error);

    // Makes surfaces for new visible top-level framework windows and drops
    // the targets of windows that are gone; passes the compositor's close
    // requests on: WM_CLOSE to a window of its own, and the end of a host
    // (with the canvases in it) whose surface was closed.
    void Sync();

    // The target of a surface; nullptr for none.
    CWaylandTarget* Find(const wl_surface* surface);
    // Commits what waits in every target (see CWaylandTarget::Present).
    CWaylandTarget::CPresented Present(bool ticks);
    // Whether drawing other than paints reached a target since the last
    // call.
    bool TakeTicksDrew() { return std::exchange(m_ticksDrew, false); }
    // The pointer is hidden over the port's own surfaces.
    bool PointerHidden() const;

private:
    void Add(HWND host, CWaylandRole role, const CWaylandOutput* output);

    COffscreenWorld& m_world;
    const CWaylandDisplay& m_display;
    const CWaylandOutput* m_fullScreenOutput = nullptr;
    // Held by pointer: each is a damage sink the world refers to.
    std::map<HWND, std::unique_ptr<CWaylandTarget>> m_targets;
    // The top-level windows as Sync last saw them; kept for its storage.
    std::vector<HWND> m_topLevel;
    bool m_ticksDrew = false;
};
