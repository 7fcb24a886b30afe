#include "wayland_shm_buffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

namespace {

const wl_buffer_listener kBufferListener = {
    [](void* data, wl_buffer*) { *static_cast<bool*>(data) = false; },
};

}  // namespace

std::unique_ptr<CWaylandShmBuffer> CWaylandShmBuffer::Create(wl_shm* shm, int width, int height,
                                                             std::uint32_t format, std::string& error)
{
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (width <= 0 || height <= 0 || bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        error = "a picture of " + std::to_string(width) + "x" + std::to_string(height) + " cannot be shared";
        return nullptr;
    }
    const int fd = memfd_create("verdane-picture", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
        error = std::string("cannot make memory to share with the compositor: ") + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    void* words = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (words == MAP_FAILED) {
        error = std::string("cannot map memory shared with the compositor: ") + std::strerror(errno);
        close(fd);
        return nullptr;
    }
    std::unique_ptr<CWaylandShmBuffer> made(new CWaylandShmBuffer);
    made->m_words = static_cast<std::uint32_t*>(words);
    made->m_bytes = bytes;
    made->m_width = width;
    made->m_height = height;
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(bytes));
    made->m_buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, format);
    wl_shm_pool_destroy(pool);  // the buffer keeps the memory
    close(fd);
    wl_buffer_add_listener(made->m_buffer, &kBufferListener, &made->m_busy);
    return made;
}

CWaylandShmBuffer::~CWaylandShmBuffer()
{
    wl_buffer_destroy(m_buffer);
    munmap(m_words, m_bytes);
}
