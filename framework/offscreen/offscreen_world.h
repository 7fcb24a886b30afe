// The off-screen port's state: the window table, the message queue, the
// timers and update regions of each window, the window classes, and the
// primary screen. Windows are off-screen surfaces; nothing happens on its
// own: the driver (offscreen_driver.h) decides when timers fire, input
// arrives and the queue is pumped.
//
// There is exactly one world, because the Win32-named free functions
// (::PostMessage, ::GetSystemMetrics...) take no context argument. The
// driver resets it between tests.
#pragma once

#include "afxtypes.h"
#include "offscreen_classes.h"
#include "surface/damage.h"
#include "surface/surface.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CWnd;

using AFX_TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct COffscreenTimer {
    UINT elapse = 0;                   // as requested, in milliseconds
    AFX_TIMERPROC callback = nullptr;  // called instead of sending WM_TIMER
};

struct COffscreenWindow {
    HWND handle = nullptr;
    HWND parent = nullptr;    // may name a window that no longer exists
    CWnd* object = nullptr;   // nullptr for windows the framework does not own
    std::string className;
    std::string text;         // as created; the X11 port names its windows with it
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    CRect rect;               // in the parent's client coordinates, or the screen's
    // The client area's picture. Shared so that a device context still open
    // when the window goes keeps drawing on valid memory.
    std::shared_ptr<CSurface> surface;
    // The part waiting to be repainted, as rectangles in client coordinates.
    std::vector<CRect> updateRegion;
    // What drawing changed in the picture since a display attached to the
    // window system last showed it (the off-screen port shows nothing and
    // leaves it to grow, within its bound): by paints, which a display shows
    // at once, and by everything else (timer ticks), which it may let wait
    // for the display's next frame. A display copies rectangles to the
    // screen as cheap requests, so changes far apart keep boxes apart.
    CDamage painted{CDamage::kSpanJoinGap};
    CDamage changed{CDamage::kSpanJoinGap};
    std::map<UINT_PTR, COffscreenTimer> timers;
    bool destroying = false;
};

struct COffscreenMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool shift = false;  // Shift was held when the input it reports happened
};

struct COffscreenPumpResult {
    bool quit = false;          // the quit message was taken
    int exitCode = 0;           // its exit code
    bool idle = false;          // nothing was left to deliver
    std::size_t delivered = 0;  // messages delivered, paints included
};

class COffscreenWorld {
public:
    static constexpr LONG kDefaultScreenWidth = 1024;
    static constexpr LONG kDefaultScreenHeight = 768;
    // Enough for any burst a test or a frame produces; a window that keeps
    // posting to itself or never validates its paint stops here instead of
    // hanging the caller.
    static constexpr std::size_t kDefaultPumpLimit = 10000;

    COffscreenWorld();
    COffscreenWorld(const COffscreenWorld&) = delete;
    COffscreenWorld& operator=(const COffscreenWorld&) = delete;

    // Destroys every window (their handlers run; heap windows delete
    // themselves), then forgets messages, the quit request, the cursor and
    // the screen. Window classes stay registered, as in a process, because
    // code keeps their names for the life of the process.
    void Reset();

