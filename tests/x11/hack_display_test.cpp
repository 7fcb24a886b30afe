// The program verdane on a private Xvfb, driven and watched from outside as
// a user, XScreenSaver's driver or a window manager would.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "settings_layout.h"
#include "x_screen.h"
#include "xvfb_suite.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kGrowthTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 5000;

std::string HexId(Window window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// A home folder of the test's whose ~/.xscreensaver holds the text (what
// XScreenSaver's image helper reads); removed with the object.
class CXScreenSaverHome {
public:
    explicit CXScreenSaverHome(const std::string& xscreensaver)
    {
        char folder[] = "/tmp/verdane-home.XXXXXX";
        if (mkdtemp(folder) == nullptr)
            return;
        m_path = folder;
        std::ofstream(m_path + "/.xscreensaver") << xscreensaver;
    }
    ~CXScreenSaverHome()
    {
        if (!m_path.empty())
            std::system(("rm -rf '" + m_path + "'").c_str());
    }
    CXScreenSaverHome(const CXScreenSaverHome&) = delete;
    CXScreenSaverHome& operator=(const CXScreenSaverHome&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

class HackDisplayTest : public CXvfbSuite<kScreenWidth, kScreenHeight> {
protected:
    std::unique_ptr<CHackProcess> Start(const std::vector<std::string>& arguments,
                                        const std::map<std::string, std::optional<std::string>>& environment = {})
    {
        return std::make_unique<CHackProcess>(s_server->Display(), arguments, environment);
    }

    bool GrowsOn(Window window, int timeoutMs = kGrowthTimeoutMs)
    {
        return WaitFor([&] { return m_screen->CountBranchPixels(window) > 0; }, timeoutMs);
    }

    // Makes the window (oldWidth x oldHeight) larger; true once more than
    // least branch pixels have grown over the part that is new.
    bool GrowsAfterResizing(Window window, int oldWidth, int oldHeight, int width, int height, long least)
    {
        XResizeWindow(m_screen->Get(), window, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XSync(m_screen->Get(), False);
        return WaitFor(
            [&] {
                return m_screen->CountBranchPixels(window, oldWidth, 0, width - oldWidth, height) +
                           m_screen->CountBranchPixels(window, 0, oldHeight, oldWidth, height - oldHeight) >
                       least;
            },
            kGrowthTimeoutMs);
    }

    // A fresh settings folder holding the settings file with that text;
    // returns the folder, to be XDG_CONFIG_HOME, and sets file to the
    // settings file's path.
    static std::string MakeSettingsFolder(const std::string& stored, std::string& file)
    {
        char folder[] = "/tmp/verdane-settings.XXXXXX";
        if (mkdtemp(folder) == nullptr)
            return std::string();
        file = std::string(folder) + "/Tarnwell/verdane.ini";
        std::system(("mkdir -p '" + std::string(folder) + "/Tarnwell'").c_str());
        std::ofstream(file) << stored;
        return folder;
    }

    // The settings window once it is there, else 0.
    Window WaitForSettingsWindow()
    {
        Window window = 0;
        WaitFor([&] { return (window = m_screen->FindWindowNamed("Verdane Settings")) != 0; }, kGrowthTimeoutMs);
        return window;
    }

};

TEST_F(HackDisplayTest, WindowOfItsOwnShowsGrowthAndClosesLikeAnyWindow)
{
    auto hack = Start({"-window", "--growth-rate", "100"});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs));
    EXPECT_TRUE(GrowsOn(window));

    // The window manager's close button: WM_DELETE_WINDOW, then exit 0.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(m_screen->Get(), "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(m_screen->Get(), "WM_DELETE_WINDOW", False));
    XSendEvent(m_screen->Get(), window, False, NoEventMask, &close);
    XFlush(m_screen->Get());
    EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
}

TEST_F(HackDisplayTest, RootDrawsOnTheRoot)
{
    auto hack = Start({"-root", "--growth-rate", "100"});
    EXPECT_TRUE(GrowsOn(m_screen->Root()));
    EXPECT_TRUE(hack->Running());
}

// As XScreenSaver's driver starts it: -root with the window it made named
// in the environment. Nothing grows outside that window.
TEST_F(HackDisplayTest, RootWithXScreenSaverWindowDrawsThereOnly)
{
    const Window saver = m_screen->CreateWindow(200, 150, 600, 400);
    // It starts on the black desktop (colour bars would count as growth).
    m_screen->LeaveScreenshot(saver, m_screen->Screenshot());
    const CXScreenSaverHome home("grabDesktopImages: True\n");
    auto hack = Start({"--root", "--growth-rate", "100"}, {{"XSCREENSAVER_WINDOW", HexId(saver)}, {"HOME", home.Path()}});
    EXPECT_TRUE(GrowsOn(saver));
    XUnmapWindow(m_screen->Get(), saver);  // what lies beneath is the root
    XSync(m_screen->Get(), False);
    EXPECT_EQ(m_screen->CountBranchPixels(m_screen->Root()), 0);
}

TEST_F(HackDisplayTest, WindowIdDrawsInThatWindow)
{
    const Window target = m_screen->CreateWindow(0, 0, 900, 700);
    m_screen->LeaveScreenshot(target, m_screen->Screenshot());
    const CXScreenSaverHome home("grabDesktopImages: True\n");
    auto hack = Start({"-window-id", std::to_string(target), "--growth-rate", "100"}, {{"HOME", home.Path()}});
    EXPECT_TRUE(GrowsOn(target));
    // The canvas fills the window whatever its size, as when XScreenSaver's
    // window follows a new monitor layout.
    EXPECT_TRUE(GrowsAfterResizing(target, 900, 700, 1020, 760, 0)) << "nothing grows over the new part";
    // When that window goes, so does the program.
    XDestroyWindow(m_screen->Get(), target);
    XSync(m_screen->Get(), False);
    EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
}

// Another client destroys verdane's own window (xdotool windowclose does
// XDestroyWindow): the program ends at once, with status 0.
TEST_F(HackDisplayTest, DestroyingItsWindowEndsItWithinASecond)
{
    for (const char* mode : {"-window", "-fullscreen"}) {
        auto hack = Start({mode, "--growth-rate", "100"});
        Window window = 0;
        ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs)) << mode;
        XDestroyWindow(m_screen->Get(), window);
        XSync(m_screen->Get(), False);
        EXPECT_EQ(hack->WaitExit(1000), 0) << mode;
    }
}

