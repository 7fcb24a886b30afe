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

}  // namespace
