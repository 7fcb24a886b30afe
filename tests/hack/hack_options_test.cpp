// The X11 program's command line: XScreenSaver's conventions for a hack.
#include "hack_options.h"

#include <gtest/gtest.h>

namespace {

CHackOptionsResult Parse(const std::vector<std::string>& args)
{
    return ParseHackOptions(args);
}

TEST(HackOptions, NothingGivenIsAWindowOfItsOwnAtTheWindowsTimerFloor)
{
    const CHackOptionsResult r = Parse({});
    ASSERT_TRUE(r.error.empty());
    EXPECT_EQ(r.options.target, HackTarget::Window);
    EXPECT_EQ(r.options.delayMicros, 10000);
    EXPECT_FALSE(r.options.showFps);
    EXPECT_FALSE(r.options.plantSize);
    EXPECT_FALSE(r.options.growthRate);
    EXPECT_FALSE(r.options.blank);
}

TEST(HackOptions, OneDashOrTwoNameTheSameOption)
{
    for (const char* root : {"-root", "--root"})
        EXPECT_EQ(Parse({root}).options.target, HackTarget::Root) << root;
    for (const char* settings : {"-settings", "--settings", "-configure", "--configure"})
        EXPECT_EQ(Parse({settings}).options.target, HackTarget::Settings) << settings;
    const CHackOptionsResult r = Parse({"--delay", "20000", "-fps", "-plant-size", "7", "--growth-rate", "100", "-blank"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.options.delayMicros, 20000);
    EXPECT_TRUE(r.options.showFps);
    EXPECT_EQ(r.options.plantSize, 7);
    EXPECT_EQ(r.options.growthRate, 100);
    EXPECT_TRUE(r.options.blank);
    EXPECT_EQ(Parse({"-fullscreen"}).options.target, HackTarget::FullScreen);
    EXPECT_EQ(Parse({"-display", ":3"}).options.display, ":3");
}

TEST(HackOptions, TheLastTargetGivenWins)
{
    EXPECT_EQ(Parse({"-root", "-window"}).options.target, HackTarget::Window);
    const CHackOptionsResult r = Parse({"-window", "-window-id", "0x1a00007"});
    EXPECT_EQ(r.options.target, HackTarget::WindowId);
    EXPECT_EQ(r.options.windowId, 0x1a00007u);
}

TEST(HackOptions, WindowIdsInHexadecimalOrDecimalOfAtMost32Bits)
{
    EXPECT_EQ(ParseWindowId("0x1A00007"), 0x1a00007u);
    EXPECT_EQ(ParseWindowId("27262983"), 27262983u);
    EXPECT_EQ(ParseWindowId("0xFFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "0", "0x", "0x100000000", "4294967296", "-5", " 12", "12 ", "+12", "0x1g", "1e3"})
        EXPECT_FALSE(ParseWindowId(bad)) << "'" << bad << "'";
}

TEST(HackOptions, BadUseGivesOneLineNamingTheCulprit)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"-bogus"}, "-bogus"},
        {{"root"}, "root"},
        {{"-delay"}, "needs a value"},
        {{"-delay", "-1"}, "-1"},
        {{"-delay", "10000001"}, "10000001"},
        {{"-delay", "0x10"}, "0x10"},
        {{"--plant-size", "101"}, "101"},
        {{"--growth-rate", "-3"}, "-3"},
        {{"--growth-rate", "fast"}, "fast"},
        {{"-window-id", "0"}, "'0'"},
        {{"-window-id"}, "needs a value"},
    };
    for (const auto& [args, culprit] : cases) {
        const CHackOptionsResult r = Parse(args);
        EXPECT_NE(r.error.find(culprit), std::string::npos) << args[0] << ": " << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    }
    EXPECT_TRUE(Parse({"-delay", "0"}).error.empty());
    EXPECT_TRUE(Parse({"--plant-size", "0", "--growth-rate", "100"}).error.empty());
}

