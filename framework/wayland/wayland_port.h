// The Wayland port: a window system of the off-screen port (window table,
// message queue, update regions, timers, destruction order) of its own,
// with a Wayland compositor attached, as the X11 port has an X display.
// The framework's windows keep drawing on their pictures exactly as
// off-screen; this port gives each top-level framework window a surface
// (a layer surface over everything for a full-screen window, else an xdg
// toplevel), puts canvases beneath the windows of outputs (-root), turns
// the seat's input into window messages, fires the timers from a poll loop,
// and commits what changed at the compositor's frames.
//
// Its rooms: the connection and its globals (wayland_display), capture of
// what an output shows (wayland_capture), the surfaces framework windows
// appear in (wayland_targets, wayland_target), shared buffers
// (wayland_shm_buffers), input (wayland_seat) and the loop
// (wayland_loop).
//
// No Wayland type appears here, so program code may include it.
#pragma once

#include "afxtypes.h"
#include "wayland_run_options.h"

#include <memory>
#include <string>
#include <vector>

class CWaylandPort {
public:
    // The exit status of the process when the compositor goes away or
    // breaks the connection: it ends at once, after one line on standard
    // error.
    static constexpr int kConnectionLostStatus = 3;

    CWaylandPort();
    ~CWaylandPort();
    CWaylandPort(const CWaylandPort&) = delete;
    CWaylandPort& operator=(const CWaylandPort&) = delete;

    // Connects to the compositor. False, with a one-line reason, when none
    // answers. Once only.
    bool Open(std::string& error);
    // Destroys what is left of the windows, then disconnects.
    void Close();

    // The names of the outputs, in the compositor's order.
    std::vector<std::string> OutputNames() const;

    // What each mode needs of the compositor: true, or false with a
    // one-line reason naming what is missing. A full-screen window needs
    // the layer shell or xdg-shell, a window of its own xdg-shell, a canvas
    // beneath the windows the layer shell.
    bool CanCover(std::string& error) const;
    bool CanMakeWindows(std::string& error) const;
    bool CanDrawBeneath(std::string& error) const;

    // The output full-screen windows cover (empty name: the first the
    // compositor lists), which also becomes the window system's primary
    // screen; what it shows now becomes the picture new top-level windows
    // start with, when the compositor can copy it (else they start black).
    // False, with a one-line reason, when there is no such output.
    bool UseOutput(const std::string& name, std::string& error);

    // A host window beneath the windows of the named output, of its size;
    // framework windows created as its children appear in it. The first
    // output attached becomes the window system's primary screen. nullptr,
    // with a one-line reason, when there is no such output or it cannot be
    // used.
    HWND AttachOutput(const std::string& name, std::string& error);

    // The message loop: runs until the quit message and returns its code.
    int Run(const CWaylandRunOptions& options);

private:
    class CImpl;
    std::unique_ptr<CImpl> m_impl;
};
