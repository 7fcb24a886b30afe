// The per-user file store, through CWinApp's profile functions and on its
// own: round trip, absent and malformed values, other values surviving a
// write, two processes writing at once, hostile lock files, interrupted
// writes, and failures reported.
#include "app.h"
#include "profile_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh XDG_CONFIG_HOME for each test, removed afterwards.
class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "verdane-profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_configHome = m_root / "config";
        ::setenv("XDG_CONFIG_HOME", m_configHome.c_str(), 1);
        m_app.SetRegistryKey("Tarnwell");
    }
    void TearDown() override
    {
        ::unsetenv("XDG_CONFIG_HOME");
        fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_root);
    }
    fs::path File() const { return m_configHome / "Tarnwell" / "verdane.ini"; }

    fs::path m_root;
    fs::path m_configHome;
    CWinApp m_app{"verdane"};
};

TEST_F(ProfileFile, RoundTripAndAbsentValues)
{
    EXPECT_EQ(m_app.GetProfileInt("Config", "Star Speed", 42), 42);  // no file yet
    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Star Speed", -20));
    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Star Number", 100));
    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Star Speed", 55));
    EXPECT_EQ(m_app.GetProfileInt("Config", "Star Speed", 0), 55);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Star Number", 0), 100);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Blankscr", 9), 9);
    EXPECT_EQ(m_app.GetProfileInt("Other", "Star Speed", 9), 9);
    EXPECT_EQ(ReadText(File()), "[Config]\nStar Speed=55\nStar Number=100\n");
    EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
}

TEST_F(ProfileFile, MalformedValuesReadAsDefaultAndStayUntouched)
{
    fs::create_directories(File().parent_path());
    std::ofstream(File()) << "[Config]\nBlankscr=yes\nResolution=4294967295\nSpeed=3\n";
    EXPECT_EQ(m_app.GetProfileInt("Config", "Blankscr", 0), 0);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Resolution", 10), 10);
    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Speed", 4));
    EXPECT_EQ(ReadText(File()), "[Config]\nBlankscr=yes\nResolution=4294967295\nSpeed=4\n");
}

TEST_F(ProfileFile, WithoutARegistryKeyNothingIsStored)
{
    CWinApp app("verdane");
    EXPECT_FALSE(app.WriteProfileInt("Config", "Speed", 1));
    EXPECT_EQ(app.GetProfileInt("Config", "Speed", 8), 8);
    EXPECT_FALSE(fs::exists(m_configHome));
}

TEST_F(ProfileFile, NamesThatWouldEscapeOrCorruptTheFileAreRefused)
{
    const struct {
        const char* maker;
        const char* app;
        const char* section;
        const char* name;
    } cases[] = {
        {"..", "verdane", "Config", "Speed"},
        {"Tarnwell", "../escape", "Config", "Speed"},
        {"Tarnwell", "", "Config", "Speed"},
        {"Tarnwell", "verdane", "Config", "a=b"},
        {"Tarnwell", "verdane", "Con\nfig", "Speed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.maker) + "/" + c.app + "/" + c.section + "/" + c.name);
        EXPECT_FALSE(CProfileFile(c.maker, c.app).WriteInt(c.section, c.name, 1));
        EXPECT_EQ(CProfileFile(c.maker, c.app).ReadInt(c.section, c.name), std::nullopt);
    }
    EXPECT_FALSE(fs::exists(m_root / "escape.ini"));
    EXPECT_FALSE(fs::exists(m_configHome / "escape.ini"));
}

TEST_F(ProfileFile, LocationFollowsTheEnvironment)
{
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // ignored, as XDG says
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", m_root.c_str(), 1);
    EXPECT_EQ(CProfileFile("Tarnwell", "verdane").Path(), (m_root / ".config/Tarnwell/verdane.ini").string());
    ::unsetenv("HOME");
    EXPECT_EQ(CProfileFile("Tarnwell", "verdane").Path(), "");
    if (!home.empty())
        ::setenv("HOME", home.c_str(), 1);
}

TEST_F(ProfileFile, WriteFailuresAreReportedAndLoseNothing)
{
    // The config home is a file: no directory can be made under it.
    std::ofstream(m_configHome) << "not a directory";
    EXPECT_FALSE(m_app.WriteProfileInt("Config", "Speed", 1));
    fs::remove(m_configHome);

    // A file that cannot be read is not replaced.
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 1));
    fs::permissions(File(), fs::perms::none);
    if (::access(File().c_str(), R_OK) == 0)
        GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_FALSE(m_app.WriteProfileInt("Config", "Star Speed", 2));
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadText(File()), "[Config]\nSpeed=1\n");

    // A directory that cannot be written to.
    fs::permissions(File().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(m_app.WriteProfileInt("Config", "Star Speed", 2));
    EXPECT_EQ(m_app.GetProfileInt("Config", "Speed", 0), 1);
}

