// Exit statuses that need an X server of their own: a screen whose visual
// verdane cannot draw on, a screen number the display does not have, and a
// server that goes away under the program.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "xvfb_server.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr int kExitTimeoutMs = 5000;
const char* const kModes[] = {"-window", "-fullscreen", "-root", "-settings"};

long Lines(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

TEST(HackExitStatus, ASixteenBitScreenGivesStatusTwoAndOneLineInEveryMode)
{
    const CXvfbServer server(640, 480, 16);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    for (const char* mode : kModes) {
        CHackProcess hack(server.Display(), {mode});
        EXPECT_EQ(hack.WaitExit(kExitTimeoutMs), 2) << mode;
        const std::string errors = hack.Errors();
        EXPECT_EQ(Lines(errors), 1) << mode << ": " << errors;
        EXPECT_NE(errors.find("24-bit TrueColor"), std::string::npos) << mode << ": " << errors;
    }
}

// A screen number that names no screen of the display: status 2 and one
// line in every mode, whether Xlib refuses it itself (past the last
// screen) or opens the display on it (negative).
TEST(HackExitStatus, AScreenTheDisplayDoesNotHaveGivesStatusTwoAndOneLineInEveryMode)
{
    const CXvfbServer server(640, 480);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    for (const char* screen : {".-1", ".-2", ".-100000", ".1"}) {
        for (const char* mode : kModes) {
            CHackProcess hack(server.Display(), {mode, "-display", server.Display() + screen});
            EXPECT_EQ(hack.WaitExit(kExitTimeoutMs), 2) << mode << " " << screen;
            const std::string errors = hack.Errors();
            EXPECT_EQ(Lines(errors), 1) << mode << " " << screen << ": " << errors;
            EXPECT_NE(errors.find(server.Display() + screen), std::string::npos) << errors;
        }
    }
}

TEST(HackExitStatus, TheServerGoingAwayGivesStatusThreeInEveryMode)
{
    for (const char* mode : kModes) {
        auto server = std::make_unique<CXvfbServer>(640, 480);
        ASSERT_FALSE(server->Display().empty()) << "Xvfb did not start";
        CHackProcess hack(server->Display(), {mode, "--growth-rate", "100"});
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // connected and drawing
        ASSERT_TRUE(hack.Running()) << mode << ": " << hack.Errors();
        server.reset();
        EXPECT_EQ(hack.WaitExit(kExitTimeoutMs), 3) << mode;
        const std::string errors = hack.Errors();
        EXPECT_EQ(Lines(errors), 1) << mode << ": " << errors;
        EXPECT_NE(errors.find("lost the connection"), std::string::npos) << mode << ": " << errors;
    }
}

}  // namespace
