// The portable half of CWinApp: the one application object and its command
// table. Start-up, the message loop and the profile store are the port's.
#include "app.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName)
    : m_pszAppName(appName)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

void CWinApp::SetRegistryKey(LPCTSTR key)
{
    m_pszRegistryKey = key;
}

// The program ships no help file; the command is accepted and does nothing.
void CWinApp::OnHelp()
{
}
