#include "profile_file.h"

#include "file_replacement.h"
#include "profile_text.h"
#include "regular_file.h"
#include "temporary_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
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

// Reads a regular file whole. Anything else (a FIFO, a device, a directory)
// is never opened, so that nothing can block or have side effects, and
// counts as a failed read. Why the read failed, in the last case.
ReadResult ReadWholeFile(const std::string& path, std::string& text, std::string& reason)
{
    text.clear();
    bool absent = false;
    const int fd = OpenRegularFile(path, O_RDONLY, reason, &absent);
    if (fd < 0)
        return absent ? ReadResult::Absent : ReadResult::Failed;
    char buffer[4096];
    ReadResult result = ReadResult::Read;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 || text.size() + static_cast<std::size_t>(count) > kMaxFileSize) {
            reason = count < 0 ? std::strerror(errno) : "larger than a settings file can be";
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

// Replaces the file at path (through a symbolic link, keeping its mode and
// owner) with text, whole or not at all. An interruption meanwhile removes
// the temporary file, which may lie outside the settings folder.
bool ReplaceFile(const std::string& path, const std::string& text, std::string& error)
{
    const CInterruptCleanup cleanup;
    CFileReplacement file(0644);
    if (!file.Open(path, error))
        return false;
    if (std::fwrite(text.data(), 1, text.size(), file.Stream()) != text.size()) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return file.Finish(true, error) && file.Commit(error);
}

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
    std::string text, reason;
    if (m_path.empty() || ReadWholeFile(m_path, text, reason) != ReadResult::Read)
        return std::nullopt;
    const std::optional<std::string> value = FindProfileValue(text, section, name);
    return value ? ParseProfileInt(*value) : std::nullopt;
}

bool CProfileFile::WriteInt(const std::string& section, const std::string& name, std::int32_t value,
                            std::string* error, std::optional<CFileLock::Clock::time_point> lockDeadline) const
{
    std::string reason;
    const bool written =
        Write(section, name, value, lockDeadline.value_or(CFileLock::Clock::now() + CFileLock::kWait), reason);
    if (!written && error != nullptr)
        *error = reason;
    return written;
}

bool CProfileFile::Write(const std::string& section, const std::string& name, std::int32_t value,
                         CFileLock::Clock::time_point lockDeadline, std::string& error) const
{
    if (m_path.empty()) {
        error = "the settings have no location (no home directory, or a maker or application that is not a file name)";
        return false;
    }
    if (!IsStorableSectionName(section) || !IsStorableValueName(name)) {
        error = "a section or value name that the settings file cannot hold";
        return false;
    }
    if (!MakeDirectories(m_directory)) {
        error = "cannot make the directory '" + m_directory + "': " + std::strerror(errno);
        return false;
    }
    std::string target;
    if (!ResolveFileTarget(m_path, target, error))
        return false;
    // Only a regular file (or one not made yet) is locked and rewritten:
    // anything else is refused before a lock file could be made for it.
    const std::string shown = target == m_path ? "'" + m_path + "'" : "'" + m_path + "' (a link to '" + target + "')";
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "cannot write " + shown + ": not a regular file";
        return false;
    }
    // The lock sits beside the settings path itself, in the settings
    // folder, wherever a link points.
    const CFileLock lock(m_path + ".lock", lockDeadline, error);
    if (!lock.Held())
        return false;
    // A file that cannot be read is not overwritten: its values would be lost.
    std::string text, reason;
    if (ReadWholeFile(target, text, reason) == ReadResult::Failed) {
        error = "cannot read " + shown + ": " + reason;
        return false;
    }
    return ReplaceFile(target, SetProfileValue(text, section, name, std::to_string(value)), error);
}
