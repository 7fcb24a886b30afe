// The application object of the X11 program `verdane`: the growth canvas on
// the window XScreenSaver's options name, with the stored settings (which
// the command line may override for one run; under XScreenSaver only the
// command line counts), run by the X11 port's loop.
#pragma once

#include "app.h"
#include "file_lock.h"
#include "hack_exit_status.h"
#include "hack_options.h"
#include "x11_port.h"

#include <optional>
#include <string>

class CHackApp : public CWinApp {
public:
    CHackApp();

    // Options read from the command line, before start-up.
    void SetOptions(const CHackOptions& options);

    // Opens the display and creates the canvas; FALSE, with Error() set,
    // when either cannot be done.
    BOOL InitInstance() override;
    int Run() override;

    // The stored settings, except those the command line overrides; under
    // XScreenSaver the command line and the built-in defaults alone.
    int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) override;
    // As the store does, keeping the store's reason when it refuses.
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) override;

    // Ends the display connection; main calls it before static objects go.
    void ClosePort() { m_port.Close(); }

    // Why start-up failed, in one line; empty when it did not.
    const std::string& Error() const { return m_error; }
    // The exit status that goes with it (hack_exit_status.h).
    int ErrorStatus() const { return m_errorStatus; }

private:
    // A canvas filling an X window that another program made.
    BOOL StartInWindow(std::uint32_t window);
    // The window XScreenSaver's driver hands over, else the root.
    BOOL StartOnRoot();
    BOOL StartInOwnWindow();
    BOOL StartFullScreen();
    // Makes the window (nullptr: creation failed) the main window, or
    // records the failure.
    BOOL BecomeMain(CWnd* window, const char* failure);
    // The settings window: as the Windows dialog, it reads the four values
    // it carries and, on OK, writes them back in the same order.
    void RunSettings();
    CX11RunOptions RunOptions() const;

    CHackOptions m_options;
    // Started by XScreenSaver's driver or its settings panel's preview.
    bool m_underXScreenSaver = false;
    CX11Port m_port;
    std::string m_error;
    int m_errorStatus = hack_exit::kUnusable;
    std::string m_storeError;  // why the last write was refused
    // While OK stores: when the writes stop waiting for a lock another
    // writer keeps.
    std::optional<CFileLock::Clock::time_point> m_storeDeadline;

    DECLARE_MESSAGE_MAP()
};
