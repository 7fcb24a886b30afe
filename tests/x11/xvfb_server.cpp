#include "xvfb_server.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <string>
#include <vector>

CXvfbServer::CXvfbServer(int width, int height, int depth, bool shm)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    const std::string fd = std::to_string(fds[1]);
    m_pid = fork();
    if (m_pid == 0) {
        close(fds[0]);
        // Its notes on the display numbers it tried are not the test's.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 2);
        // -noreset: the server would otherwise reset whenever its last
        // client leaves, between two tests, and refuse connections then.
        std::vector<const char*> arguments = {"Xvfb",  "-displayfd", fd.c_str(), "-screen", "0",       screen.c_str(),
                                              "-nolisten", "tcp", "-br",      "-noreset"};
        if (!shm)
            arguments.insert(arguments.end(), {"-extension", "MIT-SHM"});
        arguments.push_back(nullptr);
        execvp("Xvfb", const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes the display number once it accepts clients; a line longer
    // than any display number is not one.
    std::string number;
    pollfd readable{fds[0], POLLIN, 0};
    char c = 0;
    while (m_pid > 0 && number.size() < 16 && poll(&readable, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty())
        m_display = ":" + number;
}

CXvfbServer::~CXvfbServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}
