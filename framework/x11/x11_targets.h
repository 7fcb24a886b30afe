// The X windows that framework windows appear in (CX11Target): windows of
// other programs that the program attaches to, and windows the port makes
// for top-level framework windows, with the hints a window manager reads.
// Each target is set as the damage sink of its framework window, so that
// what is drawn inside it comes to it.
#pragma once

#include "offscreen_world.h"
#include "x11_display.h"
#include "x11_start_picture.h"
#include "x11_target.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CX11Targets {
public:
    // display: open.
    CX11Targets(COffscreenWorld& world, const CX11Display& display);
    // Takes the pictures out of the display's shared memory and destroys
    // the windows the port made; the display must still be open.
    ~CX11Targets();
    CX11Targets(const CX11Targets&) = delete;
    CX11Targets& operator=(const CX11Targets&) = delete;

    // Makes an existing X window a host window of the world, sized as it
    // is and starting on the picture asked for; nullptr, with a one-line
    // reason, when there is no such window or the port cannot draw on it.
    HWND Attach(std::uint32_t window, CX11StartPicture picture, std::string& error);

    // Makes X windows for new visible top-level framework windows and drops
    // the targets of windows that are gone; has the framework windows newly
    // shown in another program's window put there whole; shows or hides
    // the pointer. A
    // top-level window whose X window could not be made is sent WM_CLOSE;
    // Failure() then says why.
    void Sync();
    const std::string& Failure() const { return m_failure; }

    // The framework window that stands for the X window; nullptr for none.
    HWND TargetOf(Window window) const;
    CX11Target* Find(HWND target);
    // The target's X window went (another program destroyed it).
    void Forget(HWND target);
    // The target's X window has a new size: the framework window follows,
    // and so do framework windows that filled another program's window;
    // everything shown there is presented again.
    void Reshape(HWND target, int width, int height);
    // The framework windows shown in a target, with their origin in it.
    std::vector<std::pair<HWND, CPoint>> ShownIn(HWND target) const;

    // Presents what waits in every target (see CX11Target::Present).
    CX11Target::CPresented Present(bool ticks);
    // Some presenter waits for the server to confirm its last image.
    bool AwaitingConfirmation() const;
    // The window manager's close request's atom (WM_DELETE_WINDOW), which
    // own windows take part in.
    Atom DeleteWindowAtom() const { return m_deleteWindow; }
    // Whether drawing other than paints reached a target since the last
    // call.
    bool TakeTicksDrew() { return std::exchange(m_ticksDrew, false); }

    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& [hWnd, target] : m_targets)
            visit(*target);
    }

private:
    bool CreateOwnWindow(HWND hWnd);
    void Add(HWND host, Window window, bool own, std::unique_ptr<CX11Presenter> presenter);
    void ShowPointer(bool show);

    COffscreenWorld& m_world;
    const CX11Display& m_display;
    // Held by pointer: each is a damage sink the world refers to.
    std::map<HWND, std::unique_ptr<CX11Target>> m_targets;
    // The top-level windows as Sync last saw them; kept for its storage.
    std::vector<HWND> m_topLevel;
    bool m_ticksDrew = false;
    Atom m_deleteWindow;
    Cursor m_blankCursor = 0;
    bool m_pointerHidden = false;
    std::string m_failure;
};
