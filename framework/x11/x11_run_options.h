// How the X11 port's loop runs (CX11Port::Run). No Xlib type appears
// here, so program code may include it.
#pragma once

struct CX11RunOptions {
    // The timer floor: a timer asking for less (the canvases ask for 0)
    // ticks at this period, as Windows raises 0 to its shortest period.
    long delayMicros = 10000;
    // Shows the frame rate in the lower left corner of every window.
    bool showFps = false;
    // No timer ticks while the display's power saving (DPMS) has the
    // monitor dark; they start again when it is back on.
    bool sleepWithDisplay = false;
};
