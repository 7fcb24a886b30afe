#include "preview_host_process.h"

#include "saver_process.h"

#include <cstdint>
#include <cstdlib>
#include <string>

CPreviewHostProcess::CPreviewHostProcess()
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherited, 0))
        return;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    const std::string path = PlatformPath(VERDANE_PREVIEW_HOST_PATH);
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    if (!::CreateProcess(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &m_process))
        m_process = PROCESS_INFORMATION{};
    ::CloseHandle(writeEnd);

    // The handle's line; the pipe ends early if the host fails.
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (line.size() < 32 && ::ReadFile(readEnd, &c, 1, &read, nullptr) && read == 1 && c != '\n')
        line += c;
    ::CloseHandle(readEnd);
    const unsigned long long value = std::strtoull(line.c_str(), nullptr, 10);
    m_pane = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

CPreviewHostProcess::~CPreviewHostProcess()
{
    Kill();
    if (m_process.hProcess == nullptr)
        return;
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

void CPreviewHostProcess::Kill()
{
    if (m_process.hProcess == nullptr || ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
        return;
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, INFINITE);
}