// -geometry places and sizes the window. Made larger, the window keeps its
// picture, and the growth spreads over the part that is new.
TEST_F(HackDisplayTest, GeometryPlacesTheWindowAndAResizedWindowGrowsOverItsNewArea)
{
    auto hack = Start({"-window", "-geometry", "300x200+40+30", "--growth-rate", "100"});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs));
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(m_screen->Get(), window, &attributes), 0);
    EXPECT_EQ(std::vector<int>({attributes.x, attributes.y, attributes.width, attributes.height}),
              std::vector<int>({40, 30, 300, 200}));
    ASSERT_TRUE(WaitFor([&] { return m_screen->CountBranchPixels(window) > 300; }, kGrowthTimeoutMs));

    const long kept = m_screen->CountBranchPixels(window);
    EXPECT_TRUE(GrowsAfterResizing(window, 300, 200, 700, 500, 100)) << "nothing grows over the new part";
    EXPECT_GE(m_screen->CountBranchPixels(window, 0, 0, 300, 200), kept * 9 / 10) << "the picture was lost";
}

// While the monitor is dark (DPMS standby, suspend or off) a window of its
// own grows nothing and uses no processor time; when it is back on, the
// growth goes on. The port asks for the level once a second.
TEST_F(HackDisplayTest, AWindowOfItsOwnSleepsWhileTheMonitorIsDark)
{
    char folder[] = "/tmp/verdane-dpms.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string level = std::string(folder) + "/level";
    std::ofstream(level) << "on";
    auto hack = Start({"-window", "--growth-rate", "100"},
                      {{"LD_PRELOAD", std::string(VERDANE_FAKE_DPMS_PATH)}, {"VERDANE_FAKE_DPMS", level}});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs));
    ASSERT_TRUE(GrowsOn(window));

    std::ofstream(level) << "off";
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long dark = m_screen->CountBranchPixels(window);
    const long ticks = hack->CpuTicks();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(m_screen->CountBranchPixels(window), dark) << "it grew with the monitor off";
    EXPECT_LE(hack->CpuTicks() - ticks, 2) << "clock ticks of processor time in a second with the monitor off";

    std::ofstream(level) << "on";
    EXPECT_TRUE(WaitFor([&] { return m_screen->CountBranchPixels(window) > dark; }, kGrowthTimeoutMs))
        << "it did not grow again with the monitor on";
    EXPECT_TRUE(hack->Running());
    std::system(("rm -rf '" + std::string(folder) + "'").c_str());
}

