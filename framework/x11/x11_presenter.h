// Puts parts of a window's picture on an X window: the rectangles that
// changed are converted from the surface's 0x00BBGGRR into the server's
// 0x00RRGGBB in an image of the window's size, and sent with XShmPutImage
// when the server shares memory with this process, else with XPutImage.
// A shared image is not written again until the server reports that it has
// read it (a completion event), so presenting never waits for the server.
#pragma once

#include "afxtypes.h"
#include "surface/surface.h"
#include "x11_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// r moved by (dx, dy): from a window's coordinates to those of the X
// window it appears in, and back.
CRect Shifted(const CRect& r, LONG dx, LONG dy);

// The one pixel layout drawn: 32 bits per pixel, 0x00RRGGBB, in this
// machine's byte order.
bool IsPackedRgb(const Visual* visual, int depth);

class CX11Presenter {
public:
    // A presenter for window. nullptr, with a one-line reason, when the
    // window is gone or its visual is not 24-bit TrueColor.
    static std::unique_ptr<CX11Presenter> Create(const CX11Display& display, Window window, std::string& error);
    ~CX11Presenter();
    CX11Presenter(const CX11Presenter&) = delete;
    CX11Presenter& operator=(const CX11Presenter&) = delete;

    // Copies the rectangles (picture coordinates) of picture to the window,
    // the picture's origin at offset in the window. Parts beyond either are
    // left out. Only when Ready.
    void Present(const CSurface& picture, const std::vector<CRect>& rects, CPoint offset);

    // False while the server may still be reading the shared image of the
    // last Present; its completion event (given to TakeCompletion) ends
    // that. A completion that never comes (the window went, so the request
    // failed) is waited for at most kCompletionWait, then the server is
    // asked outright.
    bool Ready();
    // True when the event is the completion of this presenter's image.
    bool TakeCompletion(const XEvent& event);

    bool UsesShm() const { return m_usesShm; }
    // The window's height when the presenter was made.
    int Height() const { return m_image->height; }
    Window Target() const { return m_window; }

private:
    CX11Presenter(Display* display, Window window);
    bool AttachShm(Visual* visual, int depth, int width, int height);
    bool AllocateImage(Visual* visual, int depth, int width, int height);

    Display* m_display;
    Window m_window;
    int m_completionType = -1;
    bool m_awaitingCompletion = false;
    std::chrono::steady_clock::time_point m_sentAt;
    static constexpr std::chrono::milliseconds kCompletionWait{500};
    GC m_gc = nullptr;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
    bool m_usesShm = false;
};
