#include "x11_targets.h"

#include "offscreen_resources.h"
#include "window_tree.h"
#include "x11_image_grabber.h"
#include "x11_own_window.h"
#include "x11_picture.h"
#include "x11_shared_words.h"

#include <cstdio>

namespace {

std::string HexWindowId(std::uint32_t window)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(window));
    return text;
}

}  // namespace

CX11Targets::CX11Targets(COffscreenWorld& world, const CX11Display& display)
    : m_world(world),
      m_display(display),
      m_deleteWindow(XInternAtom(display.Get(), "WM_DELETE_WINDOW", False))
{
}

CX11Targets::~CX11Targets()
{
    Display* dpy = m_display.Get();
    std::vector<HWND> all;
    for (HWND top : m_world.TopLevelWindows())
        CollectSubtree(m_world, top, all);
    // Pictures kept in this display's shared segments move back into memory
    // of their own while the display is still open to detach them.
    for (HWND hWnd : all) {
        const std::shared_ptr<CSurface>& picture = m_world.Find(hWnd)->surface;
        if (picture != nullptr && dynamic_cast<CX11SharedWords*>(picture->Memory()) != nullptr)
            picture->Adopt(nullptr);
    }
    for (auto& [hWnd, target] : m_targets) {
        m_world.SetDamageSink(hWnd, nullptr);
        if (target->Own())
            XDestroyWindow(dpy, target->XWindow());
    }
    m_targets.clear();
    if (m_blankCursor != 0)
        XFreeCursor(dpy, m_blankCursor);
}

void CX11Targets::Add(HWND host, Window window, bool own, std::unique_ptr<CX11Presenter> presenter)
{
    auto target = std::make_unique<CX11Target>(host, window, own, std::move(presenter), m_ticksDrew);
    m_world.SetDamageSink(host, target.get());
    m_targets[host] = std::move(target);
}

HWND CX11Targets::Attach(std::uint32_t window, CX11StartPicture picture, std::string& error)
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
    std::unique_ptr<CX11Presenter> presenter = CX11Presenter::Create(m_display, window, error);
    if (presenter == nullptr) {
        error = "cannot draw on window " + HexWindowId(window) + ": " + error;
        return nullptr;
    }
    // The host starts with its picture, and its children with the part of
    // that beneath them.
    if (picture == CX11StartPicture::Grabbed) {
        std::string note;
        m_world.SetScreenPicture(ReadGrabbedPicture(dpy, window, note));
        if (!note.empty())
            std::fprintf(stderr, "%s: %s\n", CX11Display::ProgramName().c_str(), note.c_str());
    } else {
        m_world.SetScreenPicture(ReadStartPicture(dpy, window));
    }
    const HWND host = m_world.AddHostWindow(CRect(0, 0, attributes.width, attributes.height), WS_VISIBLE, nullptr);
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
            m_world.Abandon(host);
            return nullptr;
        }
    }
    Add(host, window, false, std::move(presenter));
    return host;
}

bool CX11Targets::CreateOwnWindow(HWND hWnd)
{
    const Window x = CreateOwnXWindow(m_display, *m_world.Find(hWnd), m_deleteWindow);
    std::string error;
    std::unique_ptr<CX11Presenter> presenter = CX11Presenter::Create(m_display, x, error);
    const bool presents = presenter != nullptr;
    Add(hWnd, x, true, std::move(presenter));
    // What the window painted before it had an X window goes with the
    // first present (the server's Expose says the same a little later).
    m_targets[hWnd]->Exposed(hWnd, m_world.Find(hWnd)->surface->Bounds());
    // The window has the screen's visual; on a screen this port draws on,
    // a presenter fails only because another client destroyed the window
    // as soon as it was mapped. Its destruction event, on its way, ends
    // the framework window as for any destroyed window (status 0).
    if (!presents && !m_display.DefaultVisualIsPackedRgb()) {
        m_failure = error;
        return false;
    }
    return true;
}

