#include "hack_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

const char* const kHackUsage =
    "usage: verdane [-window | -fullscreen | -root | -window-id ID | -settings]\n"
    "               [-display NAME] [-delay MICROSECONDS] [-fps]\n"
    "               [--plant-size 0..100] [--growth-rate 0..100] [--blank]\n"
    "Options take one dash or two. -root draws on $XSCREENSAVER_WINDOW when it is set.\n";

namespace {

constexpr long kMaxDelayMicros = 10000000;  // ten seconds between frames
constexpr long kSliderMax = 100;

// Digits only in the given base (base 16 after a "0x" or "0X"), within
// [0, hi]; strtoull alone would take signs and leading blanks.
std::optional<unsigned long long> ParseUnsigned(const std::string& text, unsigned long long hi)
{
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
        base = 16;
    }
    if (digits.empty() || digits.size() > 16)
        return std::nullopt;
    for (const char c : digits) {
        const auto u = static_cast<unsigned char>(c);
        if (base == 16 ? !std::isxdigit(u) : !std::isdigit(u))
            return std::nullopt;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, base);
    if (errno != 0 || value > hi)
        return std::nullopt;
    return value;
}

// Decimal digits only, within [0, hi].
std::optional<unsigned long long> ParseDecimal(const std::string& text, unsigned long long hi)
{
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0)
        return std::nullopt;
    return ParseUnsigned(text, hi);
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(const std::string& text)
{
    const auto value = ParseUnsigned(text, 0xFFFFFFFFull);
    if (!value || *value == 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

CHackOptionsResult ParseHackOptions(const std::vector<std::string>& args)
{
    CHackOptionsResult result;
    CHackOptions& o = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // One dash or two, the same option.
        const std::string name = arg.rfind("--", 0) == 0 ? arg.substr(1) : arg;
        // The value of an option that takes one, or nullptr after an error.
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                result.error = "option " + arg + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        auto slider = [&](std::optional<std::int32_t>& field) {
            if (const std::string* text = value()) {
                if (const auto number = ParseDecimal(*text, kSliderMax))
                    field = static_cast<std::int32_t>(*number);
                else
                    result.error = "option " + arg + ": '" + *text + "' is not a whole number from 0 to 100";
            }
        };

        if (name == "-help" || name == "-h") {
            result.help = true;
            return result;
        } else if (name == "-root") {
            o.target = HackTarget::Root;
        } else if (name == "-window") {
            o.target = HackTarget::Window;
        } else if (name == "-fullscreen") {
            o.target = HackTarget::FullScreen;
        } else if (name == "-settings" || name == "-configure") {
            o.target = HackTarget::Settings;
        } else if (name == "-window-id") {
            if (const std::string* text = value()) {
                if (const auto id = ParseWindowId(*text)) {
                    o.target = HackTarget::WindowId;
                    o.windowId = *id;
                } else {
                    result.error = "option " + arg + ": '" + *text + "' is not a window id (0x hexadecimal or decimal)";
                }
            }
        } else if (name == "-display") {
            if (const std::string* text = value())
                o.display = *text;
        } else if (name == "-delay") {
            if (const std::string* text = value()) {
                if (const auto number = ParseDecimal(*text, kMaxDelayMicros))
                    o.delayMicros = static_cast<long>(*number);
                else
                    result.error = "option " + arg + ": '" + *text + "' is not a whole number of microseconds from 0 to 10000000";
            }
        } else if (name == "-fps") {
            o.showFps = true;
        } else if (name == "-plant-size") {
            slider(o.plantSize);
        } else if (name == "-growth-rate") {
            slider(o.growthRate);
        } else if (name == "-blank") {
            o.blank = true;
        } else {
            result.error = "unknown option '" + arg + "' (try --help)";
        }
        if (!result.error.empty())
            return result;
    }
    return result;
}
