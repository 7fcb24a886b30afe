// The settings file's text, on any bytes: reading a value never fails
// unsafely, setting one makes exactly it read back while every other line
// stays, and integers read as a strict decimal reader reads them.
//
// Input: a section name and a value name (each a length byte and bytes),
// four bytes of a value, then the file's text.
#include "profile_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::string Take(const std::uint8_t*& data, std::size_t& size)
{
    if (size == 0)
        return std::string();
    const std::size_t length = std::min<std::size_t>(data[0] % 16, size - 1);
    std::string taken(reinterpret_cast<const char*>(data + 1), length);
    data += 1 + length;
    size -= 1 + length;
    return taken;
}

std::size_t LineCount(const std::string& text)
{
    const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string section = Take(data, size);
    const std::string name = Take(data, size);
    std::uint32_t bits = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size)
        bits = bits << 8 | *data;
    const auto value = static_cast<std::int32_t>(bits);
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Integers: the same answer as std::from_chars, which takes an optional
    // '-' and digits, when the whole text is used.
    std::int32_t expected = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool whole = !text.empty() && ec == std::errc() && end == text.data() + text.size();
    const std::optional<std::int32_t> parsed = ParseProfileInt(text);
    if (parsed.has_value() != whole || (whole && *parsed != expected))
        std::abort();

    if (section.empty() || name.empty())
        return 0;
    (void)FindProfileValue(text, section, name);
    if (!IsStorableSectionName(section) || !IsStorableValueName(name))
        return 0;
    const std::string stored = std::to_string(value);
    const std::string updated = SetProfileValue(text, section, name, stored);
    const std::optional<std::string> back = FindProfileValue(updated, section, name);
    if (!back || ParseProfileInt(*back) != value)
        std::abort();
    // One line changed or added, or a section header (and a blank line)
    // with it; never a line lost.
    const std::size_t before = LineCount(text), after = LineCount(updated);
    if (after < before || after > before + 3)
        std::abort();
    // Setting it again changes nothing.
    if (SetProfileValue(updated, section, name, stored) != updated)
        std::abort();
    return 0;
}
