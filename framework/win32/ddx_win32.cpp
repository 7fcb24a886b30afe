// Dialog data exchange on Win32: each exchange is one control message.
#include "dialog.h"

#include "wnd_port.h"

#include <commctrl.h>

HWND CDataExchange::PrepareCtrl(int id) const
{
    return ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.GetSafeHwnd() != nullptr)
        return;
    if (const HWND hWnd = pDX->PrepareCtrl(id))
        CWndPort::Subclass(control, hWnd);
}

void DDX_Scroll(CDataExchange* pDX, int id, int& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(control, SB_CTL);
    else
        ::SetScrollPos(control, SB_CTL, value, TRUE);
}

// A check box given any other state than the three it knows would show
// whatever the control makes of it (a two-state box shows "checked").
void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    } else {
        const int state = value >= BST_UNCHECKED && value <= BST_INDETERMINATE ? value : BST_UNCHECKED;
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Slider(CDataExchange* pDX, int id, int& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(control, TBM_GETPOS, 0, 0));
    else
        ::SendMessage(control, TBM_SETPOS, TRUE, value);
}