    // --- Windows
    COffscreenWindow* Find(HWND hWnd);
    const COffscreenWindow* Find(HWND hWnd) const;
    // Adds a window, taking its picture from what lies beneath it. nullptr
    // when a side exceeds what a surface may hold.
    HWND AddWindow(COffscreenWindow window);
    // Windows without a parent window, in creation order.
    std::vector<HWND> TopLevelWindows() const;
    std::vector<HWND> Children(HWND parent) const;
    // Runs the destruction sequence (see ::DestroyWindow).
    bool Destroy(HWND hWnd);
    // Ends a window whose WM_NCCREATE or WM_CREATE refused the creation: as
    // on Windows it gets no WM_DESTROY, only the final WM_NCDESTROY (windows
    // made below it meanwhile are destroyed as usual).
    void DestroyRefused(HWND hWnd);
    // Removes a window that no framework object owns without any message,
    // as when its process is killed; its children stay, orphaned.
    bool Abandon(HWND hWnd);
    // Forgets the object wherever it is attached (it is being deleted).
    void DetachObject(const CWnd* object);
    // Gives the window a new size, its top left corner staying, as
    // ::SetWindowPos with SWP_NOMOVE does for a window whose class asks no
    // full redraw: the picture keeps what it had where the two sizes meet,
    // shows what lies beneath in the part that is new, which alone is
    // invalidated, and WM_SIZE is sent. False when the size is too large
    // for a picture; the window is then as it was.
    bool Reshape(HWND hWnd, LONG width, LONG height);
    // The window's client origin in screen coordinates.
    CPoint ClientOriginOnScreen(HWND hWnd) const;
    // WS_VISIBLE on the window and every ancestor.
    bool IsVisible(HWND hWnd) const;

    // --- Messages
    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Posts a key or mouse message together with the state of Shift when
    // the input happened, which ::GetKeyState reports while it is handled.
    bool PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool shift);
    void PostQuit(int exitCode);
    // Delivers, as the message loop would and in its order: posted
    // messages, then the quit message (which ends the pump), then the
    // paints of visible windows; until nothing is left or limit messages
    // have been delivered.
    COffscreenPumpResult Pump(std::size_t limit = kDefaultPumpLimit);
    const std::deque<COffscreenMessage>& Queue() const { return m_queue; }
    // What Windows does for a message no handler took (DefWindowProc).
    LRESULT DefaultProcessing(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // --- Painting
    // Adds the rectangle (limited to the client area) to the update region.
    void Invalidate(HWND hWnd, const RECT& rect);
    void InvalidateClient(HWND hWnd);
    // Sends WM_PAINT at once when the update region is not empty.
    bool UpdateWindow(HWND hWnd);
    // Hands the update region to a paint and validates it, as BeginPaint
    // does, so that anything invalidated while painting waits for the next.
    std::vector<CRect> BeginPaint(HWND hWnd);

    // --- Timers
    // Delivers the timer's tick if the window has that timer set.
    bool FireTimer(HWND hWnd, UINT_PTR id);
    // One tick of every timer set now; returns how many fired.
    int FireAllTimers();

    // --- Classes, screen, pointer
    COffscreenClassTable& Classes() { return m_classes; }
    int m_classRegistrations = 0;  // AfxRegisterWndClass calls since the reset
    SIZE m_screenSize{kDefaultScreenWidth, kDefaultScreenHeight};
    CSurface m_screenPicture;      // what top-level windows start showing
    HCURSOR m_cursor;              // set by SetCursor; the arrow after a reset
    bool m_shiftHeld = false;      // as of the last input message delivered
    int m_screenSaveRequests = 0;  // SC_SCREENSAVE reaching default processing

    // Keeps a copy of the text for the life of the process.
    LPCTSTR KeepString(const std::string& text);

private:
    // Marks the window and its descendants as being destroyed and sends
    // them WM_DESTROY, parents first.
    void SendDestroy(HWND hWnd);
    // Sends WM_NCDESTROY, children first, and removes each window.
    void FinishDestroy(HWND hWnd);
    void InitialPicture(const COffscreenWindow& window, CSurface& picture) const;
    HWND NextWindowToPaint() const;

    std::map<std::uintptr_t, std::unique_ptr<COffscreenWindow>> m_windows;
    std::uintptr_t m_nextHandle = kFirstHandle;
    std::deque<COffscreenMessage> m_queue;
    bool m_quitPending = false;
    int m_quitCode = 0;
    COffscreenClassTable m_classes;
    std::deque<std::string> m_keptStrings;

    // Handles are small even numbers, as on Windows, never reused within a
    // session so that a stale handle never names a new window.
    static constexpr std::uintptr_t kFirstHandle = 0x10010;
    static constexpr std::uintptr_t kHandleStep = 0x10;
};

COffscreenWorld& OffscreenWorld();