// A FIFO, a directory or a device where the file should be: reads give the
// defaults at once (a FIFO without a writer would block an open), writes
// fail with a reason and leave it as it is.
TEST_F(ProfileFile, NonRegularFilesReadAsDefaultsAndAreNeverReplaced)
{
    fs::create_directories(File().parent_path());
    ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Speed", 7), 7);
    std::string error;
    EXPECT_FALSE(CProfileFile("Tarnwell", "verdane").WriteInt("Config", "Speed", 1, &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(File()));
    fs::remove(File());

    fs::create_directory(File());
    EXPECT_EQ(m_app.GetProfileInt("Config", "Speed", 7), 7);
    EXPECT_FALSE(m_app.WriteProfileInt("Config", "Speed", 1));
    EXPECT_TRUE(fs::is_directory(File()));
    fs::remove(File());

    // A link to a device: the device node is not replaced by a file, and no
    // lock file is made, neither beside the link nor beside the device.
    for (const char* device : {"/dev/null", "/dev/zero"}) {
        fs::create_symlink(device, File());
        const std::string deviceLock = std::string(device) + ".lock";
        const bool lockedBefore = fs::exists(deviceLock);  // left by an older build
        EXPECT_EQ(m_app.GetProfileInt("Config", "Speed", 7), 7);
        error.clear();
        EXPECT_FALSE(CProfileFile("Tarnwell", "verdane").WriteInt("Config", "Speed", 1, &error));
        EXPECT_NE(error.find(File().string()), std::string::npos) << error;
        EXPECT_NE(error.find(device), std::string::npos) << error;
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
        EXPECT_TRUE(fs::is_symlink(File()));
        EXPECT_TRUE(fs::is_character_file(device));
        EXPECT_EQ(fs::exists(deviceLock), lockedBefore);
        EXPECT_EQ(std::distance(fs::directory_iterator(File().parent_path()), fs::directory_iterator()), 1)
            << "only the link";
        fs::remove(File());
    }
}

// A write keeps the file's permission bits and writes through a link to its
// target, which keeps the new value; the link stays a link.
TEST_F(ProfileFile, WritesKeepPermissionsAndFollowLinks)
{
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 1));
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 2));
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // The owner too, where this user may give files away (as root).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(File().c_str(), 65534, 65534), 0);
        ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 2));
        struct stat info {};
        ASSERT_EQ(::stat(File().c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
        ASSERT_EQ(::chown(File().c_str(), 0, 0), 0);
    }

    const fs::path real = m_root / "dotfiles" / "verdane.ini";
    fs::create_directories(real.parent_path());
    fs::rename(File(), real);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("../../dotfiles/verdane.ini", File());
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Star Speed", 30));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadText(real), "[Config]\nSpeed=2\nStar Speed=30\n");
    // The lock stays in the settings folder: the target's folder holds only
    // the target.
    EXPECT_TRUE(fs::exists(File().string() + ".lock"));
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Star Speed", 0), 30);

    // A link whose target does not exist yet: the target is created.
    fs::remove(real);
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 3));
    EXPECT_EQ(ReadText(real), "[Config]\nSpeed=3\n");
    EXPECT_TRUE(fs::is_symlink(File()));
}

// A new settings file is no more open than the umask allows: private to the
// user under umask 077, as the folder it is made in.
TEST_F(ProfileFile, NewFilesUnderAPrivateUmaskArePrivate)
{
    const mode_t previous = ::umask(077);
    const bool written = m_app.WriteProfileInt("Config", "Speed", 1);
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(File().string() + ".lock").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(File().parent_path()).permissions(), fs::perms::owner_all);
}

