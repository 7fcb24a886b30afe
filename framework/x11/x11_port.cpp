#include "x11_port.h"

#include "offscreen_driver.h"
#include "offscreen_resources.h"
#include "offscreen_world.h"
#include "x11_display.h"
#include "x11_display_power.h"
#include "x11_events.h"
#include "x11_image_grabber.h"
#include "x11_picture.h"
#include "x11_presenter.h"
#include "x11_refresh.h"
#include "x11_shared_words.h"
#include "x11_timer_schedule.h"
#include "surface/display_frame.h"
#include "surface/present_pacer.h"

#include "app.h"

#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string HexWindowId(std::uint32_t window)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(window));
    return text;
}

// The window and every window below it, parents first.
void CollectSubtree(const COffscreenWorld& world, HWND hWnd, std::vector<HWND>& out)
{
    out.push_back(hWnd);
    for (HWND child : world.Children(hWnd))
        CollectSubtree(world, child, out);
}

std::vector<HWND> AllWindows(const COffscreenWorld& world)
{
    std::vector<HWND> all;
    for (HWND top : world.TopLevelWindows())
        CollectSubtree(world, top, all);
    return all;
}

}  // namespace

class CX11Port::CImpl {
public:
    bool Open(const std::string& displayName, std::string& error);
    void UseDesktopPicture();
    HWND AttachWindow(std::uint32_t window, CX11StartPicture picture, std::string& error);
    // Runs the loop until the quit message; returns its code.
    int Run(const CX11RunOptions& options);
    Window Root() const { return m_display.Root(); }
    bool DrawsOnScreen(std::string& error) const;
    const std::string& Failure() const { return m_failure; }
    ~CImpl();

private:
    // An X window that framework windows appear in: one made here for a
    // top-level framework window, or another program's.
    struct CTarget {
        Window window = 0;
        bool own = false;
        std::unique_ptr<CX11Presenter> presenter;
    };

    // Handles the events Xlib holds, and those waiting on the connection
    // when readable (otherwise it does not ask the socket: a read that finds
    // nothing costs a system call on every tick). A window resized several
    // times among them takes only its latest size.
    void DispatchEvents(bool readable);
    void HandleEvent(XEvent& event);
    // Makes X windows for new top-level framework windows and drops those
    // of windows that are gone; shows or hides the pointer.
    void Sync();
    bool CreateOwnWindow(HWND hWnd);
    // Every tick due by now, those the loop slept past included, as far as
    // they run within a frame: input is read at least once a frame however
    // short the timers' period, and the ticks that do not fit are dropped.
    CX11TimerSchedule::CRun FireDueTimers(Clock::time_point now, long floorMicros);
    // When the next ticks run: when timers tick faster than the display
    // shows frames, at the last tick due within a frame of the next one,
    // all of them together (100 ticks a second at 60 Hz: two every 20 ms);
    // otherwise when the next is due. None while no timer is set.
    std::optional<Clock::time_point> NextTicks(long floorMicros) const;
    // Some presenter waits for the server to confirm that it has read its
    // last image.
    bool AwaitingConfirmation();
    // Whether a timer tick changed a picture since its changes were last
    // presented.
    bool TicksChanged() const;
    struct CPresented {
        bool any = false;       // something went to the screen
        bool heldBack = false;  // something waits for a presenter that was not ready
    };
    // Presents what the server lost and what paints changed, and with ticks
    // also what the ticks changed.
    CPresented PresentChanges(bool ticks);
    // Until when the loop may sleep for lack of timers and events.
    std::optional<Clock::time_point> WakeAt(long floorMicros);
    void DrawFps(const std::string& text);
    HWND TargetOf(Window window) const;
    // The target's X window has a new size: the framework window follows,
    // and so do framework windows that filled another program's window.
    void Reshape(HWND target, int width, int height);
    // The framework windows shown in a target, with their origin in it.
    std::vector<std::pair<HWND, CPoint>> ShownIn(HWND target) const;

