// Exit statuses that need an X server of their own: a screen whose visual
// verdane cannot draw on, a screen number the display does not have, OK
// when the settings cannot be locked, and a server that goes away under the
// program.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "x_screen.h"
#include "xvfb_server.h"

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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
// line saying so in every mode, whether Xlib refuses it itself (past the
// last screen) or opens the display on it (negative).
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
            EXPECT_NE(errors.find("has no screen"), std::string::npos) << errors;
        }
    }
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// OK in the settings window when the lock file is a link, or another
// program keeps the lock: status 1 within the lock's three-second wait (and
// a margin), one line naming the lock file, and the settings as they were.
TEST(HackExitStatus, OkWithALockThatCannotBeTakenGivesStatusOneAndKeepsTheSettings)
{
    namespace fs = std::filesystem;
    const CXvfbServer server(640, 480);
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    CXScreen screen(server.Display());
    char folder[] = "/tmp/verdane-store.XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const fs::path file = fs::path(folder) / "Tarnwell" / "verdane.ini";
    const fs::path lock = file.string() + ".lock";
    const std::string stored = "[Config]\nSpeed=5\nBlankscr=0\nStar Speed=40\nStar Number=30\n";
    fs::create_directories(file.parent_path());
    std::ofstream(file) << stored;

    const auto okIsRefused = [&](const char* what) {
        SCOPED_TRACE(what);
        CHackProcess hack(server.Display(), {"-settings"}, {{"XDG_CONFIG_HOME", std::string(folder)}});
        Window window = 0;
        ASSERT_TRUE(WaitFor([&] { return (window = screen.FindWindowNamed("Verdane Settings")) != 0; }, 10000));
        screen.Key(window, XK_Return);
        EXPECT_EQ(hack.WaitExit(kExitTimeoutMs + 3000), 1);
        const std::string errors = hack.Errors();
        EXPECT_EQ(Lines(errors), 1) << errors;
        EXPECT_NE(errors.find(lock.string()), std::string::npos) << errors;
        EXPECT_EQ(ReadText(file), stored);
    };
    fs::create_symlink("/dev/null", lock);
    okIsRefused("a lock file that is a link to /dev/null");
    fs::remove(lock);

    const int holder = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    okIsRefused("a lock another program keeps");
    ::close(holder);
    fs::remove_all(folder);
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
