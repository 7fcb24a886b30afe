// Runs the calling thread's messages until a condition holds, for tests
// that wait for timers, paints or posted messages.
#pragma once

#include "afxtypes.h"

#include <functional>

// Dispatches messages until done() is true or timeoutMs have passed;
// returns done(). A WM_QUIT found on the way is put back and ends the wait.
// The deadline holds even while messages keep coming (a window that never
// validates its paint has WM_PAINT forever).
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done() && ::GetTickCount64() < deadline) {
        MSG msg;
        while (::GetTickCount64() < deadline && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return done();
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (done())
                return true;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

// Removes the thread's queued messages without running them, for a test
// that ends with messages its windows left behind (a quit message). Stops
// after a bound, since a message the system makes again for as long as its
// cause lasts (WM_PAINT, WM_TIMER) is never used up.
inline void DiscardMessages()
{
    MSG msg;
    for (int taken = 0; taken < 10000 && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++taken) {
    }
}

// Takes a pending WM_QUIT off the queue; returns whether there was one and
// its exit code in *code.
inline bool TakeQuitMessage(WPARAM* code = nullptr)
{
    MSG msg;
    if (!::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (code != nullptr)
        *code = msg.wParam;
    return true;
}