    COffscreenWorld& m_world = OffscreenWorld();
    CX11Display m_display;
    std::optional<COffscreenDriver> m_driver;
    std::optional<CX11DisplayPower> m_power;
    std::map<HWND, CTarget> m_targets;
    // Parts of framework windows that the server lost, to be put again.
    std::map<HWND, std::vector<CRect>> m_exposed;
    // Framework windows in another program's window whose whole picture
    // has been put there.
    std::set<HWND> m_putWhole;
    // The latest size each target's X window was given among the events
    // being dispatched: a storm of resizes (a live resize, xrandr) costs
    // one new picture, not one per size that never shows.
    std::map<HWND, SIZE> m_resized;
    CX11TimerSchedule m_schedule;
    CPresentPacer m_pacer;
    // The serial of the next request when the connection was last flushed:
    // a round that made no request has nothing to flush.
    unsigned long m_flushedRequest = 0;
    bool m_presenterWaits = false;  // a presenter was not ready at the last present
    Atom m_deleteWindow = 0;
    Cursor m_blankCursor = 0;
    bool m_pointerHidden = false;
    GC m_textGc = nullptr;
    std::string m_failure;
};

bool CX11Port::CImpl::Open(const std::string& displayName, std::string& error)
{
    if (!m_display.Open(displayName, error))
        return false;
    m_driver.emplace();
    m_driver->SetScreenSize(m_display.Width(), m_display.Height());
    m_power.emplace(m_display.Get());
    m_deleteWindow = XInternAtom(m_display.Get(), "WM_DELETE_WINDOW", False);
    // Presents follow the monitor's frames, read once: a hack lives on one.
    m_pacer = CPresentPacer(DisplayFrame(ReadRefreshRate(m_display.Get(), m_display.Root())));
    return true;
}

CX11Port::CImpl::~CImpl()
{
    Display* dpy = m_display.Get();
    if (dpy == nullptr)
        return;
    // Pictures kept in this display's shared segments move back into memory
    // of their own while the display is still open to detach them.
    for (HWND hWnd : AllWindows(m_world)) {
        const std::shared_ptr<CSurface>& picture = m_world.Find(hWnd)->surface;
        if (picture != nullptr && dynamic_cast<CX11SharedWords*>(picture->Memory()) != nullptr)
            picture->Adopt(nullptr);
    }
    m_driver.reset();  // destroys what is left of the windows
    for (auto& [hWnd, target] : m_targets) {
        target.presenter.reset();
        if (target.own)
            XDestroyWindow(dpy, target.window);
    }
    if (m_blankCursor != 0)
        XFreeCursor(dpy, m_blankCursor);
    if (m_textGc != nullptr)
        XFreeGC(dpy, m_textGc);
    XSync(dpy, False);
}

bool CX11Port::CImpl::DrawsOnScreen(std::string& error) const
{
    if (m_display.DefaultVisualIsPackedRgb())
        return true;
    error = "the screen's default visual is not 24-bit TrueColor, which is all this port draws on";
    return false;
}

void CX11Port::CImpl::UseDesktopPicture()
{
    m_driver->SetScreenPicture(ReadStartPicture(m_display.Get(), m_display.Root()));
}

HWND CX11Port::CImpl::AttachWindow(std::uint32_t window, CX11StartPicture picture, std::string& error)
{
    Display* dpy = m_display.Get();
    XWindowAttributes attributes{};
    {
        CX11ErrorTrap trap(dpy);
        if (XGetWindowAttributes(dpy, window, &attributes) == 0 || trap.Error() != 0) {
            error = "there is no window " + HexWindowId(window) + " on this display";
            return nullptr;
        }
    }
    CTarget target;
    target.window = window;
    target.presenter = CX11Presenter::Create(m_display, window, error);
    if (target.presenter == nullptr) {
        error = "cannot draw on window " + HexWindowId(window) + ": " + error;
        return nullptr;
    }
    // The host starts with its picture, and its children with the part of
    // that beneath them.
    if (picture == CX11StartPicture::Grabbed) {
        std::string note;
        m_driver->SetScreenPicture(ReadGrabbedPicture(dpy, window, note));
        if (!note.empty())
            std::fprintf(stderr, "%s: %s\n", CX11Display::ProgramName().c_str(), note.c_str());
    } else {
        m_driver->SetScreenPicture(ReadStartPicture(dpy, window));
    }
    const HWND host = m_driver->CreateHostWindow(CRect(0, 0, attributes.width, attributes.height));
    if (host == nullptr) {
        error = "window " + HexWindowId(window) + " is too large";
        return nullptr;
    }
    // Only what no other client may already have chosen: exposure and the
    // window's end. Input on another program's window is not ours.
    {
        CX11ErrorTrap trap(dpy);
        XSelectInput(dpy, window, ExposureMask | StructureNotifyMask);
        if (trap.Error() != 0) {
            error = "cannot watch window " + HexWindowId(window);
            m_driver->AbandonHostWindow(host);
            return nullptr;
        }
    }
    m_targets.emplace(host, std::move(target));
    return host;
}

