// The window the growth happens in: owns the branch pool, sizes the part in
// use from its client area and the growth rate setting, and advances the
// growth once per paint and once per tick of timer 1.
#pragma once

#include "display_power.h"
#include "growth/growth_state.h"
#include "wnd.h"

class CGrowthWnd : public CWnd, public CGrowthState {
public:
    // Seeds the growth's random source from the clock, reads the blank and
    // resolution settings, and sizes the pool for the primary screen.
    explicit CGrowthWnd(BOOL autoDelete);
    ~CGrowthWnd() override;

    // Creates the window on rect (the parent's client coordinates, or the
    // screen's without a parent). Narrower than 800 pixels makes a small
    // canvas; a wider one uses the class with the invisible pointer.
    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent);

    // Restarts timer 1 at the platform's shortest period; while the display
    // is off it only stops it, and the display's return starts it.
    void RestartTimer();
    // Stores a new resolution (at least 1); a change repaints at once.
    void SetResolution(int resolution);

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    UINT OnPowerBroadcast(UINT event, LPARAM data);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

public:
    std::int32_t m_blank = 0;
    std::int32_t m_resolution = 10;
    std::int32_t m_autoDelete = 0;
    // The display is off: no ticks, and paints do not step the growth.
    bool m_displayOff = false;

    // The class that the first large canvas registers; null until then.
    static LPCTSTR s_className;

private:
    CDisplayPowerWatch m_displayWatch;
};