TEST(HackOptions, HelpStopsReading)
{
    EXPECT_TRUE(Parse({"--help", "-bogus"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
}

// The options every hack takes through XScreenSaver's common code.
TEST(HackOptions, TheStandardHackOptionsAreAccepted)
{
    const CHackOptionsResult r = Parse({"-install", "--noinstall", "-mono", "-pair", "-visual", "default", "--visual",
                                        "TrueColor", "-visual", "0x21", "-fps", "--no-fps", "-geometry", "640x480+10+20"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_FALSE(r.options.showFps);
    EXPECT_EQ(r.options.geometry.width, 640);
    EXPECT_EQ(r.options.geometry.y, 20);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"-visual", "purple"}, {"-visual"}, {"-geometry", "big"}, {"-pairs"}})
        EXPECT_FALSE(Parse(bad).error.empty()) << bad[0];
}

// Each geometry with the window it gives on a 1024x768 screen, starting
// from 800x600 at (0, 0); and strings that are not geometries.
TEST(HackOptions, GeometryPlacesAndSizesTheWindow)
{
    struct Case {
        const char* text;
        int x, y, width, height;
    };
    const Case cases[] = {
        {"640x480+10+20", 10, 20, 640, 480},
        {"=300x200", 0, 0, 300, 200},
        {"+5+6", 5, 6, 800, 600},
        {"100x50-10-20", 914, 698, 100, 50},
        {"100X50+0-0", 0, 718, 100, 50},
    };
    for (const Case& c : cases) {
        const auto geometry = ParseGeometry(c.text);
        ASSERT_TRUE(geometry) << c.text;
        int x = 0, y = 0, width = 800, height = 600;
        PlaceWindow(*geometry, 1024, 768, x, y, width, height);
        EXPECT_EQ(std::vector<int>({x, y, width, height}), std::vector<int>({c.x, c.y, c.width, c.height})) << c.text;
    }
    for (const char* text :
         {"", "0x50", "100x", "100x50+1", "100x50+1+2+3", "x50", "100x50 +1+2", "40000x50", "100x50++1+2"})
        EXPECT_FALSE(ParseGeometry(text)) << "'" << text << "'";
}

// Wayland only where the environment names a compositor and no X display,
// or hands over a compositor's socket; the command line decides first.
TEST(HackOptions, TheDisplayShownOnFollowsTheEnvironmentUnlessForced)
{
    const CHackOptions plain = Parse({}).options;
    EXPECT_FALSE(ShowsOnWayland(plain, nullptr, nullptr, ":0"));
    EXPECT_TRUE(ShowsOnWayland(plain, nullptr, "wayland-1", nullptr));
    EXPECT_TRUE(ShowsOnWayland(plain, nullptr, "wayland-1", ""));
    // Under Xwayland both are set: X11, where XScreenSaver's conventions
    // hold.
    EXPECT_FALSE(ShowsOnWayland(plain, nullptr, "wayland-1", ":0"));
    EXPECT_TRUE(ShowsOnWayland(plain, "5", "wayland-1", ":0"));
    EXPECT_FALSE(ShowsOnWayland(plain, "", "", nullptr));
    EXPECT_FALSE(ShowsOnWayland(plain, nullptr, nullptr, nullptr));
    EXPECT_FALSE(ShowsOnWayland(Parse({"-display", ":3"}).options, nullptr, "wayland-1", nullptr));
    EXPECT_TRUE(ShowsOnWayland(Parse({"--wayland"}).options, nullptr, nullptr, ":0"));
    EXPECT_FALSE(ShowsOnWayland(Parse({"--x11"}).options, "5", "wayland-1", nullptr));
    // The last of the two given wins, as for the modes.
    EXPECT_TRUE(ShowsOnWayland(Parse({"-x11", "-wayland"}).options, nullptr, nullptr, nullptr));
}

TEST(HackOptions, OutputNeedsAName)
{
    EXPECT_EQ(Parse({"--output", "DP-2"}).options.output, "DP-2");
    EXPECT_EQ(Parse({"--output"}).error, "option --output needs a value");
    EXPECT_EQ(Parse({"-output", ""}).error, "option -output needs an output name");
}

// XScreenSaver starts a hack with -root and its window in the environment,
// and its settings panel's preview with -window-id; a bare -root on a
// desktop of one's own, or a window of its own, is not XScreenSaver's.
TEST(HackOptions, StartedByXScreenSaverOnlyOnItsWindows)
{
    EXPECT_TRUE(StartedByXScreenSaver(Parse({"--root"}).options, "0x400001"));
    EXPECT_TRUE(StartedByXScreenSaver(Parse({"-window-id", "0x400001"}).options, nullptr));
    EXPECT_FALSE(StartedByXScreenSaver(Parse({"--root"}).options, nullptr));
    EXPECT_FALSE(StartedByXScreenSaver(Parse({"--root"}).options, ""));
    EXPECT_FALSE(StartedByXScreenSaver(Parse({"-window"}).options, "0x400001"));
    EXPECT_FALSE(StartedByXScreenSaver(Parse({"-fullscreen"}).options, "0x400001"));
}

}  // namespace
