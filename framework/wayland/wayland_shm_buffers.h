// Pictures shared with the compositor: a wl_shm buffer of 32-bit words in
// memory of this process (a memfd) that the compositor maps as well. The
// compositor reads a buffer from when it is committed until it releases
// it; meanwhile the buffer is busy and must not be written.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string>

class CWaylandShmBuffer {
public:
    // A width x height buffer of format (a WL_SHM_FORMAT_* of 32-bit
    // pixels), rows width words apart, filled with zeros. nullptr, with a
    // one-line reason, when memory cannot be had.
    static std::unique_ptr<CWaylandShmBuffer> Create(wl_shm* shm, int width, int height, std::uint32_t format,
                                                     std::string& error);
    ~CWaylandShmBuffer();
    CWaylandShmBuffer(const CWaylandShmBuffer&) = delete;
    CWaylandShmBuffer& operator=(const CWaylandShmBuffer&) = delete;

    wl_buffer* Buffer() const { return m_buffer; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint32_t* Row(int y) const { return m_words + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width); }

    // The compositor holds the buffer (it was committed and not released).
    bool Busy() const { return m_busy; }
    // The buffer was attached and committed: busy until released.
    void Committed() { m_busy = true; }

private:
    CWaylandShmBuffer() = default;

    wl_buffer* m_buffer = nullptr;
    std::uint32_t* m_words = nullptr;
    std::size_t m_bytes = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_busy = false;
};
