#include "wnd_class.h"
#include "wnd_port.h"

#include <cstdio>
#include <set>
#include <string>

namespace {

// Names handed out so far. The set's nodes never move, so the names stay
// valid for the life of the process, as AfxRegisterWndClass promises.
std::set<std::string>& RegisteredNames()
{
    static std::set<std::string> names;
    return names;
}

}  // namespace

// The name encodes every argument, so equal arguments share one class and
// different ones never collide.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    const HINSTANCE instance = ::GetModuleHandle(nullptr);
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance), classStyle,
                  static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));

    WNDCLASSEX existing{};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoEx(instance, name, &existing)) {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &CWndPort::WindowProcedure;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        // A refused registration shows up as a failed CreateEx with this name.
        ::RegisterClassEx(&wc);
    }
    return RegisteredNames().insert(name).first->c_str();
}

LPCTSTR AfxDefaultWndClass()
{
    static const LPCTSTR name = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return name;
}
