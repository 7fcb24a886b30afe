// What the test sees on the X display: windows it makes, pictures it puts
// on them, and where Verdane's branches are.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

class CXScreen {
public:
    explicit CXScreen(const std::string& display);
    ~CXScreen();
    CXScreen(const CXScreen&) = delete;
    CXScreen& operator=(const CXScreen&) = delete;

    Display* Get() const { return m_display; }
    Window Root() const;

    // A mapped black window of the root at (x, y).
    Window CreateWindow(int x, int y, int width, int height);
    // Fills the rectangle of the window (drawn, not its background).
    void Fill(Window window, int x, int y, int width, int height, unsigned long rgb);
    // Sets the root's background to black with a white rectangle, and
    // clears it to that.
    void SetRootPicture(int x, int y, int width, int height);

    // A copy of the whole screen as it is now, as XScreenSaver's driver
    // takes it before it blanks the screen.
    Pixmap Screenshot();
    // Leaves the screenshot for the hacks on the window, as the driver does
    // (the _SCREENSAVER_SCREENSHOT property).
    void LeaveScreenshot(Window window, Pixmap screenshot);

    // The rectangle's pixels (0xRRGGBB) row by row; empty when the window
    // cannot be read.
    std::vector<unsigned long> Pixels(Window window, int x, int y, int width, int height);
    // Pixels of the window whose colour (r, g, b, 0..255 each) passes the
    // test; 0 when the window cannot be read.
    long CountPixels(Window window, const std::function<bool(unsigned long r, unsigned long g, unsigned long b)>& test);

    // Whether a colour (0..255 each) can be a branch's: green 40 or more and
    // blue below 40. Red starts below 40 too, but the colour creeps up by a
    // few units a segment from the red byte up, so an old branch's red can
    // be anything (and pass its green).
    static bool IsBranchColor(unsigned long, unsigned long g, unsigned long b) { return g >= 40 && b < 40; }
    // Branch pixels (IsBranchColor) in the rectangle of the window; pixels
    // beyond it are not counted.
    long CountBranchPixels(Window window, int x, int y, int width, int height);
    long CountBranchPixels(Window window);
    // Pixels of exactly that colour (0xRRGGBB) in the window.
    long CountColor(Window window, unsigned long rgb);

    // The first top-level window of that name, or 0.
    Window FindWindowNamed(const std::string& name);
    Window FindHackWindow() { return FindWindowNamed("Verdane"); }
    // A click of the first button at (x, y) of the window, as the server
    // would report it.
    void Click(Window window, int x, int y);
    // A press of the key (a KeySym such as XK_Tab) on the window, with
    // Shift held when shift is set.
    void Key(Window window, unsigned long keysym, bool shift = false);
    // The length characters of text drawn on the window with
    // XDrawImageString in the server's default font, starting at x on the
    // baseline, each matched against this server's rendering of the
    // characters of alphabet; '?' for a cell that matches none.
    std::string ReadText(Window window, int x, int baseline, int length, const std::string& alphabet);

private:
    long CountPixels(Window window, int x, int y, int width, int height,
                     const std::function<bool(unsigned long r, unsigned long g, unsigned long b)>& test);

    Display* m_display = nullptr;
};

// Polls the condition every 20 ms until it holds or timeoutMs have passed.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);
