// CWinApp on Win32: start-up, the message loop and the module's resources.
#include "app.h"

#include "module_name.h"
#include "win_main.h"
#include "wnd_port.h"

#include <cstdlib>
#include <string>

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;

    app->m_hInstance = instance;
    app->m_argc = __argc;
    app->m_argv = __argv;
    if (app->m_pszAppName == nullptr) {
        static const std::string moduleName = AfxModuleBaseName(AfxModuleFileName(instance));
        app->m_pszAppName = moduleName.c_str();
    }

    if (!app->InitInstance())
        return 0;
    return app->Run();
}

int CWinApp::Run()
{
    // A main window that is missing, or whose creation failed (the object may
    // already have deleted itself), would leave the loop waiting forever.
    if (!CWndPort::IsAttached(m_pMainWnd))
        ::PostQuitMessage(0);

    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

namespace {

// Before start-up has filled in the instance, resources come from the
// program's own module.
HINSTANCE ResourceModule(HINSTANCE instance)
{
    return instance != nullptr ? instance : ::GetModuleHandle(nullptr);
}

}  // namespace

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return ::LoadCursor(ResourceModule(m_hInstance), MAKEINTRESOURCE(id));
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIcon(ResourceModule(m_hInstance), MAKEINTRESOURCE(id));
}
