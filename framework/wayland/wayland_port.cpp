#include "wayland_port.h"

#include "offscreen_world.h"
#include "pacing/display_frame.h"
#include "wayland_capture.h"
#include "wayland_display.h"
#include "wayland_loop.h"
#include "wayland_targets.h"

#include <optional>

static_assert(CWaylandPort::kConnectionLostStatus == CWaylandDisplay::kConnectionLostStatus);

// Members in the order they must be made; they go in reverse: the targets
// destroy their surfaces while the windows and the connection are still
// there, then the windows go, then the connection.
class CWaylandPort::CImpl {
public:
    CWaylandDisplay m_display;
    COffscreenWorld m_world;
    std::optional<CWaylandTargets> m_targets;  // once connected
    const CWaylandOutput* m_primary = nullptr;  // the output UseOutput chose

    const CWaylandOutput* Output(const std::string& name, std::string& error) const
    {
        const CWaylandOutput* output = nullptr;
        if (name.empty())
            output = m_display.Outputs().empty() ? nullptr : m_display.Outputs().front().get();
        else
            output = m_display.FindOutput(name);
        if (output == nullptr)
            error = name.empty() ? "the compositor has no output" : "there is no output named '" + name + "'";
        return output;
    }
};

CWaylandPort::CWaylandPort()
    : m_impl(std::make_unique<CImpl>())
{
}

CWaylandPort::~CWaylandPort() = default;

bool CWaylandPort::Open(std::string& error)
{
    if (!m_impl->m_display.Open(error))
        return false;
    if (m_impl->m_display.Compositor() == nullptr || m_impl->m_display.Shm() == nullptr) {
        error = "the Wayland compositor offers no wl_compositor or wl_shm";
        return false;
    }
    m_impl->m_targets.emplace(m_impl->m_world, m_impl->m_display);
    return true;
}

void CWaylandPort::Close()
{
    m_impl.reset();  // the old world goes before a new one is installed
    m_impl = std::make_unique<CImpl>();
}

std::vector<std::string> CWaylandPort::OutputNames() const
{
    std::vector<std::string> names;
    for (const auto& output : m_impl->m_display.Outputs())
        names.push_back(output->name);
    return names;
}

bool CWaylandPort::CanCover(std::string& error) const
{
    if (m_impl->m_display.LayerShell() != nullptr || m_impl->m_display.WmBase() != nullptr)
        return true;
    error = "the Wayland compositor offers neither zwlr_layer_shell_v1 nor xdg_wm_base, which -fullscreen needs";
    return false;
}

bool CWaylandPort::CanMakeWindows(std::string& error) const
{
    if (m_impl->m_display.WmBase() != nullptr)
        return true;
    error = "the Wayland compositor offers no xdg_wm_base, which a window of its own needs";
    return false;
}

bool CWaylandPort::CanDrawBeneath(std::string& error) const
{
    if (m_impl->m_display.LayerShell() != nullptr)
        return true;
    error = "the Wayland compositor offers no zwlr_layer_shell_v1, which -root needs";
    return false;
}

bool CWaylandPort::UseOutput(const std::string& name, std::string& error)
{
    const CWaylandOutput* output = m_impl->Output(name, error);
    if (output == nullptr)
        return false;
    m_impl->m_primary = output;
    CSurface picture = CaptureOutput(m_impl->m_display, *output);
    // The copy's size is the output's in pixels, whatever its mode said.
    const int width = picture.Width() > 0 ? picture.Width() : output->width;
    const int height = picture.Height() > 0 ? picture.Height() : output->height;
    if (width > 0 && height > 0)
        m_impl->m_world.SetScreenSize(width, height);
    m_impl->m_world.SetScreenPicture(picture);
    // A full-screen window covers the output captured.
    m_impl->m_targets->SetFullScreenOutput(output);
    return true;
}

HWND CWaylandPort::AttachOutput(const std::string& name, std::string& error)
{
    const CWaylandOutput* output = m_impl->Output(name, error);
    if (output == nullptr)
        return nullptr;
    // The first output attached is the primary screen, which canvases size
    // their pools from.
    if (m_impl->m_primary == nullptr && output->width > 0 && output->height > 0) {
        m_impl->m_primary = output;
        m_impl->m_world.SetScreenSize(output->width, output->height);
    }
    return m_impl->m_targets->AttachOutput(*output, error);
}

int CWaylandPort::Run(const CWaylandRunOptions& options)
{
    const CWaylandOutput* output = m_impl->m_primary;
    if (output == nullptr && !m_impl->m_display.Outputs().empty())
        output = m_impl->m_display.Outputs().front().get();
    // Presents follow the output's refresh rate (mHz), read once.
    const double refreshHz = output != nullptr ? output->refreshMilliHz / 1000.0 : 0.0;
    return CWaylandLoop(m_impl->m_display, m_impl->m_world, *m_impl->m_targets, options, DisplayFrame(refreshHz))
        .Run();
}
