// verdane under the real XScreenSaver daemon on a private Xvfb: listed in
// ~/.xscreensaver by `verdane --add-to-xscreensaver` as a user does it,
// shown by `xscreensaver-command -select` (the driver hands it its window
// through $XSCREENSAVER_WINDOW) and ended by `-deactivate`. The daemon
// refuses to run hacks as root, so it runs as an ordinary user that the
// test makes; without root rights or without the daemon installed the test
// is skipped.
//
// By default the hack just built runs from a folder on the user's PATH
// (and is listed by its full path). With VERDANE_INSTALLED_PREFIX=/usr
// (after the Debian package is installed) the user runs /usr/bin/verdane,
// the daemon must find the installed hack itself, in its own hack folder,
// and the installed settings file gives the command line.
#include <gtest/gtest.h>

#include "x_screen.h"
#include "xvfb_server.h"

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* kUser = "verdane-xss";
constexpr const char* kDaemon = "/usr/bin/xscreensaver";
constexpr int kShownTimeoutMs = 20000;

// Runs the program as the user with a clean environment; returns its pid.
pid_t SpawnAs(const passwd& user, const std::string& home, const std::string& path, const std::string& display,
              const std::vector<std::string>& command, const std::string& log)
{
    // What the test printed so far must not go out again from the child.
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen(log.c_str(), "a", stdout);
        std::freopen(log.c_str(), "a", stderr);
        if (setgroups(0, nullptr) != 0 || setgid(user.pw_gid) != 0 || setuid(user.pw_uid) != 0)
            _exit(126);
        if (chdir(home.c_str()) != 0)
            _exit(126);
        clearenv();
        setenv("HOME", home.c_str(), 1);
        setenv("USER", kUser, 1);
        setenv("PATH", path.c_str(), 1);
        setenv("DISPLAY", display.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status of the process, or -1 when it was ended by a signal or
// had not ended within timeoutMs (it is killed then, so that no wait of the
// test lasts for ever).
int WaitStatus(pid_t pid, int timeoutMs = kShownTimeoutMs)
{
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    pid_t ended = 0;
    while ((ended = waitpid(pid, &status, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ended == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The options of the settings file's <command arg="..."/>, or "" without one.
std::string CommandOf(const std::string& settingsFile)
{
    std::ifstream in(settingsFile);
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    const std::string start = "<command arg=\"";
    const std::size_t at = xml.find(start);
    if (at == std::string::npos)
        return "";
    const std::size_t end = xml.find('"', at + start.size());
    return end == std::string::npos ? "" : xml.substr(at + start.size(), end - at - start.size());
}

// The program file a process runs.
std::string ExecutableOf(pid_t pid)
{
    char path[4096];
    const ssize_t length = readlink(("/proc/" + std::to_string(pid) + "/exe").c_str(), path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// Live (not zombie) processes of the user named verdane.
std::vector<pid_t> HackProcesses(uid_t uid)
{
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return found;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line, name, state;
        uid_t owner = static_cast<uid_t>(-1);
        while (std::getline(status, line)) {
            if (line.rfind("Name:", 0) == 0)
                name = line.substr(line.find_first_not_of(" \t", 5));
            else if (line.rfind("State:", 0) == 0)
                state = line.substr(line.find_first_not_of(" \t", 6), 1);
            else if (line.rfind("Uid:", 0) == 0)
                owner = static_cast<uid_t>(std::strtoul(line.c_str() + 4, nullptr, 10));
        }
        if (name == "verdane" && owner == uid && state != "Z")
            found.push_back(pid);
    }
    closedir(proc);
    return found;
}

// The programs of the list in ~/.xscreensaver as XScreenSaver reads it:
// continued lines joined, "\n" ending each program.
std::vector<std::string> ProgramsOf(const std::string& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    std::string value;
    bool inList = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool lineStart = i == 0 || all[i - 1] == '\n';
        if (lineStart && all.compare(i, 9, "programs:") == 0) {
            inList = true;
            value.clear();
            i += 8;
            continue;
        }
        if (!inList)
            continue;
        if (all[i] == '\\' && i + 1 < all.size()) {
            value += all[i + 1] == '\n' ? ' ' : all[i + 1] == 'n' ? '\n' : all[i + 1];
            ++i;
        } else if (all[i] == '\n') {
            inList = false;
        } else {
            value += all[i];
        }
    }
    std::vector<std::string> programs;
    std::stringstream lines(value);
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \t") != std::string::npos)
            programs.push_back(line);
    }
    return programs;
}

// The desktop the daemon blanks, in two colours that nothing else here
// shows (neither the growth, whose green leads, nor XScreenSaver's colour
// bars), so that its pixels are easy to count.
constexpr unsigned long kDesktopLeft = 0xC81E9B;
constexpr unsigned long kDesktopRight = 0x3C14A0;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// A user meets Verdane: the package (or the build) is there, the user runs
// `verdane --add-to-xscreensaver` with no ~/.xscreensaver of their own and
// the daemon already running, keeps every other setting at Debian's
// defaults (grabDesktopImages: False among them) unless grabDesktop adds
// the one line that allows the desktop, and the daemon is told to show the
// last program of the list, Verdane's. Returns after the daemon has ended
// it and `--remove-from-xscreensaver` has taken it out again.
void MeetVerdaneUnderTheDaemon(bool grabDesktop)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to make the ordinary user the daemon runs as";
    }
    if (access(kDaemon, X_OK) != 0) {
        GTEST_SKIP() << "the xscreensaver package is not installed";
    }
    if (getpwnam(kUser) == nullptr) {
        ASSERT_EQ(std::system((std::string("useradd --no-create-home --shell /usr/sbin/nologin ") + kUser).c_str()), 0);
    }
    const passwd user = *getpwnam(kUser);
    const char* prefix = std::getenv("VERDANE_INSTALLED_PREFIX");
    const bool installed = prefix != nullptr && *prefix != '\0';
    const std::string settingsFile =
        installed ? std::string(prefix) + "/share/xscreensaver/config/verdane.xml" : VERDANE_SETTINGS_FILE;
    const std::string options = CommandOf(settingsFile);
    ASSERT_FALSE(options.empty()) << "no <command arg=...> in " << settingsFile;

    // A home and a bin folder of the user's own, with verdane in it unless
    // the installed one (/usr/bin/verdane) is to run.
    char folder[] = "/tmp/verdane-xss.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string home = folder;
    const std::string bin = home + "/bin";
    const std::string log = home + "/daemon.log";
    const std::string list = home + "/.xscreensaver";
    ASSERT_EQ(std::system(("mkdir -p '" + bin + "'").c_str()), 0);
    if (!installed) {
        ASSERT_EQ(std::system(("cp '" VERDANE_HACK_PATH "' '" + bin + "/verdane'").c_str()), 0);
    }
    ASSERT_EQ(std::system(("chmod -R a+rX '" + home + "' && chown -R " + kUser + " '" + home + "'").c_str()), 0);

    CXvfbServer server(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(server.Display().empty());
    CXScreen screen(server.Display());
    screen.Fill(screen.Root(), 0, 0, kScreenWidth / 2, kScreenHeight, kDesktopLeft);
    screen.Fill(screen.Root(), kScreenWidth / 2, 0, kScreenWidth / 2, kScreenHeight, kDesktopRight);
    const std::string path = bin + ":/usr/bin:/bin";
    auto run = [&](const std::vector<std::string>& command) {
        return WaitStatus(SpawnAs(user, home, path, server.Display(), command, log));
    };
    const pid_t daemon = SpawnAs(user, home, path, server.Display(), {kDaemon, "--no-splash"}, log);
    EXPECT_TRUE(WaitFor([&] { return run({"xscreensaver-command", "-time"}) == 0; }, kShownTimeoutMs));

    // Listed in one step, with the stock programs kept (a list of Verdane
    // alone would hide them), and once however often it is run.
    ASSERT_EQ(run({"verdane", "--add-to-xscreensaver"}), 0);
    ASSERT_EQ(run({"verdane", "--add-to-xscreensaver"}), 0);
    if (grabDesktop) {
        std::ofstream(list, std::ios::app) << "grabDesktopImages:\tTrue\n";
    }
    const std::vector<std::string> programs = ProgramsOf(list);
    ASSERT_GT(programs.size(), 100u) << "the stock list is not in " << list;
    long listed = 0;
    for (const std::string& program : programs)
        listed += program.find("verdane ") != std::string::npos ? 1 : 0;
    EXPECT_EQ(listed, 1);
    const std::string& last = programs.back();
    EXPECT_NE(last.find("verdane " + options), std::string::npos) << last;

    // The daemon, running since before, picks the list up.
    EXPECT_TRUE(WaitFor([&] { return run({"xscreensaver-command", "-select", std::to_string(programs.size())}) == 0; },
                        kShownTimeoutMs));
    EXPECT_TRUE(WaitFor([&] { return screen.CountBranchPixels(screen.Root()) > 0; }, kShownTimeoutMs))
        << "no growth on the screen; daemon log in " << log;
    const std::vector<pid_t> hacks = HackProcesses(user.pw_uid);
    EXPECT_FALSE(hacks.empty());
    if (installed && !hacks.empty()) {
        EXPECT_EQ(ExecutableOf(hacks.front()), std::string(prefix) + "/libexec/xscreensaver/verdane");
    }

    const long area = static_cast<long>(kScreenWidth) * kScreenHeight;
    auto desktop = [&] {
        return screen.CountColor(screen.Root(), kDesktopLeft) + screen.CountColor(screen.Root(), kDesktopRight);
    };
    if (grabDesktop) {
        // The whole desktop, overgrown: every pixel the desktop's or a branch's.
        auto other = [&] {
            return screen.CountPixels(screen.Root(), [](unsigned long r, unsigned long g, unsigned long b) {
                const unsigned long rgb = r << 16 | g << 8 | b;
                return !CXScreen::IsBranchColor(r, g, b) && rgb != kDesktopLeft && rgb != kDesktopRight;
            });
        };
        EXPECT_TRUE(WaitFor([&] { return other() == 0 && desktop() > area * 9 / 10; }, kShownTimeoutMs))
            << desktop() << " desktop pixels, " << other() << " neither the desktop's nor a branch's";
    } else {
        // Not one pixel of the desktop, for as long as it grows.
        for (int second = 0; second < 3; ++second) {
            EXPECT_EQ(desktop(), 0) << "after " << second << " s";
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    }

    EXPECT_EQ(run({"xscreensaver-command", "-deactivate"}), 0);
    EXPECT_TRUE(WaitFor([&] { return HackProcesses(user.pw_uid).empty(); }, kShownTimeoutMs));

    ASSERT_EQ(run({"verdane", "--remove-from-xscreensaver"}), 0);
    const std::vector<std::string> after = ProgramsOf(list);
    EXPECT_EQ(after, std::vector<std::string>(programs.begin(), programs.end() - 1));

    kill(daemon, SIGTERM);
    WaitStatus(daemon);
    for (const pid_t left : HackProcesses(user.pw_uid))
        kill(left, SIGKILL);
    if (!testing::Test::HasFailure())
        std::system(("rm -rf '" + home + "'").c_str());
}

TEST(XScreenSaverDaemon, ListedInOneStepAndNoDesktopPixelShowsByDefault)
{
    MeetVerdaneUnderTheDaemon(false);
}

TEST(XScreenSaverDaemon, TheWholeDesktopShowsWhenTheUserAllowsIt)
{
    MeetVerdaneUnderTheDaemon(true);
}

}  // namespace
