#include "saver_process.h"

#include <algorithm>

std::string SaverPath()
{
    std::string path = VERDANE_SAVER_PATH;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

namespace {

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == search->processId && ::IsWindowVisible(hWnd)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool HasVisibleWindow(DWORD processId)
{
    WindowSearch search{processId, false};
    ::EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

SaverRun RunSaver(const std::string& arguments, DWORD timeoutMs)
{
    SaverRun run;
    const std::string path = SaverPath();
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;

    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcess(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process))
        return run;
    run.started = true;

    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        run.showedWindow = run.showedWindow || HasVisibleWindow(process.dwProcessId);
        if (::WaitForSingleObject(process.hProcess, 5) == WAIT_OBJECT_0) {
            run.ended = true;
            break;
        }
        if (::GetTickCount64() >= deadline)
            break;
    }
    if (run.ended) {
        ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    } else {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}
