// The refresh rate of the monitor an X screen is shown on, as the RandR
// extension reports it.
#pragma once

#include <X11/Xlib.h>

// The rate in Hz of the primary output's mode (else of the first output
// that shows anything), from the mode's timings (RandR 1.3); on older
// servers the rate RandR 1.1 reports for the screen. 0 when the server has
// no RandR or shows nothing. Servers without a real monitor make rates up
// (Xvfb's RandR 1.1 rate is a screen size's, not a monitor's): DisplayFrame
// turns what no monitor gives into 60 Hz.
double ReadRefreshRate(Display* display, Window root);
