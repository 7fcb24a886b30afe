#include "running_saver.h"

#include "saver_process.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Tarnwell\\verdane\\Config";

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == search->processId && (!search->visibleOnly || ::IsWindowVisible(hWnd)))
        search->found.push_back(hWnd);
    return TRUE;
}

}  // namespace

CRunningSaver::CRunningSaver(const std::string& arguments)
    : CRunningSaver(arguments, SaverPath())
{
}

CRunningSaver::CRunningSaver(const std::string& arguments, const std::string& path)
{
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    // Wine's process creation now and then fails once under load (seen in
    // one start of thousands); what these tests judge is the saver, so a
    // start is tried a few times before it counts as failed.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::CreateProcess(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &m_process))
            return;
        m_process = PROCESS_INFORMATION{};
        ::Sleep(200);
    }
}

CRunningSaver::~CRunningSaver()
{
    if (!Started())
        return;
    if (::WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, INFINITE);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

std::vector<HWND> CRunningSaver::VisibleWindows() const
{
    WindowSearch search{m_process.dwProcessId, true, {}};
    if (Started())
        ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> CRunningSaver::ChildWindows(HWND parent) const
{
    WindowSearch search{m_process.dwProcessId, false, {}};
    if (Started())
        ::EnumChildWindows(parent, &CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CRunningSaver::WaitForWindow(const std::function<bool(HWND)>& matches, DWORD timeoutMs) const
{
    if (!Started())
        return nullptr;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        for (HWND window : VisibleWindows()) {
            if (matches(window))
                return window;
        }
        if (::GetTickCount64() >= deadline)
            return nullptr;
        ::Sleep(20);
    }
}

bool CRunningSaver::WaitForEnd(DWORD timeoutMs, DWORD* exitCode)
{
    if (!Started() || ::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode != nullptr)
        ::GetExitCodeProcess(m_process.hProcess, exitCode);
    return true;
}

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowText(hWnd, text, sizeof text);
    return text;
}

std::string WindowClass(HWND hWnd)
{
    char name[256] = {};
    ::GetClassName(hWnd, name, sizeof name);
    return name;
}

bool IsDialogWithCaption(HWND hWnd, const char* caption)
{
    return WindowClass(hWnd) == "#32770" && WindowText(hWnd) == caption;
}

HWND FocusOfThreadOf(HWND hWnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

namespace saver_settings {

void Clear()
{
    ::RegDeleteTree(HKEY_CURRENT_USER, kSettingsKey);
}

void Store(const char* name, int value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    const DWORD data = static_cast<DWORD>(value);
    ::RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
}

std::optional<int> Stored(const char* name)
{
    DWORD data = 0;
    DWORD size = sizeof data;
    DWORD type = 0;
    if (::RegGetValue(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, &data, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return static_cast<int>(data);
}

std::vector<std::string> Names()
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (::RegEnumValue(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    ::RegCloseKey(key);
    return names;
}

}  // namespace saver_settings
