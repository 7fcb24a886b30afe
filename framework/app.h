// The application object: one global instance per program. The port's entry
// point fills in the module's name, instance and arguments, calls
// InitInstance, and runs the message loop when it returns TRUE.
#pragma once

#include "cmdtarget.h"

class CWnd;

// The framework's Help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    // appName nullptr: the module's file name without its extension.
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // The message loop: runs until the quit message, then returns its code.
    virtual int Run();

    // From here on the profile functions use the per-user store under
    // Software\<key>\<application name>.
    void SetRegistryKey(LPCTSTR key);
    // The stored 32 bits read as a signed integer, or defaultValue when the
    // value is absent, unreadable or of another type. Virtual so that a
    // program hosting the windows (the render tool) can answer from its own
    // options instead of the per-user store.
    virtual int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    // Stores a 32-bit value, creating the key path as needed.
    virtual BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

    // Resources of the program's module, by identifier; nullptr when absent.
    HCURSOR LoadCursor(UINT id) const;
    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
    LPCTSTR m_pszAppName = nullptr;      // set at start-up when not given
    LPCTSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // The C runtime's argument vector (split at white space, double quotes
    // grouping); argv[0] is the program.
    int m_argc = 0;
    char** m_argv = nullptr;

protected:
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};

// The application object, or nullptr before it is constructed.
CWinApp* AfxGetApp();
