// The user-interface services of Windows that portable code calls by their
// Win32 names (::GetSystemMetrics, ::PostQuitMessage...), here answered by
// the off-screen port's window table. On Win32 the same names are the real
// functions from <windows.h>, so calling code compiles unchanged on both.
//
// Included at the end of afxport.h, whose types it uses; include that
// rather than this header.
#pragma once

// SM_CXSCREEN and SM_CYSCREEN: the primary screen's size, which the
// window system's owner sets (1024 x 768 until it does; 0 without one).
// SM_CXICON and SM_CYICON: 32. Any other index: 0, as Windows answers for
// metrics it does not know.
int GetSystemMetrics(int index);

// Makes cursor the pointer's shape (nullptr hides the pointer) and returns
// the shape it replaces. The window system reports the current shape.
HCURSOR SetCursor(HCURSOR cursor);

// Negative while the key was held when the input message being handled
// happened, else 0. The port knows Shift only (VK_SHIFT); every other key
// reads as not held.
short GetKeyState(int virtualKey);

// Asks the message loop to end with exitCode once the posted messages
// before it have been delivered.
void PostQuitMessage(int exitCode);

// TRUE while hWnd names a window that has not been destroyed.
BOOL IsWindow(HWND hWnd);

// The client rectangle (0, 0, width, height). FALSE, and an empty rectangle,
// when hWnd is not a window.
BOOL GetClientRect(HWND hWnd, LPRECT rect);

// Queues the message for the window; FALSE when hWnd is not a window.
// Messages to a window that is destroyed before they are delivered are
// dropped.
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the window's procedure for the message at once and returns its
// result; 0 when hWnd is not a window.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Destroys the window and its children: WM_DESTROY goes to the window and
// then down to its children, WM_NCDESTROY to the children and then the
// window. FALSE when hWnd is not a window or is being destroyed already.
BOOL DestroyWindow(HWND hWnd);