// Ticks draw into the picture at the timer's rate, but the screen changes
// at most once per display frame (60 Hz: Xvfb's mode has no timings) and
// keeps following the growth. With a 1 ms timer that is up to a thousand
// ticks a second; the window is watched as fast as the test can read it
// for two seconds. A loaded machine reads less often, which can only lower
// the count: the upper bound never flakes, and the lower one asks for a
// change every ten frames on average.
TEST_F(HackDisplayTest, TheScreenChangesAtTheDisplaysPaceNotTheTimers)
{
    using Clock = std::chrono::steady_clock;
    auto hack = Start({"-window", "-geometry", "200x150+0+0", "--growth-rate", "100", "-delay", "1000"});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs));
    ASSERT_TRUE(GrowsOn(window));

    const auto watched = std::chrono::seconds(2);
    const long frames = 2 * 60;
    long changes = 0;
    long reads = 0;
    long branches = m_screen->CountBranchPixels(window);
    for (const auto end = Clock::now() + watched; Clock::now() < end; ++reads) {
        const long now = m_screen->CountBranchPixels(window);
        changes += now != branches ? 1 : 0;
        branches = now;
    }
    EXPECT_LE(changes, frames * 5 / 4 + 2) << reads << " reads";
    EXPECT_GE(changes, frames / 10) << reads << " reads";
}

// The canvas starts on what the window showed, and what the server loses
// (here: the whole window, cleared to black, which it reports with Expose)
// is put back from the canvas's picture at once, without waiting for a
// tick: the timer's first tick is five seconds away, and few branches keep
// the growth from drawing meanwhile. The picture has a white part and one
// whose red, green and blue all differ, in exact colours (a mix-up of the
// pixel order would show there).
// -window-id is XScreenSaver's preview: the picture comes through its image
// helper, here the screenshot left on the window, as the user allows.
void ExpectExposedPartsPutBack(CXScreen& screen, const std::string& display)
{
    const Window target = screen.CreateWindow(0, 0, 900, 700);
    screen.Fill(target, 300, 200, 100, 80, 0xFFFFFF);
    screen.Fill(target, 500, 100, 60, 50, 0x604020);
    screen.LeaveScreenshot(target, screen.Screenshot());
    const long white = 100 * 80;
    const long coloured = 60 * 50;
    const CXScreenSaverHome home("grabDesktopImages: True\n");
    CHackProcess hack(display, {"-window-id", HexId(target), "--growth-rate", "0", "-delay", "5000000"},
                      {{"HOME", home.Path()}});
    // Attached once it watches the window for exposure (after reading what
    // it shows); a fixed wait lost that race on a loaded machine.
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes attributes{};
            return XGetWindowAttributes(screen.Get(), target, &attributes) != 0 &&
                   (attributes.all_event_masks & ExposureMask) != 0;
        },
        kGrowthTimeoutMs));
    ASSERT_TRUE(hack.Running());

    XClearArea(screen.Get(), target, 0, 0, 0, 0, True);
    XSync(screen.Get(), False);
    EXPECT_TRUE(WaitFor(
        [&] { return screen.CountColor(target, 0xFFFFFF) >= white - 200 && screen.CountColor(target, 0x604020) >= coloured; },
        1000))
        << screen.CountColor(target, 0xFFFFFF) << " white pixels, " << screen.CountColor(target, 0x604020)
        << " coloured ones";
}

TEST_F(HackDisplayTest, ExposedPartsArePutBackFromThePicture)
{
    ExpectExposedPartsPutBack(*m_screen, s_server->Display());
}