// A lock file that is a link (dangling, to a device, to a file elsewhere)
// or anything but a regular file is neither followed nor locked: the write
// fails with one line naming it, nothing is made where a link points, and
// the settings keep their values.
TEST_F(ProfileFile, LockFilesThatAreNotRegularFilesAreRefused)
{
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 1));
    const fs::path lock = File().string() + ".lock";
    const fs::path outside = m_root / "outside";
    fs::create_directory(outside);
    std::ofstream(outside / "precious") << "keep";

    const auto refused = [&](const std::string& what) {
        SCOPED_TRACE(what);
        std::string error;
        EXPECT_FALSE(CProfileFile("Tarnwell", "verdane").WriteInt("Config", "Speed", 2, &error));
        EXPECT_NE(error.find(lock.string()), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_EQ(ReadText(File()), "[Config]\nSpeed=1\n");
    };
    fs::remove(lock);
    fs::create_symlink(outside / "made", lock);
    refused("a dangling link");
    EXPECT_FALSE(fs::exists(fs::symlink_status(outside / "made")));
    fs::remove(lock);

    fs::create_symlink(outside / "precious", lock);
    refused("a link to a file");
    EXPECT_EQ(ReadText(outside / "precious"), "keep");
    fs::remove(lock);

    fs::create_symlink("/dev/null", lock);
    refused("a link to a device");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    fs::remove(lock);

    ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
    refused("a FIFO");
    EXPECT_TRUE(fs::is_fifo(lock));
    fs::remove(lock);

    fs::create_directory(lock);
    refused("a directory");
    fs::remove(lock);

    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Speed", 3));
    EXPECT_EQ(ReadText(File()), "[Config]\nSpeed=3\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1) << "only precious";
}

// A writer that keeps the lock makes the others give up at their deadline,
// with one line and nothing lost; once it lets go, writes go through.
TEST_F(ProfileFile, ALockHeldElsewhereFailsTheWriteAtItsDeadline)
{
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 1));
    const std::string lock = File().string() + ".lock";
    const int holder = ::open(lock.c_str(), O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);  // another open file: flock makes it another writer
    std::string error;
    const CProfileFile store("Tarnwell", "verdane");
    EXPECT_FALSE(store.WriteInt("Config", "Speed", 2, &error, CFileLock::Clock::now()));
    EXPECT_NE(error.find(lock), std::string::npos) << error;
    EXPECT_NE(error.find("another program holds it"), std::string::npos) << error;
    EXPECT_EQ(ReadText(File()), "[Config]\nSpeed=1\n");
    ::close(holder);
    EXPECT_TRUE(m_app.WriteProfileInt("Config", "Speed", 2));
    EXPECT_EQ(ReadText(File()), "[Config]\nSpeed=2\n");
}

// Writers ended by SIGINT, SIGTERM or SIGHUP at random moments while they
// write through a link to a file in another folder: no temporary file is
// ever left beside the target, and the file always holds whole values.
TEST_F(ProfileFile, InterruptedWritesLeaveNoTemporaryFileBesideALinkedTarget)
{
    const fs::path real = m_root / "dotfiles" / "verdane.ini";
    fs::create_directories(real.parent_path());
    fs::create_directories(File().parent_path());
    std::ofstream(real) << "[Config]\nSpeed=0\n";
    fs::create_symlink(real, File());
    constexpr int kRounds = 24;
    constexpr int kMaxWrites = 20000;  // far more than fit before the signal
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
    for (int round = 0; round < kRounds; ++round) {
        const int signal = signals[round % 3];
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int i = 0; i < kMaxWrites; ++i)
                m_app.WriteProfileInt("Config", "Speed", i);
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 1500));
        ::kill(writer, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        // Between writes the signal acts as it always does.
        EXPECT_TRUE((WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) ||
                    (WIFSIGNALED(status) && WTERMSIG(status) == signal))
            << "round " << round << ", status " << status;
        EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1)
            << "round " << round << ": only the target";
        EXPECT_TRUE(m_app.GetProfileInt("Config", "Speed", -1) >= 0) << ReadText(real);
    }
    EXPECT_TRUE(fs::is_symlink(File()));
}

TEST_F(ProfileFile, ConcurrentWritersKeepEveryValue)
{
    constexpr int kValuesPerWriter = 40;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            bool ok = true;
            for (int i = 0; i < kValuesPerWriter; ++i)
                ok = m_app.WriteProfileInt("Config", ("W" + std::to_string(w) + " " + std::to_string(i)).c_str(),
                                           w * 1000 + i) &&
                     ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < 2; ++w) {
        for (int i = 0; i < kValuesPerWriter; ++i) {
            const std::string name = "W" + std::to_string(w) + " " + std::to_string(i);
            EXPECT_EQ(m_app.GetProfileInt("Config", name.c_str(), -1), w * 1000 + i) << name;
        }
    }
}

}  // namespace
