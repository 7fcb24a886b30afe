// The connection to a Wayland compositor and the globals the port uses:
// the compositor, shared memory, the first seat (bound by its user), the shells (xdg-shell and
// the wlroots layer shell), the wlroots screen copy, and every output with
// its name and current mode. A global the compositor does not offer is
// nullptr; each mode says which ones it needs.
#pragma once

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;

struct CWaylandOutput {
    wl_output* output = nullptr;
    std::uint32_t globalName = 0;
    std::string name;         // "HEADLESS-1", "DP-2"; empty before wl_output 4
    int width = 0;            // the current mode, in pixels
    int height = 0;
    int refreshMilliHz = 0;   // 0 when the compositor did not say
};

class CWaylandDisplay {
public:
    // The exit status when the compositor goes away or ends the connection.
    static constexpr int kConnectionLostStatus = 3;

    CWaylandDisplay() = default;
    ~CWaylandDisplay();
    CWaylandDisplay(const CWaylandDisplay&) = delete;
    CWaylandDisplay& operator=(const CWaylandDisplay&) = delete;

    // Connects ($WAYLAND_SOCKET, else $WAYLAND_DISPLAY, else wayland-0) and
    // learns the globals and the outputs' modes and names. False, with a
    // one-line reason, when no compositor answers. Once only.
    bool Open(std::string& error);

    wl_display* Get() const { return m_display; }
    wl_compositor* Compositor() const { return m_compositor; }
    wl_shm* Shm() const { return m_shm; }
    // A new binding of the first seat (the caller owns it; nullptr when
    // the compositor has none): the seat says which devices it has as soon
    // as it is bound, so whoever listens binds it.
    wl_seat* BindSeat() const;
    xdg_wm_base* WmBase() const { return m_wmBase; }
    zwlr_layer_shell_v1* LayerShell() const { return m_layerShell; }
    zwlr_screencopy_manager_v1* ScreenCopy() const { return m_screenCopy; }

    // In the order the compositor announced them.
    const std::vector<std::unique_ptr<CWaylandOutput>>& Outputs() const { return m_outputs; }
    // nullptr when no output has that name.
    const CWaylandOutput* FindOutput(const std::string& name) const;
    const CWaylandOutput* FindOutput(const wl_output* output) const;

    // Sends the requests made and waits until the compositor has handled
    // them, dispatching the events that came meanwhile.
    void Roundtrip() const;
    // Sends the requests made, as far as the socket takes them now.
    void Flush() const;
    // Dispatches the events already read.
    void DispatchPending() const;
    // Waits for events until deadline and dispatches those that came;
    // false once the deadline has passed.
    bool DispatchUntil(std::chrono::steady_clock::time_point deadline) const;
    // Reads the events waiting on the socket (after a poll said so).
    void ReadEvents() const;

    // The compositor went away, or broke the connection: one line on
    // standard error, then the process ends at once with
    // kConnectionLostStatus, without the destructors of objects that would
    // talk to the dead connection.
    [[noreturn]] void Lost() const;

    // The registry's events: a global announced, and one withdrawn.
    void OnGlobal(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version);
    void OnGlobalRemove(std::uint32_t name);

private:

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_compositor* m_compositor = nullptr;
    wl_shm* m_shm = nullptr;
    std::uint32_t m_seatName = 0;  // the first seat's global; 0: none
    std::uint32_t m_seatVersion = 0;
    xdg_wm_base* m_wmBase = nullptr;
    zwlr_layer_shell_v1* m_layerShell = nullptr;
    zwlr_screencopy_manager_v1* m_screenCopy = nullptr;
    std::vector<std::unique_ptr<CWaylandOutput>> m_outputs;
    std::vector<std::unique_ptr<CWaylandOutput>> m_removedOutputs;
};
