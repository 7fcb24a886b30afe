#include "file_replacement.h"

#include "temporary_files.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The links followed before a chain counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

// The directory part of path with its slash, or "" for a bare name.
std::string DirectoryPrefix(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

bool ResolveFileTarget(const std::string& path, std::string& target, std::string& error)
{
    target = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;  // the end of the chain, whether it exists or not
        std::vector<char> buffer(PATH_MAX + 1);
        const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size() - 1);
        if (length < 0) {
            error = "cannot follow the link " + Quoted(target) + ": " + std::strerror(errno);
            return false;
        }
        const std::string next(buffer.data(), static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : DirectoryPrefix(target) + next;
    }
    error = "cannot follow the link " + Quoted(path) + ": too many levels of links";
    return false;
}

CFileReplacement::~CFileReplacement()
{
    Abandon();
}

bool CFileReplacement::Fail(const std::string& reason, std::string& error)
{
    error = "cannot write " + Quoted(m_path) + ": " + reason;
    Abandon();
    return false;
}

bool CFileReplacement::Open(const std::string& path, std::string& error)
{
    Abandon();
    m_path = path;
    m_finished = false;
    if (!ResolveFileTarget(path, m_target, error))
        return false;

    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return Fail("not a regular file", error);

    std::string name = m_target + ".tmp-XXXXXX";
    std::string reason;
    const int fd = CreateTemporaryFile(name, reason);
    if (fd < 0)
        return Fail(reason, error);
    m_temporary = name;
    m_stream = ::fdopen(fd, "wb");
    if (m_stream == nullptr) {
        ::close(fd);
        return Fail(std::strerror(errno), error);
    }

    // Owner first: changing it clears the set-user and set-group bits.
    if (exists) {
        const bool sameOwner = existing.st_uid == ::geteuid() && existing.st_gid == ::getegid();
        if (!sameOwner && ::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            return Fail(std::string("cannot keep its owner: ") + std::strerror(errno), error);
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : (m_newFileMode & ~CurrentUmask());
    if (::fchmod(fd, mode) != 0)
        return Fail(std::string("cannot keep its permissions: ") + std::strerror(errno), error);
    return true;
}

bool CFileReplacement::Finish(bool sync, std::string& error)
{
    if (m_stream == nullptr)
        return m_finished || Fail("not open", error);
    bool written = std::ferror(m_stream) == 0 && std::fflush(m_stream) == 0;
    if (written && sync)
        written = ::fsync(::fileno(m_stream)) == 0;
    const int writeErrno = errno;
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!written || !closed)
        return Fail(std::strerror(written ? errno : writeErrno), error);
    m_finished = true;
    return true;
}

bool CFileReplacement::Commit(std::string& error)
{
    if (!m_finished && !Finish(false, error))
        return false;
    if (m_temporary.empty())
        return Fail("not open", error);
    if (const int failure = RenameTemporaryFile(m_temporary, m_target); failure != 0)
        return Fail(std::strerror(failure), error);
    m_temporary.clear();
    return true;
}

void CFileReplacement::Abandon()
{
    if (m_stream != nullptr) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_temporary.empty()) {
        RemoveTemporaryFile(m_temporary);
        m_temporary.clear();
    }
    m_finished = false;
}
