// Puts parts of framework windows' pictures on an X window, straight from
// the pictures' own words (0x00RRGGBB, the server's order on the one
// visual drawn on). When the server shares memory with this process, each
// picture is moved into a segment the server has attached the first time
// it is presented, and a present is XShmPutImage of the changed
// rectangles; otherwise XPutImage sends them from the picture as it is.
// No pixel is converted or staged on the way.
//
// Drawing goes on in a shared picture while the server reads it: a part
// drawn meanwhile may reach the screen early, and is presented again with
// the damage it recorded. What a present waits for is the server: until it
// reports that it has read the last present (a completion event), no new
// one is sent, so presents never pile up in the server.
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

class CX11Presenter {
public:
    // A presenter for window. nullptr, with a one-line reason, when the
    // window is gone or its visual is not 24-bit TrueColor.
    static std::unique_ptr<CX11Presenter> Create(const CX11Display& display, Window window, std::string& error);
    ~CX11Presenter();
    CX11Presenter(const CX11Presenter&) = delete;
    CX11Presenter& operator=(const CX11Presenter&) = delete;

    // Shows the rectangles (picture coordinates) of picture on the window,
    // the picture's origin at offset in the window. Parts beyond either are
    // left out. The picture may be moved into shared memory for it (see
    // above). Only when Ready.
    void Present(CSurface& picture, const std::vector<CRect>& rects, CPoint offset);

    // False while the server may still be reading the last Present; its
    // completion event (given to TakeCompletion) ends that. A completion
    // that never comes (the window went, so the request failed) is waited
    // for at most kCompletionWait, then the server is asked outright.
    bool Ready();
    // True when the event is a completion of a present to this window.
    bool TakeCompletion(const XEvent& event);

    // The window's size changed: presents are clipped to the new one.
    void Resize(int width, int height);
    // The window's height, as last known.
    int Height() const { return m_height; }

private:
    CX11Presenter(Display* display, Window window);
    // picture's words in a segment of this display, moving them there when
    // they are not yet; false (and shared memory given up) when that fails.
    bool Share(CSurface& picture);
    void PutShared(const CSurface& picture, const std::vector<CRect>& parts, CPoint offset);
    void PutPlain(const CSurface& picture, const std::vector<CRect>& parts, CPoint offset);

    Display* m_display;
    Window m_window;
    Visual* m_visual = nullptr;
    int m_depth = 0;
    int m_width = 0;
    int m_height = 0;
    GC m_gc = nullptr;
    // Whether presents (still) go through shared memory.
    bool m_shm = false;
    int m_completionType = -1;
    ShmSeg m_lastSegment = 0;  // the segment of the present awaited
    bool m_awaitingCompletion = false;
    std::chrono::steady_clock::time_point m_sentAt;
    static constexpr std::chrono::milliseconds kCompletionWait{500};
};
