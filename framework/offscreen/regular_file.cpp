#include "regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string TypeReason(mode_t mode)
{
    return S_ISLNK(mode) ? "a symbolic link" : "not a regular file";
}

}  // namespace

int OpenRegularFile(const std::string& path, int flags, std::string& reason, bool* absent)
{
    if (absent != nullptr)
        *absent = false;
    struct stat info {};
    const bool follow = (flags & O_NOFOLLOW) == 0;
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) == 0) {
        if (!S_ISREG(info.st_mode)) {
            reason = TypeReason(info.st_mode);
            return -1;
        }
    } else if (errno != ENOENT || (flags & O_CREAT) == 0) {
        if (absent != nullptr)
            *absent = errno == ENOENT;
        reason = std::strerror(errno);
        return -1;
    }
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd < 0) {
        if (absent != nullptr)
            *absent = errno == ENOENT;
        reason = errno == ELOOP && !follow ? TypeReason(S_IFLNK) : std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
}
