// An exclusive flock on a lock file, held for the object's life.
//
// The lock file is opened without following a symbolic link and only as a
// regular file, made (private to the user) when it is missing: a link can
// neither make a file be created where it points nor have its target
// locked, and a FIFO or a device is never opened. A lock that another
// process holds is waited for until a deadline, so a stuck holder costs a
// failure rather than a program that never goes on.
#pragma once

#include <chrono>
#include <string>

class CFileLock {
public:
    using Clock = std::chrono::steady_clock;
    // How long a writer waits for a lock held elsewhere, unless it says.
    static constexpr std::chrono::seconds kWait{3};

    // Takes the lock, waiting for another holder until deadline at the
    // latest (a deadline passed already: one try), or fails with a one-line
    // reason in error.
    CFileLock(const std::string& path, Clock::time_point deadline, std::string& error);
    ~CFileLock();  // releases the lock
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