// A server that shares no memory with the hack (a display on another
// machine) is sent the picture with plain requests: the same picture, and
// the growth, reach its screen.
TEST(HackWithoutSharedMemory, ShowsThePictureAndTheGrowth)
{
    CXvfbServer server(kScreenWidth, kScreenHeight, 24, false);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    CXScreen screen(server.Display());
    ASSERT_NE(screen.Get(), nullptr);
    int opcode = 0, event = 0, error = 0;
    ASSERT_FALSE(XQueryExtension(screen.Get(), "MIT-SHM", &opcode, &event, &error));
    ExpectExposedPartsPutBack(screen, server.Display());

    CHackProcess hack(server.Display(), {"-root", "--growth-rate", "100"}, {});
    EXPECT_TRUE(WaitFor([&] { return screen.CountBranchPixels(screen.Root()) > 0; }, kGrowthTimeoutMs));
}

TEST_F(HackDisplayTest, FullScreenEndsOnAOnePixelPointerMoveAndOnAKey)
{
    {
        auto hack = Start({"-fullscreen", "--growth-rate", "100"});
        ASSERT_TRUE(GrowsOn(m_screen->Root()));
        // The first position reported is only noted; a move by one pixel
        // from it ends the program. (The pointer is first moved away from
        // where it rests, so that the warp is a motion.)
        Window root = 0, child = 0;
        int x = 0, y = 0, windowX = 0, windowY = 0;
        unsigned mask = 0;
        XQueryPointer(m_screen->Get(), m_screen->Root(), &root, &child, &x, &y, &windowX, &windowY, &mask);
        const int firstX = x > 500 ? 300 : 700;
        XWarpPointer(m_screen->Get(), None, m_screen->Root(), 0, 0, 0, 0, firstX, 300);
        XSync(m_screen->Get(), False);
        EXPECT_FALSE(hack->WaitExit(300).has_value()) << "the first motion ended it";
        XWarpPointer(m_screen->Get(), None, m_screen->Root(), 0, 0, 0, 0, firstX + 1, 300);
        XSync(m_screen->Get(), False);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
    }
    {
        auto hack = Start({"-fullscreen", "--growth-rate", "100"});
        ASSERT_TRUE(GrowsOn(m_screen->Root()));
        Window window = 0;
        ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindHackWindow()) != 0; }, kGrowthTimeoutMs));
        XEvent key{};
        key.xkey.type = KeyPress;
        key.xkey.window = window;
        key.xkey.root = m_screen->Root();
        key.xkey.keycode = XKeysymToKeycode(m_screen->Get(), 'a');
        key.xkey.same_screen = True;
        XSendEvent(m_screen->Get(), window, True, KeyPressMask, &key);
        XFlush(m_screen->Get());
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
    }
}

// Black root with a white rectangle: re-seeded branches land on white, so
// the growth gathers over the rectangle and its rim, a ninth of the screen.
// (Tips that find no white near them restart at random places, and the
// first re-seed starts near the top left corner: they account for the
// rest.)
TEST_F(HackDisplayTest, GrowthStartsOnTheBrightPartsOfTheRoot)
{
    const int x = 400, y = 300, width = 200, height = 150;
    m_screen->SetRootPicture(x, y, width, height);
    auto hack = Start({"-root", "--growth-rate", "100"});
    ASSERT_TRUE(WaitFor([&] { return m_screen->CountBranchPixels(m_screen->Root()) > 2000; }, kGrowthTimeoutMs));
    // Branches reach about 30 pixels from where they start. Re-seeds that
    // find no bright pixel place branches at random over the whole screen,
    // and the first one starts near the top left corner, which is left out;
    // so the test compares densities: branches must crowd round the white
    // part far more than they spread over the rest of the screen.
    const int reach = 60;
    const long nearArea = static_cast<long>(width + 2 * reach) * (height + 2 * reach);
    const long cornerArea = 120L * 120L;
    const long restArea = static_cast<long>(kScreenWidth) * kScreenHeight - nearArea - cornerArea;
    const long near = m_screen->CountBranchPixels(m_screen->Root(), x - reach, y - reach, width + 2 * reach,
                                                  height + 2 * reach);
    const long corner = m_screen->CountBranchPixels(m_screen->Root(), 0, 0, 120, 120);
    const long rest = m_screen->CountBranchPixels(m_screen->Root()) - near - corner;
    const double nearDensity = static_cast<double>(near) / nearArea;
    const double restDensity = static_cast<double>(rest) / restArea;
    EXPECT_GE(nearDensity, 4 * restDensity)
        << near << " branch pixels near the white part, " << rest << " over the rest of the screen";
}