bool CX11Port::CImpl::CreateOwnWindow(HWND hWnd)
{
    Display* dpy = m_display.Get();
    const COffscreenWindow* window = m_world.Find(hWnd);
    const CRect rect = window->rect;
    const bool popup = (window->style & WS_POPUP) != 0;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // nothing painted behind the picture
    attributes.override_redirect = popup ? True : False;
    attributes.event_mask =
        ExposureMask | KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask | FocusChangeMask;
    const Window x = XCreateWindow(dpy, m_display.Root(), rect.left, rect.top,
                                   static_cast<unsigned>(std::max<LONG>(rect.Width(), 1)),
                                   static_cast<unsigned>(std::max<LONG>(rect.Height(), 1)), 0, CopyFromParent,
                                   InputOutput, CopyFromParent, CWBackPixmap | CWOverrideRedirect | CWEventMask,
                                   &attributes);
    // The class is the program's name, capitalised as X classes are; the
    // title is the window's text, or the class when it has none.
    std::string name = CX11Display::ProgramName();
    std::string className = name;
    if (!className.empty())
        className[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(className[0])));
    XStoreName(dpy, x, (window->text.empty() ? className : window->text).c_str());
    XClassHint classHint{name.data(), className.data()};
    XSetClassHint(dpy, x, &classHint);
    XSetWMProtocols(dpy, x, &m_deleteWindow, 1);
    // Where the program (or the user's -geometry) put it; it may be
    // resized, and the picture follows.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = rect.left;
    hints.y = rect.top;
    hints.width = rect.Width();
    hints.height = rect.Height();
    XSetWMNormalHints(dpy, x, &hints);
    XMapRaised(dpy, x);

    CTarget target;
    target.window = x;
    target.own = true;
    std::string error;
    target.presenter = CX11Presenter::Create(m_display, x, error);
    m_targets.emplace(hWnd, std::move(target));
    // The window has the screen's visual; on a screen this port draws on,
    // a presenter fails only because another client destroyed the window
    // as soon as it was mapped. Its destruction event, on its way, ends
    // the framework window as for any destroyed window (status 0).
    if (m_targets[hWnd].presenter == nullptr && !m_display.DefaultVisualIsPackedRgb()) {
        m_failure = error;
        return false;
    }
    return true;
}

