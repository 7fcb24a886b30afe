#include "wnd_port.h"

#include "app.h"
#include "paced_presents.h"
#include "window_picture.h"

#include <unordered_map>
#include <utility>

namespace {

struct AttachedWindow {
    CWnd* wnd;
    WNDPROC superProc;
};

// Windows belong to the thread that creates them, so the map and the window
// being created are per thread, as the messages that use them are.
thread_local std::unordered_map<HWND, AttachedWindow> t_windows;
thread_local CWnd* t_windowBeingCreated = nullptr;

WNDPROC CurrentProcedure(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
}

}  // namespace

LRESULT CALLBACK CWndPort::WindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = Lookup(hWnd);
    if (wnd == nullptr && t_windowBeingCreated != nullptr) {
        wnd = std::exchange(t_windowBeingCreated, nullptr);
        Attach(*wnd, hWnd, nullptr);
    }
    if (wnd == nullptr)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    // The window has its size but is not shown yet: what is beneath it now
    // is what it would show without desktop composition.
    if (message == WM_CREATE)
        CWindowPictures::Start(hWnd);

    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        FinishWindow(*wnd);
    return result;
}

void CWndPort::Attach(CWnd& wnd, HWND hWnd, WNDPROC superProc)
{
    t_windows[hWnd] = AttachedWindow{&wnd, superProc};
    wnd.m_hWnd = hWnd;
}

void CWndPort::Subclass(CWnd& wnd, HWND hWnd)
{
    const WNDPROC original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndPort::WindowProcedure)));
    Attach(wnd, hWnd, original);
}

void CWndPort::Detach(CWnd& wnd)
{
    const auto found = t_windows.find(wnd.m_hWnd);
    if (found != t_windows.end()) {
        // Only undo our own subclassing: if someone subclassed the window
        // after us, their procedure stays and calls ours no more.
        const WNDPROC superProc = found->second.superProc;
        if (superProc != nullptr && CurrentProcedure(wnd.m_hWnd) == &CWndPort::WindowProcedure)
            ::SetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc));
        t_windows.erase(found);
    }
    wnd.m_hWnd = nullptr;
}

CWnd* CWndPort::Lookup(HWND hWnd)
{
    const auto found = t_windows.find(hWnd);
    return found != t_windows.end() ? found->second.wnd : nullptr;
}

WNDPROC CWndPort::SuperProcedure(HWND hWnd)
{
    const auto found = t_windows.find(hWnd);
    return found != t_windows.end() ? found->second.superProc : nullptr;
}

bool CWndPort::IsAttached(const CWnd* wnd)
{
    for (const auto& entry : t_windows) {
        if (entry.second.wnd == wnd)
            return true;
    }
    return false;
}

CWnd* CWndPort::ExchangeWindowBeingCreated(CWnd* wnd)
{
    return std::exchange(t_windowBeingCreated, wnd);
}

void CWndPort::FinishWindow(CWnd& wnd)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == &wnd) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CPacedPresents::Forget(wnd.m_hWnd);
    CWindowPictures::Forget(wnd.m_hWnd);
    Detach(wnd);
    wnd.PostNcDestroy();
}
