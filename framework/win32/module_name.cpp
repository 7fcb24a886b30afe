#include "module_name.h"

std::string AfxModuleBaseName(const std::string& path)
{
    const std::size_t folderEnd = path.find_last_of("\\/:");
    std::string name = folderEnd == std::string::npos ? path : path.substr(folderEnd + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string AfxModuleFileName(HINSTANCE instance)
{
    // Paths can be longer than MAX_PATH; the platform truncates to the
    // buffer and says so by filling it completely.
    constexpr std::size_t kLongestPath = 32768;
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileName(instance, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size() || buffer.size() >= kLongestPath) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}
