// A surface's words in a MIT-SHM segment that the X server has attached:
// the picture a window draws on is then itself what XShmPutImage shows,
// and presenting copies no pixel in this process.
#pragma once

#include "surface/surface.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>

class CX11SharedWords final : public CSurface::CMemory {
public:
    // A segment for width x height 32-bit pixels of the visual, laid out as
    // a surface's words (rows width words apart). nullptr when the server
    // cannot attach it (a server on another machine accepts the extension's
    // requests but cannot see the segment) or the layout would differ.
    static std::unique_ptr<CX11SharedWords> Create(Display* display, Visual* visual, int depth, int width, int height);
    // Detaches the segment from the server and from this process. The
    // display must still be open.
    ~CX11SharedWords() override;
    CX11SharedWords(const CX11SharedWords&) = delete;
    CX11SharedWords& operator=(const CX11SharedWords&) = delete;

    std::uint32_t* Words() override;

    Display* Owner() const { return m_display; }
    // The image over the segment, for XShmPutImage.
    XImage* Image() const { return m_image; }
    ShmSeg Segment() const { return m_shm.shmseg; }

private:
    explicit CX11SharedWords(Display* display) : m_display(display) {}

    Display* m_display;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
};
