#include "x11_presenter.h"

#include "surface/rgb_rows.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

bool IsPackedRgb(const Visual* visual, int depth)
{
    return visual != nullptr && visual->c_class == TrueColor && (depth == 24 || depth == 32) &&
           visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

namespace {

bool NativeOrderIsLsbFirst()
{
    const std::uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

CRect Shifted(const CRect& r, LONG dx, LONG dy)
{
    return CRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

CX11Presenter::CX11Presenter(Display* display, Window window)
    : m_display(display),
      m_window(window)
{
}

std::unique_ptr<CX11Presenter> CX11Presenter::Create(const CX11Display& display, Window window, std::string& error)
{
    Display* dpy = display.Get();
    XWindowAttributes attributes{};
    {
        CX11ErrorTrap trap(dpy);
        if (XGetWindowAttributes(dpy, window, &attributes) == 0 || trap.Error() != 0) {
            error = "the window went away";
            return nullptr;
        }
    }
    if (!IsPackedRgb(attributes.visual, attributes.depth)) {
        error = "the window's visual is not 24-bit TrueColor, which is all this port draws on";
        return nullptr;
    }
    std::unique_ptr<CX11Presenter> presenter(new CX11Presenter(dpy, window));
    const int width = std::max(attributes.width, 1);
    const int height = std::max(attributes.height, 1);
    const bool shm = display.HasShm() && ImageByteOrder(dpy) == (NativeOrderIsLsbFirst() ? LSBFirst : MSBFirst) &&
                     presenter->AttachShm(attributes.visual, attributes.depth, width, height);
    if (!shm && !presenter->AllocateImage(attributes.visual, attributes.depth, width, height)) {
        error = "out of memory for a window of " + std::to_string(width) + "x" + std::to_string(height);
        return nullptr;
    }
    presenter->m_gc = XCreateGC(dpy, window, 0, nullptr);
    if (shm)
        presenter->m_completionType = XShmGetEventBase(dpy) + ShmCompletion;
    return presenter;
}

// Shared memory is tried and given up quietly: a server on another machine
// accepts the extension's requests but cannot attach the segment.
bool CX11Presenter::AttachShm(Visual* visual, int depth, int width, int height)
{
    XImage* image = XShmCreateImage(m_display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &m_shm,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr)
        return false;
    if (image->bits_per_pixel != 32) {
        XDestroyImage(image);
        return false;
    }
    m_shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * image->height,
                         IPC_CREAT | 0600);
    if (m_shm.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    m_shm.shmaddr = static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
    bool attached = false;
    if (m_shm.shmaddr != reinterpret_cast<char*>(-1)) {
        image->data = m_shm.shmaddr;
        m_shm.readOnly = False;
        CX11ErrorTrap trap(m_display);
        attached = XShmAttach(m_display, &m_shm) != False && trap.Error() == 0;
    }
    // Marked for removal now, so the segment goes with the last detach
    // even if the process is killed.
    shmctl(m_shm.shmid, IPC_RMID, nullptr);
    if (!attached) {
        if (m_shm.shmaddr != reinterpret_cast<char*>(-1))
            shmdt(m_shm.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        m_shm = XShmSegmentInfo{};
        return false;
    }
    m_image = image;
    m_usesShm = true;
    return true;
}

bool CX11Presenter::AllocateImage(Visual* visual, int depth, int width, int height)
{
    const std::size_t bytesPerLine = static_cast<std::size_t>(width) * 4;
    char* data = static_cast<char*>(std::calloc(bytesPerLine, static_cast<std::size_t>(height)));
    if (data == nullptr)
        return false;
    m_image = XCreateImage(m_display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                           static_cast<int>(bytesPerLine));
    if (m_image == nullptr || m_image->bits_per_pixel != 32) {
        if (m_image != nullptr)
            XDestroyImage(m_image);  // frees data too
        else
            std::free(data);
        m_image = nullptr;
        return false;
    }
    // The pixels are written as this machine's 32-bit numbers; XPutImage
    // reorders them when the server wants the other order.
    m_image->byte_order = NativeOrderIsLsbFirst() ? LSBFirst : MSBFirst;
    return true;
}

CX11Presenter::~CX11Presenter()
{
    if (m_gc != nullptr)
        XFreeGC(m_display, m_gc);
    if (m_usesShm) {
        XShmDetach(m_display, &m_shm);
        XSync(m_display, False);
        shmdt(m_shm.shmaddr);
        m_image->data = nullptr;
    }
    if (m_image != nullptr)
        XDestroyImage(m_image);
}

void CX11Presenter::Present(const CSurface& picture, const std::vector<CRect>& rects, CPoint offset)
{
    const CRect imageBounds(0, 0, m_image->width, m_image->height);
    std::vector<CRect> parts;
    for (const CRect& rect : rects) {
        // In window coordinates, within the picture and the window.
        const CRect inPicture = CRect::Intersection(rect, picture.Bounds());
        const CRect part = CRect::Intersection(Shifted(inPicture, offset.x, offset.y), imageBounds);
        if (part.IsRectEmpty())
            continue;
        auto* corner = reinterpret_cast<std::uint32_t*>(m_image->data + part.top * m_image->bytes_per_line) + part.left;
        CopyRgbRows(picture, Shifted(part, -offset.x, -offset.y), corner,
                    static_cast<std::size_t>(m_image->bytes_per_line) / 4);
        parts.push_back(part);
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const CRect& part = parts[i];
        if (m_usesShm) {
            // Requests are handled in order: the last one's completion
            // says that the server has read every part.
            const bool last = i + 1 == parts.size();
            XShmPutImage(m_display, m_window, m_gc, m_image, part.left, part.top, part.left, part.top,
                         static_cast<unsigned>(part.Width()), static_cast<unsigned>(part.Height()),
                         last ? True : False);
        } else {
            XPutImage(m_display, m_window, m_gc, m_image, part.left, part.top, part.left, part.top,
                      static_cast<unsigned>(part.Width()), static_cast<unsigned>(part.Height()));
        }
    }
    if (!parts.empty() && m_usesShm) {
        m_awaitingCompletion = true;
        m_sentAt = std::chrono::steady_clock::now();
    }
}

bool CX11Presenter::Ready()
{
    if (m_awaitingCompletion && std::chrono::steady_clock::now() - m_sentAt > kCompletionWait) {
        XSync(m_display, False);
        m_awaitingCompletion = false;
    }
    return !m_awaitingCompletion;
}

bool CX11Presenter::TakeCompletion(const XEvent& event)
{
    if (event.type != m_completionType)
        return false;
    const auto& completion = reinterpret_cast<const XShmCompletionEvent&>(event);
    if (completion.drawable != m_window || completion.shmseg != m_shm.shmseg)
        return false;
    m_awaitingCompletion = false;
    return true;
}
