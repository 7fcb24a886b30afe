// Modal dialogs from the program's dialog templates, and the data exchange
// between a dialog's members and its controls.
//
// A running dialog is a CWnd like any other: its messages go through the
// class's message table, and what the table does not handle, or a handler
// passes on with Default(), reaches the platform's dialog processing
// (keyboard navigation, the default button, WM_CLOSE becoming Cancel).
#pragma once

#include "scrollbar.h"
#include "wnd.h"

#include <cstdint>

// One run of a dialog's DoDataExchange: into the controls
// (m_bSaveAndValidate FALSE, when the dialog opens) or out of them into the
// members (TRUE, when the user presses OK).
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
    {
    }

    // The dialog's control with this identifier; nullptr when there is none.
    HWND PrepareCtrl(int id) const;

    const BOOL m_bSaveAndValidate;
    CWnd* const m_pDlgWnd;
};

// Binds a framework object to the dialog's control, once: the control's
// messages then go through the object's message table.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The position of a scroll-bar control. The control keeps positions inside
// its range.
void DDX_Scroll(CDataExchange* pDX, int id, int& value);
// The state of a check box: 0 unchecked, 1 checked, 2 indeterminate. A value
// outside 0..2 is shown unchecked.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The position of a trackbar. The control keeps positions inside its range.
void DDX_Slider(CDataExchange* pDX, int id, int& value);

class CDialog : public CWnd {
public:
    // templateId names a dialog template of the program's module. parent
    // owns the running dialog; with none, the application's main window
    // does (when there is one and it is not this dialog).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Exchanges the members with the controls; see CDataExchange.
    virtual void DoDataExchange(CDataExchange* pDX);

    // Runs the dialog until EndDialog; the owner is disabled meanwhile.
    // Returns the value given to EndDialog, or -1 when the dialog could not
    // be created. The window is gone when it returns.
    virtual std::intptr_t DoModal();

    // WM_INITDIALOG, once the controls exist: fills the controls from the
    // members (UpdateData(FALSE)). TRUE lets the platform put the focus on
    // the first control that takes it.
    virtual BOOL OnInitDialog();

    // Ends the modal run once the current message is handled; DoModal
    // returns result.
    void EndDialog(int result);

    // Runs DoDataExchange in one direction; TRUE (nothing is validated).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    // The OK button or Enter: the controls into the members, then
    // EndDialog(IDOK).
    virtual void OnOK();
    // The Cancel button, Escape or closing the window: EndDialog(IDCANCEL).
    virtual void OnCancel();

    UINT m_templateId;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

    friend struct CDialogPort;  // the port's dialog procedure
};

// WM_QUERYDRAGICON: the icon a minimised window shows while it is dragged.
#define ON_WM_QUERYDRAGICON() \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, 0, { return reinterpret_cast<LRESULT>(self->OnQueryDragIcon()); })
