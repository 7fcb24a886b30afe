// -fps: the frames put on the screen each second, written in the lower
// left corner of every target, over the picture, after every round.
#pragma once

#include "x11_display.h"
#include "x11_targets.h"

#include <X11/Xlib.h>

#include <chrono>
#include <string>

class CX11FpsOverlay {
public:
    using Clock = std::chrono::steady_clock;

    explicit CX11FpsOverlay(const CX11Display& display) : m_display(display) {}
    ~CX11FpsOverlay();
    CX11FpsOverlay(const CX11FpsOverlay&) = delete;
    CX11FpsOverlay& operator=(const CX11FpsOverlay&) = delete;

    // A round ends; presented: it put something on the screen. The figure
    // is that of the last whole second.
    void Draw(const CX11Targets& targets, bool presented);

private:
    const CX11Display& m_display;
    GC m_gc = nullptr;
    long m_frames = 0;  // presents since m_since
    Clock::time_point m_since = Clock::now();
    std::string m_text = "FPS:   0.0";
};
