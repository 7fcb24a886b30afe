#include "hack_app.h"

#include "canvas/full_screen_wnd.h"
#include "canvas/growth_wnd.h"
#include "process_seed.h"
#include "profile_file.h"
#include "settings/dialog_settings.h"
#include "settings/settings.h"
#include "settings_wnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The size of -window's window, within the screen: as wide as a large
// canvas, so that it grows the full-screen saver's branches.
constexpr LONG kOwnWindowWidth = 800;
constexpr LONG kOwnWindowHeight = 600;

}  // namespace

CGrowthWnd* CHackApp::CreateCanvasIn(HWND host)
{
    auto* canvas = new CGrowthWnd(TRUE);
    SeedGrowthForThisProcess();
    CRect client;
    ::GetClientRect(host, &client);
    return canvas->Create(0, WS_CHILD | WS_VISIBLE, client, host) ? canvas : nullptr;
}

BEGIN_MESSAGE_MAP(CHackApp, CWinApp)
END_MESSAGE_MAP()

// The settings file is named after the program, whatever the binary is
// called: $XDG_CONFIG_HOME/Tarnwell/verdane.ini.
CHackApp::CHackApp()
    : CWinApp("verdane")
{
}

BOOL CHackApp::InitInstance()
{
    SetRegistryKey("Tarnwell");
    if (ShowsOnWayland(m_options, std::getenv("WAYLAND_SOCKET"), std::getenv("WAYLAND_DISPLAY"),
                       std::getenv("DISPLAY"))) {
#ifdef VERDANE_WAYLAND
        m_onWayland = true;
        return InitWayland();
#else
        if (m_options.displayKind == HackDisplay::Wayland) {
            m_error = "this verdane was built without Wayland support (--x11 shows it on an X display)";
            return FALSE;
        }
#endif
    }
    m_port.emplace();
    if (!m_port->Open(m_options.display, m_error))
        return FALSE;
    // Windows of its own need the screen's visual to be one verdane draws
    // on; on windows of others the port checks theirs.
    const bool ownWindows = m_options.target == HackTarget::Window || m_options.target == HackTarget::FullScreen ||
                            m_options.target == HackTarget::Settings;
    if (ownWindows && !m_port->DrawsOnScreen(m_error))
        return FALSE;
    switch (m_options.target) {
    case HackTarget::Root:
        return StartOnRoot();
    case HackTarget::WindowId:
        return StartInWindow(m_options.windowId);
    case HackTarget::FullScreen:
        m_port->UseDesktopPicture();
        return StartFullScreen();
    case HackTarget::Settings:
        RunSettings();
        return FALSE;
    case HackTarget::Window:
        break;
    }
    m_port->UseDesktopPicture();
    return StartInOwnWindow();
}

void CHackApp::ClosePort()
{
    m_port.reset();
#ifdef VERDANE_WAYLAND
    m_wayland.reset();
#endif
}

CX11RunOptions CHackApp::RunOptions() const
{
    CX11RunOptions options;
    options.delayMicros = m_options.delayMicros;
    options.showFps = m_options.showFps;
    // Windows of its own sleep with the display; under XScreenSaver the
    // daemon stops its hacks itself.
    options.sleepWithDisplay = m_options.target == HackTarget::Window || m_options.target == HackTarget::FullScreen;
    return options;
}

int CHackApp::Run()
{
#ifdef VERDANE_WAYLAND
    if (m_onWayland) {
        CWaylandRunOptions options;
        options.delayMicros = m_options.delayMicros;
        return m_wayland->Run(options);
    }
#endif
    const int status = m_port->Run(RunOptions());
    if (!m_port->Failure().empty())
        m_error = m_port->Failure();
    return status;
}

