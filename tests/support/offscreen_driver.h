// The driver of the off-screen port for tests: it plays the part of the
// platform. It owns a window system (offscreen_world.h), installed while
// the driver lives, sets the screen, finds windows and their pictures, and
// decides when timers fire, input arrives, paints run and the queue is
// pumped; nothing happens between its calls.
//
// A test that holds a driver starts from nothing and leaves nothing behind:
// when the driver goes (or is reset) every window is destroyed (heap
// windows delete themselves), and queue, timers, quit request, pointer and
// screen are gone with it.
#pragma once

#include "afxtypes.h"
#include "offscreen_classes.h"
#include "offscreen_world.h"
#include "surface/surface.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class CWnd;

struct COffscreenWindowInfo {
    HWND hWnd = nullptr;
    HWND parent = nullptr;
    CWnd* object = nullptr;  // nullptr for host windows
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    CRect windowRect;        // on the screen
    bool visible = false;    // WS_VISIBLE on it and all its ancestors
};

class COffscreenDriver {
public:
    COffscreenDriver() = default;
    COffscreenDriver(const COffscreenDriver&) = delete;
    COffscreenDriver& operator=(const COffscreenDriver&) = delete;

    // Back to the state of a fresh driver (see above). Not from a handler.
    void Reset() { m_world.Reset(); }
    // The window system itself, for what the driver does not offer.
    COffscreenWorld& World() { return m_world; }

    // --- The screen
    // The primary screen's size, as GetSystemMetrics reports it.
    void SetScreenSize(int width, int height);
    // What the screen shows: the picture a top-level window starts with is
    // the part of this under it (black beyond it). A child starts with the
    // part of its parent's picture under it.
    void SetScreenPicture(const CSurface& picture);

    // --- Windows
    std::vector<HWND> TopLevelWindows() const;
    std::vector<HWND> Children(HWND parent) const;
    std::optional<COffscreenWindowInfo> Window(HWND hWnd) const;
    // The window's client-area picture, to read or to set before it paints;
    // nullptr when hWnd is not a window.
    CSurface* Surface(HWND hWnd);
    // A window that no framework object owns, such as another program's
    // preview pane: it gets default processing only. rect is in the
    // parent's client coordinates (the screen's without a parent).
    HWND CreateHostWindow(const RECT& rect, DWORD style = WS_VISIBLE, HWND parent = nullptr);
    // Makes a host window vanish without destroying its children, as when
    // its process is killed; they keep a parent handle that names no
    // window. False for windows of framework objects.
    bool AbandonHostWindow(HWND hWnd);
    // A registered window class; a null or empty name is the default class.
    std::optional<COffscreenClass> WindowClass(LPCTSTR name) const;
    // AfxRegisterWndClass calls since the last reset.
    int ClassRegistrations() const;
    // The cursor of the default window class and of a fresh pointer.
    static HCURSOR ArrowCursor();

    // --- Painting
    // Adds the rectangle (client coordinates) to the update region.
    void InvalidateRect(HWND hWnd, const RECT& rect);
    // Sends WM_PAINT at once if the update region is not empty; true when
    // it did.
    bool UpdateWindow(HWND hWnd);
    std::vector<CRect> UpdateRegion(HWND hWnd) const;

    // --- Timers
    // Delivers one tick of timer id if the window has it set.
    bool FireTimer(HWND hWnd, UINT_PTR id);
    // One tick of every timer set now, in window creation order; returns
    // how many fired.
    int FireAllTimers();
    // The period requested for timer id, if it is set.
    std::optional<UINT> TimerElapse(HWND hWnd, UINT_PTR id) const;

    // --- Input and activation, delivered at once as the message loop would
    // dispatch them; each returns the window's result. Pointer messages
    // are preceded by WM_SETCURSOR, as on Windows.
    LRESULT MouseMove(HWND hWnd, int x, int y, WPARAM keyFlags = 0);
    // message: WM_LBUTTONDOWN, WM_MBUTTONDOWN or WM_RBUTTONDOWN.
    LRESULT MouseButton(HWND hWnd, UINT message, int x, int y);
    // message: WM_KEYDOWN or WM_SYSKEYDOWN (the Alt key held).
    LRESULT Key(HWND hWnd, UINT message, UINT virtualKey);
    LRESULT NcActivate(HWND hWnd, BOOL active);
    LRESULT Activate(HWND hWnd, UINT state, HWND other = nullptr);
    LRESULT ActivateApp(HWND hWnd, BOOL active, DWORD otherThreadId = 0);
    LRESULT SysCommand(HWND hWnd, UINT command);
    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // --- The queue
    // Delivers posted messages, then the quit message (which ends the
    // pump), then the paints of visible windows, until nothing is left or
    // limit messages have gone; the result says which.
    COffscreenPumpResult Pump(std::size_t limit = COffscreenWorld::kDefaultPumpLimit);
    // The posted messages not delivered yet, oldest first.
    const std::deque<COffscreenMessage>& PostedMessages() const;

    // --- What the program did to the platform
    HCURSOR Cursor() const;
    // SC_SCREENSAVE commands that reached default processing, where Windows
    // would start the screen saver.
    int ScreenSaveRequests() const;

private:
    COffscreenWorld m_world;
};
