// When what windows' client contexts draw reaches the screen. Timer ticks
// draw into the windows' pictures at the timer's rate (100 a second by
// default), but no display shows more than its refresh rate: what they
// change waits, per window, and goes to the screen at most once per display
// frame and never later than one frame after it was drawn, as CPresentPacer
// decides at the rate the display reports. Paints are not paced: a paint
// context shows its region at once.
//
// A tick that comes in time carries the waiting changes, so that ticks
// faster than frames wake nothing else. To know when the next tick comes,
// the framework reports the timers it sets, kills and dispatches. Where no
// tick comes in time (the timers stopped, or drawing came from elsewhere),
// a thread timer of the port's own wakes the thread. A thread timer rather
// than a wait in CWinApp::Run: every message loop the thread runs
// dispatches it (modal dialogs with a preview, message boxes, a host's
// loop), its id is the system's choice and belongs to no window, so it
// never collides with an application's timer, and it runs its own callback,
// so no window's OnTimer sees it. Windows' timers do not fire sooner than
// 10 ms, which is shorter than a frame of any display up to 100 Hz.
//
// One thread's windows share one pace, as the thread's own state.
#pragma once

#include "afxtypes.h"

#include <vector>

struct CPacedPresents {
    // hWnd's client context changed rects of hWnd's picture (client
    // coordinates). hdc is that context, still open: it shows them when
    // they are due at once.
    static void Drew(HWND hWnd, HDC hdc, const std::vector<CRect>& rects);
    // The window is going: what waits for it is dropped, and its timers
    // are no longer expected to tick.
    static void Forget(HWND hWnd);

    // A timer the framework set (one with a callback never reaches the
    // window procedure, so it is not expected to tick there).
    static void TimerSet(HWND hWnd, UINT_PTR id, UINT elapse, bool callback);
    static void TimerKilled(HWND hWnd, UINT_PTR id);
    // Around the dispatch of a WM_TIMER to a framework window: a tick that
    // draws nothing still presents what is due.
    static void TickStarts(HWND hWnd, UINT_PTR id);
    static void TickEnded();
};
