// The command line's switch and the preview host's handle, on any text: the
// switch is one of the four modes, and a handle is accepted exactly when
// the text is an unsigned decimal number 1..4294967295, which it names.
#include "growth_app.h"
#include "host_handle.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* const c = text.c_str();  // up to the first NUL, as argv gives it
    const std::string arg(c);

    const SaverMode mode = CGrowthApp::GetSaverMode(c);
    if (mode != SaverMode::Configure && mode != SaverMode::Preview && mode != SaverMode::Run &&
        mode != SaverMode::None)
        std::abort();

    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), value);
    const bool number = !arg.empty() && ec == std::errc() && end == arg.data() + arg.size() &&
                        arg.find_first_not_of("0123456789") == std::string::npos;
    const bool valid = number && value != 0 && value <= UINT32_MAX;

    HWND sentinel = reinterpret_cast<HWND>(std::intptr_t{12345});
    HWND handle = sentinel;
    if (ParseHostHandle(c, &handle) != valid)
        std::abort();
    const auto expected = reinterpret_cast<HWND>(
        static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))));
    if (handle != (valid ? expected : sentinel))
        std::abort();
    return 0;
}
