// OK in the settings window when the settings cannot be locked: a lock file
// that is a link or not a regular file, or a lock another writer keeps.
// verdane ends with status 1 and one line naming the lock, in bounded time,
// and the stored settings are as they were.
// GoogleTest before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include "hack_process.h"
#include "x_screen.h"
#include "xvfb_server.h"

#include <X11/keysym.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWindowTimeoutMs = 10000;
// The lock is waited for three seconds; the rest is margin.
constexpr int kExitTimeoutMs = 8000;
const char* const kStored = "[Config]\nSpeed=5\nBlankscr=0\nStar Speed=40\nStar Number=30\n";

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SettingsStore : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_server.Display().empty()) << "Xvfb did not start";
        m_screen = std::make_unique<CXScreen>(m_server.Display());
        char folder[] = "/tmp/verdane-store.XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_folder = folder;
        fs::create_directories(m_folder / "config" / "Tarnwell");
        fs::create_directories(m_folder / "outside");
        std::ofstream(File()) << kStored;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path File() const { return m_folder / "config" / "Tarnwell" / "verdane.ini"; }
    fs::path Lock() const { return File().string() + ".lock"; }

    // Opens the settings window, presses OK (Return) and checks that the
    // store is refused as it should be.
    void OkIsRefused(const std::string& what)
    {
        SCOPED_TRACE(what);
        CHackProcess hack(m_server.Display(), {"-settings"}, {{"XDG_CONFIG_HOME", (m_folder / "config").string()}});
        Window window = 0;
        ASSERT_TRUE(WaitFor([&] { return (window = m_screen->FindWindowNamed("Verdane Settings")) != 0; },
                            kWindowTimeoutMs));
        m_screen->Key(window, XK_Return);
        EXPECT_EQ(hack.WaitExit(kExitTimeoutMs), 1);
        const std::string errors = hack.Errors();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(Lock().string()), std::string::npos) << errors;
        EXPECT_EQ(ReadText(File()), kStored);
    }

    CXvfbServer m_server{640, 480};
    std::unique_ptr<CXScreen> m_screen;
    fs::path m_folder;
};

TEST_F(SettingsStore, ALockFileThatIsALinkOrNotARegularFileIsRefused)
{
    fs::create_symlink(m_folder / "outside" / "made", Lock());
    OkIsRefused("a dangling link out of the settings folder");
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_folder / "outside" / "made")));
    fs::remove(Lock());

    fs::create_symlink("/dev/null", Lock());
    OkIsRefused("a link to /dev/null");
    fs::remove(Lock());

    ASSERT_EQ(::mkfifo(Lock().c_str(), 0600), 0);
    OkIsRefused("a FIFO");
    EXPECT_TRUE(fs::is_fifo(Lock()));
}

TEST_F(SettingsStore, ALockAnotherWriterKeepsEndsTheWaitWithStatusOne)
{
    const int holder = ::open(Lock().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    OkIsRefused("a lock held elsewhere");
    ::close(holder);
}

}  // namespace
