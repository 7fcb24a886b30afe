#include "x11_presenter.h"

#include "x11_pixel_layout.h"
#include "x11_shared_words.h"

#include <X11/Xutil.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdint>

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
    CX11ErrorTrap trap(dpy);
    if (XGetWindowAttributes(dpy, window, &attributes) == 0 || trap.Error() != 0) {
        error = "the window went away";
        return nullptr;
    }
    if (!IsPackedRgb(attributes.visual, attributes.depth)) {
        error = "the window's visual is not 24-bit TrueColor, which is all this port draws on";
        return nullptr;
    }
    // The window may go before the server makes the context; a context it
    // never made must not be freed (that is an X error of its own).
    const GC gc = XCreateGC(dpy, window, 0, nullptr);
    if (trap.Error() != 0) {
        error = "the window went away";
        return nullptr;
    }
    std::unique_ptr<CX11Presenter> presenter(new CX11Presenter(dpy, window));
    presenter->m_visual = attributes.visual;
    presenter->m_depth = attributes.depth;
    presenter->Resize(attributes.width, attributes.height);
    presenter->m_gc = gc;
    // The server reads a shared segment as it is, so it must want this
    // machine's byte order.
    presenter->m_shm = display.HasShm() && ImageByteOrder(dpy) == NativeByteOrder();
    if (presenter->m_shm)
        presenter->m_completionType = XShmGetEventBase(dpy) + ShmCompletion;
    return presenter;
}

CX11Presenter::~CX11Presenter()
{
    if (m_gc != nullptr)
        XFreeGC(m_display, m_gc);
}

void CX11Presenter::Resize(int width, int height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
}

bool CX11Presenter::Share(CSurface& picture)
{
    if (const auto* shared = dynamic_cast<const CX11SharedWords*>(picture.Memory());
        shared != nullptr && shared->Owner() == m_display)
        return true;
    std::unique_ptr<CX11SharedWords> shared =
        CX11SharedWords::Create(m_display, m_visual, m_depth, picture.Width(), picture.Height());
    if (shared == nullptr) {
        // Given up quietly for this window: trying again would cost a
        // round trip on every present.
        m_shm = false;
        return false;
    }
    picture.Adopt(std::move(shared));
#ifdef __GLIBC__
    // The picture's own memory, freed now, usually lies amid the heap where
    // the C library keeps it resident: a screen's worth of memory that
    // would otherwise stay with the process for good.
    malloc_trim(0);
#endif
    return true;
}

void CX11Presenter::Present(CSurface& picture, const std::vector<CRect>& rects, CPoint offset)
{
    const CRect window(0, 0, m_width, m_height);
    std::vector<CRect> parts;
    for (const CRect& rect : rects) {
        // In window coordinates, within the picture and the window.
        const CRect inPicture = CRect::Intersection(rect, picture.Bounds());
        const CRect part = CRect::Intersection(Shifted(inPicture, offset.x, offset.y), window);
        if (!part.IsRectEmpty())
            parts.push_back(part);
    }
    if (parts.empty())
        return;
    if (m_shm && Share(picture))
        PutShared(picture, parts, offset);
    else
        PutPlain(picture, parts, offset);
}

void CX11Presenter::PutShared(const CSurface& picture, const std::vector<CRect>& parts, CPoint offset)
{
    const auto& shared = static_cast<const CX11SharedWords&>(*picture.Memory());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const CRect& part = parts[i];
        // Requests are handled in order: the last one's completion says
        // that the server has read every part.
        const bool last = i + 1 == parts.size();
        XShmPutImage(m_display, m_window, m_gc, shared.Image(), part.left - offset.x, part.top - offset.y, part.left,
                     part.top, static_cast<unsigned>(part.Width()), static_cast<unsigned>(part.Height()),
                     last ? True : False);
    }
    m_lastSegment = shared.Segment();
    m_awaitingCompletion = true;
    m_sentAt = std::chrono::steady_clock::now();
}

// An image header over the picture's own words, which XPutImage sends (and
// reorders when the server wants the other byte order) before it returns.
void CX11Presenter::PutPlain(const CSurface& picture, const std::vector<CRect>& parts, CPoint offset)
{
    XImage* image =
        XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0,
                     reinterpret_cast<char*>(const_cast<std::uint32_t*>(picture.Words())),
                     static_cast<unsigned>(picture.Width()), static_cast<unsigned>(picture.Height()), 32,
                     picture.Width() * 4);
    if (image == nullptr)
        return;
    if (image->bits_per_pixel == 32) {
        image->byte_order = NativeByteOrder();
        for (const CRect& part : parts) {
            XPutImage(m_display, m_window, m_gc, image, part.left - offset.x, part.top - offset.y, part.left, part.top,
                      static_cast<unsigned>(part.Width()), static_cast<unsigned>(part.Height()));
        }
    }
    image->data = nullptr;  // the picture's, not the image's to free
    XDestroyImage(image);
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
    if (completion.drawable != m_window)
        return false;
    // Earlier presents' completions come first; only the last one's ends
    // the wait.
    if (completion.shmseg == m_lastSegment)
        m_awaitingCompletion = false;
    return true;
}
