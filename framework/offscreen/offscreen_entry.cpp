#include "offscreen_entry.h"

#include "app.h"
#include "wnd.h"
#include "offscreen_resources.h"

#include <string>

namespace {

// "/usr/bin/verdane.scr" -> "verdane"; a leading dot is no extension.
std::string ModuleBaseName(const char* path)
{
    std::string name = path != nullptr ? path : "";
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

}  // namespace

int AfxOffscreenMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = OffscreenModuleInstance();
    app->m_argc = argc;
    app->m_argv = argv;
    if (app->m_pszAppName == nullptr)
        app->m_pszAppName = OffscreenKeepString(ModuleBaseName(argc > 0 ? argv[0] : nullptr));
    if (!app->InitInstance()) {
        // As in MFC: a main window left behind by a failed start goes.
        if (app->m_pMainWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        return 0;
    }
    return app->Run();
}