// The values are limited as the dialog's controls limit them: the hidden
// scroll bar to 0..100, the check box to its three states (anything else
// shows unchecked), the sliders to 0..100 (by the window).
void CHackApp::RunSettings()
{
    constexpr int kMaxPosition = 100;
    settings::CDialogSettings values = settings::LoadDialogSettings();
    values.speed = std::clamp(values.speed, 0, kMaxPosition);
    if (values.blank < 0 || values.blank > 2)
        values.blank = 0;

    CSettingsWnd window(values.plantSize, values.growthRate);
    if (!window.Create()) {
        m_error = "cannot create the settings window";
        return;
    }
    // As the main window its end ends the loop.
    m_pMainWnd = &window;
    const int status = Run();
    if (m_pMainWnd == &window)
        m_pMainWnd = nullptr;
    if (status != 0 || !m_error.empty() || !window.Accepted())
        return;
    values.plantSize = window.PlantSize();
    values.growthRate = window.GrowthRate();
    // The four writes share one wait for a lock that another writer keeps,
    // so OK gives up after CFileLock::kWait however many are refused.
    m_storeDeadline = CFileLock::Clock::now() + CFileLock::kWait;
    const bool stored = settings::StoreDialogSettings(values);
    m_storeDeadline.reset();
    if (!stored) {
        m_error = "cannot store the settings: " + m_storeError;
        m_errorStatus = hack_exit::kNotStored;
    }
}

void CHackApp::SetOptions(const CHackOptions& options)
{
    m_options = options;
    m_underXScreenSaver = StartedByXScreenSaver(options, std::getenv("XSCREENSAVER_WINDOW"));
}

int CHackApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    if (section != nullptr && entry != nullptr && std::strcmp(section, settings::kSection) == 0) {
        if (std::strcmp(entry, settings::kNames.plantSize) == 0 && m_options.plantSize)
            return *m_options.plantSize;
        if (std::strcmp(entry, settings::kNames.growthRate) == 0 && m_options.growthRate)
            return *m_options.growthRate;
        if (std::strcmp(entry, settings::kNames.blank) == 0 && m_options.blank)
            return 1;
    }
    // XScreenSaver passes what its settings panel shows on the command line
    // and leaves out a value at the slider's default: the built-in default
    // stands in for it, never what `verdane -settings` stored.
    if (m_underXScreenSaver)
        return defaultValue;
    return CWinApp::GetProfileInt(section, entry, defaultValue);
}

BOOL CHackApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    if (m_pszRegistryKey == nullptr || section == nullptr || entry == nullptr) {
        m_storeError = "there is no settings store";
        return FALSE;
    }
    const CProfileFile store(m_pszRegistryKey, m_pszAppName);
    return store.WriteInt(section, entry, value, &m_storeError, m_storeDeadline) ? TRUE : FALSE;
}

BOOL CHackApp::StartOnRoot()
{
    const char* handed = std::getenv("XSCREENSAVER_WINDOW");
    if (handed == nullptr || *handed == '\0')
        return StartInWindow(m_port->RootWindowId());
    const auto window = ParseWindowId(handed);
    if (!window) {
        m_error = std::string("XSCREENSAVER_WINDOW='") + handed + "' is not a window id";
        return FALSE;
    }
    return StartInWindow(*window);
}

BOOL CHackApp::StartInWindow(std::uint32_t window)
{
    // Under XScreenSaver the picture is the one its image hacks start on,
    // which shows the desktop only when the user allows it.
    const CX11StartPicture picture = m_underXScreenSaver ? CX11StartPicture::Grabbed : CX11StartPicture::Shown;
    const HWND host = m_port->AttachWindow(window, picture, m_error);
    if (host == nullptr)
        return FALSE;
    return BecomeMain(CreateCanvasIn(host), "cannot create the canvas");
}

BOOL CHackApp::StartInOwnWindow()
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = 0, y = 0;
    int width = std::min<int>(kOwnWindowWidth, screenWidth);
    int height = std::min<int>(kOwnWindowHeight, screenHeight);
    PlaceWindow(m_options.geometry, screenWidth, screenHeight, x, y, width, height);
    auto* canvas = new CGrowthWnd(TRUE);
    SeedGrowthForThisProcess();
    const bool created = canvas->Create(0, WS_VISIBLE, CRect(x, y, x + width, y + height), nullptr) != FALSE;
    return BecomeMain(created ? canvas : nullptr, "cannot create the window");
}

BOOL CHackApp::StartFullScreen()
{
    auto* window = new CFullScreenWnd;
    SeedGrowthForThisProcess();
    window->CreateFullScreen();
    return BecomeMain(::IsWindow(window->m_hWnd) ? window : nullptr, "cannot create the full-screen window");
}

BOOL CHackApp::BecomeMain(CWnd* window, const char* failure)
{
    if (window == nullptr) {
        m_error = failure;
        return FALSE;
    }
    m_pMainWnd = window;
    return TRUE;
}
