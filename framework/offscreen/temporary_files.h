// Temporary files that an interrupted program removes. Every temporary file
// made here is recorded from the moment it exists until it is renamed over
// its target or removed, each step taken with the signals below held, so
// the record and the disk never disagree when a signal comes.
//
// While a CInterruptCleanup lives, SIGINT, SIGTERM and SIGHUP remove every
// recorded file and end the process with status 128 + the signal's number
// (130, 143, 129). At other times those signals act as they otherwise do.
#pragma once

#include <string>

#include <signal.h>

// Creates a temporary file from pattern, whose last six characters are
// XXXXXX (mkostemp), and records it. Returns the descriptor (close on
// exec), and the file's name in pattern; -1 with a one-line reason when
// nothing was created.
int CreateTemporaryFile(std::string& pattern, std::string& reason);
// Renames the recorded file over target and forgets it. 0, or the errno
// of a failed rename; the file is still recorded then.
int RenameTemporaryFile(const std::string& name, const std::string& target);
// Removes the recorded file and forgets it.
void RemoveTemporaryFile(const std::string& name);

// SIGINT, SIGTERM and SIGHUP held back for the object's life: one that comes
// meanwhile is handled when it goes.
class CInterruptsHeld {
public:
    CInterruptsHeld();
    ~CInterruptsHeld();
    CInterruptsHeld(const CInterruptsHeld&) = delete;
    CInterruptsHeld& operator=(const CInterruptsHeld&) = delete;

private:
    sigset_t m_previous;
};

// While it lives, SIGINT, SIGTERM and SIGHUP remove the recorded temporary
// files and end the process; when it goes, their previous handling comes
// back. One at a time in a process.
class CInterruptCleanup {
public:
    CInterruptCleanup();
    ~CInterruptCleanup();
    CInterruptCleanup(const CInterruptCleanup&) = delete;
    CInterruptCleanup& operator=(const CInterruptCleanup&) = delete;

private:
    struct sigaction m_previous[3];  // SIGINT's, SIGTERM's and SIGHUP's
};