void CX11Targets::Sync()
{
    Display* dpy = m_display.Get();
    for (auto it = m_targets.begin(); it != m_targets.end();) {
        if (m_world.Find(it->first) != nullptr) {
            ++it;
            continue;
        }
        if (it->second->Own())
            XDestroyWindow(dpy, it->second->XWindow());
        it = m_targets.erase(it);
    }
    // Another program's window shows what that program painted there, not
    // the picture a framework window in it starts on (the screenshot, or
    // what the image helper gave): its first present puts the whole picture
    // there, not only the parts that the growth changed.
    for (auto& [hWnd, target] : m_targets) {
        if (!target->Own())
            target->ShowWhole(m_world, ShownIn(hWnd));
    }
    m_world.TopLevelWindows(m_topLevel);
    for (HWND top : m_topLevel) {
        const COffscreenWindow* window = m_world.Find(top);
        if (window->object == nullptr || m_targets.count(top) != 0 || !m_world.IsVisible(top))
            continue;
        if (!CreateOwnWindow(top))
            m_world.Post(top, WM_CLOSE, 0, 0);
    }
    // SetCursor(nullptr) and the large canvases' transparent cursor both
    // hide the pointer; anything else shows the server's.
    const bool hide = m_world.Cursor() != OffscreenArrowCursor();
    if (hide != m_pointerHidden)
        ShowPointer(!hide);
}

void CX11Targets::ShowPointer(bool show)
{
    Display* dpy = m_display.Get();
    if (!show && m_blankCursor == 0) {
        const char empty[1] = {0};
        const Pixmap bits = XCreateBitmapFromData(dpy, m_display.Root(), empty, 1, 1);
        XColor black{};
        m_blankCursor = XCreatePixmapCursor(dpy, bits, bits, &black, &black, 0, 0);
        XFreePixmap(dpy, bits);
    }
    for (auto& [hWnd, target] : m_targets) {
        if (!target->Own())
            continue;
        if (show)
            XUndefineCursor(dpy, target->XWindow());
        else
            XDefineCursor(dpy, target->XWindow(), m_blankCursor);
    }
    m_pointerHidden = !show;
}

HWND CX11Targets::TargetOf(Window window) const
{
    for (const auto& [hWnd, target] : m_targets) {
        if (target->XWindow() == window)
            return hWnd;
    }
    return nullptr;
}

CX11Target* CX11Targets::Find(HWND target)
{
    const auto found = m_targets.find(target);
    return found != m_targets.end() ? found->second.get() : nullptr;
}

void CX11Targets::Forget(HWND target)
{
    m_world.SetDamageSink(target, nullptr);
    m_targets.erase(target);
}

std::vector<std::pair<HWND, CPoint>> CX11Targets::ShownIn(HWND target) const
{
    return ::ShownIn(m_world, target);
}

void CX11Targets::Reshape(HWND target, int width, int height)
{
    CX11Target* shown = Find(target);
    const COffscreenWindow* window = m_world.Find(target);
    if (shown == nullptr || window == nullptr || (window->rect.Width() == width && window->rect.Height() == height))
        return;  // moved, not resized
    // A canvas that filled another program's window (the root, the window
    // XScreenSaver hands over, a preview pane) goes on filling it.
    const CRect filled(0, 0, window->rect.Width(), window->rect.Height());
    std::vector<HWND> followers;
    if (!shown->Own()) {
        for (HWND child : m_world.Children(target)) {
            if (const COffscreenWindow* c = m_world.Find(child); c != nullptr && c->rect == filled)
                followers.push_back(child);
        }
    }
    if (!m_world.Reshape(target, width, height))
        return;
    for (HWND child : followers)
        m_world.Reshape(child, width, height);
    if (shown->XWindow() == m_display.Root())
        m_world.SetScreenSize(width, height);
    if (CX11Presenter* presenter = shown->Presenter())
        presenter->Resize(width, height);
    for (const auto& [hWnd, origin] : ShownIn(target))
        shown->Exposed(hWnd, m_world.Find(hWnd)->surface->Bounds());
}

CX11Target::CPresented CX11Targets::Present(bool ticks)
{
    CX11Target::CPresented all;
    for (auto& [hWnd, target] : m_targets) {
        const CX11Target::CPresented one = target->Present(m_world, ticks);
        all.any = all.any || one.any;
        all.heldBack = all.heldBack || one.heldBack;
    }
    return all;
}

bool CX11Targets::AwaitingConfirmation() const
{
    for (const auto& [hWnd, target] : m_targets) {
        if (target->Presenter() != nullptr && !target->Presenter()->Ready())
            return true;
    }
    return false;
}
