// verdane on a Wayland compositor: the modes as on X11, with the outputs'
// surfaces in place of X windows. What each mode needs of the compositor
// is checked first; a compositor that lacks it ends start-up with one line
// (status 2).
#include "hack_app.h"

#include "canvas/growth_wnd.h"

#include <cstdlib>

static_assert(CWaylandPort::kConnectionLostStatus == hack_exit::kServerGone);

BOOL CHackApp::InitWayland()
{
    m_wayland.emplace();
    if (!m_wayland->Open(m_error))
        return FALSE;
    switch (m_options.target) {
    case HackTarget::Root:
        return StartBeneathWindows();
    case HackTarget::WindowId:
        m_error = "-window-id names an X window, which a Wayland compositor has not (--x11 uses the X display)";
        return FALSE;
    case HackTarget::FullScreen:
        if (!m_wayland->CanCover(m_error) || !m_wayland->UseOutput(m_options.output, m_error))
            return FALSE;
        return StartFullScreen();
    case HackTarget::Settings:
        if (!m_wayland->CanMakeWindows(m_error))
            return FALSE;
        RunSettings();
        return FALSE;
    case HackTarget::Window:
        break;
    }
    if (!m_wayland->CanMakeWindows(m_error) || !m_wayland->UseOutput(m_options.output, m_error))
        return FALSE;
    return StartInOwnWindow();
}

BOOL CHackApp::StartBeneathWindows()
{
    if (!m_wayland->CanDrawBeneath(m_error))
        return FALSE;
    // swaylock-plugin starts one copy per output and names it.
    std::vector<std::string> outputs = m_wayland->OutputNames();
    const char* named = std::getenv("SWAYLOCK_PLUGIN_OUTPUT_NAME");
    if (named != nullptr && *named != '\0')
        outputs = {named};
    else if (!m_options.output.empty())
        outputs = {m_options.output};
    if (outputs.empty()) {
        m_error = "the compositor has no output";
        return FALSE;
    }
    for (const std::string& output : outputs) {
        const HWND host = m_wayland->AttachOutput(output, m_error);
        if (host == nullptr)
            return FALSE;
        CGrowthWnd* canvas = CreateCanvasIn(host);
        if (canvas == nullptr) {
            m_error = "cannot create the canvas";
            return FALSE;
        }
        // The first canvas is the main window; the others end with the
        // loop.
        if (m_pMainWnd == nullptr)
            m_pMainWnd = canvas;
    }
    return TRUE;
}