// Under XScreenSaver the picture is the one XScreenSaver's image hacks get
// through its helper, as the user's ~/.xscreensaver allows. The desktop is
// painted in two colours that nothing else here shows (neither the growth,
// whose green leads, nor XScreenSaver's colour bars), so that its pixels
// are easy to count.
class HackUnderXScreenSaverTest : public HackDisplayTest {
protected:
    static constexpr unsigned long kDesktopLeft = 0xC81E9B;
    static constexpr unsigned long kDesktopRight = 0x3C14A0;
    static constexpr int kSaverWidth = 600;
    static constexpr int kSaverHeight = 400;

    void SetUp() override
    {
        HackDisplayTest::SetUp();
        if (access("/usr/libexec/xscreensaver/xscreensaver-getimage", X_OK) != 0)
            GTEST_SKIP() << "XScreenSaver's image helper is not installed (Debian package xscreensaver-data)";
        m_screen->Fill(m_screen->Root(), 0, 0, kScreenWidth / 2, kScreenHeight, kDesktopLeft);
        m_screen->Fill(m_screen->Root(), kScreenWidth / 2, 0, kScreenWidth / 2, kScreenHeight, kDesktopRight);
    }
    // As XScreenSaver's driver blanks the screen: a screenshot of the
    // desktop, then its black window over it, holding the screenshot.
    Window BlankAsTheDriverDoes()
    {
        const Pixmap shot = m_screen->Screenshot();
        const Window saver = m_screen->CreateWindow(200, 150, kSaverWidth, kSaverHeight);
        m_screen->LeaveScreenshot(saver, shot);
        return saver;
    }

    // verdane as the driver starts it, for a user whose ~/.xscreensaver
    // holds the text and whose verdane.ini the stored text.
    std::unique_ptr<CHackProcess> StartAsTheDriverDoes(Window saver, const std::vector<std::string>& arguments,
                                                       const std::string& xscreensaver, const std::string& stored)
    {
        m_home = std::make_unique<CXScreenSaverHome>(xscreensaver);
        const std::string settings = m_home->Path() + "/config";
        std::system(("mkdir -p '" + settings + "/Tarnwell'").c_str());
        std::ofstream(settings + "/Tarnwell/verdane.ini") << stored;
        return Start(arguments,
                     {{"XSCREENSAVER_WINDOW", HexId(saver)}, {"HOME", m_home->Path()}, {"XDG_CONFIG_HOME", settings}});
    }

    long DesktopPixels(Window window)
    {
        return m_screen->CountColor(window, kDesktopLeft) + m_screen->CountColor(window, kDesktopRight);
    }

    std::unique_ptr<CXScreenSaverHome> m_home;
};

// Debian's default: the desktop must never show (a locked screen would
// show it); XScreenSaver's helper gives its colour bars instead, and they
// fill the window from the start, not in patches round the branches.
TEST_F(HackUnderXScreenSaverTest, NoDesktopPixelShowsWithoutGrabDesktopImages)
{
    const Window saver = BlankAsTheDriverDoes();
    auto hack = StartAsTheDriverDoes(saver, {"--root", "--growth-rate", "100"},
                                     "grabDesktopImages: False\nchooseRandomImages: False\n", "");
    ASSERT_TRUE(GrowsOn(saver));
    // Whole with the first branches, not in patches that the growth uncovers.
    const long area = static_cast<long>(kSaverWidth) * kSaverHeight;
    const long black = m_screen->CountColor(saver, 0x000000);
    EXPECT_LT(black, area / 4) << black << " black pixels: the picture is not shown whole";
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(DesktopPixels(saver), 0);
    EXPECT_TRUE(hack->Running());
}

