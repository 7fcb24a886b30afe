// When the framework's windows tick and when what they draw reaches the
// screen, per thread.
//
// Window timers set without a callback are run by the port, not by timers
// of Windows' own: each ticks at its period (never faster than
// USER_TIMER_MINIMUM; late ticks coalesce, a timer set again first ticks
// one period on), but the ticks due within a display frame of each other
// run together, so the thread wakes once for them (CTickBatches: 100 ticks
// a second at 60 Hz wake it 50 times a second). Each tick is sent to its
// window as WM_TIMER; a window gone is skipped, and a window's timers go
// with it.
//
// What a tick draws into a window's picture waits, per window, and goes to
// the screen at most once per display frame and never later than one frame
// after it was drawn, as CPresentPacer decides at the rate the display
// reports: a batch that comes in time carries it, otherwise the thread
// wakes for it. Paints are not paced: a paint context shows its region at
// once.
//
// One thread timer wakes the thread for both: a thread timer rather than a
// wait in CWinApp::Run, because every message loop the thread runs
// dispatches it (modal dialogs with a preview, message boxes, a host's
// loop); WM_TIMER is generated only when no other message waits, so input
// still comes first; its id is the system's choice and belongs to no
// window, so it never collides with an application's timer; and it runs
// its own callback, so no window's OnTimer sees it.
#pragma once

#include "afxtypes.h"

#include <vector>

struct CPacedPresents {
    // hWnd's client context changed rects of hWnd's picture (client
    // coordinates). hdc is that context, still open: it shows them when
    // they are due at once.
    static void Drew(HWND hWnd, HDC hdc, const std::vector<CRect>& rects);
    // The window is going: what waits for it is dropped, and its timers
    // are killed.
    static void Forget(HWND hWnd);

    // A timer without a callback for a window of this thread, as
    // ::SetTimer sets one: a timer of that id is replaced. Returns the id,
    // or 0 when hWnd is no window of this thread.
    static UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse);
    // Whether such a timer was set; it ticks no more.
    static bool KillTimer(HWND hWnd, UINT_PTR id);

    // While a batch of ticks runs: the client DC (children excluded) that
    // the batch's ticks of hWnd draw through and its present shows them
    // through, opened for the first of them and released after the
    // present, so that a batch opens one DC rather than one per tick and
    // one more to present (each costs Wine a round to the X server's
    // settings). nullptr otherwise, or for a second window in the batch:
    // the context then opens its own.
    static HDC BatchHdc(HWND hWnd);
};
