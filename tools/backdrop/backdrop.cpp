// backdrop.exe PICTURE.bmp PROGRAM [ARGUMENTS...]
//
// Shows a bitmap over the whole primary screen, as a desktop shows its
// wallpaper and windows, then runs the program with the arguments and
// waits for it to end, keeping the picture painted meanwhile. It lets the
// main job show the saver growing over a known desktop picture under Wine.
// Exit code: the program's, or 2 when the picture or the program cannot
// be had.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HBITMAP g_picture = nullptr;

LRESULT CALLBACK BackdropProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(hWnd, &paint);
    const HDC memory = ::CreateCompatibleDC(dc);
    const HGDIOBJ previous = ::SelectObject(memory, g_picture);
    BITMAP info{};
    ::GetObject(g_picture, sizeof info, &info);
    RECT client;
    ::GetClientRect(hWnd, &client);
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::EndPaint(hWnd, &paint);
    return 0;
}

// The command line after the picture's argument, as it was written.
std::string ProgramCommandLine()
{
    const char* p = ::GetCommandLineA();
    for (int skip = 0; skip < 2 && *p != '\0'; ++skip) {
        bool quoted = false;
        while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            ++p;
        }
        while (*p == ' ' || *p == '\t')
            ++p;
    }
    return p;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: backdrop PICTURE.bmp PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    g_picture = static_cast<HBITMAP>(::LoadImageA(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (g_picture == nullptr) {
        std::fprintf(stderr, "backdrop: cannot read the bitmap %s\n", argv[1]);
        return 2;
    }

    WNDCLASSA backdropClass{};
    backdropClass.lpfnWndProc = &BackdropProcedure;
    backdropClass.hInstance = ::GetModuleHandle(nullptr);
    backdropClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    backdropClass.lpszClassName = "VerdaneBackdrop";
    ::RegisterClassA(&backdropClass);
    const HWND window = ::CreateWindowExA(0, backdropClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                          ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                          nullptr, backdropClass.hInstance, nullptr);
    ::UpdateWindow(window);
    ::GdiFlush();
    // Half a second for the display to show the picture before the program
    // looks at it, with the window's messages handled meanwhile: its own
    // activation is over before the program's window takes the foreground.
    const ULONGLONG settled = ::GetTickCount64() + 500;
    for (ULONGLONG now = ::GetTickCount64(); now < settled; now = ::GetTickCount64()) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(settled - now), QS_ALLINPUT);
    }

    std::string commandLine = ProgramCommandLine();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "backdrop: cannot start %s\n", commandLine.c_str());
        return 2;
    }
    for (;;) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        if (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            break;
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::DestroyWindow(window);
    ::DeleteObject(g_picture);
    return static_cast<int>(exitCode);
}