// Allowed to, the growth starts on the whole desktop: every pixel of the
// window is the desktop's or a branch's. A bare --root, as the settings
// panel runs it at its defaults, ignores the stored settings: a stored
// "Blankscr" would paint the window black.
TEST_F(HackUnderXScreenSaverTest, TheWholeDesktopShowsWithGrabDesktopImagesAndStoredSettingsAreIgnored)
{
    const Window saver = BlankAsTheDriverDoes();
    auto hack = StartAsTheDriverDoes(saver, {"--root"}, "grabDesktopImages: True\n",
                                     "[Config]\nBlankscr=1\nStar Number=100\nStar Speed=100\n");
    const long area = static_cast<long>(kSaverWidth) * kSaverHeight;
    auto other = [&] {
        return m_screen->CountPixels(saver, [](unsigned long r, unsigned long g, unsigned long b) {
            const unsigned long rgb = r << 16 | g << 8 | b;
            const bool branch = CXScreen::IsBranchColor(r, g, b);
            return !branch && rgb != kDesktopLeft && rgb != kDesktopRight;
        });
    };
    EXPECT_TRUE(WaitFor([&] { return other() == 0 && DesktopPixels(saver) > area * 9 / 10; }, kGrowthTimeoutMs))
        << DesktopPixels(saver) << " desktop pixels, " << other() << " neither the desktop's nor a branch's";
    // At the default "Growth Rate" few branches grow, not a stored 100's.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_GT(DesktopPixels(saver), area * 9 / 10);
    EXPECT_TRUE(hack->Running());
}

// XScreenSaver starts one hack per monitor within the same second: each
// grows its own branches. With one seed for both, the second window would
// repeat the first's growth nearly pixel for pixel.
TEST_F(HackDisplayTest, TwoProcessesStartedTogetherGrowDifferently)
{
    const int width = 400, height = 300;
    auto first = Start({"-window", "--blank", "--growth-rate", "50", "-geometry", "400x300+0+0"});
    auto second = Start({"-window", "--blank", "--growth-rate", "50", "-geometry", "400x300+500+0"});
    const Window root = m_screen->Root();
    ASSERT_TRUE(WaitFor(
        [&] {
            return m_screen->CountBranchPixels(root, 0, 0, width, height) > 3000 &&
                   m_screen->CountBranchPixels(root, 500, 0, width, height) > 3000;
        },
        kGrowthTimeoutMs));
    const std::vector<unsigned long> a = m_screen->Pixels(root, 0, 0, width, height);
    const std::vector<unsigned long> b = m_screen->Pixels(root, 500, 0, width, height);
    ASSERT_EQ(a.size(), b.size());
    long branches = 0, shared = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const unsigned long r = a[i] >> 16, g = (a[i] >> 8) & 0xFF, bl = a[i] & 0xFF;
        if (CXScreen::IsBranchColor(r, g, bl)) {
            ++branches;
            shared += a[i] == b[i] ? 1 : 0;
        }
    }
    EXPECT_LT(shared, branches / 2) << shared << " of " << branches << " branch pixels are the same in both";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The settings window: sliders set by clicks, OK stores the four values the
// Windows dialog carries (limited as its controls limit them), Cancel and
// the close button store nothing. Its preview grows meanwhile.
TEST_F(HackDisplayTest, SettingsWindowStoresOnOkAndNotOnCancel)
{
    using namespace settings_layout;
    const std::string stored = "[Config]\nSpeed=150\nBlankscr=7\nStar Speed=-20\nStar Number=30\n";
    std::string file;
    const std::string config = MakeSettingsFolder(stored, file);
    ASSERT_FALSE(config.empty());
    const std::map<std::string, std::optional<std::string>> environment = {{"XDG_CONFIG_HOME", config}};
    const int growthRateAt75 = kTrackLeft + 75 * kTrackWidth / 100;

    {
        auto hack = Start({"-settings"}, environment);
        const Window window = WaitForSettingsWindow();
        ASSERT_NE(window, 0u);
        EXPECT_TRUE(WaitFor(
            [&] {
                return m_screen->CountBranchPixels(window, kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight) > 0;
            },
            kGrowthTimeoutMs))
            << "the preview does not grow";
        m_screen->Click(window, growthRateAt75, kGrowthRateTrackY);
        m_screen->Click(window, kCancelLeft + 5, kButtonTop + 5);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
        EXPECT_EQ(ReadFile(file), stored);
    }
    {
        auto hack = Start({"--configure"}, environment);
        const Window window = WaitForSettingsWindow();
        ASSERT_NE(window, 0u);
        m_screen->Click(window, growthRateAt75, kGrowthRateTrackY);
        m_screen->Click(window, kOkLeft + 5, kButtonTop + 5);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
        EXPECT_EQ(ReadFile(file), "[Config]\nSpeed=100\nBlankscr=0\nStar Speed=0\nStar Number=75\n");
    }
    std::system(("rm -rf '" + config + "'").c_str());
}

