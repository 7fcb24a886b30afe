// A user at the keyboard and the mouse, for tests that drive another
// process's windows.
#pragma once

#include "afxtypes.h"

// Posts a key press and release to a window, as the keyboard would send
// them to the window with the focus.
void PostKey(HWND hWnd, UINT virtualKey);

// Real input through the system's input queue (SendInput): it reaches the
// foreground window, or the window under the pointer, as a user's would,
// with every message the platform derives from it.
enum class MouseButton { Left, Middle, Right };
// Moves the pointer by (dx, dy) pixels; (0, 0) is a report of the pointer
// where it rests.
void MovePointerBy(int dx, int dy);
void PressKey(WORD virtualKey);
void ClickButton(MouseButton button);
// One notch of the wheel (MOUSEEVENTF_WHEEL, or MOUSEEVENTF_HWHEEL for a
// tilt); delta is positive away from the user or to the right.
void TurnWheel(DWORD wheelFlag, int delta);
// A press and release of side button XBUTTON1 or XBUTTON2.
void ClickSideButton(WORD button);

// Returns once the thread that owns hWnd has dispatched the message that
// was next in its queue at the call, such as input just sent (input comes
// before timers and paints); false after timeoutMs, or when the window is
// gone. A message sent to a thread is handled only when the thread asks
// for its next message, so the second of two round trips comes back only
// after the message that the first one preceded.
bool WaitForInputTaken(HWND hWnd, DWORD timeoutMs);
