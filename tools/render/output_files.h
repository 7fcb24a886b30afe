// The render tool's output files, committed together. Each is written to a
// temporary file beside its target (through a symbolic link, to the link's
// target); only when every one of them is complete are they renamed over
// their targets. Until then an existing target is never touched, and a
// failure or an interruption removes the temporary files alone.
//
// While an object lives, SIGINT, SIGTERM and SIGHUP remove the temporary
// files and end the process with status 128 + the signal's number (130,
// 143, 129). One object at a time. When it goes, what was not committed is
// removed, and then the signals act as they did before.
#pragma once

#include "file_replacement.h"
#include "temporary_files.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class COutputFiles {
public:
    COutputFiles() = default;
    COutputFiles(const COutputFiles&) = delete;
    COutputFiles& operator=(const COutputFiles&) = delete;

    // Adds an output and creates its temporary file. Returns its stream, or
    // nullptr with a one-line reason (a target that exists and is not a
    // regular file is refused; so is a target another output already has).
    std::FILE* Add(const std::string& path, std::string& error);
    // Completes every temporary file, then renames each over its target.
    bool CommitAll(std::string& error);

    static constexpr int kMaxFiles = 2;

private:
    // Made first and gone last, so the signals remove every temporary file
    // for as long as one exists.
    CInterruptCleanup m_cleanup;
    std::vector<std::unique_ptr<CFileReplacement>> m_files;
};
