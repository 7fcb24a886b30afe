// The command line of the X11 program `verdane`, after XScreenSaver's
// conventions for a hack: every option takes one dash or two (its driver
// starts hacks as `hack --root`), and values follow as separate arguments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class HackTarget {
    Window,      // -window: a window of its own (the default, as for every hack)
    FullScreen,  // -fullscreen: the primary monitor, ended by the first input
    Root,        // -root: the root, or $XSCREENSAVER_WINDOW when that is set
    WindowId,    // -window-id ID: a window another program made
    Settings,    // -settings or -configure: the settings window
};

// Which display system verdane shows on.
enum class HackDisplay {
    Automatic,  // Wayland where the environment names only a compositor, else X11
    Wayland,    // --wayland
    X11,        // --x11
};

// -geometry WxH+X+Y, as X's geometry strings: every part may be left out,
// and an offset given as -X or -Y counts from the right or bottom edge.
struct CHackGeometry {
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> x;
    std::optional<int> y;
    bool xFromRight = false;
    bool yFromBottom = false;
};

// A change to the user's XScreenSaver list instead of a run.
enum class HackListChange {
    None,
    Add,     // --add-to-xscreensaver
    Remove,  // --remove-from-xscreensaver
};

struct CHackOptions {
    // The timer floor when nothing else is asked: 10 ms, that of Windows.
    static constexpr long kDefaultDelayMicros = 10000;

    HackTarget target = HackTarget::Window;
    std::uint32_t windowId = 0;   // for WindowId
    std::string display;          // -display NAME; empty: $DISPLAY
    HackDisplay displayKind = HackDisplay::Automatic;
    std::string output;           // --output NAME: the Wayland output -fullscreen covers; empty: the first
    long delayMicros = kDefaultDelayMicros;
    bool showFps = false;
    CHackGeometry geometry;       // for Window
    // Overrides of the stored settings for this run only.
    std::optional<std::int32_t> plantSize;
    std::optional<std::int32_t> growthRate;
    bool blank = false;  // true: blank set to 1
    HackListChange listChange = HackListChange::None;
};

struct CHackOptionsResult {
    CHackOptions options;
    std::string error;  // one line for the user; empty on success
    bool help = false;
};

// Whether XScreenSaver started the program: -root with the window its
// driver hands over named in $XSCREENSAVER_WINDOW (handedWindow, null when
// unset), or -window-id as its settings panel's preview starts it.
bool StartedByXScreenSaver(const CHackOptions& options, const char* handedWindow);

// args excludes the program name.
CHackOptionsResult ParseHackOptions(const std::vector<std::string>& args);

// An X window id as XScreenSaver writes it (0x hexadecimal) or in decimal;
// nullopt for anything else, zero, or more than 32 bits.
std::optional<std::uint32_t> ParseWindowId(const std::string& text);

// A geometry string; nullopt when it is not one, or a size is 0 or a part
// exceeds 32767 (X's coordinate range).
std::optional<CHackGeometry> ParseGeometry(const std::string& text);

// The window that -geometry asks for on a screen of that size, starting
// from the default rectangle (x, y, width, height).
void PlaceWindow(const CHackGeometry& geometry, int screenWidth, int screenHeight, int& x, int& y, int& width,
                 int& height);

// Whether to show on a Wayland compositor rather than an X display: as
// forced, else when the environment hands over a compositor's socket
// ($WAYLAND_SOCKET) or names a compositor ($WAYLAND_DISPLAY) but no X
// display ($DISPLAY), unless the command line named an X display
// (-display). The variables as getenv gives them (nullptr: unset; empty
// counts as unset).
bool ShowsOnWayland(const CHackOptions& options, const char* waylandSocket, const char* waylandDisplay,
                    const char* x11Display);

extern const char* const kHackUsage;
