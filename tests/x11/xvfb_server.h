// A private headless X server for one test suite: Xvfb on a display number
// it picks itself (so suites running at the same time never share one),
// stopped by its process id when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

class CXvfbServer {
public:
    // depth: bits per pixel of the screen's default visual. Without shm the
    // server offers no MIT-SHM, as a display on another machine.
    CXvfbServer(int width, int height, int depth = 24, bool shm = true);
    ~CXvfbServer();
    CXvfbServer(const CXvfbServer&) = delete;
    CXvfbServer& operator=(const CXvfbServer&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};
