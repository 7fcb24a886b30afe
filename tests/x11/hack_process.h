// Runs the program verdane as XScreenSaver or a user would, and watches it
// from outside: its exit status and what it wrote to standard error.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class CHackProcess {
public:
    // Starts verdane with the arguments on display. environment adds or
    // replaces variables; a variable mapped to nullopt is removed. The
    // settings store and the home folder (where XScreenSaver's settings
    // are read) are a fresh folder of the test's, never the user's.
    CHackProcess(const std::string& display, const std::vector<std::string>& arguments,
                 const std::map<std::string, std::optional<std::string>>& environment = {});
    // Kills it if it still runs.
    ~CHackProcess();
    CHackProcess(const CHackProcess&) = delete;
    CHackProcess& operator=(const CHackProcess&) = delete;

    // Its exit status once it has ended within timeoutMs; nullopt while it
    // runs on (or when it ended by a signal).
    std::optional<int> WaitExit(int timeoutMs);
    bool Running();
    // Everything it wrote to standard error so far.
    std::string Errors();
    // The processor time it has used so far, in clock ticks; -1 once it
    // has ended.
    long CpuTicks() const;

private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
    std::string m_folder;  // the settings store and the captured error output
};
