// Replacing a file whole. The new content goes to a temporary file beside
// the target, which is renamed over the target on Commit, so readers see
// the old file or the new one and never a part. The target is taken
// through symbolic links (the link stays, its target gets the content), a
// target that exists and is not a regular file (a FIFO, a device, a
// directory) is refused without being opened, and a replaced file keeps
// its permission bits and owner. The temporary file is one of
// temporary_files.h, removed by an interruption while a CInterruptCleanup
// lives.
#pragma once

#include <cstdio>
#include <string>

#include <sys/types.h>

// The file that writing to path would reach: path itself, or where its
// chain of symbolic links ends (which need not exist yet). False with a
// one-line reason when the chain loops or cannot be read.
bool ResolveFileTarget(const std::string& path, std::string& target, std::string& error);

class CFileReplacement {
public:
    // newFileMode: the permission bits (less the umask) of a file that does
    // not exist yet.
    explicit CFileReplacement(mode_t newFileMode) : m_newFileMode(newFileMode) {}
    // Removes the temporary file unless it was committed.
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    // Resolves path and creates the temporary file. False with a one-line
    // reason; nothing is created then.
    bool Open(const std::string& path, std::string& error);
    // The temporary file, open for writing until Finish.
    std::FILE* Stream() const { return m_stream; }
    // Flushes and closes the temporary file (syncing it to the disk first
    // when sync is set). False with a reason if any write failed.
    bool Finish(bool sync, std::string& error);
    // Renames the finished temporary file over the target.
    bool Commit(std::string& error);
    // Removes the temporary file; the target stays as it was.
    void Abandon();

    const std::string& Target() const { return m_target; }
    const std::string& Temporary() const { return m_temporary; }

private:
    bool Fail(const std::string& reason, std::string& error);

    mode_t m_newFileMode;
    std::string m_path;       // as given, for messages
    std::string m_target;     // the resolved target
    std::string m_temporary;  // empty when there is none
    std::FILE* m_stream = nullptr;
    bool m_finished = false;
};
