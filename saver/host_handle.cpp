#include "host_handle.h"

#include <cstdint>

bool ParseHostHandle(const char* text, HWND* handle)
{
    if (text == nullptr || *text == '\0')
        return false;
    std::uint64_t value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(*p - '0');
        if (value > UINT32_MAX)
            return false;
    }
    if (value == 0)
        return false;
    const auto handleBits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    *handle = reinterpret_cast<HWND>(static_cast<std::intptr_t>(handleBits));
    return true;
}
