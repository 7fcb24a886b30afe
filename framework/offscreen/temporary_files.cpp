#include "temporary_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The recorded files: fixed buffers the handler can read without
// allocating, changed only while the signals are held, so the handler
// always sees whole names. A program keeps a few temporaries at a time
// (the render tool two, a settings write one).
constexpr std::size_t kMaxTemporaries = 8;
constexpr std::size_t kMaxName = PATH_MAX + 32;
char s_temporaries[kMaxTemporaries][kMaxName];

extern "C" void RemoveTemporariesAndExit(int signal)
{
    for (const char* name : s_temporaries) {
        if (name[0] != '\0')
            ::unlink(name);
    }
    ::_exit(128 + signal);
}

char* FreeSlot()
{
    for (char* slot : s_temporaries) {
        if (slot[0] == '\0')
            return slot;
    }
    return nullptr;
}

void Forget(const std::string& name)
{
    for (char* slot : s_temporaries) {
        if (name == slot) {
            slot[0] = '\0';
            return;
        }
    }
}

}  // namespace

int CreateTemporaryFile(std::string& pattern, std::string& reason)
{
    const CInterruptsHeld held;
    char* const slot = FreeSlot();
    if (slot == nullptr) {
        reason = "too many temporary files at once";
        return -1;
    }
    if (pattern.size() >= kMaxName) {
        reason = std::strerror(ENAMETOOLONG);
        return -1;
    }
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    std::strcpy(slot, pattern.c_str());
    return fd;
}

int RenameTemporaryFile(const std::string& name, const std::string& target)
{
    const CInterruptsHeld held;
    if (std::rename(name.c_str(), target.c_str()) != 0)
        return errno;
    Forget(name);
    return 0;
}

void RemoveTemporaryFile(const std::string& name)
{
    const CInterruptsHeld held;
    ::unlink(name.c_str());
    Forget(name);
}

CInterruptsHeld::CInterruptsHeld()
{
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals)
        sigaddset(&set, s);
    sigprocmask(SIG_BLOCK, &set, &m_previous);
}

CInterruptsHeld::~CInterruptsHeld()
{
    sigprocmask(SIG_SETMASK, &m_previous, nullptr);
}

CInterruptCleanup::CInterruptCleanup()
{
    static_assert(std::size(kSignals) == sizeof m_previous / sizeof m_previous[0]);
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndExit;
    sigfillset(&action.sa_mask);  // one handler at a time
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &m_previous[i]);
}

CInterruptCleanup::~CInterruptCleanup()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
}
