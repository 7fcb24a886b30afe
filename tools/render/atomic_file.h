// An output file that appears whole or not at all: it is written under a
// temporary name beside the target and renamed over it on Commit. Until
// then, and whenever anything fails, nothing is left at the target; the
// destructor removes an uncommitted temporary file.
#pragma once

#include <cstdio>
#include <string>

class CAtomicFile {
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file. False with a one-line reason in error.
    bool Open(const std::string& path, std::string& error);
    std::FILE* Stream() const { return m_stream; }
    // Flushes, closes and renames over the target. False with a reason.
    bool Commit(std::string& error);

private:
    void Abandon();

    std::string m_path;
    std::string m_temporary;
    std::FILE* m_stream = nullptr;
};
