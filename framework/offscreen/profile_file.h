// The per-user settings store of the off-screen port: one file per
// application, $XDG_CONFIG_HOME/<maker>/<application>.ini (XDG_CONFIG_HOME
// defaults to $HOME/.config), holding sections of named 32-bit integers in
// the format of profile_text.h. This keeps the registry's path: maker key,
// application, section, value name.
//
// Reads take no lock: a file is only ever replaced whole, by rename, so a
// reader sees the old file or the new one. Writes read, modify and replace
// the file under an exclusive lock (flock on <application>.ini.lock in the
// settings folder, beside the file or the link that names it), so writers
// in several processes never lose each other's values. The lock file is
// made only for a target that is a regular file or does not exist yet, and
// it stays after use: removing it would let a writer that opened the old
// lock file and one that made a new one both hold "the" lock. It is never
// a link or anything but a regular file (file_lock.h), and a lock another
// writer holds is waited for a bounded time, then the write fails.
//
// The file may be a symbolic link: reads and writes go to its target, and
// the link stays. A replaced file keeps its permission bits and owner. A
// path that is not a regular file (a FIFO, a device, a directory) is never
// opened for reading, so nothing blocks: it reads as absent values, and
// writes to it fail and leave it alone. SIGINT, SIGTERM or SIGHUP during a
// write remove its temporary file (temporary_files.h), which lies beside
// the target, outside the settings folder when the file is a link.
#pragma once

#include "file_lock.h"

#include <cstdint>
#include <optional>
#include <string>

class CProfileFile {
public:
    // A maker or application that cannot be a single file-name component
    // ("", ".", "..", anything with '/') gives a store without a location,
    // as does a missing home directory.
    CProfileFile(const std::string& maker, const std::string& application);

    // The stored value; nullopt when the file, the section or the value is
    // absent, the value is not a decimal 32-bit integer, or the file
    // cannot be read.
    std::optional<std::int32_t> ReadInt(const std::string& section, const std::string& name) const;
    // Stores the value, creating the directories and the file as needed and
    // keeping every other line of the file. False when anything fails, with
    // a one-line reason in *error when error is given; the file is then as
    // it was. A lock another writer holds is waited for until lockDeadline,
    // by default CFileLock::kWait from now.
    bool WriteInt(const std::string& section, const std::string& name, std::int32_t value,
                  std::string* error = nullptr,
                  std::optional<CFileLock::Clock::time_point> lockDeadline = std::nullopt) const;

    // The file's path; empty without a location.
    const std::string& Path() const { return m_path; }

private:
    bool Write(const std::string& section, const std::string& name, std::int32_t value,
               CFileLock::Clock::time_point lockDeadline, std::string& error) const;

    std::string m_directory;
    std::string m_path;
};
