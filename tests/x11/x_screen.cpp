#include "x_screen.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace {

// Windows of the program under test come and go while the test looks at
// them; a request on one that just went is no reason to end the test.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

CXScreen::CXScreen(const std::string& display)
    : m_display(XOpenDisplay(display.c_str()))
{
    XSetErrorHandler(&IgnoreError);
}

CXScreen::~CXScreen()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
}

Window CXScreen::Root() const
{
    return DefaultRootWindow(m_display);
}

Window CXScreen::CreateWindow(int x, int y, int width, int height)
{
    const int screen = DefaultScreen(m_display);
    const Window window = XCreateSimpleWindow(m_display, Root(), x, y, static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, BlackPixel(m_display, screen),
                                              BlackPixel(m_display, screen));
    XMapWindow(m_display, window);
    XSync(m_display, False);
    return window;
}

void CXScreen::Fill(Window window, int x, int y, int width, int height, unsigned long rgb)
{
    const GC gc = XCreateGC(m_display, window, 0, nullptr);
    XSetForeground(m_display, gc, rgb);
    XFillRectangle(m_display, window, gc, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(m_display, gc);
    XSync(m_display, False);
}

void CXScreen::SetRootPicture(int x, int y, int width, int height)
{
    const int screen = DefaultScreen(m_display);
    const unsigned w = static_cast<unsigned>(DisplayWidth(m_display, screen));
    const unsigned h = static_cast<unsigned>(DisplayHeight(m_display, screen));
    const Pixmap picture = XCreatePixmap(m_display, Root(), w, h, static_cast<unsigned>(DefaultDepth(m_display, screen)));
    const GC gc = XCreateGC(m_display, picture, 0, nullptr);
    XSetForeground(m_display, gc, 0x000000);
    XFillRectangle(m_display, picture, gc, 0, 0, w, h);
    XSetForeground(m_display, gc, 0xFFFFFF);
    XFillRectangle(m_display, picture, gc, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(m_display, gc);
    XSetWindowBackgroundPixmap(m_display, Root(), picture);
    XClearWindow(m_display, Root());
    XFreePixmap(m_display, picture);
    XSync(m_display, False);
}

Pixmap CXScreen::Screenshot()
{
    const int screen = DefaultScreen(m_display);
    const unsigned w = static_cast<unsigned>(DisplayWidth(m_display, screen));
    const unsigned h = static_cast<unsigned>(DisplayHeight(m_display, screen));
    const Pixmap shot = XCreatePixmap(m_display, Root(), w, h, static_cast<unsigned>(DefaultDepth(m_display, screen)));
    XGCValues values{};
    values.subwindow_mode = IncludeInferiors;
    const GC gc = XCreateGC(m_display, shot, GCSubwindowMode, &values);
    XCopyArea(m_display, Root(), shot, gc, 0, 0, w, h, 0, 0);
    XFreeGC(m_display, gc);
    XSync(m_display, False);
    return shot;
}

void CXScreen::LeaveScreenshot(Window window, Pixmap screenshot)
{
    const Atom property = XInternAtom(m_display, "_SCREENSAVER_SCREENSHOT", False);
    XChangeProperty(m_display, window, property, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&screenshot), 1);
    XSync(m_display, False);
}

std::vector<unsigned long> CXScreen::Pixels(Window window, int x, int y, int width, int height)
{
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(m_display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return pixels;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column)
            pixels.push_back(XGetPixel(image, column, row) & 0xFFFFFF);
    }
    XDestroyImage(image);
    return pixels;
}

long CXScreen::CountPixels(Window window,
                           const std::function<bool(unsigned long r, unsigned long g, unsigned long b)>& test)
{
    return CountPixels(window, 0, 0, 1 << 15, 1 << 15, test);
}

// Pixels of the rectangle that pass the test; 0 when the window cannot be
// read (it is unmapped or gone).
long CXScreen::CountPixels(Window window, int x, int y, int width, int height,
                           const std::function<bool(unsigned long r, unsigned long g, unsigned long b)>& test)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(m_display, window, &attributes) == 0)
        return 0;
    if (x + width > attributes.width)
        width = attributes.width - x;
    if (y + height > attributes.height)
        height = attributes.height - y;
    if (width <= 0 || height <= 0)
        return 0;
    XImage* image = XGetImage(m_display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    long count = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long p = XGetPixel(image, column, row);
            if (test((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))
                ++count;
        }
    }
    XDestroyImage(image);
    return count;
}

