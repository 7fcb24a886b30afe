// A verdane.scr process kept running while a test works its windows from
// outside, as a user would, and the settings it keeps in the registry.
#pragma once

#include "afxtypes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CRunningSaver {
public:
    // Starts the saver with the arguments appended to its quoted path: the
    // build's verdane.scr, or the one at saverPath.
    explicit CRunningSaver(const std::string& arguments);
    CRunningSaver(const std::string& arguments, const std::string& saverPath);
    // A saver still running is terminated.
    ~CRunningSaver();
    CRunningSaver(const CRunningSaver&) = delete;
    CRunningSaver& operator=(const CRunningSaver&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD ProcessId() const { return m_process.dwProcessId; }

    // The visible top-level windows of the process, as they are now.
    std::vector<HWND> VisibleWindows() const;
    // The windows of the process inside parent, at any depth, visible or
    // not, as they are now.
    std::vector<HWND> ChildWindows(HWND parent) const;

    // The first visible top-level window of the process that matches,
    // waiting up to timeoutMs for one to appear; nullptr when none did.
    HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD timeoutMs) const;
    // Waits up to timeoutMs for the process to end; true, with its exit
    // code in *exitCode, when it did.
    bool WaitForEnd(DWORD timeoutMs, DWORD* exitCode = nullptr);

private:
    PROCESS_INFORMATION m_process{};
};

// The text of a window, of this process or another.
std::string WindowText(HWND hWnd);
std::string WindowClass(HWND hWnd);
// Whether the window is a dialog (the platform's dialog class) with this
// caption.
bool IsDialogWithCaption(HWND hWnd, const char* caption);

// The window with the keyboard focus in the thread that owns hWnd.
HWND FocusOfThreadOf(HWND hWnd);

// The saver's settings: HKEY_CURRENT_USER\Software\Tarnwell\verdane\Config,
// "verdane" being the module's name.
namespace saver_settings {

// Removes the key with every value in it.
void Clear();
void Store(const char* name, int value);
// The value as a signed 32-bit number; none when absent.
std::optional<int> Stored(const char* name);
// The names of the values, in the order the store lists them (under Wine,
// sorted by name).
std::vector<std::string> Names();

}  // namespace saver_settings
