// The application object of the program `verdane`: the growth canvas on
// the window XScreenSaver's options name, with the stored settings (which
// the command line may override for one run; under XScreenSaver only the
// command line counts), run by the X11 port's loop, or by the Wayland
// port's on a Wayland compositor (hack_wayland.cpp).
#pragma once

#include "app.h"
#include "file_lock.h"
#include "hack_exit_status.h"
#include "hack_options.h"
#include "x11_port.h"
#ifdef VERDANE_WAYLAND
#include "wayland_port.h"
#endif

#include <optional>
#include <string>

class CGrowthWnd;

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
    void ClosePort();

    // Why start-up failed, in one line; empty when it did not.
    const std::string& Error() const { return m_error; }
    // The exit status that goes with it (hack_exit_status.h).
    int ErrorStatus() const { return m_errorStatus; }

private:
    // A canvas filling the host's client area, as the saver's preview fills
    // the host's pane; nullptr when creation fails (the canvas,
    // auto-delete, has then deleted itself).
    static CGrowthWnd* CreateCanvasIn(HWND host);
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
#ifdef VERDANE_WAYLAND
    // Start-up on a Wayland compositor: the same windows, the outputs'
    // surfaces for the X windows.
    BOOL InitWayland();
    // A canvas beneath the windows of each output, or of
    // $SWAYLOCK_PLUGIN_OUTPUT_NAME's alone.
    BOOL StartBeneathWindows();
    std::optional<CWaylandPort> m_wayland;
#endif

    CHackOptions m_options;
    // Started by XScreenSaver's driver or its settings panel's preview.
    bool m_underXScreenSaver = false;
    // The port of the display shown on, made at start-up: each holds a
    // window system of its own, and only one may be in use.
    std::optional<CX11Port> m_port;
    bool m_onWayland = false;
    std::string m_error;
    int m_errorStatus = hack_exit::kUnusable;
    std::string m_storeError;  // why the last write was refused
    // While OK stores: when the writes stop waiting for a lock another
    // writer keeps.
    std::optional<CFileLock::Clock::time_point> m_storeDeadline;

    DECLARE_MESSAGE_MAP()
};
