#include "file_lock.h"

#include "regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// flock has no timeout: the lock is tried without blocking, at growing
// intervals so that a short wait costs little and a long one few wake-ups.
constexpr std::chrono::milliseconds kFirstRetry{1};
constexpr std::chrono::milliseconds kLongestRetry{50};

}  // namespace

CFileLock::CFileLock(const std::string& path, Clock::time_point deadline, std::string& error)
{
    std::string reason;
    m_fd = OpenRegularFile(path, O_RDWR | O_CREAT | O_NOFOLLOW, reason);
    if (m_fd < 0) {
        error = "cannot lock '" + path + "': " + reason;
        return;
    }
    for (auto retry = kFirstRetry;; retry = std::min(retry * 2, kLongestRetry)) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            error = "cannot lock '" + path + "': " + std::strerror(errno);
            break;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            error = "cannot lock '" + path + "': another program holds it";
            break;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(retry, deadline - now));
    }
    ::close(m_fd);
    m_fd = -1;
}

CFileLock::~CFileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);  // releases the lock
}
