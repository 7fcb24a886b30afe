#include "x11_own_window.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cctype>
#include <string>

Window CreateOwnXWindow(const CX11Display& display, const COffscreenWindow& window, Atom deleteWindow)
{
    Display* dpy = display.Get();
    const CRect rect = window.rect;
    const bool popup = (window.style & WS_POPUP) != 0;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // nothing painted behind the picture
    attributes.override_redirect = popup ? True : False;
    attributes.event_mask =
        ExposureMask | KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask | FocusChangeMask;
    const Window x = XCreateWindow(dpy, display.Root(), rect.left, rect.top,
                                   static_cast<unsigned>(std::max<LONG>(rect.Width(), 1)),
                                   static_cast<unsigned>(std::max<LONG>(rect.Height(), 1)), 0, CopyFromParent,
                                   InputOutput, CopyFromParent, CWBackPixmap | CWOverrideRedirect | CWEventMask,
                                   &attributes);
    // The class is the program's name, capitalised as X classes are; the
    // title is the window's text, or the class when it has none.
    std::string name = CX11Display::ProgramName();
    std::string className = name;
    if (!className.empty())
        className[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(className[0])));
    XStoreName(dpy, x, (window.text.empty() ? className : window.text).c_str());
    XClassHint classHint{name.data(), className.data()};
    XSetClassHint(dpy, x, &classHint);
    XSetWMProtocols(dpy, x, &deleteWindow, 1);
    // Where the program (or the user's -geometry) put it; it may be
    // resized, and the picture follows.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = rect.left;
    hints.y = rect.top;
    hints.width = rect.Width();
    hints.height = rect.Height();
    XSetWMNormalHints(dpy, x, &hints);
    XMapRaised(dpy, x);
    return x;
}
