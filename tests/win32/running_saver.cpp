#include "running_saver.h"

#include "saver_process.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Tarnwell\\verdane\\Config";

struct WindowSearch {
    DWORD processId;
    const std::function<bool(HWND)>* matches;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == search->processId && ::IsWindowVisible(hWnd) && (*search->matches)(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CRunningSaver::CRunningSaver(const std::string& arguments)
{
    const std::string path = SaverPath();
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcess(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &m_process))
        m_process = PROCESS_INFORMATION{};
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

HWND CRunningSaver::WaitForWindow(const std::function<bool(HWND)>& matches, DWORD timeoutMs) const
{
    if (!Started())
        return nullptr;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        WindowSearch search{m_process.dwProcessId, &matches, nullptr};
        ::EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || ::GetTickCount64() >= deadline)
            return search.found;
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

void PostKey(HWND hWnd, UINT virtualKey)
{
    const UINT scanCode = ::MapVirtualKey(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode) << 16;
    const LPARAM up = down | static_cast<LPARAM>(1) << 30 | static_cast<LPARAM>(1) << 31;
    ::PostMessage(hWnd, WM_KEYDOWN, virtualKey, down);
    ::PostMessage(hWnd, WM_KEYUP, virtualKey, up);
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
