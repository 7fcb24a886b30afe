#include "profile_file.h"

#include "profile_text.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Settings files are a few lines; anything larger is not ours to rewrite.
constexpr std::size_t kMaxFileSize = 1 << 20;

bool IsFileNameComponent(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// XDG_CONFIG_HOME when it is an absolute path (the XDG rule: a relative one
// is ignored), else $HOME/.config; empty when neither is known.
std::string ConfigHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return config;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.config";
    return std::string();
}

// Creates the directory and its missing parents (private to the user, as
// XDG asks). True when it exists as a directory afterwards.
bool MakeDirectories(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

enum class ReadResult { Read, Absent, Failed };

ReadResult ReadWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Absent : ReadResult::Failed;
    char buffer[4096];
    ReadResult result = ReadResult::Read;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 || text.size() + static_cast<std::size_t>(count) > kMaxFileSize) {
            result = ReadResult::Failed;
            break;
        }
        if (count == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return result;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t count = ::write(fd, text.data(), text.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Writes the text to a temporary file beside path and renames it over
// path, so that the file is replaced whole or not at all.
bool ReplaceFile(const std::string& path, const std::string& text)
{
    // Only the holder of the lock writes, so one temporary name serves; a
    // leftover from a writer that died is removed first.
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// An exclusive flock held for the object's life.
class CFileLock {
public:
    explicit CFileLock(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
            }
        }
    }
    ~CFileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);  // releases the lock
    }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    bool Held() const { return m_fd >= 0; }

private:
    int m_fd;
};

}  // namespace

CProfileFile::CProfileFile(const std::string& maker, const std::string& application)
{
    const std::string home = ConfigHome();
    if (home.empty() || !IsFileNameComponent(maker) || !IsFileNameComponent(application))
        return;
    m_directory = home + '/' + maker;
    m_path = m_directory + '/' + application + ".ini";
}

std::optional<std::int32_t> CProfileFile::ReadInt(const std::string& section, const std::string& name) const
{
    std::string text;
    if (m_path.empty() || ReadWholeFile(m_path, text) != ReadResult::Read)
        return std::nullopt;
    const std::optional<std::string> value = FindProfileValue(text, section, name);
    return value ? ParseProfileInt(*value) : std::nullopt;
}

bool CProfileFile::WriteInt(const std::string& section, const std::string& name, std::int32_t value) const
{
    if (m_path.empty() || !IsStorableSectionName(section) || !IsStorableValueName(name))
        return false;
    if (!MakeDirectories(m_directory))
        return false;
    const CFileLock lock(m_path + ".lock");
    if (!lock.Held())
        return false;
    // A file that cannot be read is not overwritten: its values would be lost.
    std::string text;
    if (ReadWholeFile(m_path, text) == ReadResult::Failed)
        return false;
    return ReplaceFile(m_path, SetProfileValue(text, section, name, std::to_string(value)));
}
