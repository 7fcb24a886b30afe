// The seat's pointer and keyboard, handled as the window system's input:
// what happens over a surface that takes input (a window of the port's
// own) is posted to its framework window as the window messages it means,
// so that the full-screen rules of the canvases apply unchanged.
//
// - The pointer entering a surface reports its position (WM_SETCURSOR,
//   WM_MOUSEMOVE); the pointer is hidden there once the window system's
//   cursor is (which the window sets as it handles WM_SETCURSOR). Motion
//   is WM_MOUSEMOVE.
// - A button press is a button-down message (left, right; any other, the
//   middle button).
// - A key press is WM_KEYDOWN (WM_SYSKEYDOWN with Alt held or for Alt).
//   Keys already held when the keyboard entered, key releases and the
//   wheel are nothing.
#pragma once

#include "offscreen_world.h"
#include "wayland_display.h"
#include "wayland_targets.h"

#include <cstdint>

class CWaylandSeat {
public:
    // Listens to display's seat, when it has one.
    CWaylandSeat(const CWaylandDisplay& display, COffscreenWorld& world, CWaylandTargets& targets);
    ~CWaylandSeat();
    CWaylandSeat(const CWaylandSeat&) = delete;
    CWaylandSeat& operator=(const CWaylandSeat&) = delete;

    // The protocol's events.
    void OnCapabilities(std::uint32_t capabilities);
    void OnPointerEnter(std::uint32_t serial, wl_surface* surface, double x, double y);
    void OnPointerLeave(wl_surface* surface);
    void OnPointerMotion(double x, double y);
    void OnPointerButton(std::uint32_t button, std::uint32_t state);
    void OnKeyboardEnter(wl_surface* surface);
    void OnKeyboardLeave(wl_surface* surface);
    void OnKey(std::uint32_t key, std::uint32_t state);

    // Hides the pointer over the surface it is in, once the window system's
    // cursor is hidden; after each round of messages.
    void SyncPointer();

private:
    // The framework window of the surface the pointer or keyboard is over;
    // nullptr when that is not one taking input.
    HWND InputWindow(wl_surface* surface);
    void PostPointer(UINT message, double x, double y);

    COffscreenWorld& m_world;
    CWaylandTargets& m_targets;
    wl_seat* m_seat;
    wl_pointer* m_pointer = nullptr;
    wl_keyboard* m_keyboard = nullptr;
    wl_surface* m_pointerOver = nullptr;
    wl_surface* m_keyboardOn = nullptr;
    std::uint32_t m_enterSerial = 0;  // of the pointer's last enter, which set_cursor names
    bool m_pointerHidden = false;     // since that enter
    double m_x = 0;  // the pointer's last position on m_pointerOver
    double m_y = 0;
    bool m_shift = false;
    bool m_alt = false;
};

// The virtual key of a Linux input key code (as wl_keyboard reports it, in
// the evdev numbering): letters and digits as their character; Escape,
// space, Alt, Shift, Tab, Return, the arrows, Page Up/Down, Home and End
// by their codes; anything else 0.
UINT VirtualKeyOfKeyCode(std::uint32_t code);
