// The connection to the X server and what the port needs to know of it:
// the default screen, whether MIT-SHM can be used, and a trap that turns
// the X errors of a few requests into results instead of Xlib's default
// report-and-exit.
#pragma once

#include <X11/Xlib.h>

#include <string>

class CX11Display {
public:
    // The process's exit status when the server goes away (CX11Port's).
    static constexpr int kConnectionLostStatus = 3;

    CX11Display() = default;
    ~CX11Display();
    CX11Display(const CX11Display&) = delete;
    CX11Display& operator=(const CX11Display&) = delete;

    // name empty: $DISPLAY. False, with a one-line reason, when no server
    // answers.
    bool Open(const std::string& name, std::string& error);

    Display* Get() const { return m_display; }
    Window Root() const { return m_root; }
    int Width() const;
    int Height() const;
    // The server offers MIT-SHM and shares memory with this process.
    bool HasShm() const { return m_hasShm; }
    // New windows of the screen get the one pixel layout the port draws.
    bool DefaultVisualIsPackedRgb() const;
    // The application's name (empty without an application object), as
    // its windows' class and before the lines the port writes.
    static const std::string& ProgramName() { return s_program; }

private:
    // Errors outside a trap: requests on a window of another program that
    // went meanwhile fail, which its DestroyNotify then handles; anything
    // else is reported on standard error. The process goes on either way.
    static int ReportError(Display* display, XErrorEvent* event);
    // The server went away or broke the connection: one line, and the
    // process ends with kConnectionLostStatus.
    [[noreturn]] static int ConnectionLost(Display* display);
    static std::string s_name;     // the display's name, for that line
    static std::string s_program;  // the application's name, before every line

    Display* m_display = nullptr;
    int m_screen = 0;
    Window m_root = 0;
    bool m_hasShm = false;
};

// While it lives, X errors are recorded instead of ending the process.
// Only one may live at a time; the port runs on one thread.
class CX11ErrorTrap {
public:
    explicit CX11ErrorTrap(Display* display);
    ~CX11ErrorTrap();
    CX11ErrorTrap(const CX11ErrorTrap&) = delete;
    CX11ErrorTrap& operator=(const CX11ErrorTrap&) = delete;

    // Waits for the server to answer every request sent so far, then
    // returns the first error code among them (0: none).
    int Error();

private:
    static int Record(Display*, XErrorEvent* event);
    static int s_error;

    Display* m_display;
    int (*m_previous)(Display*, XErrorEvent*);
};
