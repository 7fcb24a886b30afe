#include "wayland_display.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The highest version of each global this port speaks; a compositor offering
// less is bound at its own.
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kOutputVersion = 4;  // 4 names the outputs
constexpr std::uint32_t kWmBaseVersion = 2;
constexpr std::uint32_t kLayerShellVersion = 4;
constexpr std::uint32_t kScreenCopyVersion = 3;

template <class T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface, std::uint32_t offered,
        std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

const wl_output_listener kOutputListener = {
    [](void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const char*,
       const char*, std::int32_t) {},
    [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t refresh) {
        if ((flags & WL_OUTPUT_MODE_CURRENT) == 0)
            return;
        auto* output = static_cast<CWaylandOutput*>(data);
        output->width = width;
        output->height = height;
        output->refreshMilliHz = refresh;
    },
    [](void*, wl_output*) {},
    [](void*, wl_output*, std::int32_t) {},
    [](void* data, wl_output*, const char* name) { static_cast<CWaylandOutput*>(data)->name = name; },
    [](void*, wl_output*, const char*) {},
};

const xdg_wm_base_listener kWmBaseListener = {
    [](void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); },
};

const wl_registry_listener kRegistryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
        static_cast<CWaylandDisplay*>(data)->OnGlobal(registry, name, interface, version);
    },
    [](void* data, wl_registry*, std::uint32_t name) { static_cast<CWaylandDisplay*>(data)->OnGlobalRemove(name); },
};

}  // namespace

CWaylandDisplay::~CWaylandDisplay()
{
    if (m_display == nullptr)
        return;
    for (const auto& output : m_outputs)
        wl_output_destroy(output->output);
    for (const auto& output : m_removedOutputs)
        wl_output_destroy(output->output);
    if (m_screenCopy != nullptr)
        zwlr_screencopy_manager_v1_destroy(m_screenCopy);
    if (m_layerShell != nullptr)
        zwlr_layer_shell_v1_destroy(m_layerShell);
    if (m_wmBase != nullptr)
        xdg_wm_base_destroy(m_wmBase);
    if (m_shm != nullptr)
        wl_shm_destroy(m_shm);
    if (m_compositor != nullptr)
        wl_compositor_destroy(m_compositor);
    wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

bool CWaylandDisplay::Open(std::string& error)
{
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        error = std::string("cannot connect to the Wayland compositor '") +
                (std::getenv("WAYLAND_SOCKET") != nullptr ? "$WAYLAND_SOCKET" : name != nullptr ? name : "wayland-0") +
                "'";
        return false;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &kRegistryListener, this);
    // The first round trip announces the globals; the second brings the
    // outputs' modes and names.
    Roundtrip();
    Roundtrip();
    return true;
}

void CWaylandDisplay::OnGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                               std::uint32_t version)
{
    const std::string which = interface;
    if (which == wl_compositor_interface.name && m_compositor == nullptr) {
        m_compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion);
    } else if (which == wl_shm_interface.name && m_shm == nullptr) {
        m_shm = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
    } else if (which == wl_seat_interface.name && m_seatName == 0) {
        m_seatName = name;
        m_seatVersion = std::min(version, kSeatVersion);
    } else if (which == xdg_wm_base_interface.name && m_wmBase == nullptr) {
        m_wmBase = Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, kWmBaseVersion);
        xdg_wm_base_add_listener(m_wmBase, &kWmBaseListener, nullptr);
    } else if (which == zwlr_layer_shell_v1_interface.name && m_layerShell == nullptr) {
        m_layerShell =
            Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, kLayerShellVersion);
    } else if (which == zwlr_screencopy_manager_v1_interface.name && m_screenCopy == nullptr) {
        m_screenCopy = Bind<zwlr_screencopy_manager_v1>(registry, name, &zwlr_screencopy_manager_v1_interface,
                                                        version, kScreenCopyVersion);
    } else if (which == wl_output_interface.name) {
        auto output = std::make_unique<CWaylandOutput>();
        output->globalName = name;
        output->output = Bind<wl_output>(registry, name, &wl_output_interface, version, kOutputVersion);
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        m_outputs.push_back(std::move(output));
    }
}

wl_seat* CWaylandDisplay::BindSeat() const
{
    if (m_seatName == 0)
        return nullptr;
    return static_cast<wl_seat*>(wl_registry_bind(m_registry, m_seatName, &wl_seat_interface, m_seatVersion));
}

void CWaylandDisplay::OnGlobalRemove(std::uint32_t name)
{
    // An output unplugged: the compositor closes the layer surfaces on it.
    // It is no longer listed, but kept until the connection closes, since
    // surfaces and start-up may still hold it.
    const auto gone = std::find_if(m_outputs.begin(), m_outputs.end(),
                                   [name](const auto& output) { return output->globalName == name; });
    if (gone == m_outputs.end())
        return;
    m_removedOutputs.push_back(std::move(*gone));
    m_outputs.erase(gone);
}

const CWaylandOutput* CWaylandDisplay::FindOutput(const std::string& name) const
{
    for (const auto& output : m_outputs) {
        if (output->name == name)
            return output.get();
    }
    return nullptr;
}

const CWaylandOutput* CWaylandDisplay::FindOutput(const wl_output* wanted) const
{
    for (const auto& output : m_outputs) {
        if (output->output == wanted)
            return output.get();
    }
    return nullptr;
}

void CWaylandDisplay::Roundtrip() const
{
    if (wl_display_roundtrip(m_display) < 0)
        Lost();
}

void CWaylandDisplay::Flush() const
{
    // A full socket (EAGAIN) keeps the rest for the next flush.
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN)
        Lost();
}

void CWaylandDisplay::DispatchPending() const
{
    if (wl_display_dispatch_pending(m_display) < 0)
        Lost();
}

bool CWaylandDisplay::DispatchUntil(std::chrono::steady_clock::time_point deadline) const
{
    while (wl_display_prepare_read(m_display) != 0)
        DispatchPending();
    Flush();
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
        wl_display_cancel_read(m_display);
        return false;
    }
    pollfd socket{wl_display_get_fd(m_display), POLLIN, 0};
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(left).count() + 1;
    if (poll(&socket, 1, static_cast<int>(millis)) > 0) {
        ReadEvents();
    } else {
        wl_display_cancel_read(m_display);
    }
    DispatchPending();
    return true;
}

void CWaylandDisplay::ReadEvents() const
{
    if (wl_display_read_events(m_display) < 0)
        Lost();
}

void CWaylandDisplay::Lost() const
{
    // A protocol error is this program's fault, not the compositor's
    // going away; the line says which it was.
    const int error = wl_display_get_error(m_display);
    if (error == EPROTO) {
        const wl_interface* interface = nullptr;
        std::uint32_t id = 0;
        const std::uint32_t code = wl_display_get_protocol_error(m_display, &interface, &id);
        std::fprintf(stderr, "%s: the Wayland compositor ended the connection: protocol error %u on %s\n",
                     program_invocation_short_name, code, interface != nullptr ? interface->name : "the display");
    } else {
        std::fprintf(stderr, "%s: lost the connection to the Wayland compositor (%s)\n", program_invocation_short_name,
                     std::strerror(error != 0 ? error : EPIPE));
    }
    std::_Exit(kConnectionLostStatus);
}
