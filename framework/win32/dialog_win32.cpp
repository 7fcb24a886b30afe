// CDialog on Win32: modal dialogs run by the platform's dialog manager
// (DialogBoxParam) from the templates of the program's module.
//
// The dialog window is subclassed at the first message the dialog manager
// hands to the dialog procedure, so from then on it is a framework window:
// CWndPort's procedure runs the message tables, and default processing
// calls the window's original procedure, the platform's dialog procedure
// (DefDlgProc). That one asks the framework's dialog procedure below first;
// it answers "not handled" to everything but WM_INITDIALOG, where it runs
// OnInitDialog. Nothing there calls back into the window procedure, so
// default processing cannot come round to the message tables again.
#include "dialog.h"

#include "app.h"
#include "wnd_port.h"

#include <commctrl.h>

#include <utility>

struct CDialogPort {
    static INT_PTR CALLBACK DialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

namespace {

// The dialog whose DoModal is running and whose window has not yet reached
// the dialog procedure. Dialogs belong to the thread that runs them.
thread_local CDialog* t_dialogBeingCreated = nullptr;

// The trackbars of the templates are common controls, whose classes exist
// only once they are asked for. Asking again is harmless.
void InitDialogControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&controls);
}

// The window that owns a modal dialog: the parent given, else the
// application's main window, unless that is the dialog itself (as the
// settings dialog is while it runs). Owners are top-level windows, so a
// child given as parent stands for its top-level window.
HWND DialogOwner(const CDialog& dialog, CWnd* parent)
{
    CWnd* owner = parent;
    if (owner == nullptr) {
        CWinApp* app = AfxGetApp();
        owner = app != nullptr ? app->m_pMainWnd : nullptr;
    }
    if (owner == nullptr || owner == &dialog || owner->GetSafeHwnd() == nullptr)
        return nullptr;
    return ::GetAncestor(owner->GetSafeHwnd(), GA_ROOT);
}

}  // namespace

INT_PTR CALLBACK CDialogPort::DialogProcedure(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // The first message is WM_SETFONT for templates that name a font,
    // WM_INITDIALOG for the others.
    if (t_dialogBeingCreated != nullptr && CWndPort::Lookup(hWnd) == nullptr)
        CWndPort::Subclass(*std::exchange(t_dialogBeingCreated, nullptr), hWnd);

    // Its return value, unlike any other message's, is the procedure's own:
    // TRUE has the platform focus the first control that takes the focus.
    if (message == WM_INITDIALOG)
        return reinterpret_cast<CDialog*>(lParam)->OnInitDialog();
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog() = default;

void CDialog::DoDataExchange(CDataExchange*)
{
}

std::intptr_t CDialog::DoModal()
{
    InitDialogControls();
    // A dialog opened from inside another one's run (the About box from the
    // settings dialog) finds the outer dialog already attached.
    CDialog* const outer = std::exchange(t_dialogBeingCreated, this);
    const INT_PTR result = ::DialogBoxParam(::GetModuleHandle(nullptr), MAKEINTRESOURCE(m_templateId),
                                            DialogOwner(*this, m_pParentWnd), &CDialogPort::DialogProcedure,
                                            reinterpret_cast<LPARAM>(this));
    // Still set when the window never reached the dialog procedure.
    t_dialogBeingCreated = outer;
    return result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
