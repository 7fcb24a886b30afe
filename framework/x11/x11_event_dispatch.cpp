#include "x11_event_dispatch.h"

#include "x11_events.h"

#include <utility>

void CX11EventDispatch::Dispatch(bool readable)
{
    Display* dpy = m_display.Get();
    while (XEventsQueued(dpy, readable ? QueuedAfterReading : QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        Handle(event);
    }
    for (const auto& [target, size] : std::exchange(m_resized, {}))
        m_targets.Reshape(target, size.cx, size.cy);
}

void CX11EventDispatch::Handle(XEvent& event)
{
    bool completion = false;
    m_targets.ForEach([&](CX11Target& target) {
        completion = completion || (target.Presenter() != nullptr && target.Presenter()->TakeCompletion(event));
    });
    if (completion)
        return;
    const HWND hWnd = m_targets.TargetOf(event.xany.window);
    CX11Target* target = m_targets.Find(hWnd);
    if (target == nullptr)
        return;
    switch (event.type) {
    case Expose: {
        // The server lost that part: it is put again from the pictures,
        // and the windows there get WM_PAINT for it, as on Windows.
        const XExposeEvent& e = event.xexpose;
        const CRect lost(e.x, e.y, e.x + e.width, e.y + e.height);
        for (const auto& [shown, origin] : m_targets.ShownIn(hWnd)) {
            const CRect part = Shifted(lost, -origin.x, -origin.y);
            m_world.Invalidate(shown, part);
            target->Exposed(shown, part);
        }
        return;
    }
    case DestroyNotify:
        if (event.xdestroywindow.window != event.xany.window)
            return;
        m_resized.erase(hWnd);
        if (target->Own()) {
            // Another client destroyed our window: the framework window
            // goes with it, as when it is closed.
            m_targets.Forget(hWnd);
            m_world.Destroy(hWnd);
        } else {
            // Another program's window went: its host vanishes as when a
            // process dies, and the windows in it find themselves orphaned.
            m_targets.Forget(hWnd);
            m_world.Abandon(hWnd);
        }
        return;
    case ConfigureNotify:
        m_resized[hWnd] = SIZE{event.xconfigure.width, event.xconfigure.height};
        return;
    case MapNotify:
        // A full-screen window takes the keyboard, as screen savers do,
        // so that the first key ends it whichever window had the focus.
        if (target->Own() && m_world.Find(hWnd) != nullptr && (m_world.Find(hWnd)->style & WS_POPUP) != 0)
            XGrabKeyboard(m_display.Get(), event.xmap.window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
        return;
    default:
        break;
    }
    if (!target->Own())
        return;
    KeySym keysym = 0;
    if (event.type == KeyPress)
        keysym = XLookupKeysym(&event.xkey, 0);
    for (const CX11Message& m : TranslateInput(event, hWnd, keysym, m_targets.DeleteWindowAtom()))
        m_world.PostInput(hWnd, m.message, m.wParam, m.lParam, m.shift);
}
