#include "x11_fps_overlay.h"

#include <cstdio>

CX11FpsOverlay::~CX11FpsOverlay()
{
    if (m_gc != nullptr)
        XFreeGC(m_display.Get(), m_gc);
}

void CX11FpsOverlay::Draw(const CX11Targets& targets, bool presented)
{
    Display* dpy = m_display.Get();
    m_frames += presented ? 1 : 0;
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - m_since).count();
    if (elapsed >= 1.0) {
        char text[32];
        std::snprintf(text, sizeof text, "FPS: %5.1f", m_frames / elapsed);
        m_text = text;
        m_frames = 0;
        m_since = now;
    }
    if (m_gc == nullptr) {
        XGCValues values{};
        values.foreground = WhitePixel(dpy, DefaultScreen(dpy));
        values.background = BlackPixel(dpy, DefaultScreen(dpy));
        m_gc = XCreateGC(dpy, m_display.Root(), GCForeground | GCBackground, &values);
    }
    targets.ForEach([&](const CX11Target& target) {
        if (target.Presenter() != nullptr)
            XDrawImageString(dpy, target.XWindow(), m_gc, 10, target.Presenter()->Height() - 10, m_text.c_str(),
                             static_cast<int>(m_text.size()));
    });
}
