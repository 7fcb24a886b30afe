#include "hack_process.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

CHackProcess::CHackProcess(const std::string& display, const std::vector<std::string>& arguments,
                           const std::map<std::string, std::optional<std::string>>& environment)
{
    char folder[] = "/tmp/verdane-hack.XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return;
    m_folder = folder;
    const std::string errors = m_folder + "/stderr";
    m_pid = fork();
    if (m_pid == 0) {
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 2);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
        setenv("HOME", m_folder.c_str(), 1);
        unsetenv("XSCREENSAVER_WINDOW");
        for (const auto& [name, value] : environment) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::vector<char*> argv{const_cast<char*>(VERDANE_HACK_PATH)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(VERDANE_HACK_PATH, argv.data());
        _exit(127);
    }
}

CHackProcess::~CHackProcess()
{
    if (Running()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (!m_folder.empty())
        std::system(("rm -rf '" + m_folder + "'").c_str());
}

bool CHackProcess::Running()
{
    if (m_pid <= 0 || m_status)
        return false;
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == 0)
        return true;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

std::optional<int> CHackProcess::WaitExit(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!m_status || *m_status < 0)
        return std::nullopt;
    return m_status;
}

std::string CHackProcess::Errors()
{
    std::ifstream in(m_folder + "/stderr");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long CHackProcess::CpuTicks() const
{
    // /proc/PID/stat: the 14th and 15th fields, user and system time, come
    // after the command name in parentheses, which may hold blanks.
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/stat");
    std::string line;
    if (m_pid <= 0 || !std::getline(in, line) || line.rfind(')') == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stol(field);
        else if (i == 15)
            system = std::stol(field);
    }
    return user + system;
}
