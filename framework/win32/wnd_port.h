// The Win32 port's side of CWnd: the framework's window procedure and the
// map from window handles to the CWnd objects attached to them.
//
// A window is attached either through the framework's own procedure (the
// classes that AfxRegisterWndClass registers: the object being created is
// picked up at the window's first message, before WM_NCCREATE) or by
// subclassing a window of another class, whose original procedure is then
// kept as the window's "super" procedure and receives default processing.
#pragma once

#include "wnd.h"

struct CWndPort {
    // The window procedure of every framework window class.
    static LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Makes wnd the object of hWnd. superProc is the procedure that default
    // processing goes to, or nullptr for the platform's DefWindowProc.
    static void Attach(CWnd& wnd, HWND hWnd, WNDPROC superProc);
    // Routes hWnd's messages through the framework's procedure to wnd, with
    // the window's current procedure as its default processing.
    static void Subclass(CWnd& wnd, HWND hWnd);
    // Forgets the attachment and gives a subclassed window its original
    // procedure back.
    static void Detach(CWnd& wnd);

    static CWnd* Lookup(HWND hWnd);
    // The original procedure of a subclassed window; nullptr otherwise.
    static WNDPROC SuperProcedure(HWND hWnd);
    // Whether wnd is attached to a window now. Compares addresses only, so
    // it may be asked about an object that has already deleted itself.
    static bool IsAttached(const CWnd* wnd);

    // The object whose CreateEx is running, for the window procedure to
    // attach at the window's first message.
    static CWnd* ExchangeWindowBeingCreated(CWnd* wnd);

    // The end of a window's life, after its final message (or a creation
    // that failed): ends the message loop if it was the application's main
    // window, detaches it, and calls PostNcDestroy, which may delete it.
    static void FinishWindow(CWnd& wnd);
};
