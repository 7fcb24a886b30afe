// Whether the display's power saving (the DPMS extension) has the monitor
// dark, so that the loop can stop the timers meanwhile, as the Windows
// saver's do while the display is off. The extension sends no event when
// the level changes, so the level is asked for at most once a period.
#pragma once

#include <X11/Xlib.h>

#include <chrono>

class CX11DisplayPower {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kPeriod = std::chrono::seconds(1);

    explicit CX11DisplayPower(Display* display) : m_display(display) {}

    // True while DPMS is enabled and the monitor is in standby, suspend or
    // off; false on a server without DPMS. Asks the server when the last
    // answer is a period old.
    bool IsOff(Clock::time_point now);
    // When the next call asks the server again.
    Clock::time_point NextCheck() const { return m_checked + kPeriod; }

private:
    Display* m_display;
    bool m_off = false;
    bool m_asked = false;
    Clock::time_point m_checked{};
};
