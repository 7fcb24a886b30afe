#include "wayland_capture.h"

#include "wayland_shm_buffers.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <chrono>
#include <memory>

namespace {

// What the compositor said about one copy.
struct CCopy {
    std::uint32_t format = 0;
    int width = 0;
    int height = 0;
    int stride = 0;
    bool shmOffered = false;  // a wl_shm buffer of a format taken here will do
    bool buffersNamed = false;  // every buffer kind has been named (version 3)
    bool yInverted = false;
    bool ready = false;
    bool failed = false;
};

constexpr std::chrono::seconds kCopyWait{2};

bool Taken(std::uint32_t format)
{
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888;
}

const zwlr_screencopy_frame_v1_listener kFrameListener = {
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width, std::uint32_t height,
       std::uint32_t stride) {
        auto* copy = static_cast<CCopy*>(data);
        if (copy->shmOffered || !Taken(format))
            return;
        copy->shmOffered = true;
        copy->format = format;
        copy->width = static_cast<int>(width);
        copy->height = static_cast<int>(height);
        copy->stride = static_cast<int>(stride);
    },
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags) {
        static_cast<CCopy*>(data)->yInverted = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
    },
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {
        static_cast<CCopy*>(data)->ready = true;
    },
    [](void* data, zwlr_screencopy_frame_v1*) { static_cast<CCopy*>(data)->failed = true; },
    [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void* data, zwlr_screencopy_frame_v1*) { static_cast<CCopy*>(data)->buffersNamed = true; },
};

}  // namespace

CSurface CaptureOutput(const CWaylandDisplay& display, const CWaylandOutput& output)
{
    if (display.ScreenCopy() == nullptr || display.Shm() == nullptr)
        return CSurface();
    CCopy copy;
    zwlr_screencopy_frame_v1* frame = zwlr_screencopy_manager_v1_capture_output(display.ScreenCopy(), 0, output.output);
    zwlr_screencopy_frame_v1_add_listener(frame, &kFrameListener, &copy);
    // Before version 3 the buffer kinds end with the round trip; from 3 on
    // with buffer_done, which that round trip brings as well.
    display.Roundtrip();
    std::unique_ptr<CWaylandShmBuffer> buffer;
    std::string error;
    if (copy.shmOffered && !copy.failed && copy.stride == copy.width * 4)
        buffer = CWaylandShmBuffer::Create(display.Shm(), copy.width, copy.height, copy.format, error);
    CSurface picture;
    if (buffer != nullptr) {
        zwlr_screencopy_frame_v1_copy(frame, buffer->Buffer());
        // A copy takes a frame or two of the compositor's; one that neither
        // arrives nor fails within kCopyWait is given up.
        const auto deadline = std::chrono::steady_clock::now() + kCopyWait;
        while (!copy.ready && !copy.failed && display.DispatchUntil(deadline)) {
        }
        if (copy.ready && picture.Resize(copy.width, copy.height)) {
            for (int y = 0; y < copy.height; ++y) {
                const std::uint32_t* from = buffer->Row(copy.yInverted ? copy.height - 1 - y : y);
                std::uint32_t* to = picture.WordRow(y);
                // ARGB's alpha byte is not part of the picture's words.
                for (int x = 0; x < copy.width; ++x)
                    to[x] = from[x] & 0x00FFFFFFu;
            }
        }
    }
    zwlr_screencopy_frame_v1_destroy(frame);
    return copy.ready ? picture : CSurface();
}
