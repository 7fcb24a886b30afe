#include "saver_process.h"

#include "running_saver.h"

#include <algorithm>

std::string PlatformPath(const std::string& buildPath)
{
    std::string path = buildPath;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string SaverPath()
{
    return PlatformPath(VERDANE_SAVER_PATH);
}

SaverRun RunSaver(const std::string& arguments, DWORD timeoutMs)
{
    SaverRun run;
    CRunningSaver saver(arguments);
    if (!saver.Started())
        return run;
    run.started = true;

    const auto anyWindow = [](HWND) { return true; };
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        run.showedWindow = run.showedWindow || saver.WaitForWindow(anyWindow, 0) != nullptr;
        if (saver.WaitForEnd(5, &run.exitCode)) {
            run.ended = true;
            break;
        }
        if (::GetTickCount64() >= deadline)
            break;
    }
    return run;
}
