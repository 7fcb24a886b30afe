// The off-screen window system: the window table, the message queue, the
// timers and update regions of each window, the primary screen and the
// pointer. Windows are off-screen surfaces; nothing happens on its own:
// whoever owns the world (the X11 port, the render tool, a test) decides
// when timers fire, input arrives and the queue is pumped.
//
// The Win32-named free functions (::PostMessage, ::GetSystemMetrics...)
// take no context argument: they reach the world installed now, the one
// made last of those alive. Without one, they fail as on a handle that
// names no window. Window classes are the process's, not a world's
// (offscreen_classes.h), since code keeps their names for good.
#pragma once

#include "afxtypes.h"
#include "offscreen_defproc.h"
#include "surface/surface.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
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

// Where what device contexts drew goes when they close: a display that
// shows a window (and the windows inside it) sets one on it. Without one
// the changes only stay in the pictures.
class COffscreenDamageSink {
public:
    // hWnd's context changed rects of hWnd's picture (client coordinates);
    // painted: a paint's context, whose changes show at once, where other
    // drawing (timer ticks) may wait for the display's next frame.
    virtual void Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects) = 0;

protected:
    ~COffscreenDamageSink() = default;
};

class COffscreenWorld final : private COffscreenDefaultHost {
public:
    static constexpr LONG kDefaultScreenWidth = 1024;
    static constexpr LONG kDefaultScreenHeight = 768;
    // Enough for any burst a test or a frame produces; a window that keeps
    // posting to itself or never validates its paint stops here instead of
    // hanging the caller.
    static constexpr std::size_t kDefaultPumpLimit = 10000;

    // Installs the new world for the free functions; the one installed
    // before comes back when it goes.
    COffscreenWorld();
    // Destroys every window that is left (their handlers run while it is
    // still installed), then uninstalls it.
    ~COffscreenWorld();
    COffscreenWorld(const COffscreenWorld&) = delete;
    COffscreenWorld& operator=(const COffscreenWorld&) = delete;

    // The world the free functions reach; nullptr while none lives.
    static COffscreenWorld* Installed() { return s_installed; }

    // Destroys every window (their handlers run; heap windows delete
    // themselves), then forgets messages, the quit request, the cursor,
    // the screen and the counts.
    void Reset();

    // --- Windows
    COffscreenWindow* Find(HWND hWnd);
    const COffscreenWindow* Find(HWND hWnd) const;
    // Adds a window, taking its picture from what lies beneath it. nullptr
    // when a side exceeds what a surface may hold.
    HWND AddWindow(COffscreenWindow window);
    // Windows without a parent window, in creation order.
    std::vector<HWND> TopLevelWindows() const;
    // The same into a list that keeps its storage, for a display's loop,
    // which asks on every frame.
    void TopLevelWindows(std::vector<HWND>& into) const;
    bool AnyTopLevelWindow() const;
    std::vector<HWND> Children(HWND parent) const;
    // Calls visit(hWnd) for each window whose parent is parent (nullptr:
    // the top-level windows), in creation order, without making a list: a
    // display's loop looks for timers this way on every frame.
    template <class Visit>
    void ForEachChild(HWND parent, Visit visit) const
    {
        for (const auto& entry : m_windows) {
            if (entry.second->parent == parent)
                visit(entry.second->handle);
        }
    }
    // Runs the destruction sequence (see ::DestroyWindow).
    bool Destroy(HWND hWnd);
    // Ends a window whose WM_NCCREATE or WM_CREATE refused the creation: as
    // on Windows it gets no WM_DESTROY, only the final WM_NCDESTROY (windows
    // made below it meanwhile are destroyed as usual).
    void DestroyRefused(HWND hWnd);
    // A window that no framework object owns, such as another program's
    // window the framework's windows appear in: it gets default processing
    // only. rect is in the parent's client coordinates (the screen's
    // without a parent). nullptr when the parent is not a window or the
    // size too large.
    HWND AddHostWindow(const RECT& rect, DWORD style, HWND parent);
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

    // --- Damage
    // What contexts of the window and of every window inside it draw goes
    // to sink (nullptr: nowhere), unless one of those sets its own. The
    // sink must outlive its setting.
    void SetDamageSink(HWND hWnd, COffscreenDamageSink* sink);
    // A context of hWnd closes having changed rects of its picture.
    void Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects);
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

    // --- Screen, pointer, keyboard
    // The primary screen's size, as GetSystemMetrics reports it.
    SIZE ScreenSize() const { return m_screenSize; }
    void SetScreenSize(int width, int height) { m_screenSize = SIZE{width, height}; }
    // What the screen shows: the picture a top-level window starts with is
    // the part of this under it (black beyond it).
    void SetScreenPicture(const CSurface& picture) { m_screenPicture = picture; }
    // The pointer's shape; the arrow until something sets one.
    HCURSOR Cursor() const { return m_cursor; }
    // Returns the shape it had.
    HCURSOR SetCursor(HCURSOR cursor) { return std::exchange(m_cursor, cursor); }
    // Shift as of the last input message delivered.
    bool ShiftHeld() const { return m_shiftHeld; }

    // --- What the program asked of the platform, since the world was made
    // or reset
    // SC_SCREENSAVE commands that reached default processing, where Windows
    // would start the screen saver.
    int ScreenSaveRequests() const { return m_screenSaveRequests; }
    int ClassRegistrations() const { return m_classRegistrations; }
    void CountClassRegistration() { ++m_classRegistrations; }

private:
    // What default processing asks of the world.
    const char* ClassNameOf(HWND hWnd) const override;
    void Validate(HWND hWnd) override;
    void Close(HWND hWnd) override { Destroy(hWnd); }
    LRESULT Deliver(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return Send(hWnd, message, wParam, lParam);
    }
    void ShowCursor(HCURSOR cursor) override { m_cursor = cursor; }
    void RequestScreenSave() override { ++m_screenSaveRequests; }

    // Marks the window and its descendants as being destroyed and sends
    // them WM_DESTROY, parents first.
    void SendDestroy(HWND hWnd);
    // Sends WM_NCDESTROY, children first, and removes each window.
    void FinishDestroy(HWND hWnd);
    void InitialPicture(const COffscreenWindow& window, CSurface& picture) const;
    HWND NextWindowToPaint() const;

    static COffscreenWorld* s_installed;
    COffscreenWorld* m_previous;  // installed before this one

    std::map<std::uintptr_t, std::unique_ptr<COffscreenWindow>> m_windows;
    std::uintptr_t m_nextHandle = kFirstHandle;
    std::deque<COffscreenMessage> m_queue;
    bool m_quitPending = false;
    int m_quitCode = 0;
    std::map<HWND, COffscreenDamageSink*> m_sinks;
    int m_classRegistrations = 0;
    SIZE m_screenSize{kDefaultScreenWidth, kDefaultScreenHeight};
    CSurface m_screenPicture;
    HCURSOR m_cursor;
    bool m_shiftHeld = false;
    int m_screenSaveRequests = 0;

    // Handles are small even numbers, as on Windows, never reused within a
    // session so that a stale handle never names a new window.
    static constexpr std::uintptr_t kFirstHandle = 0x10010;
    static constexpr std::uintptr_t kHandleStep = 0x10;
};
