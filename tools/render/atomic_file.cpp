#include "atomic_file.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

CAtomicFile::~CAtomicFile()
{
    Abandon();
}

bool CAtomicFile::Open(const std::string& path, std::string& error)
{
    Abandon();
    m_path = path;
    m_temporary = path + ".tmp-" + std::to_string(::getpid());
    m_stream = std::fopen(m_temporary.c_str(), "wb");
    if (m_stream == nullptr) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

bool CAtomicFile::Commit(std::string& error)
{
    if (m_stream == nullptr) {
        error = "cannot write '" + m_path + "': not open";
        return false;
    }
    const bool written = std::ferror(m_stream) == 0 && std::fflush(m_stream) == 0;
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!written || !closed || std::rename(m_temporary.c_str(), m_path.c_str()) != 0) {
        error = "cannot write '" + m_path + "': " + std::strerror(errno);
        std::remove(m_temporary.c_str());
        return false;
    }
    m_temporary.clear();
    return true;
}

void CAtomicFile::Abandon()
{
    if (m_stream != nullptr) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_temporary.empty()) {
        std::remove(m_temporary.c_str());
        m_temporary.clear();
    }
}
