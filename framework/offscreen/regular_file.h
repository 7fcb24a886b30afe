// Opening a file only when it is a regular file. Anything else (a FIFO, a
// device, a directory, a socket) is refused without being opened, so that
// nothing blocks on a FIFO without a writer and no device does what opening
// it does; the type is checked again once open, in case the path was
// swapped in between.
#pragma once

#include <string>

// Opens path with flags (O_RDONLY, O_RDWR, with O_CREAT to make a missing
// file, private to the user, and O_NOFOLLOW to refuse a symbolic link as
// the last component). Returns the descriptor (non-blocking, close on exec);
// -1 with a one-line reason, and *absent set when given and the path does
// not exist (nor was made).
int OpenRegularFile(const std::string& path, int flags, std::string& reason, bool* absent = nullptr);
