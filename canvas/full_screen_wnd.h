// The window of run mode: a topmost canvas over the primary screen that
// hides the pointer and closes on the first sign of the user. Destroying it
// ends the message loop.
#pragma once

#include "growth_wnd.h"

class CFullScreenWnd : public CGrowthWnd {
public:
    CFullScreenWnd();
    ~CFullScreenWnd() override;

    // Creates the topmost popup covering the primary screen.
    void CreateFullScreen();

protected:
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDestroy();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnNcActivate(BOOL active);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnActivateApp(BOOL active, DWORD threadId);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
    void OnMouseHWheel(UINT flags, short delta, CPoint screenPoint);
    void OnXButtonDown(UINT flags, UINT button, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()

public:
    // The first pointer position reported to the window; (-1, -1) until then.
    CPoint m_lastMouse{-1, -1};
};