void CX11Port::CImpl::Sync()
{
    Display* dpy = m_display.Get();
    for (auto it = m_targets.begin(); it != m_targets.end();) {
        if (m_world.Find(it->first) != nullptr) {
            ++it;
            continue;
        }
        it->second.presenter.reset();
        if (it->second.own)
            XDestroyWindow(dpy, it->second.window);
        it = m_targets.erase(it);
    }
    for (auto it = m_exposed.begin(); it != m_exposed.end();)
        it = m_world.Find(it->first) == nullptr ? m_exposed.erase(it) : std::next(it);
    for (auto it = m_putWhole.begin(); it != m_putWhole.end();)
        it = m_world.Find(*it) == nullptr ? m_putWhole.erase(it) : std::next(it);

    // Another program's window shows what that program painted there, not
    // the picture a framework window in it starts on (the screenshot, or
    // what the image helper gave): its first present puts the whole picture
    // there. Only the parts that the growth changed were put before, so the
    // start picture showed in patches round the branches.
    for (const auto& [hWnd, target] : m_targets) {
        if (target.own)
            continue;
        for (const auto& [shown, origin] : ShownIn(hWnd)) {
            if (m_putWhole.insert(shown).second)
                m_exposed[shown].push_back(m_world.Find(shown)->surface->Bounds());
        }
    }

    for (HWND top : m_world.TopLevelWindows()) {
        const COffscreenWindow* window = m_world.Find(top);
        if (window->object == nullptr || m_targets.count(top) != 0 || !m_world.IsVisible(top))
            continue;
        if (!CreateOwnWindow(top))
            m_world.Post(top, WM_CLOSE, 0, 0);
    }

    // SetCursor(nullptr) and the large canvases' transparent cursor both
    // hide the pointer; anything else shows the server's.
    const bool hide = m_world.m_cursor != OffscreenArrowCursor();
    if (hide != m_pointerHidden) {
        if (hide && m_blankCursor == 0) {
            const char empty[1] = {0};
            const Pixmap bits = XCreateBitmapFromData(dpy, m_display.Root(), empty, 1, 1);
            XColor black{};
            m_blankCursor = XCreatePixmapCursor(dpy, bits, bits, &black, &black, 0, 0);
            XFreePixmap(dpy, bits);
        }
        for (auto& [hWnd, target] : m_targets) {
            if (!target.own)
                continue;
            if (hide)
                XDefineCursor(dpy, target.window, m_blankCursor);
            else
                XUndefineCursor(dpy, target.window);
        }
        m_pointerHidden = hide;
    }
}

HWND CX11Port::CImpl::TargetOf(Window window) const
{
    for (const auto& [hWnd, target] : m_targets) {
        if (target.window == window)
            return hWnd;
    }
    return nullptr;
}

std::vector<std::pair<HWND, CPoint>> CX11Port::CImpl::ShownIn(HWND target) const
{
    std::vector<HWND> subtree;
    CollectSubtree(m_world, target, subtree);
    const CPoint base = m_world.ClientOriginOnScreen(target);
    std::vector<std::pair<HWND, CPoint>> shown;
    for (HWND hWnd : subtree) {
        const COffscreenWindow* window = m_world.Find(hWnd);
        if (window->object == nullptr || !m_world.IsVisible(hWnd))
            continue;
        const CPoint origin = m_world.ClientOriginOnScreen(hWnd);
        shown.emplace_back(hWnd, CPoint(origin.x - base.x, origin.y - base.y));
    }
    return shown;
}

