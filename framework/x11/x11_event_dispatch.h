// The X events of the targets' windows, handled as the window system's:
// a present's completion goes to its presenter, what the server lost is
// invalidated and put again, a destroyed window takes its framework window
// with it, a resize reshapes, a mapped full-screen window takes the
// keyboard, and input on the port's own windows is posted as the window
// messages it means (x11_events.h).
#pragma once

#include "offscreen_world.h"
#include "x11_display.h"
#include "x11_targets.h"

#include <X11/Xlib.h>

#include <map>

class CX11EventDispatch {
public:
    CX11EventDispatch(const CX11Display& display, COffscreenWorld& world, CX11Targets& targets)
        : m_display(display), m_world(world), m_targets(targets)
    {
    }

    // Handles the events Xlib holds, and those waiting on the connection
    // when readable (otherwise it does not ask the socket: a read that finds
    // nothing costs a system call on every tick). A window resized several
    // times among them takes only its latest size.
    void Dispatch(bool readable);

private:
    void Handle(XEvent& event);

    const CX11Display& m_display;
    COffscreenWorld& m_world;
    CX11Targets& m_targets;
    // The latest size each target's X window was given among the events
    // being dispatched: a storm of resizes (a live resize, xrandr) costs
    // one new picture, not one per size that never shows.
    std::map<HWND, SIZE> m_resized;
};
