#include "x11_port.h"

#include "offscreen_world.h"
#include "x11_display.h"
#include "x11_loop.h"
#include "x11_picture.h"
#include "x11_targets.h"

#include <optional>

static_assert(CX11Port::kConnectionLostStatus == CX11Display::kConnectionLostStatus);

// Members in the order they must be made; they go in reverse: the targets
// give the pictures back and destroy their X windows while the windows and
// the display are still there, then the windows go, then the connection.
class CX11Port::CImpl {
public:
    CX11Display m_display;
    COffscreenWorld m_world;
    std::optional<CX11Targets> m_targets;  // once the display is open
};

CX11Port::CX11Port()
    : m_impl(std::make_unique<CImpl>())
{
}

CX11Port::~CX11Port() = default;

bool CX11Port::Open(const std::string& displayName, std::string& error)
{
    if (!m_impl->m_display.Open(displayName, error))
        return false;
    m_impl->m_world.SetScreenSize(m_impl->m_display.Width(), m_impl->m_display.Height());
    m_impl->m_targets.emplace(m_impl->m_world, m_impl->m_display);
    return true;
}

void CX11Port::Close()
{
    m_impl.reset();  // the old world goes before a new one is installed
    m_impl = std::make_unique<CImpl>();
}

std::uint32_t CX11Port::RootWindowId() const
{
    return static_cast<std::uint32_t>(m_impl->m_display.Root());
}

bool CX11Port::DrawsOnScreen(std::string& error) const
{
    if (m_impl->m_display.DefaultVisualIsPackedRgb())
        return true;
    error = "the screen's default visual is not 24-bit TrueColor, which is all this port draws on";
    return false;
}

void CX11Port::UseDesktopPicture()
{
    m_impl->m_world.SetScreenPicture(ReadStartPicture(m_impl->m_display.Get(), m_impl->m_display.Root()));
}

HWND CX11Port::AttachWindow(std::uint32_t window, CX11StartPicture picture, std::string& error)
{
    return m_impl->m_targets->Attach(window, picture, error);
}

int CX11Port::Run(const CX11RunOptions& options)
{
    return CX11Loop(m_impl->m_display, m_impl->m_world, *m_impl->m_targets, options).Run();
}

const std::string& CX11Port::Failure() const
{
    static const std::string none;
    return m_impl->m_targets ? m_impl->m_targets->Failure() : none;
}
