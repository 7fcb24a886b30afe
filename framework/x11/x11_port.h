// The X11 port: a window system of the off-screen port (window table,
// message queue, update regions, timers, destruction order) of its own,
// with an X display attached. The framework's windows keep drawing on their
// pictures exactly as off-screen; this port gives each top-level framework
// window an X window, lets framework windows live inside X windows of other
// programs (the root, XScreenSaver's window, a window id), turns X events
// into the window messages, fires the timers from a poll loop, and puts
// what changed on the screen after every round.
//
// Its rooms: the connection (x11_display), the X windows framework windows
// appear in (x11_targets, x11_target, x11_own_window), event dispatch
// (x11_event_dispatch, x11_events), the loop (x11_loop), presents
// (x11_presenter) and the frame rate overlay (x11_fps_overlay).
//
// No Xlib type appears here, so program code may include it.
#pragma once

#include "afxtypes.h"
#include "x11_run_options.h"
#include "x11_start_picture.h"

#include <cstdint>
#include <memory>
#include <string>

class CX11Port {
public:
    // The exit status of the process when its X server goes away or breaks
    // the connection: it ends at once, after one line on standard error.
    static constexpr int kConnectionLostStatus = 3;

    CX11Port();
    // Closes the connection if Close has not.
    ~CX11Port();
    CX11Port(const CX11Port&) = delete;
    CX11Port& operator=(const CX11Port&) = delete;

    // Connects to the display (empty name: $DISPLAY) and makes its default
    // screen the window system's primary screen. False, with a one-line
    // reason, when no server answers. Once only.
    bool Open(const std::string& displayName, std::string& error);

    // Destroys what is left of the windows, then disconnects. To be called
    // before the program's static objects go, which the windows' handlers
    // may still use, when the port's object outlives them.
    void Close();

    std::uint32_t RootWindowId() const;

    // True when windows that the port makes get the one pixel layout it
    // draws (24-bit TrueColor); else false with a one-line reason.
    bool DrawsOnScreen(std::string& error) const;

    // What the root shows now (or the screenshot XScreenSaver left on it)
    // becomes the picture that new top-level windows start with.
    void UseDesktopPicture();

    // Makes an existing X window a host window of the window system, sized
    // as it is and starting on the picture asked for; framework windows
    // created as its children appear in it, whole from the first present.
    // nullptr, with a one-line reason, when there is no such window or the
    // port cannot draw on it.
    HWND AttachWindow(std::uint32_t window, CX11StartPicture picture, std::string& error);

    // The message loop: runs until the quit message and returns its code.
    // A top-level window whose X window the port could not make is closed;
    // Failure() then says why.
    int Run(const CX11RunOptions& options);
    // Why the port had to close a window; empty when it never had to.
    const std::string& Failure() const;

private:
    class CImpl;
    std::unique_ptr<CImpl> m_impl;
};