long CXScreen::CountBranchPixels(Window window, int x, int y, int width, int height)
{
    return CountPixels(window, x, y, width, height, IsBranchColor);
}

long CXScreen::CountColor(Window window, unsigned long rgb)
{
    return CountPixels(window, [rgb](unsigned long r, unsigned long g, unsigned long b) {
        return (r << 16 | g << 8 | b) == rgb;
    });
}

long CXScreen::CountBranchPixels(Window window)
{
    return CountBranchPixels(window, 0, 0, 1 << 15, 1 << 15);
}

Window CXScreen::FindWindowNamed(const std::string& wanted)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(m_display, Root(), &root, &parent, &children, &count) == 0)
        return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(m_display, children[i], &name) != 0 && name != nullptr) {
            if (std::string(name) == wanted)
                found = children[i];
            XFree(name);
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void CXScreen::Click(Window window, int x, int y)
{
    XEvent event{};
    event.xbutton.window = window;
    event.xbutton.root = Root();
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.button = Button1;
    event.xbutton.same_screen = True;
    event.type = ButtonPress;
    XSendEvent(m_display, window, False, ButtonPressMask, &event);
    event.type = ButtonRelease;
    event.xbutton.state = Button1Mask;
    XSendEvent(m_display, window, False, ButtonReleaseMask, &event);
    XFlush(m_display);
}

void CXScreen::Key(Window window, unsigned long keysym, bool shift)
{
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.window = window;
    event.xkey.root = Root();
    event.xkey.keycode = XKeysymToKeycode(m_display, keysym);
    event.xkey.state = shift ? ShiftMask : 0;
    event.xkey.same_screen = True;
    XSendEvent(m_display, window, False, KeyPressMask, &event);
    XFlush(m_display);
}

std::string CXScreen::ReadText(Window window, int x, int baseline, int length, const std::string& alphabet)
{
    // The default font is fixed-width: every glyph fills a cell of the
    // same size, which XDrawImageString paints whole.
    const GC gc = XCreateGC(m_display, Root(), 0, nullptr);
    XFontStruct* font = XQueryFont(m_display, XGContextFromGC(gc));
    if (font == nullptr) {
        XFreeGC(m_display, gc);
        return std::string();
    }
    const int cellWidth = font->max_bounds.width;
    const int ascent = font->ascent;
    const int cellHeight = font->ascent + font->descent;
    XFreeFontInfo(nullptr, font, 1);
    const int screen = DefaultScreen(m_display);
    const unsigned samplesWidth = static_cast<unsigned>(cellWidth * static_cast<int>(alphabet.size()));
    const Pixmap samples = XCreatePixmap(m_display, Root(), samplesWidth, static_cast<unsigned>(cellHeight),
                                         static_cast<unsigned>(DefaultDepth(m_display, screen)));
    XSetForeground(m_display, gc, WhitePixel(m_display, screen));
    XSetBackground(m_display, gc, BlackPixel(m_display, screen));
    XDrawImageString(m_display, samples, gc, 0, ascent, alphabet.c_str(), static_cast<int>(alphabet.size()));
    XImage* known = XGetImage(m_display, samples, 0, 0, samplesWidth, static_cast<unsigned>(cellHeight), AllPlanes,
                              ZPixmap);
    XFreePixmap(m_display, samples);
    XFreeGC(m_display, gc);
    XImage* shown = XGetImage(m_display, window, x, baseline - ascent, static_cast<unsigned>(cellWidth * length),
                              static_cast<unsigned>(cellHeight), AllPlanes, ZPixmap);
    std::string text;
    if (known != nullptr && shown != nullptr) {
        for (int cell = 0; cell < length; ++cell) {
            char found = '?';
            for (std::size_t k = 0; k < alphabet.size() && found == '?'; ++k) {
                bool same = true;
                for (int row = 0; row < cellHeight && same; ++row) {
                    for (int column = 0; column < cellWidth && same; ++column)
                        same = XGetPixel(shown, cell * cellWidth + column, row) ==
                               XGetPixel(known, static_cast<int>(k) * cellWidth + column, row);
                }
                if (same)
                    found = alphabet[k];
            }
            text += found;
        }
    }
    if (known != nullptr)
        XDestroyImage(known);
    if (shown != nullptr)
        XDestroyImage(shown);
    return text;
}