void CX11Port::CImpl::DispatchEvents(bool readable)
{
    Display* dpy = m_display.Get();
    while (XEventsQueued(dpy, readable ? QueuedAfterReading : QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        HandleEvent(event);
    }
    for (const auto& [target, size] : std::exchange(m_resized, {})) {
        if (m_targets.count(target) != 0)
            Reshape(target, size.cx, size.cy);
    }
}

void CX11Port::CImpl::HandleEvent(XEvent& event)
{
    for (auto& [hWnd, target] : m_targets) {
        if (target.presenter != nullptr && target.presenter->TakeCompletion(event))
            return;
    }
    const HWND target = TargetOf(event.xany.window);
    if (target == nullptr)
        return;
    switch (event.type) {
    case Expose: {
        // The server lost that part: it is put again from the pictures,
        // and the windows there get WM_PAINT for it, as on Windows.
        const XExposeEvent& e = event.xexpose;
        const CRect lost(e.x, e.y, e.x + e.width, e.y + e.height);
        for (const auto& [hWnd, origin] : ShownIn(target)) {
            const CRect part = Shifted(lost, -origin.x, -origin.y);
            m_world.Invalidate(hWnd, part);
            m_exposed[hWnd].push_back(part);
        }
        return;
    }
    case DestroyNotify:
        if (event.xdestroywindow.window != event.xany.window)
            return;
        if (m_targets[target].own) {
            // Another client destroyed our window: the framework window
            // goes with it, as when it is closed.
            m_targets.erase(target);
            ::DestroyWindow(target);
        } else {
            // Another program's window went: its host vanishes as when a
            // process dies, and the windows in it find themselves orphaned.
            m_targets.erase(target);
            m_driver->AbandonHostWindow(target);
        }
        return;
    case ConfigureNotify:
        m_resized[target] = SIZE{event.xconfigure.width, event.xconfigure.height};
        return;
    case MapNotify:
        // A full-screen window takes the keyboard, as screen savers do,
        // so that the first key ends it whichever window had the focus.
        if (m_targets[target].own && m_world.Find(target) != nullptr &&
            (m_world.Find(target)->style & WS_POPUP) != 0)
            XGrabKeyboard(m_display.Get(), event.xmap.window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
        return;
    default:
        break;
    }
    if (!m_targets[target].own)
        return;
    KeySym keysym = 0;
    if (event.type == KeyPress)
        keysym = XLookupKeysym(&event.xkey, 0);
    for (const CX11Message& m : TranslateInput(event, target, keysym, m_deleteWindow))
        m_world.PostInput(target, m.message, m.wParam, m.lParam, m.shift);
}

void CX11Port::CImpl::Reshape(HWND target, int width, int height)
{
    COffscreenWindow* window = m_world.Find(target);
    if (window == nullptr || (window->rect.Width() == width && window->rect.Height() == height))
        return;  // moved, not resized
    // A canvas that filled another program's window (the root, the window
    // XScreenSaver hands over, a preview pane) goes on filling it.
    const CRect filled(0, 0, window->rect.Width(), window->rect.Height());
    std::vector<HWND> followers;
    if (!m_targets[target].own) {
        for (HWND child : m_world.Children(target)) {
            if (const COffscreenWindow* c = m_world.Find(child); c != nullptr && c->rect == filled)
                followers.push_back(child);
        }
    }
    if (!m_world.Reshape(target, width, height))
        return;
    for (HWND child : followers)
        m_world.Reshape(child, width, height);
    if (target == TargetOf(m_display.Root()))
        m_driver->SetScreenSize(width, height);
    if (CX11Presenter* presenter = m_targets[target].presenter.get())
        presenter->Resize(width, height);
    for (const auto& [hWnd, origin] : ShownIn(target))
        m_exposed[hWnd].push_back(m_world.Find(hWnd)->surface->Bounds());
}

CX11TimerSchedule::CRun CX11Port::CImpl::FireDueTimers(Clock::time_point now, long floorMicros)
{
    // Ticks slept past by choice are at most a frame late; later ones come
    // from a busy machine and coalesce rather than pile up. A floor of 0
    // (ticks as fast as they come) gathers none.
    const Clock::duration catchUp = floorMicros > 0 ? 2 * m_pacer.Frame() : Clock::duration::zero();
    const Clock::time_point deadline = now + m_pacer.Frame();
    return m_schedule.RunDue(
        now, floorMicros, catchUp,
        [this](std::vector<CX11TimerSchedule::CTimer>& timers) {
            for (HWND hWnd : AllWindows(m_world)) {
                for (const auto& [id, timer] : m_world.Find(hWnd)->timers)
                    timers.push_back({hWnd, id, timer.elapse});
            }
        },
        [this](const CX11TimerSchedule::CTimerKey& key) { return m_world.FireTimer(key.first, key.second); },
        [deadline] { return Clock::now() >= deadline; });
}

std::optional<Clock::time_point> CX11Port::CImpl::NextTicks(long floorMicros) const
{
    const std::optional<Clock::time_point> due = m_schedule.NextDue();
    // A floor of 0 asks for ticks as fast as they come: not gathered.
    if (!due || floorMicros <= 0)
        return due;
    // The last tick due within a frame of the next: all of them run then,
    // and what the first drew is still on the screen within its frame.
    return m_schedule.LastDueBy(*due + m_pacer.Frame());
}

bool CX11Port::CImpl::AwaitingConfirmation()
{
    for (auto& [hWnd, target] : m_targets) {
        if (target.presenter != nullptr && !target.presenter->Ready())
            return true;
    }
    return false;
}

bool CX11Port::CImpl::TicksChanged() const
{
    for (const auto& [hWnd, target] : m_targets) {
        for (const auto& [shown, origin] : ShownIn(hWnd)) {
            if (!m_world.Find(shown)->changed.IsEmpty())
                return true;
        }
    }
    return false;
}

CX11Port::CImpl::CPresented CX11Port::CImpl::PresentChanges(bool ticks)
{
    CPresented result;
    for (auto& [targetHandle, target] : m_targets) {
        if (target.presenter == nullptr)
            continue;
        const bool ready = target.presenter->Ready();
        for (const auto& [hWnd, origin] : ShownIn(targetHandle)) {
            COffscreenWindow* window = m_world.Find(hWnd);
            std::vector<CRect>& exposed = m_exposed[hWnd];
            if (!ready) {
                result.heldBack = result.heldBack || !exposed.empty() || !window->painted.IsEmpty() ||
                                  (ticks && !window->changed.IsEmpty());
                continue;
            }
            std::vector<CRect> rects = std::exchange(exposed, {});
            rects.insert(rects.end(), window->painted.Rects().begin(), window->painted.Rects().end());
            window->painted.Clear();
            if (ticks) {
                rects.insert(rects.end(), window->changed.Rects().begin(), window->changed.Rects().end());
                window->changed.Clear();
            }
            if (!rects.empty()) {
                target.presenter->Present(*window->surface, rects, origin);
                result.any = true;
            }
        }
    }
    return result;
}

std::optional<Clock::time_point> CX11Port::CImpl::WakeAt(long floorMicros)
{
    const std::optional<Clock::time_point> ticks = NextTicks(floorMicros);
    std::optional<Clock::time_point> wake = ticks;
    // A presenter that was not ready is woken by its confirmation; the
    // pacer's wake-up may then lie in the past and is not waited for.
    const std::optional<Clock::time_point> present =
        m_presenterWaits ? std::optional<Clock::time_point>(Clock::now() + std::chrono::milliseconds(100))
                         : m_pacer.WakeAt(ticks);
    if (present && (!wake || *present < *wake))
        wake = present;
    return wake;
}

void CX11Port::CImpl::DrawFps(const std::string& text)
{
    Display* dpy = m_display.Get();
    if (m_textGc == nullptr) {
        XGCValues values{};
        values.foreground = WhitePixel(dpy, DefaultScreen(dpy));
        values.background = BlackPixel(dpy, DefaultScreen(dpy));
        m_textGc = XCreateGC(dpy, m_display.Root(), GCForeground | GCBackground, &values);
    }
    for (const auto& [hWnd, target] : m_targets) {
        if (target.presenter != nullptr)
            XDrawImageString(dpy, target.window, m_textGc, 10, target.presenter->Height() - 10, text.c_str(),
                             static_cast<int>(text.size()));
    }
}

int CX11Port::CImpl::Run(const CX11RunOptions& options)
{
    Display* dpy = m_display.Get();
    const int fd = ConnectionNumber(dpy);
    long frames = 0;  // presents since fpsStart
    Clock::time_point fpsStart = Clock::now();
    std::string fpsText = "FPS:   0.0";
    bool readable = true;  // the server may have spoken before the loop
    m_flushedRequest = NextRequest(dpy);
    for (;;) {
        DispatchEvents(readable);
        COffscreenPumpResult pumped = m_world.Pump();
        // One time for the whole round, so that ticks, presents and the
        // next wake-up are reckoned from the same moment.
        const Clock::time_point now = Clock::now();
        // While the monitor is dark nothing grows: no tick, so no step and
        // no random number; input and closing work as ever.
        const bool asleep = options.sleepWithDisplay && m_power->IsOff(now);
        // Ticks run at their batch's time, not early for an event that
        // happened to wake the loop (that would only shift the batches).
        const std::optional<Clock::time_point> ticksAt = NextTicks(options.delayMicros);
        std::optional<Clock::time_point> firstTick;
        if (!pumped.quit && !asleep && (!ticksAt || now >= *ticksAt)) {
            const CX11TimerSchedule::CRun ticks = FireDueTimers(now, options.delayMicros);
            if (ticks.fired > 0) {
                firstTick = ticks.firstPlanned;
                pumped = m_world.Pump();
            }
        }
        if (pumped.quit)
            return pumped.exitCode;
        Sync();
        // A tick's changes wait from when it was due, which may be before
        // this round when it ran together with later ones.
        if (TicksChanged())
            m_pacer.Drew(firstTick.value_or(now));
        // What timers drew waits for the display's pace; the rest goes now.
        // While the monitor is dark no tick comes to carry what the last
        // one drew, so that goes out within a frame as well.
        const bool ticks = m_pacer.PresentNow(now, asleep ? std::nullopt : NextTicks(options.delayMicros));
        const CPresented presented = PresentChanges(ticks);
        m_presenterWaits = presented.heldBack;
        if (ticks && !m_presenterWaits)
            m_pacer.Presented(now);
        frames += presented.any ? 1 : 0;
        if (options.showFps) {
            const auto elapsed = std::chrono::duration<double>(Clock::now() - fpsStart).count();
            if (elapsed >= 1.0) {
                char text[32];
                std::snprintf(text, sizeof text, "FPS: %5.1f", frames / elapsed);
                fpsText = text;
                frames = 0;
                fpsStart = Clock::now();
            }
            DrawFps(fpsText);
        }
        // A round that asked nothing of the server (most ticks at a low
        // growth rate draw nothing) costs no system call here.
        if (NextRequest(dpy) != m_flushedRequest) {
            XFlush(dpy);
            m_flushedRequest = NextRequest(dpy);
        }
        if (m_world.TopLevelWindows().empty())
            return 0;  // nothing left that could ever post the quit message
        // Events that replies brought along are held by Xlib, where poll
        // cannot see them.
        if (XEventsQueued(dpy, QueuedAlready) > 0) {
            readable = false;
            continue;
        }

        // Sleep until the server speaks, the next ticks are due, changes
        // are due on the screen or, with the monitor dark, it is time to
        // ask again whether it still is.
        timespec timeout{};
        std::optional<Clock::time_point> next;
        if (asleep) {
            next = m_power->NextCheck();
            const std::optional<Clock::time_point> present = m_pacer.WakeAt(std::nullopt);
            if (present && *present < *next)
                next = present;
        } else {
            next = WakeAt(options.delayMicros);
        }
        const Clock::time_point before = Clock::now();
        if (next) {
            const auto wait = std::max(*next - before, Clock::duration::zero());
            const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout.tv_sec = static_cast<time_t>(nanos / 1000000000);
            timeout.tv_nsec = static_cast<long>(nanos % 1000000000);
        }
        // The server confirms each shared-memory present with an event.
        // When the loop wakes within two frames anyway, it reads that event
        // then rather than waking for it alone: anything else the server
        // says meanwhile (input included) waits at most that long, as it
        // does in a hack that handles events once per frame.
        const bool watchServer = !(next && *next <= before + 2 * m_pacer.Frame() && AwaitingConfirmation());
        pollfd server{fd, POLLIN, 0};
        const int ready = ppoll(watchServer ? &server : nullptr, watchServer ? 1 : 0, next ? &timeout : nullptr, nullptr);
        readable = !watchServer || ready > 0;
    }
}

CX11Port::CX11Port()
    : m_impl(std::make_unique<CImpl>())
{
}

CX11Port::~CX11Port() = default;

void CX11Port::Close()
{
    m_impl = std::make_unique<CImpl>();
}

bool CX11Port::DrawsOnScreen(std::string& error) const
{
    return m_impl->DrawsOnScreen(error);
}

const std::string& CX11Port::Failure() const
{
    return m_impl->Failure();
}

bool CX11Port::Open(const std::string& displayName, std::string& error)
{
    return m_impl->Open(displayName, error);
}

std::uint32_t CX11Port::RootWindowId() const
{
    return static_cast<std::uint32_t>(m_impl->Root());
}

void CX11Port::UseDesktopPicture()
{
    m_impl->UseDesktopPicture();
}

HWND CX11Port::AttachWindow(std::uint32_t window, CX11StartPicture picture, std::string& error)
{
    return m_impl->AttachWindow(window, picture, error);
}

int CX11Port::Run(const CX11RunOptions& options)
{
    return m_impl->Run(options);
}
