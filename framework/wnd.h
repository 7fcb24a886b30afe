// Windows: a CWnd object attached to a platform window, with per-class
// message tables and the platform's default processing behind them.
#pragma once

#include "afxtypes.h"
#include "cmdtarget.h"

#include <cstdint>

class CScrollBar;

// A window procedure's message, as the handler that is running received it;
// Default() passes it on to the default processing.
struct AFX_CURRENT_MSG {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creates the platform window and attaches this object to it before the
    // first message (WM_NCCREATE), so WM_CREATE reaches OnCreate. A null or
    // empty class name uses the framework's default class (arrow pointer, no
    // background brush). Returns FALSE when the platform refuses.
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, UINT_PTR id, LPVOID param = nullptr);
    BOOL DestroyWindow();

    // The object attached to a window, or nullptr for windows that are not
    // the framework's (the framework keeps no temporary objects).
    static CWnd* FromHandle(HWND hWnd);

    // Window services, thin over the platform's.
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ScreenToClient(LPRECT rect) const;
    HWND GetParentHandle() const;
    CWnd* GetDlgItem(int id) const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void (*callback)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR id);
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The window procedure of framework windows: looks the message up in the
    // class's table and runs its handler, or the default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The platform's default processing for this window.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();

    // Called after the final destruction message, once the object has been
    // detached from its window. Heap windows delete themselves here.
    virtual void PostNcDestroy();

protected:
    // Default handlers: each passes its message to Default().
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    UINT OnPowerBroadcast(UINT event, LPARAM data);
    void OnSysCommand(UINT id, LPARAM lParam);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnNcActivate(BOOL active);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnActivateApp(BOOL active, DWORD threadId);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    // The wheel handler's result is the message's: non-zero when handled.
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
    void OnMouseHWheel(UINT flags, short delta, CPoint screenPoint);
    void OnXButtonDown(UINT flags, UINT button, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()

    friend struct CWndPort;  // the port's window procedure and attach/detach

private:
    // The message of the innermost WindowProc call, kept outside the object
    // because a handler may destroy (and so delete) the window it runs for.
    static AFX_CURRENT_MSG* s_currentMsg;
};

// Registers (once per distinct set of arguments) a window class whose window
// procedure is the framework's, and returns its name, valid for the life of
// the process.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
