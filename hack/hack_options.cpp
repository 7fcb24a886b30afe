#include "hack_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

const char* const kHackUsage =
    "verdane " VERDANE_VERSION ": random, forking green branches grow over the screen\n"
    "usage: verdane [-window | -fullscreen | -root | -window-id ID | -settings]\n"
    "               [-display NAME] [-delay MICROSECONDS] [-fps | -no-fps]\n"
    "               [--plant-size 0..100] [--growth-rate 0..100] [--blank]\n"
    "               [-geometry WxH+X+Y] [-visual NAME] [-install | -noinstall] [-mono] [-pair]\n"
    "               [--wayland | --x11] [--output NAME]\n"
    "       verdane --add-to-xscreensaver | --remove-from-xscreensaver\n"
    "Options take one dash or two. -root draws on $XSCREENSAVER_WINDOW when it is set.\n"
    "--add-to-xscreensaver lists verdane among the programs in ~/.xscreensaver (a new file\n"
    "keeps XScreenSaver's stock list); --remove-from-xscreensaver takes it out again.\n";

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

constexpr int kMaxCoordinate = 32767;

// The visuals XScreenSaver's hacks may be asked for, by class or kind.
// verdane draws on the screen's default visual whichever is named; it
// refuses to start when that is not 24-bit TrueColor.
bool IsVisualName(const std::string& name)
{
    std::string lower;
    for (const char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* known : {"default", "best", "mono", "gray", "grey", "color", "colour", "gl", "staticgray",
                              "staticcolor", "truecolor", "grayscale", "greyscale", "pseudocolor", "directcolor"}) {
        if (lower == known)
            return true;
    }
    return ParseUnsigned(name, 0xFFFFFFFFull).has_value();  // a visual id
}

// Leading decimal digits of text from pos, within 0..kMaxCoordinate.
std::optional<int> GeometryNumber(const std::string& text, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && pos - start < 6)
        ++pos;
    const auto value = ParseDecimal(text.substr(start, pos - start), kMaxCoordinate);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

}  // namespace

std::optional<CHackGeometry> ParseGeometry(const std::string& text)
{
    CHackGeometry geometry;
    std::size_t pos = text.size() > 0 && text[0] == '=' ? 1 : 0;
    if (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        geometry.width = GeometryNumber(text, pos);
        if (!geometry.width || *geometry.width == 0 || pos >= text.size() || (text[pos] != 'x' && text[pos] != 'X'))
            return std::nullopt;
        geometry.height = GeometryNumber(text, ++pos);
        if (!geometry.height || *geometry.height == 0)
            return std::nullopt;
    }
    if (pos < text.size()) {
        if (text[pos] != '+' && text[pos] != '-')
            return std::nullopt;
        geometry.xFromRight = text[pos] == '-';
        geometry.x = GeometryNumber(text, ++pos);
        if (!geometry.x || pos >= text.size() || (text[pos] != '+' && text[pos] != '-'))
            return std::nullopt;
        geometry.yFromBottom = text[pos] == '-';
        geometry.y = GeometryNumber(text, ++pos);
        if (!geometry.y || pos != text.size())
            return std::nullopt;
    }
    if (!geometry.width && !geometry.x)
        return std::nullopt;  // nothing given
    return geometry;
}

void PlaceWindow(const CHackGeometry& geometry, int screenWidth, int screenHeight, int& x, int& y, int& width,
                 int& height)
{
    width = geometry.width.value_or(width);
    height = geometry.height.value_or(height);
    if (geometry.x)
        x = geometry.xFromRight ? screenWidth - width - *geometry.x : *geometry.x;
    if (geometry.y)
        y = geometry.yFromBottom ? screenHeight - height - *geometry.y : *geometry.y;
}

bool StartedByXScreenSaver(const CHackOptions& options, const char* handedWindow)
{
    if (options.target == HackTarget::WindowId)
        return true;
    return options.target == HackTarget::Root && handedWindow != nullptr && *handedWindow != '\0';
}

std::optional<std::uint32_t> ParseWindowId(const std::string& text)
{
    const auto value = ParseUnsigned(text, 0xFFFFFFFFull);
    if (!value || *value == 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

bool ShowsOnWayland(const CHackOptions& options, const char* waylandSocket, const char* waylandDisplay,
                    const char* x11Display)
{
    auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    switch (options.displayKind) {
    case HackDisplay::Wayland:
        return true;
    case HackDisplay::X11:
        return false;
    case HackDisplay::Automatic:
        break;
    }
    if (!options.display.empty())
        return false;
    return set(waylandSocket) || (set(waylandDisplay) && !set(x11Display));
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
        } else if (name == "-wayland") {
            o.displayKind = HackDisplay::Wayland;
        } else if (name == "-x11") {
            o.displayKind = HackDisplay::X11;
        } else if (name == "-output") {
            if (const std::string* text = value()) {
                if (text->empty())
                    result.error = "option " + arg + " needs an output name";
                else
                    o.output = *text;
            }
        } else if (name == "-delay") {
            if (const std::string* text = value()) {
                if (const auto number = ParseDecimal(*text, kMaxDelayMicros))
                    o.delayMicros = static_cast<long>(*number);
                else
                    result.error = "option " + arg + ": '" + *text + "' is not a whole number of microseconds from 0 to 10000000";
            }
        } else if (name == "-fps") {
            o.showFps = true;
        } else if (name == "-no-fps") {
            o.showFps = false;
        } else if (name == "-geometry") {
            if (const std::string* text = value()) {
                if (const auto geometry = ParseGeometry(*text))
                    o.geometry = *geometry;
                else
                    result.error = "option " + arg + ": '" + *text + "' is not a geometry such as 640x480+10+10";
            }
        } else if (name == "-visual") {
            if (const std::string* text = value()) {
                if (!IsVisualName(*text))
                    result.error = "option " + arg + ": '" + *text + "' is not a visual name or id";
            }
        } else if (name == "-install" || name == "-noinstall" || name == "-mono" || name == "-pair") {
            // XScreenSaver's common options with nothing to do here: a
            // TrueColor visual needs no colormap installed, the branches
            // keep their colours, and each copy of a pair draws its own
            // window as any single one does.
        } else if (name == "-plant-size") {
            slider(o.plantSize);
        } else if (name == "-growth-rate") {
            slider(o.growthRate);
        } else if (name == "-blank") {
            o.blank = true;
        } else if (name == "-add-to-xscreensaver") {
            o.listChange = HackListChange::Add;
        } else if (name == "-remove-from-xscreensaver") {
            o.listChange = HackListChange::Remove;
        } else {
            result.error = "unknown option '" + arg + "' (try --help)";
        }
        if (!result.error.empty())
            return result;
    }
    return result;
}
