// The display's frame period, from what a port could read of its refresh
// rate. Ports pace their presents to it (CPresentPacer).
#pragma once

#include <chrono>

// The refresh rate of a video mode from its timings: pixels per second over
// pixels per frame, where an interlaced mode shows two fields per frame and
// a double-scanned one shows every line twice. 0 when the timings are
// missing (no clock or no size).
double ModeRefreshRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal, bool interlaced, bool doubleScan);

// The frame period of a display that refreshes refreshHz times a second.
// Readings no monitor gives (outside 24..500 Hz: a port that read nothing
// passes 0, and Windows says 0 or 1 for "the hardware's default") give the
// 60 Hz of CPresentPacer::kDefaultFrame.
std::chrono::steady_clock::duration DisplayFrame(double refreshHz);
