#include "x11_display.h"

#include "app.h"
#include "x11_pixel_layout.h"

#include <X11/extensions/XShm.h>

#include <cstdio>
#include <cstdlib>

int CX11ErrorTrap::s_error = 0;
std::string CX11Display::s_name;
std::string CX11Display::s_program;

namespace {

// The line for a display name whose screen part names no screen.
std::string NoSuchScreen(const std::string& name, const std::string& screen, int screenCount)
{
    return "display '" + name + "' has no screen " + screen + " (its screens are 0 to " +
           std::to_string(screenCount - 1) + ")";
}

// Why a display name that Xlib would not open failed: when the server
// answers once the screen part is left out, it is the screen ("host:1.5"
// on a server with one screen), else the display itself.
std::string OpenFailure(const std::string& name)
{
    const std::size_t colon = name.rfind(':');
    const std::size_t dot = colon == std::string::npos ? std::string::npos : name.find('.', colon);
    if (dot != std::string::npos) {
        if (Display* server = XOpenDisplay(name.substr(0, dot).c_str())) {
            const std::string line = NoSuchScreen(name, name.substr(dot + 1), ScreenCount(server));
            XCloseDisplay(server);
            return line;
        }
    }
    return "cannot open display '" + name + "'";
}

}  // namespace

CX11Display::~CX11Display()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
}

bool CX11Display::Open(const std::string& name, std::string& error)
{
    m_display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (m_display == nullptr) {
        const char* shown = name.empty() ? XDisplayName(nullptr) : name.c_str();
        error = OpenFailure(shown != nullptr ? shown : "");
        return false;
    }
    // Xlib refuses a screen number past the last screen but takes a
    // negative one (also one too large for an int, which wraps), and every
    // macro of the default screen then reads outside the screen list.
    const int screen = DefaultScreen(m_display);
    if (screen < 0 || screen >= ScreenCount(m_display)) {
        error = NoSuchScreen(DisplayString(m_display), std::to_string(screen), ScreenCount(m_display));
        XCloseDisplay(m_display);
        m_display = nullptr;
        return false;
    }
    XSetErrorHandler(&CX11Display::ReportError);
    s_name = DisplayString(m_display);
    const CWinApp* app = AfxGetApp();
    s_program = app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "";
    XSetIOErrorHandler(&CX11Display::ConnectionLost);
    m_screen = screen;
    m_root = RootWindow(m_display, m_screen);
    // A remote server cannot see this process's memory; XShmQueryExtension
    // says only that the extension exists, so attaching is tried later and
    // a failure there falls back to plain XPutImage.
    m_hasShm = XShmQueryExtension(m_display) != False;
    return true;
}

int CX11Display::ReportError(Display* display, XErrorEvent* event)
{
    if (event->error_code == BadWindow || event->error_code == BadDrawable || event->error_code == BadMatch)
        return 0;
    char text[256];
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X error: %s (request %d)\n", s_program.c_str(), text, event->request_code);
    return 0;
}

// Xlib ends the process when this returns; ending it here gives the status
// that says why, at once, without running the destructors of objects that
// would talk to the dead connection.
int CX11Display::ConnectionLost(Display*)
{
    std::fprintf(stderr, "%s: lost the connection to the X server of display '%s'\n", s_program.c_str(),
                 s_name.c_str());
    std::_Exit(kConnectionLostStatus);
}

bool CX11Display::DefaultVisualIsPackedRgb() const
{
    return IsPackedRgb(DefaultVisual(m_display, m_screen), DefaultDepth(m_display, m_screen));
}

int CX11Display::Width() const
{
    return DisplayWidth(m_display, m_screen);
}

int CX11Display::Height() const
{
    return DisplayHeight(m_display, m_screen);
}

CX11ErrorTrap::CX11ErrorTrap(Display* display)
    : m_display(display)
{
    XSync(m_display, False);
    s_error = 0;
    m_previous = XSetErrorHandler(&CX11ErrorTrap::Record);
}

CX11ErrorTrap::~CX11ErrorTrap()
{
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
}

int CX11ErrorTrap::Error()
{
    XSync(m_display, False);
    return s_error;
}

int CX11ErrorTrap::Record(Display*, XErrorEvent* event)
{
    if (s_error == 0)
        s_error = event->error_code;
    return 0;
}