// Another client destroys the window of the settings (xdotool windowclose
// does XDestroyWindow): as Cancel, status 0 within a second and nothing
// stored. Driven from the keyboard alone, the window stores what the keys
// set: Tab and Shift+Tab move between the sliders and the buttons, arrows
// step by one, Page Up/Down by ten, Home and End go to the ends. A store
// that refuses says where and why.
TEST_F(HackDisplayTest, SettingsWindowWorksFromTheKeyboardAndIsCancelledByItsDestruction)
{
    const std::string stored = "[Config]\nSpeed=5\nBlankscr=1\nStar Speed=40\nStar Number=30\n";
    std::string file;
    const std::string config = MakeSettingsFolder(stored, file);
    ASSERT_FALSE(config.empty());
    const std::map<std::string, std::optional<std::string>> environment = {{"XDG_CONFIG_HOME", config}};
    {
        auto hack = Start({"-settings"}, environment);
        const Window window = WaitForSettingsWindow();
        ASSERT_NE(window, 0u);
        m_screen->Key(window, XK_Tab);  // to Growth Rate
        m_screen->Key(window, XK_End);
        XDestroyWindow(m_screen->Get(), window);
        XSync(m_screen->Get(), False);
        EXPECT_EQ(hack->WaitExit(1000), 0);
        EXPECT_EQ(ReadFile(file), stored);
    }
    {
        auto hack = Start({"-settings"}, environment);
        const Window window = WaitForSettingsWindow();
        ASSERT_NE(window, 0u);
        // Plant Size: 100, 90, 89.
        for (const KeySym key : {XK_End, XK_Page_Up, XK_Left})
            m_screen->Key(window, key);
        // Growth Rate: 0, 10, 20, 21, 22, 21; then on to OK, Cancel, back to OK.
        for (const KeySym key : {XK_Tab, XK_Home, XK_Page_Down, XK_Page_Down, XK_Right, XK_Down, XK_Up, XK_Tab, XK_Tab})
            m_screen->Key(window, key);
        m_screen->Key(window, XK_Tab, true);
        m_screen->Key(window, XK_Return);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 0);
        EXPECT_EQ(ReadFile(file), "[Config]\nSpeed=5\nBlankscr=1\nStar Speed=89\nStar Number=21\n");
    }
    {
        // A settings file that is a link to a device cannot be stored: status
        // 1, and one line naming the file, its target and the reason.
        ASSERT_EQ(std::system(("ln -sf /dev/zero '" + file + "'").c_str()), 0);
        auto hack = Start({"-settings"}, environment);
        const Window window = WaitForSettingsWindow();
        ASSERT_NE(window, 0u);
        m_screen->Key(window, XK_Return);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 1);
        const std::string errors = hack->Errors();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        for (const std::string& part : {file, std::string("/dev/zero"), std::string("not a regular file")})
            EXPECT_NE(errors.find(part), std::string::npos) << errors;
    }
    std::system(("rm -rf '" + config + "'").c_str());
}

struct BadStart {
    std::vector<std::string> arguments;
    const char* complaint;  // a word the one line must hold
};

TEST_F(HackDisplayTest, BadOptionsAndBadWindowsGiveOneLineAndStatusTwo)
{
    const std::vector<BadStart> cases = {
        {{"-bogus"}, "-bogus"},
        {{"-delay", "soon"}, "soon"},
        {{"--plant-size", "101"}, "101"},
        {{"-window-id"}, "needs a value"},
        {{"-window-id", "0x7fffff0"}, "0x7fffff0"},
        {{"-window-id", "nowhere"}, "nowhere"},
        {{"-display", ":999", "-window"}, ":999"},
    };
    for (const BadStart& bad : cases) {
        auto hack = Start(bad.arguments);
        EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 2) << bad.arguments[0];
        const std::string errors = hack->Errors();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(bad.complaint), std::string::npos) << errors;
    }
    auto hack = Start({"-root"}, {{"XSCREENSAVER_WINDOW", std::string("0x7fffff0")}});
    EXPECT_EQ(hack->WaitExit(kExitTimeoutMs), 2);
}

}  // namespace
