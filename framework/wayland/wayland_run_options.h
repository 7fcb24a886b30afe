// How the Wayland port's loop runs (CWaylandPort::Run). No Wayland type
// appears here, so program code may include it.
#pragma once

struct CWaylandRunOptions {
    // The timer floor: a timer asking for less (the canvases ask for 0)
    // ticks at this period, as Windows raises 0 to its shortest period.
    long delayMicros = 10000;
};
