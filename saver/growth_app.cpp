// Start-up: the one application object and the choice of mode.
#include "growth_app.h"

#include "canvas/full_screen_wnd.h"
#include "canvas/growth_wnd.h"
#include "host_handle.h"

CGrowthApp theApp;

BEGIN_MESSAGE_MAP(CGrowthApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CGrowthApp::InitInstance()
{
    SetRegistryKey("Tarnwell");

    const bool hasSwitch = m_argc > 1 && m_argv != nullptr;
    const SaverMode mode = hasSwitch ? GetSaverMode(m_argv[1]) : SaverMode::Configure;
    switch (mode) {
    case SaverMode::Configure:
        RunSettingsDialog();
        return FALSE;
    case SaverMode::Preview:
        return StartPreview(m_argc > 2 ? m_argv[2] : nullptr);
    case SaverMode::Run:
        return StartFullScreen();
    case SaverMode::None:
        break;
    }
    return FALSE;
}

BOOL CGrowthApp::StartPreview(const char* hostText)
{
    HWND host = nullptr;
    if (!ParseHostHandle(hostText, &host) || !::IsWindow(host))
        return FALSE;

    auto* canvas = new CGrowthWnd(TRUE);
    CRect client;
    ::GetClientRect(host, &client);
    // A canvas whose creation fails has deleted itself (auto-delete ends
    // every failed creation), so it must not become the main window.
    if (!canvas->Create(0, WS_CHILD | WS_VISIBLE, client, host))
        return FALSE;
    m_pMainWnd = canvas;
    return TRUE;
}

// Should the window fail to appear, the message loop finds no main window
// and ends at once.
BOOL CGrowthApp::StartFullScreen()
{
    auto* window = new CFullScreenWnd;
    window->CreateFullScreen();
    m_pMainWnd = window;
    return TRUE;
}
