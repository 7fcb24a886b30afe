#include "render_options.h"

#include "surface/surface.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

const char* const kRenderUsage =
    "usage: verdane-render [--size WxH] [--screen WxH] [--seed N] [--steps K]\n"
    "                      [--plant-size N] [--growth-rate N] [--blank 0|1]\n"
    "                      [--background FILE.png] [--out FILE.png] [--trace FILE]\n"
    "\n"
    "--plant-size and --growth-rate are the dialog's \"Plant Size\" and \"Growth\n"
    "Rate\" (0..100 there, any 32-bit integer here); --star-speed and\n"
    "--star-number are older names for them. Numbers are plain decimal digits;\n"
    "only those two take a leading '-'. Sides are 1..16384 pixels. The\n"
    "background is read at most 16384 pixels on a side; only the part the\n"
    "canvas covers is kept. It must be a regular file: a FIFO or a device is\n"
    "refused.\n"
    "--out (default growth.png) and --trace must name regular files or new ones;\n"
    "a symbolic link is written through to its target. Nothing is replaced\n"
    "unless the whole run succeeds.\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage,\n"
    "130/143/129 interrupted by SIGINT/SIGTERM/SIGHUP (nothing is left behind).\n";

namespace {

// A whole decimal number within [lo, hi], nothing else in the text: digits,
// after a '-' only where negatives are allowed (no '+', no spaces).
bool ParseInteger(const std::string& text, long long lo, long long hi, long long& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    const std::size_t first = text[0] == '-' && lo < 0 ? 1 : 0;
    if (first == text.size() || text.find_first_not_of("0123456789", first) != std::string::npos)
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || v < lo || v > hi)
        return false;
    value = v;
    return true;
}

// The text as it can stand in a one-line message: control characters are
// shown as \xNN.
std::string Printable(const std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
        else
            shown += c;
    }
    return shown;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    const auto x = text.find('x');
    long long w = 0, h = 0;
    if (x == std::string::npos || !ParseInteger(text.substr(0, x), 1, CSurface::kMaxSide, w) ||
        !ParseInteger(text.substr(x + 1), 1, CSurface::kMaxSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

CRenderOptionsResult ParseRenderOptions(const std::vector<std::string>& args)
{
    CRenderOptionsResult result;
    CRenderOptions& o = result.options;
    constexpr long long kInt32Min = std::numeric_limits<std::int32_t>::min();
    constexpr long long kInt32Max = std::numeric_limits<std::int32_t>::max();

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            result.help = true;
            return result;
        }
        if (name.rfind("--", 0) != 0) {
            result.error = "unexpected argument '" + Printable(name) + "'";
            return result;
        }
        if (i + 1 >= args.size()) {
            result.error = "option " + Printable(name) + " needs a value";
            return result;
        }
        const std::string& value = args[++i];
        long long number = 0;
        auto bad = [&](const char* what) {
            result.error = "option " + Printable(name) + ": '" + Printable(value) + "' is not " + what;
        };
        if (name == "--size") {
            if (!ParseSize(value, o.width, o.height))
                bad("a size WxH with sides 1..16384");
        } else if (name == "--screen") {
            int w = 0, h = 0;
            if (ParseSize(value, w, h)) {
                o.screenWidth = w;
                o.screenHeight = h;
            } else {
                bad("a size WxH with sides 1..16384");
            }
        } else if (name == "--seed") {
            if (ParseInteger(value, 0, std::numeric_limits<std::uint32_t>::max(), number))
                o.seed = static_cast<std::uint32_t>(number);
            else
                bad("a number 0..4294967295");
        } else if (name == "--steps") {
            if (ParseInteger(value, 0, 100000000, number))
                o.steps = number;
            else
                bad("a number of steps 0..100000000");
        } else if (name == "--plant-size" || name == "--star-speed" || name == "--growth-rate" ||
                   name == "--star-number") {
            // The older names, which scripts still use, set the same values.
            const bool plantSize = name == "--plant-size" || name == "--star-speed";
            if (ParseInteger(value, kInt32Min, kInt32Max, number))
                (plantSize ? o.plantSize : o.growthRate) = static_cast<std::int32_t>(number);
            else
                bad("a 32-bit integer");
        } else if (name == "--blank") {
            if (value == "0" || value == "1")
                o.blank = value == "1" ? 1 : 0;
            else
                bad("0 or 1");
        } else if (name == "--background") {
            o.background = value;
        } else if (name == "--out") {
            o.out = value;
        } else if (name == "--trace") {
            o.trace = value;
        } else {
            result.error = "unknown option " + Printable(name);
        }
        if (!result.error.empty())
            return result;
    }
    if (o.out.empty())
        result.error = "option --out: the file name is empty";
    return result;
}
