// Default processing: what DefWindowProc does on Windows for the messages
// this program leaves to it, over the little it needs of the window system
// (which implements COffscreenDefaultHost and calls it for windows no
// handler took a message for).
#pragma once

#include "afxport.h"

class COffscreenDefaultHost {
public:
    // The window's class name; nullptr when hWnd names no window.
    virtual const char* ClassNameOf(HWND hWnd) const = 0;
    // Empties the window's update region.
    virtual void Validate(HWND hWnd) = 0;
    // Destroys the window.
    virtual void Close(HWND hWnd) = 0;
    // Sends the message to the window.
    virtual LRESULT Deliver(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The pointer takes that shape.
    virtual void ShowCursor(HCURSOR cursor) = 0;
    // SC_SCREENSAVE reached default processing, where Windows would start
    // the screen saver.
    virtual void RequestScreenSave() = 0;

protected:
    ~COffscreenDefaultHost() = default;
};

LRESULT OffscreenDefaultProcessing(COffscreenDefaultHost& host, HWND hWnd, UINT message, WPARAM wParam,
                                   LPARAM lParam);
