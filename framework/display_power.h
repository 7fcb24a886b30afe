// The display's power state as the platform reports it to a window: a
// window that watches it is sent WM_POWERBROADCAST when the display goes
// off and when it comes back on, and DisplayPowerChangeOf reads the
// message. Where the platform has no such reports, nothing is ever sent.
#pragma once

#include "afxtypes.h"

enum class DisplayPowerChange { None, Off, On };

// What a WM_POWERBROADCAST with these arguments says of the display: Off,
// On (a dimmed display counts as on), or None for any other event, a
// malformed report, or one that the platform did not send itself (another
// program can post or send the message with any lParam, which is then
// never read).
DisplayPowerChange DisplayPowerChangeOf(UINT event, LPARAM data);

// Asks the platform to report the display's power changes to a window for
// as long as the watch lives (or until Start again names another window).
// A display that is off when the watch starts is reported at once.
class CDisplayPowerWatch {
public:
    CDisplayPowerWatch() = default;
    ~CDisplayPowerWatch();
    CDisplayPowerWatch(const CDisplayPowerWatch&) = delete;
    CDisplayPowerWatch& operator=(const CDisplayPowerWatch&) = delete;

    void Start(HWND hWnd);
    void Stop();

private:
    void* m_registration = nullptr;
};
